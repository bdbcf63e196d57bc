#pragma once

// Icons of the preview's zoom buttons: the desktop theme's own when it has them, otherwise
// drawn here (the style's standard pixmaps have nothing that means "fit the page").

#include <QIcon>

namespace ergotab::report::PreviewIcons {

QIcon wholePage();
QIcon pageWidth();
QIcon actualSize();

} // namespace ergotab::report::PreviewIcons
