#pragma once

class QWidget;

namespace ergotab {

// Moves a top-level window to the middle of the available area of its screen.
void centreOnScreen(QWidget *window);

} // namespace ergotab
