#include "SampleReport.h"
#include "reportengine/render/ReportExporter.h"
#include "tests/support/TempDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace ergotab::report;
using namespace ergotab::report::test;

namespace {

// Python's own HTML parser reads the file: the text of each page block, the pictures' sources,
// and whether any script element came through.
const char *parserScript = R"(
import json, sys
from html.parser import HTMLParser

class Pages(HTMLParser):
    def __init__(self):
        super().__init__()
        self.pages, self.images, self.scripts, self.stack = [], [], 0, []
    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == 'script':
            self.scripts += 1
        if tag == 'img':
            self.images.append(attrs.get('src', ''))
            return
        self.stack.append(tag)
        if tag == 'div' and attrs.get('class') == 'page':
            self.pages.append({'style': attrs.get('style', ''), 'texts': []})
    def handle_endtag(self, tag):
        if self.stack and self.stack[-1] == tag:
            self.stack.pop()
    def handle_data(self, data):
        if self.pages and data.strip() and 'style' not in self.stack:
            self.pages[-1]['texts'].append(data)

parser = Pages()
with open(sys.argv[1], encoding='utf-8') as f:
    parser.feed(f.read())
print(json.dumps({'pages': parser.pages, 'images': parser.images, 'scripts': parser.scripts}))
)";

QJsonObject parseHtml(const QString &file)
{
    const QByteArray json =
        runTool(QStringLiteral(ERGOTAB_PYTHON), {QStringLiteral("-c"), QLatin1String(parserScript), file});
    return QJsonDocument::fromJson(json).object();
}

QStringList texts(const QJsonValue &page)
{
    QStringList out;
    for (const QJsonValue &text : page[QLatin1String("texts")].toArray())
        out.append(text.toString());
    return out;
}

} // namespace

TEST(HtmlExport, PagesHoldTheirTextsEscapedAndPicturesEmbedded)
{
    ergotab::test::TempDir dir;
    const QString file = dir.file(QStringLiteral("sestava.html"));
    exportReport(sampleReport(), file);
    const QJsonObject html = parseHtml(file);

    const QJsonArray pages = html[QLatin1String("pages")].toArray();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0][QLatin1String("style")].toString().contains(QStringLiteral("width:210.00mm;height:297.00mm")));
    EXPECT_TRUE(pages[1][QLatin1String("style")].toString().contains(QStringLiteral("width:297.00mm;height:210.00mm")));
    const QStringList first = texts(pages[0]);
    EXPECT_TRUE(first.contains(czechSentence)) << first.join(u'|').toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("Riziko <3> & {kategorie} \\ \"4\""))) << first.join(u'|').toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("Svisle psaný text")));
    EXPECT_TRUE(first.join(QString()).contains(QStringLiteral("Opatření: tučně a kurzívou")));
    EXPECT_FALSE(first.join(QString()).contains(QStringLiteral("alert"))) << "rich text keeps no scripts";
    EXPECT_EQ(html[QLatin1String("scripts")].toInt(), 0);
    EXPECT_EQ(texts(pages[1]), QStringList {QStringLiteral("Druhá strana na šířku")});

    // The picture is the template's PNG, byte for byte, as a data URI.
    const QJsonArray images = html[QLatin1String("images")].toArray();
    ASSERT_EQ(images.size(), 1);
    const QString src = images[0].toString();
    ASSERT_TRUE(src.startsWith(QStringLiteral("data:image/png;base64,")));
    const QByteArray png = QByteArray::fromBase64(src.mid(22).toLatin1());
    EXPECT_EQ(png, pictureItem(QRectF()).encoded);
}

TEST(HtmlExport, PictureWithoutItsOriginalBytesIsEmbeddedAsPng)
{
    PreparedReport report;
    PreparedPage page;
    ImageItem picture = pictureItem(QRectF(10, 10, 40, 20));
    picture.encoded.clear();
    picture.format.clear();
    page.items.push_back(picture);
    report.pages.push_back(page);
    ergotab::test::TempDir dir;
    const QString file = dir.file(QStringLiteral("obrazek.htm"));
    exportReport(report, file);
    const QString src = parseHtml(file)[QLatin1String("images")].toArray().at(0).toString();
    ASSERT_TRUE(src.startsWith(QStringLiteral("data:image/png;base64,")));
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(QByteArray::fromBase64(src.mid(22).toLatin1()), "PNG"));
    EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32), checkerPicture());
}
