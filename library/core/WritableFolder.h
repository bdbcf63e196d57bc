#pragma once

#include <QString>

namespace ergotab::library {

// Whether a new file can take the place of `path`: a replacement is written beside it first,
// so its folder must take new files. An installed program's folder does not for a user.
bool canReplaceFile(const QString &path);

} // namespace ergotab::library
