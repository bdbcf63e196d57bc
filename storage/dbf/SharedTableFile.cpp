#include "SharedTableFile.h"

#include "FieldCodec.h"
#include "MdxFile.h"
#include "TableFiles.h"

#include <QDate>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>

namespace ergotab::dbf {

namespace {

QHash<QString, std::shared_ptr<SharedTableFile>> &registry()
{
    static QHash<QString, std::shared_ptr<SharedTableFile>> files;
    return files;
}

// Reads exactly `size` bytes or returns fewer when the file is shorter.
QByteArray readAt(QFile &file, qint64 offset, qint64 size)
{
    if (!file.seek(offset))
        return QByteArray();
    return file.read(size);
}

} // namespace

SharedTableFile::SharedTableFile(const QString &path)
    : m_path(path)
    , m_dbf(path)
{
}

SharedTableFile::~SharedTableFile()
{
    // Still attached only when the program ends with tables open: save what can be saved.
    if (m_handles > 0 && m_dbf.isOpen()) {
        try {
            if (m_memo)
                m_memo->flush();
            flushIndex();
        } catch (const std::exception &) {
        }
    }
}

void SharedTableFile::fail(const QString &cause) const
{
    throw EngineError(QStringLiteral("Table %1: %2").arg(m_path, cause));
}

std::shared_ptr<SharedTableFile> SharedTableFile::attach(const QString &path, bool exclusive)
{
    const QString key = tablefiles::registryKey(path);
    auto &files = registry();
    if (const auto it = files.find(key); it != files.end()) {
        const std::shared_ptr<SharedTableFile> &file = it.value();
        if (file->m_exclusive)
            throw EngineError(QStringLiteral("Table %1: the table is in use exclusively by another handle").arg(path));
        if (exclusive)
            throw EngineError(
                QStringLiteral("Table %1: cannot open exclusively, the table is in use by another handle").arg(path));
        ++file->m_handles;
        return file;
    }
    std::shared_ptr<SharedTableFile> file(new SharedTableFile(path));
    file->m_key = key;
    file->m_exclusive = exclusive;
    file->load();
    file->m_handles = 1;
    files.insert(key, file);
    return file;
}

bool SharedTableFile::isAttached(const QString &path)
{
    return registry().contains(tablefiles::registryKey(path));
}

void SharedTableFile::detach()
{
    if (--m_handles > 0)
        return;
    // Leave the registry first: even if the index cannot be written the files are released.
    const std::shared_ptr<SharedTableFile> self = registry().take(m_key);
    struct Unload
    {
        SharedTableFile *file;
        ~Unload() { file->unload(); }
    } unloadOnExit {this};
    if (m_memo)
        m_memo->flush();
    flushIndex();
}

void SharedTableFile::load()
{
    if (!QFileInfo::exists(m_path))
        fail(QStringLiteral("the file does not exist"));
    m_writable = m_dbf.open(QIODevice::ReadWrite | QIODevice::Unbuffered);
    if (!m_writable && !m_dbf.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        fail(QStringLiteral("cannot open the file: %1").arg(m_dbf.errorString()));
    const qint64 fileSize = m_dbf.size();
    QByteArray header = readAt(m_dbf, 0, 32);
    if (header.size() == 32) {
        const int headerLength = quint8(header.at(8)) | quint8(header.at(9)) << 8;
        header = readAt(m_dbf, 0, qMin<qint64>(qMax(headerLength, 32), fileSize));
    }
    m_layout = parseTableHeader(header, fileSize, m_path);
    m_header = header.left(m_layout.headerLength);
    // The header's count is trusted only as far as the file really holds rows.
    const qint64 available = (fileSize - m_layout.headerLength) / m_layout.recordLength;
    m_rows = int(std::min<qint64>({qint64(m_layout.recordCount), available, qint64(INT_MAX / 2)}));
    // Mapping the rows costs far less than copying them, and most handles only read. The
    // range mapped lies wholly inside the file, as `available` above guarantees.
    const qint64 rowBytes = qint64(m_rows) * m_layout.recordLength;
    m_data.clear();
    dropWindow();
    m_rowMap = rowBytes > 0 ? m_dbf.map(m_layout.headerLength, rowBytes, QFileDevice::MapPrivateOption) : nullptr;
    if (m_rowMap) {
        m_rowBytes = reinterpret_cast<const char *>(m_rowMap);
    } else {
        m_data = readAt(m_dbf, m_layout.headerLength, rowBytes);
        if (m_data.size() != rowBytes)
            fail(QStringLiteral("cannot read the rows: %1").arg(m_dbf.errorString()));
        m_rowBytes = m_data.constData();
    }
    m_live = -1;

    if (m_layout.memo != MemoFormat::None) {
        const QString ext = m_layout.memo == MemoFormat::Fpt ? QStringLiteral("fpt") : QStringLiteral("dbt");
        const QString memoPath = tablefiles::companion(m_path, ext);
        // A version byte without the memo bit promises no memo file: its memo fields read empty.
        if ((m_layout.version & 0x80) || QFileInfo::exists(memoPath)) {
            m_memo = std::make_unique<MemoFile>(m_layout.memo, memoPath, m_path);
            m_memo->open(m_writable);
        }
    }
    m_values.clear();
    m_values.resize(size_t(m_layout.fields.size()));
    m_stamped = false;
    // An index file that is missing, unreadable or lacks a tag the table names is written
    // afresh from the rows when the last handle leaves.
    m_indexDirty = !loadTags();
}

void SharedTableFile::unload()
{
    m_memo.reset();
    if (m_rowMap)
        m_dbf.unmap(m_rowMap);
    m_rowMap = nullptr;
    dropWindow();
    m_dbf.close();
    m_data.clear();
    m_rowBytes = m_data.constData();
    m_values.clear();
    m_tags.clear();
    m_rows = 0;
    m_live = -1;
}

bool SharedTableFile::loadTags()
{
    m_tags.clear();
    // Only the tag names and their fields come from the index file; the order itself is
    // always rebuilt from the rows, so a stale or foreign index file cannot mislead us.
    QList<mdx::TagInfo> infos;
    if (m_layout.productionIndex) {
        QFile file(tablefiles::companion(m_path, QStringLiteral("mdx")));
        if (file.open(QIODevice::ReadOnly))
            infos = mdx::readTags(file.read(qMin<qint64>(file.size(), 64 << 20)));
    }
    const qsizetype fromFile = infos.size();
    for (int f = 0; f < m_layout.fields.size(); ++f) {
        if (m_layout.fields.at(f).indexed)
            infos.append({m_layout.fields.at(f).name.toUpper(), m_layout.fields.at(f).name});
    }
    bool fileHoldsAll = true;
    for (qsizetype i = 0; i < infos.size(); ++i) {
        const mdx::TagInfo &info = infos.at(i);
        const int field = m_layout.fieldIndex(info.expression);
        if (field < 0 || m_layout.fields.at(field).isMemo())
            continue;
        if (const int known = tagIndex(info.name); known >= 0) {
            fileHoldsAll = fileHoldsAll && (i < fromFile || m_tags[size_t(known)].field == field);
            continue;
        }
        fileHoldsAll = fileHoldsAll && i < fromFile;
        OrderedTag tag;
        tag.name = info.name.toUpper();
        tag.field = field;
        m_tags.push_back(std::move(tag));
    }
    return fileHoldsAll;
}

int SharedTableFile::liveCount() const
{
    if (m_live < 0) {
        m_live = 0;
        for (int r = 0; r < m_rows; ++r)
            m_live += isDeleted(r) ? 0 : 1;
    }
    return m_live;
}

const OrderedTag &SharedTableFile::tag(int index)
{
    OrderedTag &tag = m_tags.at(size_t(index));
    if (!tag.built)
        buildTag(tag);
    return tag;
}

// The order is built when a handle first walks it, not at open: most handles never do.
void SharedTableFile::buildTag(OrderedTag &tag)
{
    // Sorted first, the entries go into the tree in order, each at its end: no searching.
    std::vector<OrderEntry> order;
    order.reserve(size_t(liveCount()));
    for (int r = 0; r < m_rows; ++r) {
        if (!isDeleted(r))
            order.push_back(orderEntry(int(&tag - m_tags.data()), r));
    }
    std::sort(order.begin(), order.end());
    tag.entries = std::set<OrderEntry>(std::make_move_iterator(order.begin()), std::make_move_iterator(order.end()));
    tag.built = true;
}

const char *SharedTableFile::recordOutsideWindow(int row) const
{
    const qsizetype length = m_layout.recordLength;
    const char *direct = m_rowBytes + qsizetype(row) * length;
    // Owned rows, or a jump away from where a scan in file order would go next: a scan
    // goes on where the window ends, or starts anew with the row after the one read last.
    const bool scanning = row == m_windowEnd || row == std::exchange(m_lastOutsideWindow, row) + 1;
    if (!m_rowMap || !scanning || row < 0 || row >= m_rows)
        return direct;
    const int rows = int(qMin<qint64>(qMax<qsizetype>(kWindowBytes / length, 1), m_rows - row));
    const qsizetype bytes = qsizetype(rows) * length;
    if (m_windowCapacity < bytes) {
        m_window = std::make_unique_for_overwrite<char[]>(size_t(bytes));
        m_windowCapacity = bytes;
    }
    dropWindow();
    QFile &file = const_cast<QFile &>(m_dbf);
    if (!file.seek(m_layout.headerLength + qint64(row) * length) || file.read(m_window.get(), bytes) != bytes)
        return direct; // the mapping still holds what the file held when it was opened
    m_windowFirst = row;
    m_windowEnd = row + rows;
    return m_window.get();
}

int SharedTableFile::nextLiveRow(int after) const
{
    for (int r = qMax(after + 1, 0); r < m_rows; ++r) {
        if (!isDeleted(r))
            return r;
    }
    return -1;
}

QString SharedTableFile::memoText(const char *rec, int field)
{
    const quint32 block = fieldcodec::readMemoBlock(m_layout.fields.at(field), rec);
    if (block == 0 || !m_memo)
        return QString();
    return m_memo->readText(block, m_layout.codec());
}

QByteArray SharedTableFile::fieldKey(const char *rec, int field)
{
    const FieldLayout &f = m_layout.fields.at(field);
    if (f.isMemo())
        return m_layout.codec().encode(memoText(rec, field));
    return fieldcodec::key(f, rec, m_layout.dialect);
}

const ValueIndex &SharedTableFile::valueIndex(int field)
{
    std::unique_ptr<ValueIndex> &index = m_values[size_t(field)];
    if (!index) {
        index = std::make_unique<ValueIndex>();
        for (int r = 0; r < m_rows; ++r) {
            if (!isDeleted(r))
                index->add(fieldKey(record(r), field), r);
        }
    }
    return *index;
}

const std::vector<int> &SharedTableFile::rowsWithValue(int field, const QByteArray &key)
{
    static const std::vector<int> none;
    const std::vector<int> *rows = valueIndex(field).rows(key);
    return rows ? *rows : none;
}

int SharedTableFile::tagIndex(const QString &name) const
{
    for (size_t i = 0; i < m_tags.size(); ++i) {
        if (m_tags[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

OrderEntry SharedTableFile::orderEntry(int tag, int row) const
{
    return orderEntry(tag, record(row), row);
}

OrderEntry SharedTableFile::orderEntry(int tag, const char *rec, int row) const
{
    const FieldLayout &f = m_layout.fields.at(m_tags[size_t(tag)].field);
    OrderEntry e;
    e.row = row;
    if (f.isNumeric())
        e.number = fieldcodec::readNumber(f, rec, m_layout.dialect).value_or(0.0);
    else if (f.type == 'D')
        e.number = double(QDate::fromString(fieldcodec::readText(f, rec, m_layout.dialect, m_layout.codec()),
                                            QStringLiteral("yyyyMMdd"))
                              .toJulianDay());
    else
        e.text = QByteArray(rec + f.offset, f.length);
    return e;
}

void SharedTableFile::indexRow(int row)
{
    for (size_t f = 0; f < m_values.size(); ++f) {
        if (m_values[f])
            m_values[f]->add(fieldKey(record(row), int(f)), row);
    }
    for (size_t t = 0; t < m_tags.size(); ++t) {
        if (m_tags[t].built)
            m_tags[t].entries.insert(orderEntry(int(t), row));
    }
}

void SharedTableFile::unindexRow(int row)
{
    for (size_t f = 0; f < m_values.size(); ++f) {
        if (m_values[f])
            m_values[f]->remove(fieldKey(record(row), int(f)), row);
    }
    for (size_t t = 0; t < m_tags.size(); ++t) {
        if (m_tags[t].built)
            m_tags[t].entries.erase(orderEntry(int(t), row));
    }
}

QByteArray SharedTableFile::buildIndexFile(const char *data, int rows) const
{
    QList<mdx::Tag> tags;
    for (size_t t = 0; t < m_tags.size(); ++t) {
        const FieldLayout &f = m_layout.fields.at(m_tags[t].field);
        mdx::Tag tag;
        tag.name = m_tags[t].name;
        tag.expression = f.name;
        if (f.isNumeric()) {
            tag.keyType = 'N';
            tag.keyLength = 12;
        } else if (f.type == 'D') {
            tag.keyType = 'D';
            tag.keyLength = 8;
        } else {
            tag.keyType = 'C';
            tag.keyLength = qBound(1, f.length, 100);
        }
        // dBase keeps deleted rows in its indexes too, so the file lists every row.
        std::vector<OrderEntry> order;
        order.reserve(size_t(rows));
        for (int r = 0; r < rows; ++r)
            order.push_back(orderEntry(int(t), data + qsizetype(r) * m_layout.recordLength, r));
        std::sort(order.begin(), order.end());
        tag.entries.reserve(order.size());
        for (const OrderEntry &e : order) {
            QByteArray key;
            if (tag.keyType == 'N')
                key = mdx::numericKey(e.number);
            else if (tag.keyType == 'D')
                key = mdx::dateKey(QDate::fromJulianDay(qint64(e.number)));
            else
                key = e.text.left(tag.keyLength);
            tag.entries.emplace_back(key, quint32(e.row + 1));
        }
        tags.append(std::move(tag));
    }
    return mdx::build(QFileInfo(m_path).completeBaseName(), tags, QDate::currentDate());
}

void SharedTableFile::flushIndex()
{
    if (!m_indexDirty || !m_writable)
        return;
    m_indexDirty = false;
    const QString path = tablefiles::companion(m_path, QStringLiteral("mdx"));
    const QString temp = path + QStringLiteral(".new~");
    tablefiles::writeWhole(temp, buildIndexFile(m_rowBytes, m_rows), m_path);
    tablefiles::replace({{temp, path}}, m_path);
}

} // namespace ergotab::dbf
