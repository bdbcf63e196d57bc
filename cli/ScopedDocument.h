#pragma once

#include "storage/document/Document.h"

namespace ergotab::cli {

// A document opened in a working folder of its own that is removed however the command ends.
class ScopedDocument
{
public:
    ScopedDocument() { document.start(); }
    ~ScopedDocument() { document.shutDown(); }
    Document document;
};

} // namespace ergotab::cli
