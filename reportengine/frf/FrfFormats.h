#pragma once

// The earlier engine's Format integer and FormatStr as the inline format our text objects keep
// (the text after '#' in a [ … ] part), so that DisplayFormat::fromInline gives the same output.

#include <QString>

namespace ergotab::report::frf {

// Empty for plain text (and for categories we do not know).
QString inlineFormat(quint32 format, const QString &formatStr);

} // namespace ergotab::report::frf
