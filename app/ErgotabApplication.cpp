#include "ErgotabApplication.h"

#include "MessageBoxes.h"
#include "storage/AppError.h"

#include <exception>

namespace ergotab {

ErgotabApplication::ErgotabApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool ErgotabApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const AppError &error) {
        showErrorBox(activeWindow(), error.message());
    } catch (const std::exception &error) {
        showErrorBox(activeWindow(), QString::fromLocal8Bit(error.what()));
    } catch (...) {
        showErrorBox(activeWindow(), QStringLiteral("Neznámá chyba."));
    }
    return false;
}

} // namespace ergotab
