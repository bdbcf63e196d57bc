#pragma once

// What a call in an expression becomes: IF, a built-in function, an aggregate or a function of
// the host. The parser splits and parses the arguments; this checks them and builds the node.
// Internal to the expression engine.

#include "reportengine/expr/ExpressionNode.h"

#include <vector>

namespace ergotab::report::detail {

struct CallArgument
{
    QString text;               // as written, without surrounding blanks
    int position = 0;           // 1-based, of its first character
    std::unique_ptr<Node> node; // null when the text is no expression; then `error` says why
    std::optional<ExpressionError> error;
};

// `name` in upper case; `position` of the name; `callText` the call as written. Throws
// ExpressionError (in `expressionText`) for arguments the function cannot take.
std::unique_ptr<Node> makeCall(const QString &name, int position, const QString &callText,
                               std::vector<CallArgument> arguments, const QString &expressionText);

} // namespace ergotab::report::detail
