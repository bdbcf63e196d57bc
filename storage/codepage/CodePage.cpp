#include "CodePage.h"

#include "CodePageTables.h"

namespace ergotab {

CodePage::CodePage(Id id, int number, const char16_t *upper)
    : m_id(id)
    , m_number(number)
{
    for (int b = 0; b < 128; ++b)
        m_toUnicode[b] = char16_t(b);
    for (int b = 0; b < 128; ++b)
        m_toUnicode[128 + b] = upper[b];
    for (int b = 128; b < 256; ++b) {
        if (m_toUnicode[b] != 0xFFFD)
            m_fromUnicode.emplace(m_toUnicode[b], static_cast<unsigned char>(b));
    }
}

const CodePage &CodePage::get(Id id)
{
    using namespace codepage;
    static const CodePage pages[] = {
        {Windows1250, 1250, cp1250Upper}, {Windows1252, 1252, cp1252Upper},
        {Windows1251, 1251, cp1251Upper}, {Cp852, 852, cp852Upper},
        {Cp867, 867, cp867Upper},         {Cp437, 437, cp437Upper},
        {Cp850, 850, cp850Upper},         {Cp866, 866, cp866Upper},
    };
    return pages[id];
}

QString CodePage::decode(const char *data, qsizetype size) const
{
    QString text(size, Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < size; ++i)
        out[i] = QChar(m_toUnicode[static_cast<unsigned char>(data[i])]);
    return text;
}

void CodePage::encodeInto(const QString &text, char *out, qsizetype size, char pad) const
{
    const qsizetype n = qMin(size, text.size());
    const QChar *in = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i].unicode();
        if (c < 0x80) {
            out[i] = char(c);
        } else {
            const auto it = m_fromUnicode.find(c);
            out[i] = it == m_fromUnicode.end() ? '?' : char(it->second);
        }
    }
    for (qsizetype i = n; i < size; ++i)
        out[i] = pad;
}

QByteArray CodePage::encode(const QString &text) const
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    encodeInto(text, bytes.data(), bytes.size(), ' ');
    return bytes;
}

} // namespace ergotab
