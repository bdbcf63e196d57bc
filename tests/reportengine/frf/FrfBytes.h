#pragma once

// Hand-built template streams of the earlier engine, field by field as the format lays them
// out, so the reader is checked against bytes our own code did not write.

#include <QByteArray>
#include <QList>
#include <QtEndian>

#include <cstring>

namespace ergotab::test {

class FrfBytes
{
public:
    enum class Coding { ZeroTerminated, Length16, Length32 };

    // `version` decides which fields exist; `versionByte` is what the file says (the
    // FreeReport 2.21.7 dialect writes 23 over a version-22 body). -1: no version byte at all.
    explicit FrfBytes(int version, int versionByte = 0)
        : m_version(version)
        , m_coding(version >= 23 ? Coding::Length16 : Coding::ZeroTerminated)
    {
        const int byte = versionByte != 0 ? versionByte : version;
        if (byte > 0)
            u8(byte);
    }
    void setCoding(Coding coding) { m_coding = coding; }
    int version() const { return m_version; }

    FrfBytes &u8(int v) { return put<quint8>(quint8(v)); }
    FrfBytes &u16(int v) { return put<quint16>(quint16(v)); }
    FrfBytes &i32(qint64 v) { return put<qint32>(qint32(v)); }
    FrfBytes &u32(quint32 v) { return put<quint32>(v); }
    FrfBytes &f64(double v)
    {
        quint64 bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        return put<quint64>(bits);
    }
    FrfBytes &raw(const QByteArray &b)
    {
        bytes += b;
        return *this;
    }
    FrfBytes &str16(const QByteArray &s) { return u16(int(s.size())).raw(s).u8(0); }
    // The "read string" of the stream's version.
    FrfBytes &str(const QByteArray &s)
    {
        switch (m_coding) {
        case Coding::ZeroTerminated:
            return raw(s).u8(0);
        case Coding::Length16:
            return str16(s);
        case Coding::Length32:
            return i32(s.size() + 2).raw(s).raw("\r\n");
        }
        return *this;
    }
    FrfBytes &memo16(const QList<QByteArray> &lines)
    {
        u16(int(lines.size()));
        if (lines.isEmpty())
            return u8(0);
        for (qsizetype i = 0; i < lines.size(); ++i)
            u16(int(lines[i].size())).raw(lines[i]).u8(i + 1 < lines.size() ? 0x0D : 0);
        return *this;
    }
    FrfBytes &memo(const QList<QByteArray> &lines)
    {
        switch (m_coding) {
        case Coding::ZeroTerminated:
            return raw(lines.join('\r')).u8(0);
        case Coding::Length16:
            return memo16(lines);
        case Coding::Length32: {
            QByteArray text;
            for (const QByteArray &line : lines)
                text += line + "\r\n";
            return i32(text.size()).raw(text);
        }
        }
        return *this;
    }

    qint64 pos() const { return bytes.size(); }
    void patchI32(qint64 at, qint32 v) { qToLittleEndian<qint32>(v, bytes.data() + at); }

    FrfBytes &header(const QByteArray &printer = "Printer", bool doublePass = false)
    {
        return u16(0).u16(doublePass ? 1 : 0).str(printer);
    }

    struct Page
    {
        int paperSize = 9;
        int width = 2100, height = 2970;
        int margins[4] = {0, 0, 0, 0};
        bool landscape = false;
        int columns = 1;
        bool dialog = false;
        QByteArray name = "Page1";
        QByteArray caption = "Form";
        int formWidth = 380, formHeight = 300;
        QList<QByteArray> script; // v24: written with the -1 marker when not empty
    };
    FrfBytes &page(const Page &p)
    {
        u8(0xFF);
        if (m_version >= 24 && !p.script.isEmpty())
            i32(-1);
        i32(p.paperSize).i32(p.width).i32(p.height);
        for (int m : p.margins)
            i32(m);
        u8(p.landscape ? 1 : 0);
        if (m_version < 23)
            raw(QByteArray(6, '\0'));
        if (m_version >= 24)
            i32(65535);
        u16(0).u16(0xFFFF).i32(p.columns).i32(0);
        if (m_version >= 24) {
            u8(p.dialog ? 1 : 0).str16(p.name).u8(3).str16(p.caption).u32(0x8000000F);
            i32(220).i32(120).i32(p.formWidth).i32(p.formHeight).u8(0);
            if (!p.script.isEmpty())
                memo16(p.script);
        }
        return *this;
    }

    // The object's framing; returns where its end offset is to be patched (-1 before v24).
    qint64 beginObject(int type, int page = 0, const QByteArray &className = {})
    {
        u8(type);
        if (type == 10)
            str(className);
        u8(page);
        if (m_version < 24)
            return -1;
        const qint64 at = pos();
        i32(0);
        return at;
    }
    void endObject(qint64 endField)
    {
        if (endField >= 0)
            patchI32(endField, qint32(pos()));
    }

    struct Common
    {
        QByteArray name = "Memo1";
        int hVersion = 2, lVersion = 0;
        int x = 0, y = 0, width = 100, height = 20;
        int flags = 0;
        int frameType = 0;
        int frameWidth = 1;
        quint32 frameColor = 0;
        int frameStyle = 0;
        quint32 fill = 0x1FFFFFFF;
        quint32 format = 0x22C;
        QByteArray formatStr;
        QList<QByteArray> memo;
        QList<QByteArray> script;
        bool visible = true;
        QByteArray tag;
        int bandAlign = 0;
    };
    FrfBytes &common(const Common &c)
    {
        if (m_version >= 23)
            str(c.name);
        if (m_version >= 24)
            u8(c.hVersion).u8(c.lVersion);
        i32(c.x).i32(c.y).i32(c.width).i32(c.height);
        u16(c.flags).u16(c.frameType).i32(c.frameWidth).u32(c.frameColor).u16(c.frameStyle).u32(c.fill);
        u32(c.format).str(c.formatStr).memo(c.memo);
        if (m_version >= 23)
            memo(c.script).u16(c.visible ? 0xFFFF : 0);
        if (m_version >= 24) {
            u16(0).str16(c.tag).i32(2).i32(1);
            if (c.hVersion >= 2)
                u8(c.bandAlign);
        }
        return *this;
    }

    struct Memo
    {
        QByteArray font = "Arial";
        int size = 10;
        int style = 0;
        quint32 color = 0;
        int alignment = 0;
        int charset = 0;
        QByteArray highlight;
        int highlightStyle = 0;
        quint32 highlightColor = 0;
        quint32 highlightFill = 0x1FFFFFFF;
    };
    FrfBytes &memoPart(const Memo &m)
    {
        str(m.font).i32(m.size).u16(m.style).u32(m.color).i32(m.alignment).u16(m.charset);
        u16(m.highlightStyle).u32(m.highlightColor).u32(m.highlightFill).str(m.highlight);
        if (m_version >= 24)
            i32(2).i32(0);
        return *this;
    }

    // A whole memo record.
    FrfBytes &memoObject(const Common &c) { return memoObject(c, Memo(), 0); }
    FrfBytes &memoObject(const Common &c, const Memo &m, int page = 0)
    {
        const qint64 end = beginObject(0, page);
        common(c).memoPart(m);
        endObject(end);
        return *this;
    }
    // A whole band record; `type` is the band type.
    FrfBytes &bandObject(Common c, int type, const QByteArray &child = {})
    {
        c.frameType = type;
        const qint64 end = beginObject(2);
        common(c);
        if (m_version >= 24) {
            str16(child).i32(1).i32(200).i32(20).i32(1);
            if (c.hVersion * 10 + c.lVersion > 20)
                str16("");
        }
        endObject(end);
        return *this;
    }

    QByteArray bytes;

private:
    template <typename T> FrfBytes &put(T v)
    {
        char buffer[sizeof(T)];
        qToLittleEndian<T>(v, buffer);
        bytes.append(buffer, sizeof(T));
        return *this;
    }

    int m_version;
    Coding m_coding;
};

} // namespace ergotab::test
