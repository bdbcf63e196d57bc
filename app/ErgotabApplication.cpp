#include "ErgotabApplication.h"

#include "MessageBoxes.h"
#include "QtTranslations.h"
#include "TProgressForm.h"
#include "storage/AppError.h"

#include <exception>

namespace ergotab {

ErgotabApplication::ErgotabApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    installCzechQtTranslations(*this);
}

bool ErgotabApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const AppError &error) {
        reportFailure(error.message());
    } catch (const std::exception &error) {
        reportFailure(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        reportFailure(QStringLiteral("Neznámá chyba."));
    }
    return false;
}

void ErgotabApplication::reportFailure(const QString &text)
{
    if (m_progressForm)
        m_progressForm->hideProgress();
    showErrorBox(activeWindow(), text);
}

} // namespace ergotab
