#pragma once

// A designer window on a template with one object of each kind the property panel has a group
// for, and a way to answer the dialogs it opens modally.

#include "reportengine/designer/DesignSurface.h"
#include "reportengine/designer/PropertyPanel.h"
#include "reportengine/designer/ReportDesigner.h"
#include "reportengine/designer/core/ObjectFactory.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

namespace ergotab::report::designer::test {

// One data band "Band1" holding, in this order: Text1 (the field Pracov, 8 pt), Text2 (a title,
// 10 pt, bold), Barcode1, Shape1 (rectangle), Check1, Picture1, Rich1.
inline ReportTemplate kindsTemplate()
{
    ReportTemplate report = ReportDesigner::emptyTemplate();
    Band data = newBand(BandKind::MasterData);
    data.name = QStringLiteral("Band1");
    data.height = 30;
    data.dataSource = QStringLiteral("Kategorie_DataSet");
    auto add = [&data](ReportObject o, const char *name) {
        o.name = QLatin1String(name);
        data.objects.push_back(std::move(o));
    };
    ReportObject field = newTextObject(QStringLiteral("[Pracov]"), QRectF(0, 0, 30, 5));
    std::get<TextObject>(field.content).font.sizePt = 8;
    add(field, "Text1");
    ReportObject title = newTextObject(QStringLiteral("Práce"), QRectF(40, 0, 30, 5));
    std::get<TextObject>(title.content).font.bold = true;
    add(title, "Text2");
    add(newObject(ObjectKind::Barcode, QRectF(80, 0, 40, 15)), "Barcode1");
    add(newObject(ObjectKind::Rectangle, QRectF(0, 10, 20, 10)), "Shape1");
    add(newObject(ObjectKind::CheckBox, QRectF(30, 10, 5, 5)), "Check1");
    add(newObject(ObjectKind::Picture, QRectF(40, 10, 20, 15)), "Picture1");
    add(newObject(ObjectKind::RichText, QRectF(130, 0, 50, 20)), "Rich1");
    report.pages[0].bands = {data};
    return report;
}

// A page header "Band1" with Text1 (10,2 40×6) and a data band "Band2" over Kategorie_DataSet
// with Text2 (10,1 30×5, 8 pt) and Text3 (60,1 30×5).
inline ReportTemplate twoBandTemplate()
{
    ReportTemplate report = ReportDesigner::emptyTemplate();
    Band header = newBand(BandKind::PageHeader);
    header.name = QStringLiteral("Band1");
    header.height = 12;
    ReportObject title = newTextObject(QStringLiteral("Nadpis"), QRectF(10, 2, 40, 6));
    title.name = QStringLiteral("Text1");
    header.objects.push_back(title);
    Band data = newBand(BandKind::MasterData);
    data.name = QStringLiteral("Band2");
    data.height = 10;
    data.dataSource = QStringLiteral("Kategorie_DataSet");
    ReportObject a = newTextObject(QStringLiteral("[Text]"), QRectF(10, 1, 30, 5));
    a.name = QStringLiteral("Text2");
    std::get<TextObject>(a.content).font.sizePt = 8;
    ReportObject b = newTextObject(QStringLiteral("[Pracov]"), QRectF(60, 1, 30, 5));
    b.name = QStringLiteral("Text3");
    data.objects = {a, b};
    report.pages[0].bands = {header, data};
    return report;
}

enum Kinds { Text1, Text2, Barcode1, Shape1, Check1, Picture1, Rich1 };

inline ObjectRef at(int index)
{
    return {0, 0, index};
}

inline DesignerHost testHost(std::vector<DesignerHelp> *helpAsked = nullptr)
{
    DesignerHost h;
    h.sources = {{QStringLiteral("Kategorie_DataSet"), {QStringLiteral("Text"), QStringLiteral("Pracov")}}};
    h.variables = {QStringLiteral("Dokument")};
    if (helpAsked)
        h.showHelp = [helpAsked](QWidget *, DesignerHelp topic) { helpAsked->push_back(topic); };
    return h;
}

// Runs `act` on the first modal dialog of type D once it shows.
template <typename D> void whenModal(std::function<void(D &)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(*dialog);
        }
    });
    timer->start();
}

// A designer window shown at 100 % with a snapping 2.5 mm grid; its questions are answered from
// `answers` (Cancel when none is left) and its errors collected rather than shown.
class ShownDesigner : public ::testing::Test
{
protected:
    void open(DesignerHost host, ReportTemplate report)
    {
        designer = std::make_unique<ReportDesigner>(std::move(host));
        designer->hooks().showError = [this](QWidget *, const QString &message) { errors << message; };
        designer->hooks().ask = [this](QWidget *, const QString &question) {
            questions << question;
            return answers.isEmpty() ? DesignerHooks::Answer::Cancel : answers.takeFirst();
        };
        designer->model().reset(std::move(report));
        designer->show();
        surface().setZoom(1.0);
        surface().setSnapToGrid(true);
        surface().setGridMm(2.5);
    }

    DesignSurface &surface() { return designer->surface(); }
    DesignerModel &model() { return designer->model(); }

    std::unique_ptr<ReportDesigner> designer;
    QStringList errors;
    QStringList questions;
    QList<DesignerHooks::Answer> answers;
};

class DesignerWithKinds : public ::testing::Test
{
protected:
    void SetUp() override
    {
        designer = std::make_unique<ReportDesigner>(testHost(&helpAsked));
        designer->model().reset(kindsTemplate());
        designer->propertyPanel().setColorChooser(
            [this](QWidget *, const QColor &, const QString &) { return nextColor; });
        designer->show();
    }

    template <typename W> W *control(const char *name)
    {
        W *widget = designer->findChild<W *>(QLatin1String(name));
        EXPECT_TRUE(widget) << name;
        return widget;
    }
    DesignerModel &model() { return designer->model(); }
    void select(const ObjectRefs &refs) { designer->surface().setSelection(refs); }
    template <typename Kind> const Kind &content(int index)
    {
        return std::get<Kind>(model().object(at(index)).content);
    }
    int steps() { return model().undoStack().count(); }

    std::vector<DesignerHelp> helpAsked;
    std::unique_ptr<ReportDesigner> designer;
    QColor nextColor = Qt::red;
};

} // namespace ergotab::report::designer::test
