// Shows the designer with a template for screenshots:
//   report_designer_demo TEMPLATE.frf [select|multi|drag|expression|band|page|dialog|
//                                         panelend|richtext|variables|info]

#include "reportengine/designer/DesignSurface.h"
#include "reportengine/designer/ExpressionEditor.h"
#include "reportengine/designer/PageTabs.h"
#include "reportengine/designer/PropertyPanel.h"
#include "reportengine/designer/ReportDesigner.h"
#include "reportengine/designer/RichTextEditor.h"
#include "reportengine/designer/VariablesDialog.h"
#include "reportengine/frf/FrfTemplate.h"
#include "reports/ReportFields.h"

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

using namespace ergotab::report;
using namespace ergotab::report::designer;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    frf::registerFrfTemplateFormat();
    DesignerHost host;
    const QStringList fields = ergotab::reports::fields::objectFieldNames();
    host.sources = {{QStringLiteral("Object_DataSet"), fields}, {QStringLiteral("Kategorie_DataSet"), fields}};
    host.functions = {
        {QStringLiteral("R_PATH"), QStringLiteral("R_PATH(Index)"), QStringLiteral("cesta")},
        {QStringLiteral("R_KATEGORIE"), QStringLiteral("R_KATEGORIE(Fak01)"), QStringLiteral("kategorie")},
        {QStringLiteral("R_MAXKATEGORIE"), QStringLiteral("R_MAXKATEGORIE(text)"), QStringLiteral("největší číslice")}};
    host.variables = {QStringLiteral("Dokument")};
    host.showHelp = [](QWidget *, DesignerHelp) {};
    ReportDesigner designer(host);
    if (argc > 1)
        designer.openFile(QString::fromLocal8Bit(argv[1]));
    const QString mode = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    // Without a window manager (Xvfb) maximising does nothing: the window takes the screen itself.
    designer.setGeometry(designer.screen()->availableGeometry());
    designer.showMaximized();
    if (mode == QStringLiteral("select") || mode == QStringLiteral("expression")) {
        ObjectRefs refs;
        const auto &bands = designer.model().reportTemplate().pages.at(0).bands;
        for (int b = 0; b < int(bands.size()) && refs.size() < 3; ++b)
            for (int i = 0; i < int(bands[b].objects.size()) && refs.size() < 3; ++i)
                if (std::holds_alternative<TextObject>(bands[b].objects[i].content) && b == 2)
                    refs.push_back({0, b, i});
        designer.surface().setSelection(refs);
    } else if (mode == QStringLiteral("panelend")) {
        designer.surface().setSelection({{0, 2, 0}});
    } else if (mode == QStringLiteral("multi")) {
        // The page's own objects and a few of the data band's, and a second report page.
        ObjectRefs refs;
        const ReportPage &page = designer.model().reportTemplate().pages.at(0);
        for (int i = 0; i < int(page.objects.size()); ++i)
            refs.push_back(ObjectRef::pageObject(0, i));
        for (int i = 1; i < 4 && page.bands.size() > 3 && i < int(page.bands[3].objects.size()); ++i)
            refs.push_back({0, 3, i});
        designer.insertReportPage();
        designer.pageTabs().setCurrentIndex(0);
        designer.surface().setSelection(refs);
    }
    QTimer::singleShot(500, &designer, [&designer, mode] {
        if (mode == QStringLiteral("expression")) {
            ExpressionEditor editor(designer.host(), designer.model().reportTemplate(), ExpressionEditor::Mode::Text,
                                    QStringLiteral("Počet: [Kategorie_DataSet.\"Pracov\" * ] zaměstnanců"), &designer);
            editor.exec();
        } else if (mode == QStringLiteral("band")) {
            designer.editBand(2);
        } else if (mode == QStringLiteral("dialog")) {
            designer.pageTabs().showDialog(0);
        } else if (mode == QStringLiteral("drag")) {
            // A band's caption held and dragged two bands down: the drop place is shown.
            DesignSurface &surface = designer.surface();
            const SurfaceGeometry g(designer.model().reportTemplate().pages.at(0));
            const QPointF from = surface.toPixels(g.captionRect(1).center());
            const QPointF to = surface.toPixels(QPointF(g.captionRect(1).center().x(), g.bandRect(3).bottom() - 1));
            QMouseEvent press(QEvent::MouseButtonPress, from, surface.mapToGlobal(from), Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier);
            QApplication::sendEvent(&surface, &press);
            QMouseEvent move(QEvent::MouseMove, to, surface.mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(&surface, &move);
        } else if (mode == QStringLiteral("page")) {
            designer.editPageSetup();
        } else if (mode == QStringLiteral("panelend")) {
            if (auto *scroll = designer.propertyPanel().findChild<QScrollArea *>())
                scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        } else if (mode == QStringLiteral("richtext")) {
            RichTextEditor editor(designer.host(), designer.model().reportTemplate(),
                                  QStringLiteral("<p align=\"center\"><b>Kategorizace prací</b></p><p>Pracoviště: "
                                                 "<i>[R_PATH([UpLink])]</i>, počet zaměstnanců "
                                                 "<span style=\"color:#b00020\">[Pracov]</span></p>"),
                                  &designer);
            editor.exec();
        } else if (mode == QStringLiteral("variables")) {
            DesignerModel &model = designer.model();
            model.setVariables({{QStringLiteral("Celkem"), QStringLiteral("Pracov + Zen"), QString()},
                                {QStringLiteral("Podíl žen"), QStringLiteral("Zen / (Pracov"), QString()}});
            VariablesDialog dialog(designer.host(), model.reportTemplate(), &designer);
            dialog.findChild<QListWidget *>()->setCurrentRow(1);
            dialog.exec();
        } else if (mode == QStringLiteral("info")) {
            designer.editTemplateInfo();
        }
    });
    return app.exec();
}
