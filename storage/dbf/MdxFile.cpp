#include "MdxFile.h"

#include <QtEndian>

#include <cmath>
#include <cstring>

namespace ergotab::dbf::mdx {

namespace {

constexpr int kPage = 512;
constexpr int kPagesPerBlock = kBlockBytes / kPage;
constexpr int kHeaderPages = 4;
constexpr int kTagTable = 544;
constexpr int kTagEntry = 32;

void putDate(char *p, const QDate &d)
{
    p[0] = char(qBound(0, d.year() - 1900, 255));
    p[1] = char(d.month());
    p[2] = char(d.day());
}

// One B-tree level as it is laid out: each node's page and its largest key.
struct Level
{
    std::vector<quint32> pages;
    std::vector<QByteArray> lastKeys;
};

// Splits `count` items into the fewest nodes of at most `capacity`, sizes as even as possible,
// so no interior node is left with a single child.
std::vector<std::pair<size_t, size_t>> spread(size_t count, size_t capacity)
{
    std::vector<std::pair<size_t, size_t>> ranges;
    const size_t nodes = count == 0 ? 1 : (count + capacity - 1) / capacity;
    size_t begin = 0;
    for (size_t i = 0; i < nodes; ++i) {
        const size_t size = count / nodes + (i < count % nodes ? 1 : 0);
        ranges.emplace_back(begin, begin + size);
        begin += size;
    }
    return ranges;
}

class Writer
{
public:
    explicit Writer(QByteArray &file)
        : m_file(file)
    {
    }

    quint32 allocate()
    {
        const quint32 page = quint32(m_file.size() / kPage);
        m_file.append(QByteArray(kBlockBytes, '\0'));
        return page;
    }
    char *at(quint32 page) { return m_file.data() + qint64(page) * kPage; }

    // Writes the tree bottom-up and returns the root page.
    quint32 writeTree(const Tag &tag)
    {
        const int item = itemLength(tag.keyLength);
        const size_t capacity = size_t(maxKeysPerNode(tag.keyLength));
        Level level;
        for (const auto &[begin, end] : spread(tag.entries.size(), capacity)) {
            const quint32 page = allocate();
            char *node = at(page);
            qToLittleEndian<quint32>(quint32(end - begin), node);
            for (size_t i = begin; i < end; ++i) {
                char *slot = node + 8 + (i - begin) * item;
                qToLittleEndian<quint32>(tag.entries[i].second, slot);
                std::memcpy(slot + 4, tag.entries[i].first.constData(), size_t(tag.keyLength));
            }
            level.pages.push_back(page);
            level.lastKeys.push_back(end > begin ? tag.entries[end - 1].first : QByteArray(tag.keyLength, '\0'));
        }
        // Interior nodes hold n keys and n+1 children; n stays below the node capacity so
        // readers that call every full node a leaf still see them as interior.
        while (level.pages.size() > 1) {
            Level up;
            for (const auto &[begin, end] : spread(level.pages.size(), capacity)) {
                const quint32 page = allocate();
                char *node = at(page);
                const size_t keys = end - begin - 1;
                qToLittleEndian<quint32>(quint32(keys), node);
                for (size_t i = begin; i < end; ++i) {
                    char *slot = node + 8 + (i - begin) * item;
                    qToLittleEndian<quint32>(level.pages[i], slot);
                    if (i + 1 < end)
                        std::memcpy(slot + 4, level.lastKeys[i].constData(), size_t(tag.keyLength));
                }
                up.pages.push_back(page);
                up.lastKeys.push_back(level.lastKeys[end - 1]);
            }
            level = std::move(up);
        }
        return level.pages.front();
    }

private:
    QByteArray &m_file;
};

} // namespace

int itemLength(int keyLength)
{
    return (keyLength + 4 + 3) / 4 * 4;
}

int maxKeysPerNode(int keyLength)
{
    return (kBlockBytes - 12) / itemLength(keyLength);
}

QByteArray numericKey(double value)
{
    QByteArray key(12, '\0');
    key[0] = 0x34;
    key[1] = 0x01;
    if (value == 0 || !std::isfinite(value))
        return key;
    QByteArray text = QByteArray::number(std::fabs(value), 'f', 10);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    const qsizetype point = text.indexOf('.');
    QByteArray whole = point < 0 ? text : text.left(point);
    const QByteArray fraction = point < 0 ? QByteArray() : text.mid(point + 1);
    int exponent;
    QByteArray digits;
    if (whole == "0") {
        qsizetype zeros = 0;
        while (zeros < fraction.size() && fraction.at(zeros) == '0')
            ++zeros;
        exponent = -int(zeros);
        digits = fraction.mid(zeros);
    } else {
        exponent = int(whole.size());
        digits = whole + fraction;
    }
    digits.truncate(20);
    key[0] = char(0x34 + exponent);
    key[1] = char((digits.size() << 2) | 1 | (value < 0 ? 0x80 : 0));
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const int nibble = digits.at(i) - '0';
        key[2 + i / 2] = char(key.at(2 + i / 2) | (i % 2 ? nibble : nibble << 4));
    }
    return key;
}

QByteArray dateKey(const QDate &date)
{
    QByteArray key(8, '\0');
    const double julian = double(date.toJulianDay());
    quint64 bits;
    std::memcpy(&bits, &julian, sizeof bits);
    qToLittleEndian<quint64>(bits, key.data());
    return key;
}

QByteArray build(const QString &tableBaseName, const QList<Tag> &tags, const QDate &date)
{
    QByteArray file(kHeaderPages * kPage, '\0');
    char *h = file.data();
    h[0] = 2;
    putDate(h + 1, date);
    const QByteArray base = tableBaseName.toUpper().toLatin1().left(15);
    std::memcpy(h + 4, base.constData(), size_t(base.size()));
    qToLittleEndian<quint16>(kPagesPerBlock, h + 20);
    qToLittleEndian<quint16>(kBlockBytes, h + 22);
    h[24] = 1;
    h[25] = 0x30;
    h[26] = kTagEntry;
    qToLittleEndian<quint16>(quint16(tags.size()), h + 28);
    h[30] = char(tags.size() + 1);
    h[31] = 0x1B;
    putDate(h + 44, date);
    h[529] = 1;

    Writer writer(file);
    for (int t = 0; t < tags.size(); ++t) {
        const Tag &tag = tags.at(t);
        const quint32 headerPage = writer.allocate();
        const quint32 root = writer.writeTree(tag);
        const quint32 pagesUsed = quint32(file.size() / kPage) - headerPage;

        char *entry = file.data() + kTagTable + t * kTagEntry;
        qToLittleEndian<quint32>(headerPage, entry);
        const QByteArray name = tag.name.toUpper().toLatin1().left(10);
        std::memcpy(entry + 4, name.constData(), size_t(name.size()));
        entry[15] = 0x10;
        entry[19] = 0x02;
        entry[20] = tag.keyType;
        // Threads: a binary search tree over tag names, the first tag at its root.
        if (t > 0) {
            int parent = 0;
            for (;;) {
                char *p = file.data() + kTagTable + parent * kTagEntry;
                const QByteArray parentName = tags.at(parent).name.toUpper().toLatin1();
                const int side = name < parentName ? 16 : 17;
                if (p[side] == 0) {
                    p[side] = char(t + 1);
                    entry[18] = char(parent + 1);
                    break;
                }
                parent = quint8(p[side]) - 1;
            }
        }

        char *th = writer.at(headerPage);
        qToLittleEndian<quint32>(root, th);
        qToLittleEndian<quint32>(pagesUsed, th + 4);
        th[8] = 0x10;
        th[9] = tag.keyType;
        th[11] = 0x1B;
        qToLittleEndian<quint16>(quint16(tag.keyLength), th + 12);
        qToLittleEndian<quint16>(quint16(maxKeysPerNode(tag.keyLength)), th + 14);
        qToLittleEndian<quint16>(tag.keyType == 'D' ? 1 : 0, th + 16);
        qToLittleEndian<quint16>(quint16(itemLength(tag.keyLength)), th + 18);
        const QByteArray expression = tag.expression.toUpper().toLatin1().left(219);
        std::memcpy(th + 24, expression.constData(), size_t(expression.size()));
        th[246] = tag.entries.empty() ? 0 : 1;
        qToLittleEndian<quint32>(root, th + 248);
        putDate(th + 257, date);
        th[480] = 1;
    }
    qToLittleEndian<quint32>(quint32(file.size() / kPage), file.data() + 32);
    return file;
}

QList<TagInfo> readTags(const QByteArray &file)
{
    QList<TagInfo> tags;
    if (file.size() < kHeaderPages * kPage || (file.at(0) != 2 && file.at(0) != 3))
        return tags;
    const int entryLength = quint8(file.at(26));
    const int used = qFromLittleEndian<quint16>(file.constData() + 28);
    if (entryLength < kTagEntry || entryLength > 64 || used > kMaxTags)
        return tags;
    const int nameLength = entryLength - kTagEntry + 11;
    const int table = kTagTable + entryLength - kTagEntry;
    for (int i = 0; i < used; ++i) {
        const qint64 at = table + qint64(i) * entryLength;
        if (at + entryLength > kHeaderPages * kPage)
            break;
        const quint32 page = qFromLittleEndian<quint32>(file.constData() + at);
        const qint64 headerAt = qint64(page) * kPage;
        if (page < kHeaderPages || headerAt + kPage > file.size())
            continue;
        TagInfo info;
        info.name = QString::fromLatin1(file.constData() + at + 4, nameLength).section(QChar(0), 0, 0).trimmed();
        info.expression = QString::fromLatin1(file.constData() + headerAt + 24, 220).section(QChar(0), 0, 0).trimmed();
        if (!info.name.isEmpty())
            tags.append(info);
    }
    return tags;
}

} // namespace ergotab::dbf::mdx
