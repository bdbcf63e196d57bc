#include "storage/codepage/CodePage.h"

#include <gtest/gtest.h>

using ergotab::CodePage;

namespace {

QByteArray bytes(std::initializer_list<unsigned char> list)
{
    QByteArray out;
    for (unsigned char b : list)
        out.append(char(b));
    return out;
}

const QString kun = QStringLiteral("Žluťoučký kůň");

} // namespace

TEST(CodePage, CzechLettersInEachCodePageHaveTheirPublishedBytes)
{
    // "Žluťoučký kůň" byte by byte as the code page charts give them.
    EXPECT_EQ(CodePage::get(CodePage::Windows1250).encode(kun),
              bytes({0x8E, 'l', 'u', 0x9D, 'o', 'u', 0xE8, 'k', 0xFD, ' ', 'k', 0xF9, 0xF2}));
    EXPECT_EQ(CodePage::get(CodePage::Cp852).encode(kun),
              bytes({0xA6, 'l', 'u', 0x9C, 'o', 'u', 0x9F, 'k', 0xEC, ' ', 'k', 0x85, 0xE5}));
    EXPECT_EQ(CodePage::get(CodePage::Cp867).encode(kun),
              bytes({0x92, 'l', 'u', 0x9F, 'o', 'u', 0x87, 'k', 0x98, ' ', 'k', 0x96, 0xA4}));
}

TEST(CodePage, DecodeIsTheInverseOfEncodeForEveryDefinedByte)
{
    for (auto id : {CodePage::Windows1250, CodePage::Cp852, CodePage::Cp867, CodePage::Cp437, CodePage::Cp850,
                    CodePage::Windows1252}) {
        const CodePage &cp = CodePage::get(id);
        for (int b = 0; b < 256; ++b) {
            const QByteArray one(1, char(b));
            const QString text = cp.decode(one);
            if (text.at(0).unicode() == 0xFFFD)
                continue;
            EXPECT_EQ(cp.encode(text), one) << "code page " << cp.number() << " byte " << b;
        }
    }
}

TEST(CodePage, UnmappableCharactersBecomeQuestionMarksAndPaddingFillsTheField)
{
    const CodePage &cp = CodePage::windows1250();
    EXPECT_EQ(cp.encode(QStringLiteral("a€b")), QByteArray("a\x80"
                                                           "b"));
    EXPECT_EQ(cp.encode(QStringLiteral("x\u4E2Dy")), QByteArray("x?y"));
    char field[6];
    cp.encodeInto(QStringLiteral("čau"), field, 6, ' ');
    EXPECT_EQ(QByteArray(field, 6), QByteArray("\xE8"
                                               "au   "));
    cp.encodeInto(QStringLiteral("dlouhý text"), field, 6, ' ');
    EXPECT_EQ(QByteArray(field, 6), QByteArray("dlouh\xFD"));
}

TEST(CodePage, CharactersOfSeveralUnitsTakeOneByteAndAreNeverCutInside)
{
    const CodePage &cp = CodePage::windows1250();
    // A letter typed as base and combining accent is the code page's own letter.
    EXPECT_EQ(cp.encode(QStringLiteral("Z\u030Ce\u0301")), bytes({0x8E, 0xE9}));
    // A character outside the code page is one '?' however it is made: a surrogate pair, an
    // emoji with a skin tone, a letter with an accent the code page lacks.
    EXPECT_EQ(cp.encode(QStringLiteral("a\U0001F600b")), QByteArray("a?b"));
    EXPECT_EQ(cp.encode(QStringLiteral("\U0001F44D\U0001F3FDx")), QByteArray("?x"));
    EXPECT_EQ(cp.encode(QStringLiteral("q\u0301")), QByteArray("?"));
    // Characters beyond U+02FF that the code page holds keep their bytes.
    EXPECT_EQ(cp.encode(QStringLiteral("a\u2013\u20AC")), bytes({'a', 0x96, 0x80}));

    char field[5];
    const auto into = [&](const QString &text) {
        cp.encodeInto(text, field, 5, ' ');
        return QByteArray(field, 5);
    };
    EXPECT_EQ(into(QStringLiteral("abc\U0001F600xy")), QByteArray("abc?x"));
    EXPECT_EQ(into(QStringLiteral("abcd\U0001F600")), QByteArray("abcd?"));
    EXPECT_EQ(into(QStringLiteral("abcde\U0001F600")), QByteArray("abcde"));
    EXPECT_EQ(into(QStringLiteral("abcde\u0301")), QByteArray("abcd\xE9"));
    EXPECT_EQ(into(QStringLiteral("abcdq\u0301")), QByteArray("abcd?"));
    EXPECT_EQ(into(QStringLiteral("ab\U0001F600")), QByteArray("ab?  "));
}

TEST(CodePage, CanEncodeAgreesWithWhatEncodeKeeps)
{
    const CodePage &cp = CodePage::windows1250();
    EXPECT_TRUE(cp.canEncode(QStringLiteral("Žluťoučký kůň – 5 €")));
    EXPECT_TRUE(cp.canEncode(QStringLiteral("e\u0301"))) << "an accent typed as a combining mark";
    EXPECT_EQ(cp.encode(QStringLiteral("e\u0301")), cp.encode(QStringLiteral("é")));
    for (const QString &text : {QStringLiteral("Ж"), QStringLiteral("中"), QStringLiteral("a\U0001F600")}) {
        EXPECT_FALSE(cp.canEncode(text)) << text.toStdString();
        EXPECT_TRUE(cp.encode(text).contains('?')) << text.toStdString();
    }
}

TEST(CodePage, LongTextDecodesLikeByteByByteAtEveryLengthAndOffset)
{
    // Runs of plain ASCII and of upper-half bytes at every position and length, so that
    // every way a text can split into blocks gives the same characters as single bytes do.
    QByteArray source;
    for (int i = 0; i < 200; ++i)
        source.append(char((i * 37 + (i / 11) * 101) % 256));
    source.append(QByteArray(40, 'a'));
    source.append(char(0x8E));
    source.append(QByteArray(23, 'z'));
    source.append(char(0xFF));
    source.append(char(0x00));
    for (auto id : {CodePage::Windows1250, CodePage::Cp852, CodePage::Cp866}) {
        const CodePage &cp = CodePage::get(id);
        QString expected;
        for (char c : source)
            expected += cp.decode(&c, 1);
        for (qsizetype from = 0; from < 20; ++from) {
            for (qsizetype size = 0; from + size <= source.size(); size += 7)
                ASSERT_EQ(cp.decode(source.constData() + from, size), expected.mid(from, size))
                    << "code page " << cp.number() << " from " << from << " size " << size;
        }
    }
    EXPECT_FALSE(CodePage::windows1250().decode("", 0).isNull());
    EXPECT_TRUE(CodePage::windows1250().decode("", 0).isEmpty());
}
