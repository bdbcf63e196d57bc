// Creating, packing and indexing: the operations that rewrite a table's files as a whole.
#include "SharedTableFile.h"

#include "FieldCodec.h"
#include "MdxFile.h"
#include "TableFiles.h"

#include <QFileInfo>
#include <QtEndian>

namespace ergotab::dbf {

namespace {

void checkTagName(const QString &name, const QString &tableName)
{
    bool ok = !name.isEmpty() && name.size() <= 10;
    for (QChar c : name)
        ok = ok && c.unicode() < 0x7F && (c.isLetterOrNumber() || c == QLatin1Char('_'));
    if (!ok)
        throw EngineError(QStringLiteral("Table %1: index name \"%2\" must have 1 to 10 ASCII letters, digits or _")
                              .arg(tableName, name));
}

// Removes the temporary files of an unfinished rewrite.
struct TempFiles
{
    QStringList paths;
    ~TempFiles()
    {
        for (const QString &p : paths)
            QFile::remove(p);
    }
    QString add(const QString &target)
    {
        paths.append(target + QStringLiteral(".new~"));
        return paths.last();
    }
};

} // namespace

void SharedTableFile::create(const QString &path, const QList<FieldDef> &fields, const QList<IndexDef> &indexes)
{
    if (isAttached(path))
        throw EngineError(QStringLiteral("Table %1: cannot create the table, it is in use").arg(path));
    if (!path.endsWith(QStringLiteral(".dbf"), Qt::CaseInsensitive))
        throw EngineError(QStringLiteral("Table %1: a table name must end with .dbf").arg(path));
    QStringList indexedFields;
    QList<mdx::Tag> tags;
    for (const IndexDef &def : indexes) {
        checkTagName(def.name, path);
        const auto field = std::find_if(fields.begin(), fields.end(), [&](const FieldDef &f) {
            return f.name.compare(def.field, Qt::CaseInsensitive) == 0;
        });
        if (field == fields.end())
            throw EngineError(
                QStringLiteral("Table %1: index %2 names the unknown field %3").arg(path, def.name, def.field));
        if (field->kind == FieldKind::Memo)
            throw EngineError(QStringLiteral("Table %1: cannot index the memo field %2").arg(path, def.field));
        for (const mdx::Tag &t : tags) {
            if (t.name.compare(def.name, Qt::CaseInsensitive) == 0)
                throw EngineError(QStringLiteral("Table %1: index %2 is defined twice").arg(path, def.name));
        }
        indexedFields.append(field->name);
        mdx::Tag tag;
        tag.name = def.name;
        tag.expression = field->name;
        tag.keyType = field->kind == FieldKind::Integer ? 'N' : 'C';
        tag.keyLength = field->kind == FieldKind::Integer ? 12 : qBound(1, field->width, 100);
        tags.append(tag);
    }
    if (tags.size() > mdx::kMaxTags)
        throw EngineError(QStringLiteral("Table %1: a table holds at most %2 indexes").arg(path).arg(mdx::kMaxTags));
    const TableLayout layout = nativeLayout(fields, indexedFields, path);
    const QDate today = QDate::currentDate();
    const QString base = QFileInfo(path).completeBaseName();
    const QString memoPath = tablefiles::companion(path, QStringLiteral("dbt"));
    const QString indexPath = tablefiles::companion(path, QStringLiteral("mdx"));

    TempFiles temps;
    QList<QPair<QString, QString>> files;
    const QString dbfTemp = temps.add(path);
    tablefiles::writeWhole(dbfTemp, buildTableHeader(layout, 0, today) + '\x1A', path);
    files.append({dbfTemp, path});
    if (layout.memo != MemoFormat::None) {
        const QString temp = temps.add(memoPath);
        tablefiles::writeWhole(temp, MemoFile::emptyFile(MemoFormat::Dbt4, base), path);
        files.append({temp, memoPath});
    }
    if (!tags.isEmpty()) {
        const QString temp = temps.add(indexPath);
        tablefiles::writeWhole(temp, mdx::build(base, tags, today), path);
        files.append({temp, indexPath});
    }
    tablefiles::replace(files, path);
    // A memo or index file left from the table this one replaces would be read as its own.
    if (layout.memo == MemoFormat::None)
        QFile::remove(memoPath);
    if (tags.isEmpty())
        QFile::remove(indexPath);
}

void SharedTableFile::addIndex(const QString &name, const QString &fieldName)
{
    requireWritable();
    checkTagName(name, m_path);
    const int field = m_layout.fieldIndex(fieldName);
    if (field < 0)
        fail(QStringLiteral("field %1 not found").arg(fieldName));
    if (m_layout.fields.at(field).isMemo())
        fail(QStringLiteral("cannot index the memo field %1").arg(fieldName));
    if (const int existing = tagIndex(name); existing >= 0) {
        if (m_tags[size_t(existing)].field == field)
            return;
        fail(QStringLiteral("index %1 already exists on another field").arg(name));
    }
    if (int(m_tags.size()) >= mdx::kMaxTags)
        fail(QStringLiteral("a table holds at most %1 indexes").arg(mdx::kMaxTags));

    FieldLayout &f = m_layout.fields[field];
    f.indexed = true;
    m_layout.productionIndex = true;
    const int flagAt = f.descriptorOffset + (m_layout.dialect == Dialect::Level7 ? 37 : 31);
    m_header[flagAt] = 1;
    m_header[28] = 1;
    writeDbf(flagAt, QByteArray(1, 1));
    writeDbf(28, QByteArray(1, 1));

    OrderedTag tag;
    tag.name = name.toUpper();
    tag.field = field;
    m_tags.push_back(std::move(tag));
    ++m_generation;
    m_indexDirty = true;
    flushIndex();
}

void SharedTableFile::pack()
{
    requireWritable();
    const int rl = m_layout.recordLength;
    TempFiles temps;
    QList<QPair<QString, QString>> files;

    QByteArray data;
    data.reserve(qsizetype(liveCount()) * rl);
    QByteArray memo;
    if (m_memo) {
        const int bs = m_memo->blockSize();
        memo = MemoFile::emptyFile(m_layout.memo, QFileInfo(m_path).completeBaseName(), bs);
        memo.resize((memo.size() + bs - 1) / bs * bs, '\0');
    }
    int rows = 0;
    for (int r = 0; r < m_rows; ++r) {
        if (isDeleted(r))
            continue;
        QByteArray rec(record(r), rl);
        if (m_memo) {
            for (const FieldLayout &f : m_layout.fields) {
                if (!f.isMemo() || (f.type == 'B' && f.length == 8))
                    continue;
                const quint32 block = fieldcodec::readMemoBlock(f, rec.constData());
                const QByteArray text = m_memo->read(block);
                quint32 newBlock = 0;
                if (!text.isEmpty()) {
                    newBlock = quint32(memo.size() / m_memo->blockSize());
                    memo += MemoFile::encodeRun(m_layout.memo, text, m_memo->blockSize());
                }
                fieldcodec::writeMemoBlock(f, rec.data(), m_layout.dialect, newBlock);
            }
        }
        data += rec;
        ++rows;
    }
    if (m_memo) {
        const quint32 next = quint32(memo.size() / m_memo->blockSize());
        if (m_layout.memo == MemoFormat::Fpt)
            qToBigEndian<quint32>(next, memo.data());
        else
            qToLittleEndian<quint32>(next, memo.data());
        const QString temp = temps.add(m_memo->path());
        tablefiles::writeWhole(temp, memo, m_path);
        files.append({temp, m_memo->path()});
    }
    QByteArray header = m_header;
    header.replace(1, 7, headerDateAndCount(quint32(rows), QDate::currentDate()));
    const QString dbfTemp = temps.add(m_path);
    tablefiles::writeWhole(dbfTemp, header + data + '\x1A', m_path);
    files.append({dbfTemp, m_path});
    if (!m_tags.empty()) {
        const QString indexPath = tablefiles::companion(m_path, QStringLiteral("mdx"));
        const QString temp = temps.add(indexPath);
        tablefiles::writeWhole(temp, buildIndexFile(data.constData(), rows), m_path);
        files.append({temp, indexPath});
    }
    unload();
    try {
        tablefiles::replace(files, m_path);
    } catch (...) {
        load();
        throw;
    }
    load();
    ++m_generation;
}

} // namespace ergotab::dbf
