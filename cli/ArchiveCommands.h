#pragma once

#include "CliCommand.h"

namespace ergotab::cli {

// list, check, unpack and pack: the container commands.
std::vector<CliCommand> archiveCommands();

} // namespace ergotab::cli
