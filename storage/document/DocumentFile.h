#pragma once

#include "storage/AppError.h"

namespace ergotab {

// Raised when the document to open does not exist; the program shows it as a warning.
class DocumentNotFound : public AppError
{
public:
    DocumentNotFound()
        : AppError(QStringLiteral("Soubor nenalezen."))
    {
    }
};

} // namespace ergotab
