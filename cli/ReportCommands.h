#pragma once

#include "CliCommand.h"

namespace ergotab::cli {

// report: a template run over a document and written as PDF, HTML, RTF or a prepared report.
std::vector<CliCommand> reportCommands();

} // namespace ergotab::cli
