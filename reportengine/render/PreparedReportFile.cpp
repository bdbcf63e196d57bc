#include "PreparedReportFile.h"

#include "storage/AppError.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QIODevice>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace ergotab::report {

namespace {

enum class Kind : quint8 { Text = 1, Line = 2, Shape = 3, Image = 4, RichText = 5 };

// Lengths beyond these are damage, not reports: a page of ten metres, a million pages.
constexpr double maxCoordinateMm = 100000.0;
constexpr quint32 maxFlagsOfAlignment = 0x1ff;

class Writer
{
public:
    void u8(quint8 v) { m_out.append(char(v)); }
    void u16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        m_out.append(b, 2);
    }
    void u32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        m_out.append(b, 4);
    }
    void f64(double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, 8);
        char b[8];
        qToLittleEndian(bits, b);
        m_out.append(b, 8);
    }
    void bytes(const QByteArray &data)
    {
        u32(quint32(data.size()));
        m_out.append(data);
    }
    void text(const QString &s) { bytes(s.toUtf8()); }
    void rect(const QRectF &r)
    {
        f64(r.x());
        f64(r.y());
        f64(r.width());
        f64(r.height());
    }
    void color(const QColor &c) { u32(c.rgba()); }
    void frame(const FrameStyle &f)
    {
        u8(quint8((f.left ? 1 : 0) | (f.top ? 2 : 0) | (f.right ? 4 : 0) | (f.bottom ? 8 : 0)));
        f64(f.widthMm);
        color(f.color);
        u8(quint8(f.style));
    }
    QByteArray &out() { return m_out; }

private:
    QByteArray m_out;
};

class Reader
{
public:
    Reader(const QByteArray &data, qsizetype start, const QString &fileName)
        : m_data(data)
        , m_pos(start)
        , m_fileName(fileName)
    {
    }

    [[noreturn]] void damaged(const QString &what) const
    {
        throw AppError(QStringLiteral("Soubor „%1“ je poškozen: %2 (bajt %3).")
                           .arg(QDir::toNativeSeparators(m_fileName), what)
                           .arg(m_pos));
    }

    qsizetype remaining() const { return m_data.size() - m_pos; }
    bool atEnd() const { return m_pos == m_data.size(); }

    const char *take(qsizetype n)
    {
        if (n < 0 || n > remaining())
            damaged(QStringLiteral("data končí předčasně"));
        const char *p = m_data.constData() + m_pos;
        m_pos += n;
        return p;
    }
    quint8 u8() { return quint8(*take(1)); }
    quint16 u16() { return qFromLittleEndian<quint16>(take(2)); }
    quint32 u32() { return qFromLittleEndian<quint32>(take(4)); }
    double f64()
    {
        const quint64 bits = qFromLittleEndian<quint64>(take(8));
        double v;
        std::memcpy(&v, &bits, 8);
        if (!std::isfinite(v) || std::fabs(v) > maxCoordinateMm)
            damaged(QStringLiteral("neplatné číslo"));
        return v;
    }
    // A count of records each at least `minimumSize` bytes long: more than the rest of the
    // file can hold is damage, found before anything is allocated for them.
    quint32 count(qsizetype minimumSize)
    {
        const quint32 n = u32();
        if (qsizetype(n) > remaining() / minimumSize)
            damaged(QStringLiteral("neplatný počet záznamů"));
        return n;
    }
    QByteArray bytes()
    {
        const quint32 n = u32();
        if (qsizetype(n) > remaining())
            damaged(QStringLiteral("neplatná délka dat"));
        return QByteArray(take(n), n);
    }
    QString text()
    {
        const quint32 n = u32();
        if (qsizetype(n) > remaining())
            damaged(QStringLiteral("neplatná délka textu"));
        return QString::fromUtf8(take(n), n);
    }
    QRectF rect()
    {
        const double x = f64(), y = f64(), w = f64(), h = f64();
        if (w < 0 || h < 0)
            damaged(QStringLiteral("obdélník se zápornou velikostí"));
        return {x, y, w, h};
    }
    QColor color() { return QColor::fromRgba(u32()); }
    Qt::PenStyle penStyle()
    {
        const quint8 style = u8();
        if (style > quint8(Qt::DashDotDotLine))
            damaged(QStringLiteral("neznámý druh čáry"));
        return Qt::PenStyle(style);
    }
    FrameStyle frame()
    {
        FrameStyle f;
        const quint8 sides = u8();
        if (sides > 15)
            damaged(QStringLiteral("neplatný rámeček"));
        f.left = sides & 1;
        f.top = sides & 2;
        f.right = sides & 4;
        f.bottom = sides & 8;
        f.widthMm = f64();
        f.color = color();
        f.style = penStyle();
        return f;
    }
    bool flag()
    {
        const quint8 v = u8();
        if (v > 1)
            damaged(QStringLiteral("neplatná hodnota ano/ne"));
        return v == 1;
    }

private:
    const QByteArray &m_data;
    qsizetype m_pos;
    QString m_fileName;
};

// Tables of the fonts and pictures the items refer to by number, each stored once.
struct Tables
{
    QList<QFont> fonts;
    QHash<QString, quint32> fontIndex;
    QList<const ImageItem *> images;
    QHash<qint64, quint32> imageIndex;

    quint32 font(const QFont &font)
    {
        const QString key = font.toString();
        auto it = fontIndex.constFind(key);
        if (it != fontIndex.cend())
            return *it;
        fonts.append(font);
        return fontIndex[key] = quint32(fonts.size() - 1);
    }
    quint32 image(const ImageItem &item)
    {
        auto it = imageIndex.constFind(item.image.cacheKey());
        if (it != imageIndex.cend())
            return *it;
        images.append(&item);
        return imageIndex[item.image.cacheKey()] = quint32(images.size() - 1);
    }
};

void collect(const PreparedReport &report, Tables &tables)
{
    for (const PreparedPage &page : report.pages)
        for (const PreparedItem &item : page.items) {
            if (const auto *text = std::get_if<TextItem>(&item))
                tables.font(text->font);
            else if (const auto *image = std::get_if<ImageItem>(&item))
                tables.image(*image);
        }
}

void writeImage(Writer &w, const ImageItem &item)
{
    if (!item.encoded.isEmpty() && !item.format.isEmpty()) {
        w.bytes(item.format);
        w.bytes(item.encoded);
        return;
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!item.image.isNull())
        item.image.save(&buffer, "PNG");
    w.bytes(QByteArrayLiteral("PNG"));
    w.bytes(png);
}

void writeItem(Writer &w, Tables &tables, const PreparedItem &item)
{
    if (const auto *t = std::get_if<TextItem>(&item)) {
        w.u8(quint8(Kind::Text));
        w.rect(t->rect);
        w.text(t->text);
        w.u32(tables.font(t->font));
        w.color(t->color);
        w.color(t->fill);
        w.u32(quint32(t->alignment.toInt()));
        w.u8(t->wordWrap ? 1 : 0);
        w.u16(quint16(t->rotation));
        w.frame(t->frame);
    } else if (const auto *l = std::get_if<LineItem>(&item)) {
        w.u8(quint8(Kind::Line));
        w.f64(l->from.x());
        w.f64(l->from.y());
        w.f64(l->to.x());
        w.f64(l->to.y());
        w.f64(l->widthMm);
        w.color(l->color);
        w.u8(quint8(l->style));
    } else if (const auto *s = std::get_if<ShapeItem>(&item)) {
        w.u8(quint8(Kind::Shape));
        w.u8(quint8(s->shape));
        w.rect(s->rect);
        w.color(s->fill);
        w.color(s->stroke);
        w.f64(s->strokeWidthMm);
        w.f64(s->cornerRadiusMm);
    } else if (const auto *i = std::get_if<ImageItem>(&item)) {
        w.u8(quint8(Kind::Image));
        w.rect(i->rect);
        w.u32(tables.image(*i));
        w.u8(quint8((i->keepAspectRatio ? 1 : 0) | (i->center ? 2 : 0) | (i->stretch ? 4 : 0)));
    } else if (const auto *r = std::get_if<RichTextItem>(&item)) {
        w.u8(quint8(Kind::RichText));
        w.rect(r->rect);
        w.text(r->html);
        w.color(r->fill);
        w.frame(r->frame);
    }
}

struct LoadedImage
{
    QByteArray format;
    QByteArray encoded;
    QImage image;
};

PreparedItem readItem(Reader &r, const QList<QFont> &fonts, const QList<LoadedImage> &images)
{
    const quint8 kind = r.u8();
    switch (Kind(kind)) {
    case Kind::Text: {
        TextItem t;
        t.rect = r.rect();
        t.text = r.text();
        const quint32 font = r.u32();
        if (font >= quint32(fonts.size()))
            r.damaged(QStringLiteral("odkaz na neexistující písmo"));
        t.font = fonts[font];
        t.color = r.color();
        t.fill = r.color();
        const quint32 alignment = r.u32();
        if (alignment > maxFlagsOfAlignment)
            r.damaged(QStringLiteral("neplatné zarovnání"));
        t.alignment = Qt::Alignment(int(alignment));
        t.wordWrap = r.flag();
        t.rotation = r.u16();
        if (t.rotation != 0 && t.rotation != 90)
            r.damaged(QStringLiteral("neplatné otočení textu"));
        t.frame = r.frame();
        return t;
    }
    case Kind::Line: {
        LineItem l;
        const double x1 = r.f64(), y1 = r.f64(), x2 = r.f64(), y2 = r.f64();
        l.from = QPointF(x1, y1);
        l.to = QPointF(x2, y2);
        l.widthMm = r.f64();
        l.color = r.color();
        l.style = r.penStyle();
        return l;
    }
    case Kind::Shape: {
        ShapeItem s;
        const quint8 shape = r.u8();
        if (shape > quint8(ShapeItem::Shape::DiagonalUp))
            r.damaged(QStringLiteral("neznámý tvar"));
        s.shape = ShapeItem::Shape(shape);
        s.rect = r.rect();
        s.fill = r.color();
        s.stroke = r.color();
        s.strokeWidthMm = r.f64();
        s.cornerRadiusMm = r.f64();
        return s;
    }
    case Kind::Image: {
        ImageItem i;
        i.rect = r.rect();
        const quint32 index = r.u32();
        if (index >= quint32(images.size()))
            r.damaged(QStringLiteral("odkaz na neexistující obrázek"));
        i.format = images[index].format;
        i.encoded = images[index].encoded;
        i.image = images[index].image;
        const quint8 flags = r.u8();
        if (flags > 7)
            r.damaged(QStringLiteral("neplatné vlastnosti obrázku"));
        i.keepAspectRatio = flags & 1;
        i.center = flags & 2;
        i.stretch = flags & 4;
        return i;
    }
    case Kind::RichText: {
        RichTextItem t;
        t.rect = r.rect();
        t.html = r.text();
        t.fill = r.color();
        t.frame = r.frame();
        return t;
    }
    }
    r.damaged(QStringLiteral("neznámý druh položky %1").arg(kind));
}

} // namespace

QByteArray PreparedReportFile::toBytes(const PreparedReport &report)
{
    Tables tables;
    collect(report, tables);
    Writer body;
    body.text(report.title);
    body.u32(quint32(tables.fonts.size()));
    for (const QFont &font : std::as_const(tables.fonts))
        body.text(font.toString());
    body.u32(quint32(tables.images.size()));
    for (const ImageItem *image : std::as_const(tables.images))
        writeImage(body, *image);
    body.u32(quint32(report.pages.size()));
    for (const PreparedPage &page : report.pages) {
        body.f64(page.sizeMm.width());
        body.f64(page.sizeMm.height());
        body.u32(quint32(page.items.size()));
        for (const PreparedItem &item : page.items)
            writeItem(body, tables, item);
    }
    Writer file;
    file.out().append(magic, 8);
    file.u16(version);
    file.u16(0);
    file.u32(quint32(body.out().size()));
    file.out().append(body.out());
    return file.out();
}

void PreparedReportFile::write(const PreparedReport &report, QIODevice &device) const
{
    const QByteArray bytes = toBytes(report);
    if (device.write(bytes) != bytes.size())
        throw AppError(QStringLiteral("Připravenou sestavu nelze zapsat: %1").arg(device.errorString()));
}

PreparedReport PreparedReportFile::fromBytes(const QByteArray &bytes, const QString &fileName)
{
    const QString shownName = QDir::toNativeSeparators(fileName);
    if (bytes.size() < headerSize || std::memcmp(bytes.constData(), magic, 8) != 0)
        throw AppError(QStringLiteral("Soubor „%1“ není připravená sestava.").arg(shownName));
    const quint16 fileVersion = qFromLittleEndian<quint16>(bytes.constData() + 8);
    if (fileVersion != version)
        throw AppError(QStringLiteral("Soubor „%1“ je připravená sestava verze %2, kterou tento program neumí přečíst.")
                           .arg(shownName)
                           .arg(fileVersion));
    Reader r(bytes, 12, fileName);
    if (r.u32() != quint32(bytes.size() - headerSize))
        r.damaged(QStringLiteral("délka souboru neodpovídá záhlaví"));

    PreparedReport report;
    report.title = r.text();
    QList<QFont> fonts;
    const quint32 fontCount = r.count(4);
    for (quint32 i = 0; i < fontCount; ++i) {
        QFont font;
        if (!font.fromString(r.text()))
            r.damaged(QStringLiteral("neplatný popis písma"));
        fonts.append(font);
    }
    QList<LoadedImage> images;
    const quint32 imageCount = r.count(8);
    for (quint32 i = 0; i < imageCount; ++i) {
        LoadedImage image;
        image.format = r.bytes();
        image.encoded = r.bytes();
        if (image.format != "PNG" && image.format != "JPEG" && image.format != "BMP")
            r.damaged(QStringLiteral("neznámý formát obrázku"));
        if (!image.encoded.isEmpty() && !image.image.loadFromData(image.encoded, image.format.constData()))
            r.damaged(QStringLiteral("obrázek nelze přečíst"));
        images.append(std::move(image));
    }
    const quint32 pageCount = r.count(20);
    report.pages.reserve(pageCount);
    for (quint32 p = 0; p < pageCount; ++p) {
        PreparedPage page;
        const double width = r.f64(), height = r.f64();
        if (!(width > 0) || !(height > 0))
            r.damaged(QStringLiteral("neplatná velikost stránky"));
        page.sizeMm = QSizeF(width, height);
        const quint32 itemCount = r.count(1);
        page.items.reserve(itemCount);
        for (quint32 i = 0; i < itemCount; ++i)
            page.items.push_back(readItem(r, fonts, images));
        report.pages.push_back(std::move(page));
    }
    if (!r.atEnd())
        r.damaged(QStringLiteral("za posledním záznamem následují další data"));
    return report;
}

PreparedReport PreparedReportFile::load(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Soubor „%1“ nelze otevřít: %2")
                           .arg(QDir::toNativeSeparators(fileName), file.errorString()));
    return fromBytes(file.readAll(), fileName);
}

} // namespace ergotab::report
