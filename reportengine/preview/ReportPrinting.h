#pragma once

// Printing a prepared report on a QPrinter: each page on paper of its own size and orientation,
// drawn to the paper's edges, within the printer's page range.

#include "reportengine/prepared/PreparedReport.h"

class QPrinter;

namespace ergotab::report {

// Prints the pages the printer's range asks for (all when it gives none); the printer makes the
// copies it is set to. Throws AppError when the printer cannot be started.
void printReport(const PreparedReport &report, QPrinter &printer);

} // namespace ergotab::report
