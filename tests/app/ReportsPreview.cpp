// Shows the windows of the reports in a situation a user meets, for a look at them under a
// virtual display:
//     reports_preview menu | progress | dialog | preview "NAME" whole|width|100
// The main window holds a document of a plant with workplaces and works.
#include "app/ErgotabApplication.h"
#include "app/TMainForm.h"
#include "app/TProgressForm.h"
#include "reportengine/dialogs/DialogPageForm.h"
#include "reportengine/dialogs/ReportProgressForm.h"
#include "reportengine/frf/FrfTemplate.h"
#include "reportengine/preview/PageView.h"
#include "reportengine/preview/ReportPreview.h"
#include "storage/document/Document.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

using namespace ergotab;

namespace {

void fillDocument(TMainForm &form)
{
    dbf::Table &objects = form.document().objects();
    objects.appendRecord({1, 0, 0, QStringLiteral("Závod Sever – Žďár nad Sázavou")});
    objects.appendRecord({2, 1, 0, QStringLiteral("Lakovna")});
    objects.appendRecord({3,
                          2,
                          1,
                          QStringLiteral("Lakýrník – ruční stříkání"),
                          0,
                          4,
                          4,
                          0,
                          0,
                          2,
                          0,
                          0,
                          0,
                          0,
                          0,
                          0,
                          0,
                          14,
                          3,
                          QStringLiteral("Stříkání barev v boxu."),
                          QStringLiteral("Toluen 1,5násobek PEL."),
                          QStringLiteral("Odsávání, polomaska s filtrem A2.")});
    objects.appendRecord({4, 1, 0, QStringLiteral("Sklad")});
    objects.appendRecord({5, 4, 1, QStringLiteral("Skladník"), 0, 0, 0, 0, 0, 4, 2, 0, 0, 0, 0, 0, 0, 20, 4});
    objects.appendRecord(
        {6, 4, 1, QStringLiteral("Řidič vysokozdvižného vozíku"), 0, 0, 4, 2, 0, 2, 2, 0, 0, 0, 2, 0, 0, 6, 0});
    for (int i = 0; i < 40; ++i)
        objects.appendRecord({7 + i, 1, 1, QStringLiteral("Obsluha linky č. %1").arg(i + 1), 0, 0, 2 + (i % 2) * 2, 0,
                              0, 1, 2, 0, 0, 0, 2, 0, 0, 3 + i % 5, i % 3});
    form.BuildTreeFromDocument();
}

// Waits for the preview and sets its zoom.
void zoomWhenShown(const QString &zoom)
{
    auto *timer = new QTimer;
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, [timer, zoom] {
        // A dialog page is answered as a user would.
        if (auto *page = qobject_cast<report::DialogPageForm *>(QApplication::activeModalWidget())) {
            const auto type = [page](const char *name, const QString &text) {
                if (auto *edit = qobject_cast<QLineEdit *>(page->control(QLatin1String(name))))
                    edit->setText(text);
            };
            type("Nazev", QStringLiteral("Strojírny Žďár nad Sázavou, a.s."));
            type("Ico", QStringLiteral("12345678"));
            type("Sidlo", QStringLiteral("Brněnská 1138/12, 591 01 Žďár nad Sázavou"));
            page->accept();
            return;
        }
        auto *preview = qobject_cast<report::ReportPreview *>(QApplication::activeModalWidget());
        if (!preview)
            return;
        timer->stop();
        preview->showMaximized();
        if (zoom == QLatin1String("100"))
            preview->pageView()->setZoomFactor(1.0);
        else if (zoom == QLatin1String("width"))
            preview->pageView()->setZoomMode(report::PageView::ZoomMode::PageWidth);
        else
            preview->pageView()->setZoomMode(report::PageView::ZoomMode::WholePage);
    });
    timer->start();
}

} // namespace

int main(int argc, char **argv)
{
    ErgotabApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Ergotab"));
    report::frf::registerFrfTemplateFormat(); // as the program does
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString scene = args.value(0);
    TMainForm form;
    form.setCommandLineDocument(QString());
    form.show();
    report::ReportProgressForm progress(QStringLiteral("Kategorizace prací"), &form);
    QTimer::singleShot(700, &form, [&] {
        fillDocument(form);
        if (scene == QLatin1String("menu")) {
            QMenu *menu = form.ui().Sestavy1;
            const QRect at = form.menuBar()->actionGeometry(menu->menuAction());
            menu->popup(form.menuBar()->mapToGlobal(at.bottomLeft()));
        } else if (scene == QLatin1String("progress")) {
            progress.advance({37, 46, 2, 1});
        } else if (scene == QLatin1String("dialog")) {
            form.Vytvoit1Click(QStringLiteral("Návrh na zařazení prací do kategorií"));
        } else if (scene == QLatin1String("preview")) {
            zoomWhenShown(args.value(2));
            form.Vytvoit1Click(args.value(1));
        }
    });
    return app.exec();
}
