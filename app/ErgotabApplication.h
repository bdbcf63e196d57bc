#pragma once

#include <QApplication>
#include <QPointer>

namespace ergotab {

class TProgressForm;

// The program's application object. Qt's own texts (message box buttons, file dialogs) are
// Czech when the system has Qt's Czech translations. A failure that no command caught, escaping from any
// event handler, is shown in the standard error box with its text; the event counts as
// unhandled and the program goes on. A progress dialog the failed operation left up is taken
// down first, so the box is not covered and the cursor is normal again.
class ErgotabApplication : public QApplication
{
    Q_OBJECT
public:
    ErgotabApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    void setProgressForm(TProgressForm *form) { m_progressForm = form; }

private:
    void reportFailure(const QString &text);

    QPointer<TProgressForm> m_progressForm;
};

} // namespace ergotab
