#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <unordered_map>

namespace ergotab {

// A single-byte code page: bytes below 0x80 are ASCII, the upper half comes from a table.
// Every conversion between table or container bytes and QString goes through one of these,
// so no text ever passes through an implicit 8-bit conversion.
class CodePage
{
public:
    enum Id { Windows1250, Windows1252, Windows1251, Cp852, Cp867, Cp437, Cp850, Cp866 };

    static const CodePage &get(Id id);
    static const CodePage &windows1250() { return get(Windows1250); }

    Id id() const { return m_id; }
    // The number by which people know the code page (1250, 852, 867 ...).
    int number() const { return m_number; }

    QString decode(const char *data, qsizetype size) const;
    QString decode(const QByteArray &bytes) const { return decode(bytes.constData(), bytes.size()); }
    // True when the code page holds every character of the text (accents typed as combining
    // marks counted as the letters they make).
    bool canEncode(const QString &text) const;
    // One byte per character; a character the code page cannot hold becomes one '?', however
    // many UTF-16 units or combining marks it is made of.
    QByteArray encode(const QString &text) const;
    // Writes exactly `size` bytes: the text padded with `pad`, or cut after the last whole
    // character that fits, never inside one.
    void encodeInto(const QString &text, char *out, qsizetype size, char pad) const;

private:
    CodePage(Id id, int number, const char16_t *upper);
    char byteFor(char32_t c) const;
    // The careful way, for text with characters beyond U+02FF: at most `limit` bytes.
    QByteArray encodeCharacters(const QString &text, qsizetype limit) const;

    Id m_id;
    int m_number;
    std::array<char16_t, 256> m_toUnicode {};
    std::unordered_map<char16_t, unsigned char> m_fromUnicode;
};

} // namespace ergotab
