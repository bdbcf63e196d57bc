#pragma once

// The reader's state, shared by the files that read the parts of the stream: the header and
// pages (FrfReader.cpp), the add-ins (FrfAddinReader.cpp) and the trailer (FrfTrailerReader.cpp).

#include "reportengine/frf/FrfReader.h"

namespace ergotab::report::frf {

class FrfReaderImpl
{
public:
    FrfReaderImpl(const QByteArray &bytes, const FrfReadOptions &options);
    FrfFile read();

    // Strings in the coding of the stream's version, and the FR 2.4 ones, decoded.
    QString rs();
    QString str16();
    QStringList rm();
    QList<QByteArray> rmBytes() { return m_in.lines(m_coding); }
    QStringList memo16();
    QString decode(const QByteArray &bytes) const;

    void readAddIn(FrfObject &object);
    void readMemoPart(FrfMemo &memo);
    void readTrailer();
    void readReportInfo();

    FrfStream m_in;
    FrfFile m_file;
    const CodePage &m_codePage;
    StringCoding m_coding = StringCoding::Length16;
    int m_version = 23;

private:
    void readHeader();
    void readPage();
    void readObject(quint8 type);
    void readCommon(FrfCommon &c);
    void checkEnd(const FrfObject &object, bool strict);
};

} // namespace ergotab::report::frf
