#pragma once

#include <QIcon>

namespace ergotab {

// The small pictures of the five buttons under the tree, drawn rather than shipped as files.
enum class ButtonIcon { AddNode, AddAssessment, AddFromLibrary, Wizard, Delete };

QIcon buttonIcon(ButtonIcon which);

} // namespace ergotab
