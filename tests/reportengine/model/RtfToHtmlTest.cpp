#include "reportengine/model/RtfToHtml.h"
#include "reportengine/model/TemplateXml.h"

#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace ergotab::report;
using namespace Qt::StringLiterals;

namespace {

// The converted HTML as Qt reads it, so the tests judge what a rich-text object will show.
struct Shown
{
    explicit Shown(const QByteArray &rtf) { doc.setHtml(rtfToHtml(rtf)); }
    QString text() const { return doc.toPlainText(); }
    // The character format at the first occurrence of `word`.
    QTextCharFormat formatAt(const QString &word) const
    {
        const QTextCursor found = doc.find(word);
        EXPECT_FALSE(found.isNull()) << word.toStdString();
        QTextCursor c(found);
        c.setPosition(found.selectionStart() + 1);
        return c.charFormat();
    }
    Qt::Alignment alignmentOf(int block) const
    {
        return doc.findBlockByNumber(block).blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    }
    QTextDocument doc;
};

const QByteArray header = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238 Arial;}"
                          "{\\f1\\froman\\fcharset0 Times New Roman;}}"
                          "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
                          "{\\*\\generator Msftedit 5.41;}\\viewkind4\\uc1\\pard\\f0\\fs20 ";

TEST(RtfToHtml, ParagraphsAlignmentAndLineBreaks)
{
    const Shown s(header + "Prvn\\'ed\\par\\qc St\\'f8ed\\line druh\\'fd\\par\\pard\\qr Vpravo\\par\\pard Konec}");
    EXPECT_EQ(s.text(), u"První\nStřed\ndruhý\nVpravo\nKonec"_s);
    EXPECT_EQ(s.alignmentOf(0), Qt::AlignLeft);
    EXPECT_EQ(s.alignmentOf(1), Qt::AlignHCenter);
    EXPECT_EQ(s.alignmentOf(2), Qt::AlignRight);
    EXPECT_EQ(s.alignmentOf(3), Qt::AlignLeft); // \pard resets the alignment
}

TEST(RtfToHtml, CharacterFormatsFollowGroupsAndSwitches)
{
    const Shown s(header + "obycejne \\b tucne\\b0  {\\i kurziva {\\ul podtrzene}} zpet \\strike skrtle\\strike0 "
                           "\\fs32 velke\\fs20  {\\cf1 cervene} {\\f1 patkove} \\b\\i oba\\plain  prosty}");
    EXPECT_FALSE(s.formatAt(u"obycejne"_s).font().bold());
    EXPECT_TRUE(s.formatAt(u"tucne"_s).font().bold());
    EXPECT_TRUE(s.formatAt(u"kurziva"_s).font().italic());
    EXPECT_FALSE(s.formatAt(u"kurziva"_s).font().underline());
    EXPECT_TRUE(s.formatAt(u"podtrzene"_s).font().italic());
    EXPECT_TRUE(s.formatAt(u"podtrzene"_s).font().underline());
    EXPECT_FALSE(s.formatAt(u"zpet"_s).font().italic()); // the group ended
    EXPECT_TRUE(s.formatAt(u"skrtle"_s).font().strikeOut());
    EXPECT_DOUBLE_EQ(s.formatAt(u"velke"_s).font().pointSizeF(), 16.0);
    EXPECT_DOUBLE_EQ(s.formatAt(u"zpet"_s).font().pointSizeF(), 10.0);
    EXPECT_EQ(s.formatAt(u"cervene"_s).foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(s.formatAt(u"patkove"_s).font().family(), u"Times New Roman"_s);
    EXPECT_TRUE(s.formatAt(u"oba"_s).font().bold());
    EXPECT_TRUE(s.formatAt(u"oba"_s).font().italic());
    EXPECT_FALSE(s.formatAt(u"prosty"_s).font().bold());
    // No text of the tables or of the ignored destinations leaks into the body.
    EXPECT_FALSE(s.text().contains(u"Arial"_s));
    EXPECT_FALSE(s.text().contains(u"Msftedit"_s));
}

TEST(RtfToHtml, EscapesInTheCodePageOfTheDocumentAndItsFonts)
{
    // \'xx in Windows-1250 (the header's and the font's), \uN with its stand-in skipped, a
    // negative \uN, \uc2 skipping two stand-ins, the escaped braces and backslash (a no-break
    // space reads back as a space).
    const Shown s(header + "\\'9e\\'ec\\'9a \\u269?\\u345\\'f8 \\u-4063? {\\uc2\\u8364\\'80\\'80} \\{a\\}\\\\ "
                           "\\~\\emdash\\ldblquote x\\rdblquote}");
    EXPECT_EQ(s.text(), u"žěš čř \uF021 € {a}\\  \u2014\u201Cx\u201D"_s);

    // A document in Windows-1252 reads its escapes there; a Central European font stays 1250.
    const Shown w("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset238 Arial CE;}}\\f0 "
                  "\\'e8{\\f1 \\'e8}}");
    EXPECT_EQ(w.text(), u"èč"_s);
    // With no code page named, Windows-1250; raw bytes above 0x7F too.
    EXPECT_EQ(Shown("{\\rtf1 \\'9a\xe8}").text(), u"šč"_s);
}

TEST(RtfToHtml, MarkupCharactersAndExpressionsStayText)
{
    const Shown s(header + "a < b & c > d [Kategorie_DataSet.\"Text\"]}");
    EXPECT_EQ(s.text(), u"a < b & c > d [Kategorie_DataSet.\"Text\"]"_s);
}

TEST(RtfToHtml, BrokenInputGivesWhatCouldBeRead)
{
    for (const QByteArray &bad : {QByteArray("{\\rtf1 text \\"), QByteArray("{\\rtf1 }}}}} a"),
                                  QByteArray("{\\rtf1 \\'e"), QByteArray("{\\rtf1 \\fs99999999999999999 x"),
                                  QByteArray("{\\rtf1 \\u"), QByteArray(100000, '{'), QByteArray()})
        (void)rtfToHtml(bad);
    EXPECT_EQ(Shown("{\\rtf1 zacatek \\b tucne").text(), u"zacatek tucne"_s);
    EXPECT_TRUE(looksLikeRtf(QByteArray("  {\\rtf1 x}")));
    EXPECT_FALSE(looksLikeRtf(u"<p>{\\rtf1</p>"_s));
}

TEST(RtfToHtml, TheTemplateReaderTurnsRtfContentIntoHtml)
{
    const QByteArray xml = "<?xml version=\"1.0\"?><report version=\"1\"><page name=\"P\"><band kind=\"report-title\" "
                           "name=\"T\" height=\"20\"><rich-text name=\"R\" width=\"50\" height=\"10\"><content>{\\rtf1 "
                           "\\b Tu\\'e8n\\'e9\\b0  [Text]}</content></rich-text></band></page></report>";
    const ReportTemplate t = readTemplateXml(xml, u"x.frf"_s);
    const auto &rich = std::get<RichTextObject>(t.pages.at(0).bands.at(0).objects.at(0).content);
    EXPECT_FALSE(looksLikeRtf(rich.html));
    QTextDocument doc;
    doc.setHtml(rich.html);
    EXPECT_EQ(doc.toPlainText(), u"Tučné [Text]"_s);
}

} // namespace
