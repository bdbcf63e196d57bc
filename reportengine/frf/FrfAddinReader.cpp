// The add-in objects (type 10), told apart by their Delphi class name: report objects, the
// controls of dialog pages and the database components placed on them.
#include "reportengine/frf/FrfReaderImpl.h"

using namespace Qt::StringLiterals;

namespace ergotab::report::frf {

namespace {

bool is(const QString &className, QLatin1StringView name)
{
    return className.compare(name, Qt::CaseInsensitive) == 0;
}

bool isOneOf(const QString &className, std::initializer_list<QLatin1StringView> names)
{
    for (const auto &name : names)
        if (is(className, name))
            return true;
    return false;
}

} // namespace

namespace {

// The database components: read for what the warning names, never opened.
class ComponentReader
{
public:
    ComponentReader(FrfReaderImpl &r, const FrfObject &o)
        : m_r(r)
        , m_version(o.common.objectVersion())
        , m_lVersion(o.common.lVersion)
    {
    }

    QString read(const QString &c)
    {
        if (isOneOf(c, {"TfrBDEDatabase"_L1})) {
            note(u"databáze"_s, s());
            s(), s();
            b();
            m_r.memo16();
            b();
        } else if (isOneOf(c, {"TfrBDETable"_L1, "TfrADOTable"_L1})) {
            s(), s(), s(), s(), s();
            note(u"tabulka"_s, s());
            b();
            if (is(c, "TfrADOTable"_L1) && m_lVersion >= 2)
                b();
            fields();
        } else if (isOneOf(c, {"TfrBDEQuery"_L1, "TfrADOQuery"_L1, "TfrIBXQuery"_L1})) {
            s(), s(), s();
            note(u"SQL"_s, m_r.memo16().join(u' ').simplified());
            b();
            if (is(c, "TfrADOQuery"_L1) && m_lVersion >= 2)
                b();
            fields();
            parameters();
        } else if (is(c, "TfrADODatabase"_L1)) {
            note(u"připojení"_s, s());
            b(), b();
        } else if (is(c, "TfrIBXDatabase"_L1)) {
            note(u"databáze"_s, s());
            b();
            if (m_version > 20)
                m_r.m_in.i32();
            m_r.memo16();
            b();
        } else if (is(c, "TfrIBXTable"_L1)) {
            s();
            note(u"tabulka"_s, s());
            s(), s(), s(), s(), s();
            b();
            fields();
        }
        return m_summary;
    }

private:
    QString s() { return m_r.str16(); }
    void b() { m_r.m_in.u8(); }
    void note(const QString &what, const QString &value)
    {
        if (!value.isEmpty())
            m_summary = what + u" „"_s + value.left(80) + u"“"_s;
    }
    void lookupParts() { s(), s(), s(), s(); }
    void fields()
    {
        const int count = m_r.m_in.u16();
        for (int i = 0; i < count; ++i) {
            if (m_version <= 10) {
                const bool lookup = m_r.m_in.u8() == 1;
                s();
                if (lookup) {
                    m_r.m_in.u8();
                    m_r.m_in.u16();
                    lookupParts();
                }
            } else {
                m_r.m_in.u8();
                s();
                const bool lookup = m_r.m_in.u8() != 0;
                m_r.m_in.u16();
                if (lookup)
                    lookupParts();
            }
        }
    }
    void parameters()
    {
        const int count = m_r.m_in.u16();
        for (int i = 0; i < count; ++i) {
            m_r.m_in.u16();
            m_r.m_in.u16();
            s();
        }
    }

    FrfReaderImpl &m_r;
    int m_version;
    int m_lVersion;
    QString m_summary;
};

} // namespace

bool isDatabaseComponent(const QString &className)
{
    return isOneOf(className,
                   {"TfrBDEDatabase"_L1, "TfrBDETable"_L1, "TfrBDEQuery"_L1, "TfrADODatabase"_L1, "TfrADOTable"_L1,
                    "TfrADOQuery"_L1, "TfrIBXDatabase"_L1, "TfrIBXTable"_L1, "TfrIBXQuery"_L1});
}

void FrfReaderImpl::readAddIn(FrfObject &o)
{
    const QString &c = o.className;
    const bool hasEnd = o.endOffset >= 0;
    try {
        if (is(c, "TfrFramedMemoView"_L1)) {
            readMemoPart(o.memo.emplace());
            m_in.skip(8, "rámeček textu");
        } else if (is(c, "TfrShapeView"_L1)) {
            o.shapeType = m_in.u8();
        } else if (is(c, "TfrCheckBoxView"_L1)) {
            if (m_version >= 24) {
                o.checkStyle = m_in.u8();
                o.checkColor = m_in.u32();
            }
        } else if (is(c, "TfrBarCodeView"_L1)) {
            FrfBarcode &b = o.barcode.emplace();
            b.checksum = m_in.bool8();
            b.showText = m_in.bool8();
            m_in.u8();
            b.type = m_in.u8();
            b.modul = m_in.i32();
            b.ratio = m_in.f64();
            b.angle = m_in.f64();
        } else if (is(c, "TfrRoundRectView"_L1)) {
            readMemoPart(o.memo.emplace());
            FrfRoundRect &r = o.roundRect.emplace();
            r.shadowColor = m_in.u32();
            r.shadowWidth = m_in.i32();
            m_in.u8();
            r.roundCorners = m_in.bool8();
            r.cornerSize = m_in.i32();
        } else if (isOneOf(c, {"TfrRichView"_L1, "TfrRxRichView"_L1})) {
            const bool hasText = m_in.u8() != 0;
            const qint64 endPos = m_in.i32();
            if (endPos < m_in.pos() || endPos > m_in.size())
                m_in.fail(m_in.pos() - 4, u"konec textu RTF %1 leží mimo soubor"_s.arg(endPos));
            const QByteArray rtf = m_in.bytes(endPos - m_in.pos(), "text RTF");
            if (hasText)
                o.rtf = rtf;
        } else if (is(c, "TfrOLEView"_L1)) {
            if (m_in.u8() != 0) {
                m_in.u32(); // "BDOC"
                m_in.u32();
                m_in.skip(m_in.u32(), "objekt OLE");
            }
            o.addInSummary = u"objekt OLE"_s;
        } else if (is(c, "TfrChartView"_L1)) {
            const int chartVersion = m_in.u8();
            if (chartVersion == 1) {
                if (!hasEnd)
                    m_in.fail(o.offset, u"graf %1 je v neznámém tvaru"_s.arg(o.common.name));
                m_in.seek(o.endOffset, "konec grafu");
            } else {
                m_in.skip(48, "nastavení grafu");
                const QString legend = rs();
                const QString values = rs();
                rs();
                o.addInSummary = u"hodnoty z %1, popisky z %2"_s.arg(values, legend);
            }
        } else if (m_version >= 24 && is(c, "TfrCrossView"_L1)) {
            m_in.u8(), m_in.u8(), m_in.u8();
            if (o.common.lVersion > 0) {
                m_in.u8();
                m_in.i32(), m_in.i32();
            }
            if (o.common.lVersion > 1) {
                str16();
                m_in.i32();
            }
            if (o.common.lVersion > 2)
                str16();
        } else if (m_version >= 24 && c.startsWith(u"Tfr"_s, Qt::CaseInsensitive) &&
                   c.endsWith(u"Control"_s, Qt::CaseInsensitive)) {
            FrfControl &ctl = o.control.emplace();
            ctl.color = m_in.u32();
            ctl.enabled = m_in.bool8();
            ctl.font.name = str16();
            ctl.font.size = m_in.i32();
            ctl.font.style = m_in.u16();
            ctl.font.color = m_in.u32();
            ctl.font.charset = m_in.u16();
            if (is(c, "TfrLabelControl"_L1)) {
                ctl.alignment = m_in.u8();
                ctl.autoSize = m_in.bool8();
                ctl.text = str16();
                ctl.wordWrap = m_in.bool8();
            } else if (isOneOf(c, {"TfrEditControl"_L1, "TfrMemoControl"_L1})) {
                ctl.text = str16();
                ctl.readOnly = m_in.bool8();
            } else if (is(c, "TfrButtonControl"_L1)) {
                ctl.text = str16();
                ctl.modalResult = m_in.u16();
            } else if (isOneOf(c, {"TfrCheckBoxControl"_L1, "TfrRadioButtonControl"_L1})) {
                ctl.alignment = m_in.u8();
                ctl.checked = m_in.bool8();
                ctl.text = str16();
            } else if (is(c, "TfrListBoxControl"_L1)) {
                ctl.items = memo16();
            } else if (is(c, "TfrComboBoxControl"_L1)) {
                ctl.items = memo16();
                const int v = o.common.objectVersion();
                if (v > 10) {
                    ctl.style = m_in.u8();
                    if (v <= 20 && ctl.style > 0)
                        ++ctl.style;
                }
            } else if (isOneOf(c, {"TfrDBLookupControl"_L1, "TfrBDELookupControl"_L1, "TfrIBXLookupControl"_L1})) {
                ctl.text = str16();
                str16(), str16();
            } else if (is(c, "TfrDateEditControl"_L1)) {
                // What follows depends on how FR was built; its end offset tells where it ends.
                m_in.seek(o.endOffset, "konec ovládacího prvku");
            } else {
                o.control.reset();
                o.addInRead = false;
            }
        } else if (m_version >= 24 && isDatabaseComponent(c)) {
            o.addInSummary = ComponentReader(*this, o).read(c);
        } else {
            o.addInRead = false;
        }
    } catch (const FrfDamaged &damage) {
        // FR itself goes on after the end offset of an add-in it could not read.
        if (!hasEnd)
            throw;
        m_file.warnings << u"Objekt %1 (%2) nebyl celý přečten: %3 (pozice %4)."_s.arg(o.common.name, c, damage.what)
                               .arg(damage.offset);
        o.addInRead = false;
        m_in.seek(o.endOffset, "konec objektu");
        return;
    }
    if (!o.addInRead) {
        if (!hasEnd)
            m_in.fail(o.offset, u"neznámý doplňkový objekt %1; za ním soubor nelze číst dál"_s.arg(c));
        m_in.seek(o.endOffset, "konec objektu");
    }
}

} // namespace ergotab::report::frf
