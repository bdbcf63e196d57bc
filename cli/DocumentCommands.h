#pragma once

#include "CliCommand.h"

namespace ergotab::cli {

// dump and convert: documents read the way the program reads them.
std::vector<CliCommand> documentCommands();

} // namespace ergotab::cli
