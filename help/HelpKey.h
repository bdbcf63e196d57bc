#pragma once

class QWidget;

namespace ergotab {

// F1 anywhere inside the window opens the help topic of that context number. The shortcut
// belongs to the window, so a dialog's own topic wins over its parent's while it has focus.
void installHelpKey(QWidget *window, int contextNumber);

// The context number installHelpKey gave the window, or 0 (tests walk the windows with it).
int helpKeyContext(const QWidget *window);

// Changes the topic F1 opens on a window that has the key, for windows whose topic follows
// what they show (the wizard's pages).
void setHelpKeyContext(QWidget *window, int contextNumber);

} // namespace ergotab
