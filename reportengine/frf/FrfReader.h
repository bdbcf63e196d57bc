#pragma once

// Reads the binary template stream of the earlier engine (FR 2.1 to 2.5 and FreeReport,
// dialects included) into FrfFile, checking every length, count and offset against the stream.

#include "reportengine/frf/FrfFile.h"
#include "reportengine/frf/FrfStream.h"
#include "storage/codepage/CodePage.h"

namespace ergotab::report::frf {

struct FrfReadOptions
{
    // The code page of the machine that saved the file; the file does not record it.
    CodePage::Id codePage = CodePage::Windows1250;
};

// Throws FrfDamaged with the offset of the first byte that does not fit the format.
FrfFile readFrf(const QByteArray &bytes, const FrfReadOptions &options = {});

// The data-access components of dialog pages (BDE, ADO, IBX): read, reported, never opened.
bool isDatabaseComponent(const QString &className);

// True when the first bytes look like such a stream (checked before our XML loses its turn).
bool looksLikeFrf(const QByteArray &head);

} // namespace ergotab::report::frf
