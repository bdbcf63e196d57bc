#pragma once

#include "CliCommand.h"

namespace ergotab::cli {

// template-info and template-convert: the earlier engine's binary templates described as JSON
// and converted to our own template format.
std::vector<CliCommand> templateCommands();

} // namespace ergotab::cli
