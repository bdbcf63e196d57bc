// Shows the worker register over a small document, for a look at the window:
//     workers_preview [shown|edit|calendar]
#include "workers/CalendarPopup.h"
#include "workers/DateField.h"
#include "workers/TWorkersForm.h"

#include "storage/document/Document.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

using namespace ergotab;
using namespace ergotab::workers;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("shown");

    Document document;
    document.start();
    WorkerRegister reg(document);
    const struct
    {
        const char *lName, *fName, *profese, *birthNum, *zip, *city;
    } people[] = {{"Nováková", "Jana", "Lakýrnice", "855101-1234", "110 00", "Praha"},
                  {"Dvořák", "Antonín", "Svářeč", "410908-123", "602 00", "Brno"},
                  {"Čermák", "Petr", "Skladník", "700201-1111", "370 01", "České Budějovice"}};
    for (const auto &p : people) {
        WorkerRecord w;
        w.persNum = QStringLiteral("%1").arg(reg.add(), 4, 10, QLatin1Char('0'));
        w.lName = QString::fromUtf8(p.lName);
        w.fName = QString::fromUtf8(p.fName);
        w.profese = QString::fromUtf8(p.profese);
        w.birthDate = QStringLiteral("01.02.1985");
        w.birthNum = QString::fromUtf8(p.birthNum);
        w.address = QStringLiteral("Dlouhá 12");
        w.zip = QString::fromUtf8(p.zip);
        w.city = QString::fromUtf8(p.city);
        w.riskLen = QStringLiteral("12");
        w.lenType = 1;
        w.reviDate = QStringLiteral("15.03.2025");
        w.result = 1;
        reg.store(w.persNum.toInt(), w);
    }

    TWorkersForm form(document, {});
    form.show();
    QTimer::singleShot(200, &form, [&] {
        form.ui().ListBox1->setCurrentRow(0);
        if (mode == QStringLiteral("edit")) {
            form.ui().Edit6->setText(QStringLiteral("Lakýrnice, mistrová"));
            form.ui().ComboBox2->setCurrentIndex(0);
        } else if (mode == QStringLiteral("calendar")) {
            form.ui().DateEdit2->showCalendar();
        }
    });
    const int result = app.exec();
    document.shutDown();
    return result;
}
