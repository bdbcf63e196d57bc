#pragma once

// The HTML a rich text object keeps. Its [expression] parts are evaluated in the HTML as it
// stands, before it is read as HTML, so they must be written as typed: an HTML editor writes
// `"`, `<`, `>` and `&` as entities, which the expression would not understand.

#include <QString>

namespace ergotab::report::designer {

// The HTML with the entities inside each [ … ] part turned back into their characters.
QString withPlainExpressions(const QString &html);

} // namespace ergotab::report::designer
