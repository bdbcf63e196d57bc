#pragma once

#include <QApplication>

namespace ergotab {

// The program's application object. A failure that no command caught, escaping from any
// event handler, is shown in the standard error box with its text; the event counts as
// unhandled and the program goes on.
class ErgotabApplication : public QApplication
{
    Q_OBJECT
public:
    ErgotabApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace ergotab
