#pragma once

class QWidget;

namespace ergotab {

// F1 anywhere inside the window opens the help topic of that context number. The shortcut
// belongs to the window, so a dialog's own topic wins over its parent's while it has focus.
void installHelpKey(QWidget *window, int contextNumber);

// The context number installHelpKey gave the window, or 0 (tests walk the windows with it).
int helpKeyContext(const QWidget *window);

} // namespace ergotab
