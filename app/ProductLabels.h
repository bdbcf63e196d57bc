#pragma once

class QLabel;
class QWidget;

namespace ergotab {

// The product name "Ergotab" in large bold letters, as the splash, the about box and the
// title page show it.
QLabel *makeProductNameLabel(QWidget *parent, int pointSize);

// The version label "RxLabel8"; its text is set when the window is shown.
QLabel *makeVersionLabel(QWidget *parent);

} // namespace ergotab
