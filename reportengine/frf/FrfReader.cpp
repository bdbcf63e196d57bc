#include "reportengine/frf/FrfReader.h"
#include "reportengine/frf/FrfReaderImpl.h"
#include "reportengine/frf/FrfUnits.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace ergotab::report::frf {

namespace {

constexpr quint8 pageTag = 0xFF;
constexpr quint8 dictionaryTag = 0xFE;
constexpr quint8 dataManagerTag = 0xFD;
constexpr quint8 reportInfoTag = 0xFC;

// FreeReport 2.21.7 wrote version 23 over the FR 2.2 body with the printer name's length as a
// 32-bit number: the high byte of the first word and the whole second word are then zero.
bool isFreeReport2217(const FrfStream &in)
{
    return in.byteAt(6) == 0 && in.byteAt(7) == 0 && in.byteAt(8) == 0;
}

// Names FR 2.2 gave objects it loaded (its files store none).
QString generatedBaseName(const FrfObject &o)
{
    switch (ObjectType(o.type)) {
    case ObjectType::Memo:
        return u"Memo"_s;
    case ObjectType::Picture:
        return u"Picture"_s;
    case ObjectType::Band:
        return u"Band"_s;
    case ObjectType::Subreport:
        return u"SubReport"_s;
    case ObjectType::Line:
        return u"Line"_s;
    case ObjectType::AddIn:
        break;
    }
    QString base = o.className;
    if (base.startsWith(u"Tfr"_s, Qt::CaseInsensitive))
        base.remove(0, 3);
    if (base.endsWith(u"View"_s, Qt::CaseInsensitive))
        base.chop(4);
    return base.isEmpty() ? u"Object"_s : base;
}

} // namespace

FrfReaderImpl::FrfReaderImpl(const QByteArray &bytes, const FrfReadOptions &options)
    : m_in(bytes)
    , m_codePage(CodePage::get(options.codePage))
{
}

QString FrfReaderImpl::decode(const QByteArray &bytes) const
{
    return cleanText(m_codePage.decode(bytes));
}

QString FrfReaderImpl::rs()
{
    return decode(m_in.string(m_coding));
}

QString FrfReaderImpl::str16()
{
    return decode(m_in.string16());
}

QStringList FrfReaderImpl::rm()
{
    QStringList lines;
    for (const QByteArray &line : m_in.lines(m_coding))
        lines << decode(line);
    return lines;
}

QStringList FrfReaderImpl::memo16()
{
    QStringList lines;
    for (const QByteArray &line : m_in.lines(StringCoding::Length16))
        lines << decode(line);
    return lines;
}

void FrfReaderImpl::readHeader()
{
    FrfHeader &h = m_file.header;
    h.versionByte = m_in.u8();
    if (h.versionByte < 21) {
        // Files from before the version byte start with the header itself.
        m_in.seek(0, "začátek");
        h.versionByte = 0;
        h.version = 21;
    } else if (h.versionByte >= 26 && h.versionByte <= 31) {
        m_in.fail(0, u"verze %1 je formát LazReportu, ne šablona FastReportu 2.x"_s.arg(h.versionByte));
    } else if (h.versionByte > 25) {
        m_in.fail(0, u"neznámá verze formátu %1"_s.arg(h.versionByte));
    } else {
        h.version = h.versionByte;
    }
    if (h.versionByte == 23 && isFreeReport2217(m_in)) {
        h.version = 22;
        h.dialect = Dialect::FreeReport2217;
        m_coding = StringCoding::Length32;
    } else {
        h.dialect = h.version <= 22   ? Dialect::Fr22
                    : h.version == 23 ? Dialect::Fr23
                    : h.version == 24 ? Dialect::Fr24
                                      : Dialect::Fr25;
        m_coding = h.version >= 23 ? StringCoding::Length16 : StringCoding::ZeroTerminated;
    }
    m_version = h.version;

    if (m_in.startsWith(QByteArray("\xF0\xC0\x00", 3))) {
        // Builds with a report-level script store it before the header.
        m_in.skip(3, "podpis skriptu");
        h.reportScript = decode(m_in.bytes(qint64(m_in.u32()), "skript sestavy"));
    }
    h.printToDefault = m_in.bool16();
    h.doublePass = m_in.bool16();
    h.printerName = rs();
}

void FrfReaderImpl::readPage()
{
    FrfPage p;
    p.offset = m_in.pos() - 1;
    const qint32 first = m_in.i32();
    const bool hasScript = m_version >= 24 && first == -1;
    p.paperSize = hasScript ? m_in.i32() : first;
    p.paperWidth = m_in.i32();
    p.paperHeight = m_in.i32();
    for (int &margin : p.margins)
        margin = m_in.i32();
    p.landscape = m_in.u8() != 0;
    if (m_version < 23)
        m_in.skip(6, "stará pole stránky");
    if (m_version >= 24)
        p.bin = m_in.i32();
    p.printToPreviousPage = m_in.bool16();
    p.useMargins = m_in.bool16();
    p.columns = m_in.i32();
    p.columnGap = m_in.i32();
    if (m_version >= 24) {
        p.dialog = m_in.u8() != 0;
        p.name = str16();
        p.borderStyle = m_in.u8();
        p.caption = str16();
        p.color = m_in.u32();
        p.formLeft = m_in.i32();
        p.formTop = m_in.i32();
        p.formWidth = m_in.i32();
        p.formHeight = m_in.i32();
        p.centered = m_in.u8() != 0;
        if (hasScript)
            p.script = memo16();
    }
    if (p.name.isEmpty())
        p.name = u"Page%1"_s.arg(m_file.pages.size() + 1);
    m_file.pages.push_back(std::move(p));
}

void FrfReaderImpl::readCommon(FrfCommon &c)
{
    if (m_version >= 23)
        c.name = rs();
    if (m_version >= 24) {
        c.hVersion = m_in.u8();
        c.lVersion = m_in.u8();
    }
    c.x = m_in.i32();
    c.y = m_in.i32();
    c.width = m_in.i32();
    c.height = m_in.i32();
    c.flags = m_in.u16();
    c.frameType = m_in.u16();
    c.frameWidth = m_in.i32();
    c.frameColor = m_in.u32();
    c.frameStyle = m_in.u16();
    c.fillColor = m_in.u32();
    c.format = m_in.u32();
    c.formatStr = rs();
    c.memo = rmBytes();
    if (m_version >= 23) {
        c.script = rm();
        c.visible = m_in.bool16();
    }
    if (m_version >= 24) {
        c.restrictions = m_in.u16();
        c.tag = str16();
        c.gapX = m_in.i32();
        c.gapY = m_in.i32();
        if (c.hVersion >= 2)
            c.bandAlign = m_in.u8();
    }
}

void FrfReaderImpl::readMemoPart(FrfMemo &m)
{
    m.font.name = rs();
    m.font.size = m_in.i32();
    m.font.style = m_in.u16();
    m.font.color = m_in.u32();
    m.alignment = m_in.i32();
    m.font.charset = m_in.u16();
    m.highlightStyle = m_in.u16();
    m.highlightColor = m_in.u32();
    m.highlightFill = m_in.u32();
    m.highlightCondition = rs();
    if (m_version >= 24) {
        m.lineSpacing = m_in.i32();
        m.charSpacing = m_in.i32();
    }
}

void FrfReaderImpl::checkEnd(const FrfObject &o, bool strict)
{
    if (o.endOffset < 0 || m_in.pos() == o.endOffset)
        return;
    if (m_in.pos() > o.endOffset || strict)
        m_in.fail(o.offset, u"objekt %1 končí na pozici %2, ale jeho záznam udává konec %3"_s.arg(o.common.name)
                                .arg(m_in.pos())
                                .arg(o.endOffset));
    m_file.warnings
        << u"Objekt %1: %2 bajtů na konci záznamu nebylo přečteno."_s.arg(o.common.name).arg(o.endOffset - m_in.pos());
    m_in.seek(o.endOffset, "konec objektu");
}

void FrfReaderImpl::readObject(quint8 type)
{
    FrfObject o;
    o.offset = m_in.pos() - 1;
    o.type = type;
    if (o.type == int(ObjectType::AddIn))
        o.className = rs();
    o.page = m_in.u8();
    if (m_version >= 24) {
        const qint64 field = m_in.pos();
        o.endOffset = m_in.i32();
        if (o.endOffset <= m_in.pos() || o.endOffset > m_in.size())
            m_in.fail(field, u"konec objektu %1 leží mimo soubor"_s.arg(o.endOffset));
    }
    if (o.page >= int(m_file.pages.size()))
        m_in.fail(o.offset,
                  u"objekt patří na stránku %1, ale soubor má stránek %2"_s.arg(o.page + 1).arg(m_file.pages.size()));
    if (o.type >= 5 && o.type <= 9) {
        // A type FR never created objects of: it skips the record by its end offset.
        if (o.endOffset < 0)
            m_in.fail(o.offset, u"neznámý typ objektu %1"_s.arg(o.type));
        m_file.warnings << u"Záznam neznámého typu %1 na pozici %2 byl vynechán."_s.arg(o.type).arg(o.offset);
        m_in.seek(o.endOffset, "konec objektu");
        return;
    }
    readCommon(o.common);
    bool strict = true;
    switch (ObjectType(o.type)) {
    case ObjectType::Memo:
        o.memo.emplace();
        readMemoPart(*o.memo);
        break;
    case ObjectType::Picture: {
        FrfPicture &p = o.picture.emplace();
        p.kind = m_in.u8();
        if (m_version >= 24 && o.common.objectVersion() > 10)
            p.blobType = m_in.u8();
        const qint64 endPos = m_in.i32();
        if (endPos < m_in.pos() || endPos > m_in.size())
            m_in.fail(m_in.pos() - 4, u"konec obrázku %1 leží mimo soubor"_s.arg(endPos));
        p.dataOffset = m_in.pos();
        p.data = m_in.bytes(endPos - m_in.pos(), "obrázek");
        break;
    }
    case ObjectType::Band: {
        FrfBand &b = o.band.emplace();
        if (m_version >= 24) {
            b.childBand = str16();
            b.columns = m_in.i32();
            b.columnWidth = m_in.i32();
            b.columnGap = m_in.i32();
            b.newColumnAfter = m_in.i32();
            if (o.common.objectVersion() > 20)
                b.master = str16();
        }
        break;
    }
    case ObjectType::Subreport:
        o.subPage = m_in.i32();
        break;
    case ObjectType::Line:
        break;
    case ObjectType::AddIn:
        readAddIn(o);
        strict = false;
        break;
    }
    checkEnd(o, strict);
    m_file.objects.push_back(std::move(o));
}

FrfFile FrfReaderImpl::read()
{
    readHeader();
    QHash<QString, int> generated;
    bool firstObject = true;
    while (!m_in.atEnd()) {
        const qint64 at = m_in.pos();
        const quint8 tag = m_in.u8();
        if (tag == pageTag) {
            readPage();
        } else if (tag == dictionaryTag) {
            readTrailer();
        } else if (tag == dataManagerTag) {
            // Its length is not recorded: nothing after it can be read.
            m_file.dataManager = true;
            m_file.dataManagerOffset = at;
            break;
        } else if (tag == reportInfoTag && m_version >= 25) {
            readReportInfo();
            break;
        } else if (tag <= 10) {
            if (m_version == 25 && firstObject) {
                // LazReport writes version 25 too, with objects of another layout.
                try {
                    readObject(tag);
                } catch (const FrfDamaged &) {
                    m_in.fail(at, u"verze 25 s neznámým tvarem objektů (soubor LazReportu?)"_s);
                }
            } else {
                readObject(tag);
            }
            firstObject = false;
        } else {
            m_in.fail(at, u"neznámý druh záznamu 0x%1"_s.arg(tag, 2, 16, QLatin1Char('0')));
        }
    }
    for (FrfObject &o : m_file.objects) {
        if (o.common.name.isEmpty()) {
            const QString base = generatedBaseName(o);
            o.common.name = base + QString::number(++generated[base]);
        }
    }
    return std::move(m_file);
}

FrfFile readFrf(const QByteArray &bytes, const FrfReadOptions &options)
{
    return FrfReaderImpl(bytes, options).read();
}

bool looksLikeFrf(const QByteArray &head)
{
    if (head.size() < 6)
        return false;
    const int first = quint8(head.at(0));
    if (first >= 21 && first <= 31)
        return true;
    if (first >= 21)
        return false;
    // Before the version byte: two Delphi booleans, then the printer name.
    const auto isBool16 = [&](int i) {
        const int v = quint8(head.at(i)) | (quint8(head.at(i + 1)) << 8);
        return v == 0 || v == 1 || v == 0xFFFF;
    };
    return isBool16(0) && isBool16(2);
}

} // namespace ergotab::report::frf
