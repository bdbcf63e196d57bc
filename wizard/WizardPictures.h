#pragma once

#include <QPixmap>

namespace ergotab {

// The drawings behind TWizardData: a tinted strip with one emblem each.
QPixmap drawStripPicture(int n, int width, int height);
QPixmap drawHelpIcon(int size);

} // namespace ergotab
