#include "ErgotabApplication.h"
#include "TMainForm.h"
#include "TProgressForm.h"
#include "TSplashForm.h"

#include "reportengine/frf/FrfTemplate.h"

#include <QEventLoop>
#include <QTimer>

using namespace ergotab;

int main(int argc, char **argv)
{
    ErgotabApplication app(argc, argv);
    // Users bring the earlier program's templates along; they open like our own.
    report::frf::registerFrfTemplateFormat();

    TSplashForm splash;
    splash.show();
    splash.repaint();
    QCoreApplication::processEvents();

    QCoreApplication::setOrganizationName(QStringLiteral("Selvar"));
    QCoreApplication::setApplicationName(QStringLiteral("Ergotab"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ERGOTAB_VERSION));

    const QStringList arguments = QCoreApplication::arguments();
    const QString firstArgument = arguments.size() > 1 ? arguments.at(1) : QString();

    TMainForm mainForm;
    TProgressForm progressForm;
    mainForm.setProgressForm(&progressForm);
    app.setProgressForm(&progressForm);
    mainForm.setCommandLineDocument(firstArgument);

    // The splash stays up at least three seconds unless a first argument was given.
    if (firstArgument.isEmpty()) {
        QEventLoop wait;
        QTimer::singleShot(3000, &wait, &QEventLoop::quit);
        wait.exec();
    }
    splash.close();

    mainForm.show();
    return app.exec();
}
