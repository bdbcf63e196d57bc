#pragma once

#include <QString>

#include <functional>

namespace ergotab::tree {

// Asks a Yes/No question (caption, text); true only for Yes. The main window passes its
// message-box function; tests answer in advance.
using Confirm = std::function<bool(const QString &caption, const QString &text)>;

} // namespace ergotab::tree
