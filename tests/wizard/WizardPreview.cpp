// Shows the wizard at one page with its panels open, for a look at the layout:
//     wizard_preview vibr2
#include "wizard/TWizardForm.h"
#include "wizard/rules/PageFlow.h"

#include <QApplication>
#include <QComboBox>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTimer>

#include <cstdio>

using namespace ergotab;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString key = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("uvod");
    if (key == QStringLiteral("--sizes")) {
        // The room each page asks for with its panels open.
        TWizardForm wizard(nullptr, nullptr);
        auto *pages = wizard.findChild<QStackedWidget *>(QStringLiteral("PageControl1"));
        for (QWidget *panel : wizard.findChildren<QWidget *>(QRegularExpression(QStringLiteral("Panel$"))))
            panel->setVisible(true);
        for (int p = 0; p < WizardPageCount; ++p) {
            const QSize s = pages->widget(p)->sizeHint();
            std::printf("%-6s %4d x %4d\n", qPrintable(pageKey(p)), s.width(), s.height());
        }
        return 0;
    }
    int page = 0;
    while (page < WizardPageCount && pageKey(page) != key)
        ++page;
    if (page == WizardPageCount)
        return 2;

    TWizardForm wizard(nullptr, nullptr);
    wizard.setHelpOpener([](QWidget *, int) {});
    QTimer::singleShot(0, &wizard, [&wizard, page] {
        // Open every answer panel of the page, as a user answering "Ano" would see it.
        QWidget *sheet = wizard.findChild<QStackedWidget *>(QStringLiteral("PageControl1"))->widget(page);
        for (QComboBox *list : sheet->findChildren<QComboBox *>())
            if (list->itemText(0) == QStringLiteral("Ano"))
                list->setCurrentIndex(0);
        wizard.findChild<QStackedWidget *>(QStringLiteral("PageControl1"))->setCurrentIndex(page);
        wizard.PageControl1Change(nullptr);
    });
    wizard.show();
    return app.exec();
}
