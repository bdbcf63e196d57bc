#pragma once

class QWidget;

namespace ergotab {

// Opens the program's help at a numbered topic: the one way the wizard reaches the help.
void openWizardHelp(QWidget *parent, int contextNumber);

} // namespace ergotab
