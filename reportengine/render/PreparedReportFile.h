#pragma once

// The prepared-report file (.frp): a finished report saved as it is, pictures included, so the
// preview can open it again without the template or the document.
//
// Layout (little-endian): the 8 bytes "ERGOTFRP", a 16-bit format version (1), 16 bits of
// flags (0), the 32-bit length of the body that follows. The body: the title; a table of fonts
// (QFont descriptions); a table of pictures (format name and encoded bytes); the pages, each
// its size in millimetres and its items. Texts are a 32-bit byte length and UTF-8, lengths in
// millimetres 64-bit IEEE numbers, colours 32-bit ARGB.

#include "ReportExporter.h"

#include <QByteArray>

namespace ergotab::report {

class PreparedReportFile : public ReportExporter
{
public:
    static constexpr char magic[9] = "ERGOTFRP";
    static constexpr quint16 version = 1;
    static constexpr int headerSize = 16;

    void write(const PreparedReport &report, QIODevice &device) const override;
    static QByteArray toBytes(const PreparedReport &report);

    // Reads a prepared report and trusts nothing in it: every length, count, index and number
    // is checked, and a damaged file gives an AppError naming `fileName`, never a crash.
    static PreparedReport fromBytes(const QByteArray &bytes, const QString &fileName);
    static PreparedReport load(const QString &fileName);
};

} // namespace ergotab::report
