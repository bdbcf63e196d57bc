#pragma once

// The program's richest table (integers, a wide string, thirteen masks, three memos, an index):
// the engine is tested on the document's own Object layout, ergotab::defineObjectTable.
#include "storage/document/DocumentTables.h"
