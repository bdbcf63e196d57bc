#include "reportengine/model/RtfToHtml.h"

#include "storage/codepage/CodePage.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QRegularExpression>

#include <optional>

using namespace Qt::StringLiterals;

namespace ergotab::report {

namespace {

// What a group is: text to show, a table to read, or something to leave out.
enum class Destination { Text, FontTable, ColorTable, Skip };

struct CharFormat
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int halfPoints = 0; // 0: the default size
    int color = 0;      // index into the colour table; 0 is "automatic"
    int font = -1;

    bool operator==(const CharFormat &) const = default;
};

struct GroupState
{
    Destination destination = Destination::Text;
    CharFormat format;
    int unicodeSkip = 1; // \ucN: characters after \uN that stand in for readers without Unicode
};

struct Font
{
    QString name;
    const CodePage *codePage = nullptr; // null: the document's own
};

struct Run
{
    CharFormat format;
    QString html;
};

struct Paragraph
{
    QString align;
    QList<Run> runs;
};

const CodePage *codePageForCharset(int charset)
{
    switch (charset) {
    case 238:
        return &CodePage::windows1250();
    case 204:
        return &CodePage::get(CodePage::Windows1251);
    default:
        return nullptr; // ANSI and "default" follow the document's code page
    }
}

const CodePage &codePageNumbered(int number)
{
    switch (number) {
    case 1251:
        return CodePage::get(CodePage::Windows1251);
    case 1252:
        return CodePage::get(CodePage::Windows1252);
    default:
        return CodePage::windows1250();
    }
}

QString escaped(QChar c)
{
    switch (c.unicode()) {
    case '&':
        return u"&amp;"_s;
    case '<':
        return u"&lt;"_s;
    case '>':
        return u"&gt;"_s;
    default:
        return QString(c);
    }
}

class RtfReader
{
public:
    explicit RtfReader(QStringView rtf)
        : m_in(rtf)
    {
    }

    QString html()
    {
        parse();
        endParagraph(false);
        QString out;
        for (const Paragraph &p : m_paragraphs)
            out += paragraphHtml(p);
        return out;
    }

private:
    void parse()
    {
        m_groups.push_back(GroupState());
        while (m_pos < m_in.size()) {
            const QChar c = m_in[m_pos++];
            if (c == u'{') {
                m_groups.push_back(m_groups.back());
            } else if (c == u'}') {
                if (m_groups.size() > 1)
                    m_groups.pop_back();
                m_pendingSkip = 0;
            } else if (c == u'\\') {
                controlWord();
            } else if (c != u'\r' && c != u'\n') {
                text(c);
            }
        }
    }

    GroupState &state() { return m_groups.back(); }

    void controlWord()
    {
        if (m_pos >= m_in.size())
            return;
        const QChar c = m_in[m_pos];
        if (!isAsciiLetter(c)) {
            ++m_pos;
            controlSymbol(c);
            return;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_in.size() && m_pos - start < 32 && isAsciiLetter(m_in[m_pos]))
            ++m_pos;
        const QStringView word = m_in.mid(start, m_pos - start);
        std::optional<int> param;
        bool negative = false;
        if (m_pos < m_in.size() && m_in[m_pos] == u'-') {
            negative = true;
            ++m_pos;
        }
        qint64 value = 0;
        int digits = 0;
        while (m_pos < m_in.size() && m_in[m_pos].isDigit() && m_in[m_pos].unicode() < 0x80) {
            if (digits++ < 10)
                value = value * 10 + (m_in[m_pos].unicode() - u'0');
            ++m_pos;
        }
        if (digits > 0)
            param = int(std::clamp<qint64>(negative ? -value : value, -(1 << 30), 1 << 30));
        if (m_pos < m_in.size() && m_in[m_pos] == u' ')
            ++m_pos;
        apply(word, param);
    }

    static bool isAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

    void controlSymbol(QChar c)
    {
        switch (c.unicode()) {
        case '\'':
            hexByte();
            break;
        case '*':
            state().destination = Destination::Skip;
            break;
        case '~':
            text(QChar(0xA0));
            break;
        case '_':
            text(QChar(0x2011));
            break;
        case '-':
            break; // an optional hyphen
        case '\r':
        case '\n':
            endParagraph(true);
            break;
        default:
            text(c); // \\ \{ \} and anything else stand for themselves
        }
    }

    void hexByte()
    {
        if (m_pos + 2 > m_in.size())
            return;
        bool ok = false;
        const int byte = m_in.mid(m_pos, 2).toInt(&ok, 16);
        if (!ok)
            return;
        m_pos += 2;
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        const char b = char(byte);
        const QString s = currentCodePage().decode(&b, 1);
        if (!s.isEmpty())
            text(s[0], false);
    }

    const CodePage &currentCodePage() const
    {
        const auto font = m_fonts.constFind(m_groups.back().format.font);
        if (font != m_fonts.constEnd() && font->codePage)
            return *font->codePage;
        return *m_codePage;
    }

    void apply(QStringView word, std::optional<int> param)
    {
        GroupState &s = state();
        const int p = param.value_or(1);
        CharFormat &f = s.format;
        if (word == u"ansicpg") {
            m_codePage = &codePageNumbered(p);
        } else if (word == u"fonttbl") {
            s.destination = Destination::FontTable;
        } else if (word == u"colortbl") {
            s.destination = Destination::ColorTable;
            m_colorStarted = false;
        } else if (isSkipped(word)) {
            s.destination = Destination::Skip;
        } else if (s.destination == Destination::FontTable) {
            fontTableWord(word, p);
        } else if (s.destination == Destination::ColorTable) {
            colorTableWord(word, p);
        } else if (s.destination == Destination::Skip) {
            return;
        } else if (word == u"par" || word == u"row" || word == u"sect" || word == u"page") {
            endParagraph(true);
        } else if (word == u"pard") {
            m_align.clear();
        } else if (word == u"qc" || word == u"qr" || word == u"qj" || word == u"ql") {
            m_align = word == u"qc"   ? u"center"_s
                      : word == u"qr" ? u"right"_s
                      : word == u"qj" ? u"justify"_s
                                      : QString();
        } else if (word == u"line") {
            m_runs.push_back({f, u"<br>"_s});
        } else if (word == u"tab" || word == u"cell") {
            text(u'\t');
        } else if (word == u"plain") {
            f = CharFormat();
        } else if (word == u"b") {
            f.bold = p != 0;
        } else if (word == u"i") {
            f.italic = p != 0;
        } else if (word == u"ul" || word == u"uld" || word == u"uldb" || word == u"ulw") {
            f.underline = p != 0;
        } else if (word == u"ulnone") {
            f.underline = false;
        } else if (word == u"strike") {
            f.strike = p != 0;
        } else if (word == u"fs") {
            f.halfPoints = std::clamp(p, 0, 2000);
        } else if (word == u"cf") {
            f.color = p;
        } else if (word == u"f") {
            f.font = p;
        } else if (word == u"uc") {
            s.unicodeSkip = std::clamp(p, 0, 10);
        } else if (word == u"u" && param) {
            text(QChar(char16_t(*param < 0 ? *param + 65536 : *param)), false);
            m_pendingSkip = s.unicodeSkip;
        } else if (const QChar symbol = namedSymbol(word); !symbol.isNull()) {
            text(symbol, false);
        }
    }

    static bool isSkipped(QStringView word)
    {
        static const QStringList words {u"stylesheet"_s, u"info"_s,      u"pict"_s,      u"object"_s,      u"header"_s,
                                        u"headerl"_s,    u"headerr"_s,   u"headerf"_s,   u"footer"_s,      u"footerl"_s,
                                        u"footerr"_s,    u"footerf"_s,   u"footnote"_s,  u"listtable"_s,   u"revtbl"_s,
                                        u"fldinst"_s,    u"themedata"_s, u"datastore"_s, u"latentstyles"_s};
        return words.contains(word);
    }

    static QChar namedSymbol(QStringView word)
    {
        static const QHash<QString, char16_t> symbols {
            {u"emdash"_s, 0x2014},    {u"endash"_s, 0x2013},  {u"bullet"_s, 0x2022},
            {u"lquote"_s, 0x2018},    {u"rquote"_s, 0x2019},  {u"ldblquote"_s, 0x201C},
            {u"rdblquote"_s, 0x201D}, {u"emspace"_s, 0x2003}, {u"enspace"_s, 0x2002}};
        const auto it = symbols.constFind(word.toString());
        return it == symbols.constEnd() ? QChar() : QChar(*it);
    }

    void fontTableWord(QStringView word, int p)
    {
        if (word == u"f")
            m_fontNumber = p;
        else if (word == u"fcharset")
            m_fonts[m_fontNumber].codePage = codePageForCharset(p);
    }

    void colorTableWord(QStringView word, int p)
    {
        const int v = std::clamp(p, 0, 255);
        m_colorStarted = true;
        if (word == u"red")
            m_color.setRed(v);
        else if (word == u"green")
            m_color.setGreen(v);
        else if (word == u"blue")
            m_color.setBlue(v);
    }

    void text(QChar c, bool skippable = true)
    {
        if (skippable && m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        switch (state().destination) {
        case Destination::Skip:
            return;
        case Destination::FontTable:
            if (c == u';')
                m_fonts[m_fontNumber].name = m_fonts[m_fontNumber].name.trimmed();
            else
                m_fonts[m_fontNumber].name += c;
            return;
        case Destination::ColorTable:
            if (c == u';') {
                m_colors.push_back(m_colorStarted ? m_color : QColor());
                m_color = QColor(0, 0, 0);
                m_colorStarted = false;
            }
            return;
        case Destination::Text:
            break;
        }
        const CharFormat &f = state().format;
        if (m_runs.isEmpty() || !(m_runs.back().format == f))
            m_runs.push_back({f, QString()});
        m_runs.back().html += escaped(c);
    }

    void endParagraph(bool always)
    {
        if (!always && m_runs.isEmpty())
            return;
        m_paragraphs.push_back({m_align, m_runs});
        m_runs.clear();
    }

    QString paragraphHtml(const Paragraph &p) const
    {
        QString html = u"<p style=\"margin-top:0; margin-bottom:0; white-space:pre-wrap"_s;
        if (!p.align.isEmpty())
            html += u"; text-align:"_s + p.align;
        html += u"\">"_s;
        bool empty = true;
        for (const Run &r : p.runs) {
            const QString style = runStyle(r.format);
            html += style.isEmpty() ? r.html : u"<span style=\""_s + style + u"\">"_s + r.html + u"</span>"_s;
            empty = empty && r.html.isEmpty();
        }
        if (empty)
            html += u"<br>"_s; // keeps the empty line's height
        return html + u"</p>"_s;
    }

    QString runStyle(const CharFormat &f) const
    {
        QStringList parts;
        if (const auto font = m_fonts.constFind(f.font); font != m_fonts.constEnd() && !font->name.isEmpty())
            parts << u"font-family:'"_s + QString(font->name).remove(u'\'') + u'\'';
        if (f.halfPoints > 0)
            parts << u"font-size:%1pt"_s.arg(f.halfPoints / 2.0);
        if (f.bold)
            parts << u"font-weight:bold"_s;
        if (f.italic)
            parts << u"font-style:italic"_s;
        if (f.underline || f.strike) {
            QStringList lines;
            if (f.underline)
                lines << u"underline"_s;
            if (f.strike)
                lines << u"line-through"_s;
            parts << u"text-decoration:"_s + lines.join(u' ');
        }
        if (f.color > 0 && f.color < m_colors.size() && m_colors[f.color].isValid())
            parts << u"color:"_s + m_colors[f.color].name();
        return parts.join(u"; "_s);
    }

    QStringView m_in;
    qsizetype m_pos = 0;
    QList<GroupState> m_groups;
    int m_pendingSkip = 0;
    const CodePage *m_codePage = &CodePage::windows1250();
    QHash<int, Font> m_fonts;
    int m_fontNumber = 0;
    QList<QColor> m_colors;
    QColor m_color {0, 0, 0};
    bool m_colorStarted = false;
    QString m_align;
    QList<Run> m_runs;
    QList<Paragraph> m_paragraphs;
};

} // namespace

bool looksLikeRtf(QStringView text)
{
    return text.trimmed().startsWith(u"{\\rtf");
}

bool looksLikeRtf(const QByteArray &bytes)
{
    return bytes.trimmed().startsWith("{\\rtf");
}

QString rtfToHtml(QStringView rtf)
{
    return RtfReader(rtf).html();
}

QString rtfToHtml(const QByteArray &rtf)
{
    // Raw characters above 0x7F are rare (writers escape them), but when present they are in the
    // code page the header names.
    int number = 1250;
    static const QRegularExpression codePage(u"\\\\ansicpg(\\d+)"_s);
    const QString head = QString::fromLatin1(rtf.left(512));
    if (const auto m = codePage.match(head); m.hasMatch())
        number = m.captured(1).toInt();
    const QString text = codePageNumbered(number).decode(rtf);
    return rtfToHtml(QStringView(text));
}

} // namespace ergotab::report
