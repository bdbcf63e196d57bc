#include "reportengine/frf/RtfToHtml.h"

#include "reportengine/frf/FrfUnits.h"

#include <QHash>

#include <vector>

using namespace Qt::StringLiterals;

namespace ergotab::report::frf {

namespace {

constexpr int maxDepth = 256;

struct CharStyle
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int halfPoints = 24;
    int font = -1;
    int color = 0;

    bool operator==(const CharStyle &) const = default;
};

enum class Destination { Text, Skip, FontTable, ColorTable };

struct State
{
    CharStyle style;
    Destination destination = Destination::Text;
    int unicodeSkip = 1;
};

struct FontInfo
{
    QString family;
    int charset = 0;
};

const CodePage *codePageNumbered(int number)
{
    switch (number) {
    case 1250:
        return &CodePage::get(CodePage::Windows1250);
    case 1251:
        return &CodePage::get(CodePage::Windows1251);
    case 1252:
        return &CodePage::get(CodePage::Windows1252);
    default:
        return nullptr;
    }
}

class RtfReader
{
public:
    RtfReader(const QByteArray &rtf, const CodePage &fallback, QStringList &notes)
        : m_rtf(rtf)
        , m_codePage(&fallback)
        , m_notes(notes)
    {
    }

    QString run()
    {
        m_states.push_back(State());
        while (m_pos < m_rtf.size()) {
            const char c = m_rtf.at(m_pos);
            if (c == '{') {
                ++m_pos;
                if (int(m_states.size()) < maxDepth) {
                    m_states.push_back(m_states.back());
                } else {
                    ++m_overflow;
                }
            } else if (c == '}') {
                ++m_pos;
                if (m_overflow > 0) {
                    --m_overflow;
                } else if (m_states.size() > 1) {
                    endGroup();
                }
            } else if (c == '\\') {
                controlWord();
            } else if (c == '\r' || c == '\n') {
                ++m_pos;
            } else {
                ++m_pos;
                text(decodeByte(quint8(c)));
            }
        }
        endParagraph(false);
        return m_html;
    }

private:
    State &state() { return m_states.back(); }

    void note(const QString &text)
    {
        if (!m_notes.contains(text))
            m_notes << text;
    }

    QString decodeByte(quint8 byte) const
    {
        const CodePage *page = m_codePage;
        const auto font = m_fonts.constFind(m_states.back().style.font);
        if (font != m_fonts.cend()) {
            if (const auto id = codePageForCharset(font->charset))
                page = &CodePage::get(*id);
        }
        const char c = char(byte);
        return page->decode(&c, 1);
    }

    void endGroup()
    {
        const State closing = m_states.back();
        m_states.pop_back();
        if (closing.destination == Destination::FontTable && m_states.back().destination != Destination::FontTable)
            return;
        if (closing.destination == Destination::FontTable && m_pendingFont >= 0) {
            QString name = m_fontName.trimmed();
            if (name.endsWith(u';'))
                name.chop(1);
            m_fonts[m_pendingFont] = {name.trimmed(), m_pendingCharset};
            m_pendingFont = -1;
            m_fontName.clear();
        }
    }

    void text(const QString &s)
    {
        State &st = state();
        switch (st.destination) {
        case Destination::Skip:
            return;
        case Destination::FontTable:
            m_fontName += s;
            if (s == u";"_s && m_pendingFont >= 0) {
                QString name = m_fontName.trimmed();
                name.chop(1);
                m_fonts[m_pendingFont] = {name.trimmed(), m_pendingCharset};
                m_pendingFont = -1;
                m_fontName.clear();
            }
            return;
        case Destination::ColorTable:
            if (s == u";"_s) {
                m_colors.push_back(m_hasColor ? m_color : QColor());
                m_color = QColor(0, 0, 0);
                m_hasColor = false;
            }
            return;
        case Destination::Text:
            break;
        }
        if (m_skipChars > 0) {
            --m_skipChars;
            return;
        }
        if (st.style != m_runStyle || !m_inRun) {
            closeRun();
            openRun(st.style);
        }
        m_paragraph += s.toHtmlEscaped();
        m_paragraphHasText = true;
    }

    void openRun(const CharStyle &s)
    {
        QStringList css;
        if (s.bold)
            css << u"font-weight:bold"_s;
        if (s.italic)
            css << u"font-style:italic"_s;
        QStringList decoration;
        if (s.underline)
            decoration << u"underline"_s;
        if (s.strike)
            decoration << u"line-through"_s;
        if (!decoration.isEmpty())
            css << u"text-decoration:"_s + decoration.join(u' ');
        css << u"font-size:%1pt"_s.arg(s.halfPoints / 2.0);
        const auto font = m_fonts.constFind(s.font);
        if (font != m_fonts.cend() && !font->family.isEmpty())
            css << u"font-family:'%1'"_s.arg(font->family.toHtmlEscaped());
        if (s.color > 0 && s.color < int(m_colors.size()) && m_colors[s.color].isValid())
            css << u"color:"_s + m_colors[s.color].name();
        m_paragraph += u"<span style=\"%1\">"_s.arg(css.join(u';'));
        m_runStyle = s;
        m_inRun = true;
    }

    void closeRun()
    {
        if (m_inRun)
            m_paragraph += u"</span>"_s;
        m_inRun = false;
    }

    void endParagraph(bool always)
    {
        closeRun();
        if (!always && !m_paragraphHasText && m_paragraph.isEmpty())
            return;
        static const char *const aligns[] = {"left", "center", "right", "justify"};
        m_html += u"<p style=\"margin:0;text-align:%1\">%2</p>"_s.arg(
            QLatin1StringView(aligns[m_align]), m_paragraph.isEmpty() ? u"&nbsp;"_s : m_paragraph);
        m_paragraph.clear();
        m_paragraphHasText = false;
    }

    void special(const QString &html)
    {
        if (state().destination != Destination::Text)
            return;
        if (m_skipChars > 0) {
            --m_skipChars;
            return;
        }
        if (!m_inRun || state().style != m_runStyle) {
            closeRun();
            openRun(state().style);
        }
        m_paragraph += html;
        m_paragraphHasText = true;
    }

    void controlWord()
    {
        ++m_pos; // the backslash
        if (m_pos >= m_rtf.size())
            return;
        const char c = m_rtf.at(m_pos);
        if (!std::isalpha(quint8(c))) {
            ++m_pos;
            switch (c) {
            case '\\':
            case '{':
            case '}':
                text(QString(QLatin1Char(c)));
                break;
            case '~':
                special(u"&nbsp;"_s);
                break;
            case '_':
                text(QString(QChar(0x2011)));
                break;
            case '\'': {
                bool ok = false;
                const int byte = m_rtf.mid(m_pos, 2).toInt(&ok, 16);
                m_pos += 2;
                if (ok)
                    text(decodeByte(quint8(byte)));
                break;
            }
            case '*':
                state().destination = Destination::Skip;
                break;
            case '\r':
            case '\n':
                if (state().destination == Destination::Text)
                    endParagraph(true);
                break;
            default:
                break; // \- optional hyphen and the like
            }
            return;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_rtf.size() && std::isalpha(quint8(m_rtf.at(m_pos))))
            ++m_pos;
        const QByteArray word = m_rtf.mid(start, m_pos - start);
        bool hasParam = false;
        int param = 0;
        const qsizetype numberStart = m_pos;
        if (m_pos < m_rtf.size() && (m_rtf.at(m_pos) == '-' || std::isdigit(quint8(m_rtf.at(m_pos))))) {
            ++m_pos;
            while (m_pos < m_rtf.size() && std::isdigit(quint8(m_rtf.at(m_pos))) && m_pos - numberStart < 10)
                ++m_pos;
            param = m_rtf.mid(numberStart, m_pos - numberStart).toInt(&hasParam);
        }
        if (m_pos < m_rtf.size() && m_rtf.at(m_pos) == ' ')
            ++m_pos;
        apply(word, hasParam, param);
    }

    void apply(const QByteArray &w, bool hasParam, int param)
    {
        State &st = state();
        CharStyle &s = st.style;
        const bool on = !hasParam || param != 0;
        if (w == "fonttbl") {
            st.destination = Destination::FontTable;
        } else if (w == "colortbl") {
            st.destination = Destination::ColorTable;
            m_colors.clear();
        } else if (w == "stylesheet" || w == "info" || w == "header" || w == "footer" || w == "headerl" ||
                   w == "headerr" || w == "footerl" || w == "footerr" || w == "listtable" || w == "listoverridetable" ||
                   w == "rsidtbl" || w == "generator" || w == "xmlnstbl" || w == "themedata" ||
                   w == "colorschememapping" || w == "latentstyles" || w == "datastore" || w == "fldinst" ||
                   w == "bkmkstart" || w == "bkmkend" || w == "nonshppict") {
            st.destination = Destination::Skip;
        } else if (w == "pict" || w == "object" || w == "shp" || w == "shppict") {
            st.destination = Destination::Skip;
            note(u"obrázky a objekty v textu RTF se netisknou."_s);
        } else if (st.destination == Destination::FontTable) {
            if (w == "f" && hasParam) {
                m_pendingFont = param;
                m_pendingCharset = 0;
                m_fontName.clear();
            } else if (w == "fcharset" && hasParam) {
                m_pendingCharset = param;
            }
        } else if (st.destination == Destination::ColorTable) {
            const int v = std::clamp(param, 0, 255);
            if (w == "red")
                m_color.setRed(v), m_hasColor = true;
            else if (w == "green")
                m_color.setGreen(v), m_hasColor = true;
            else if (w == "blue")
                m_color.setBlue(v), m_hasColor = true;
        } else if (w == "ansicpg" && hasParam) {
            if (const CodePage *page = codePageNumbered(param))
                m_codePage = page;
        } else if (w == "b") {
            s.bold = on;
        } else if (w == "i") {
            s.italic = on;
        } else if (w == "ul") {
            s.underline = on;
        } else if (w == "ulnone") {
            s.underline = false;
        } else if (w == "strike") {
            s.strike = on;
        } else if (w == "fs" && hasParam) {
            s.halfPoints = std::clamp(param, 2, 800);
        } else if (w == "f" && hasParam) {
            s.font = param;
        } else if (w == "cf" && hasParam) {
            s.color = param;
        } else if (w == "plain") {
            s = CharStyle();
        } else if (w == "pard") {
            m_align = 0;
        } else if (w == "ql") {
            m_align = 0;
        } else if (w == "qc") {
            m_align = 1;
        } else if (w == "qr") {
            m_align = 2;
        } else if (w == "qj") {
            m_align = 3;
        } else if (w == "par" || w == "row") {
            if (st.destination == Destination::Text)
                endParagraph(true);
        } else if (w == "line") {
            special(u"<br>"_s);
        } else if (w == "tab") {
            special(u"&nbsp;&nbsp;&nbsp;&nbsp;"_s);
        } else if (w == "cell") {
            special(u"&nbsp;&nbsp;"_s);
            note(u"tabulky v textu RTF se tisknou jako text bez mřížky."_s);
        } else if (w == "uc" && hasParam) {
            st.unicodeSkip = std::clamp(param, 0, 4);
        } else if (w == "u" && hasParam) {
            text(QString(QChar(char16_t(param < 0 ? param + 65536 : param))));
            m_skipChars = st.unicodeSkip;
        } else if (w == "emdash") {
            text(QString(QChar(0x2014)));
        } else if (w == "endash") {
            text(QString(QChar(0x2013)));
        } else if (w == "bullet") {
            text(QString(QChar(0x2022)));
        } else if (w == "lquote") {
            text(QString(QChar(0x2018)));
        } else if (w == "rquote") {
            text(QString(QChar(0x2019)));
        } else if (w == "ldblquote") {
            text(QString(QChar(0x201C)));
        } else if (w == "rdblquote") {
            text(QString(QChar(0x201D)));
        }
    }

    const QByteArray &m_rtf;
    const CodePage *m_codePage;
    QStringList &m_notes;
    qsizetype m_pos = 0;
    std::vector<State> m_states;
    int m_overflow = 0;
    QHash<int, FontInfo> m_fonts;
    int m_pendingFont = -1;
    int m_pendingCharset = 0;
    QString m_fontName;
    std::vector<QColor> m_colors;
    QColor m_color {0, 0, 0};
    bool m_hasColor = false;
    int m_skipChars = 0;
    int m_align = 0;
    QString m_paragraph;
    bool m_paragraphHasText = false;
    CharStyle m_runStyle;
    bool m_inRun = false;
    QString m_html;
};

} // namespace

QString rtfToHtml(const QByteArray &rtf, const CodePage &fallback, QStringList &notes)
{
    if (!rtf.trimmed().startsWith("{\\rtf")) {
        // Not RTF after all: shown as the plain text it is.
        if (!rtf.isEmpty())
            notes << u"text není ve formátu RTF, tiskne se jako prostý text."_s;
        QString html;
        for (const QString &line : fallback.decode(rtf).split(u'\n'))
            html += u"<p style=\"margin:0\">%1</p>"_s.arg(line.trimmed().toHtmlEscaped());
        return rtf.isEmpty() ? QString() : html;
    }
    return RtfReader(rtf, fallback, notes).run();
}

} // namespace ergotab::report::frf
