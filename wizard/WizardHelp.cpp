#include "WizardHelp.h"

#include "help/HelpViewer.h"

namespace ergotab {

void openWizardHelp(QWidget *parent, int contextNumber)
{
    HelpViewer::showContext(parent, contextNumber);
}

} // namespace ergotab
