#include "WizardHelp.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

namespace ergotab {

void openWizardHelp(QWidget *, int contextNumber)
{
    // The topics lie beside the program as help/topics/<number>.html.
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/help/topics/")
        + QString::number(contextNumber) + QStringLiteral(".html");
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace ergotab
