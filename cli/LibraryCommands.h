#pragma once

#include "CliCommand.h"

namespace ergotab::cli {

// library build / extract: Library.LIB from its readable source files and back.
std::vector<CliCommand> libraryCommands();

} // namespace ergotab::cli
