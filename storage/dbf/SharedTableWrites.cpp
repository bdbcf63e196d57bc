// Posting, editing and deleting rows: written through to the files at once.
#include "SharedTableFile.h"

#include "FieldCodec.h"
#include "TableFiles.h"

#include <QtEndian>

#include <climits>
#include <cstring>

namespace ergotab::dbf {

void SharedTableFile::requireWritable() const
{
    if (!m_writable)
        fail(QStringLiteral("the table is read-only"));
}

void SharedTableFile::ownRows()
{
    if (!m_rowMap)
        return;
    m_data = QByteArray(m_rowBytes, qsizetype(m_rows) * m_layout.recordLength);
    m_dbf.unmap(m_rowMap);
    m_rowMap = nullptr;
    dropWindow();
    m_rowBytes = m_data.constData();
}

void SharedTableFile::writeDbf(qint64 offset, const QByteArray &bytes)
{
    if (!tablefiles::writeAt(m_dbf, offset, bytes))
        fail(QStringLiteral("cannot write the file: %1").arg(m_dbf.errorString()));
}

void SharedTableFile::stampHeader()
{
    // Asking for today's date costs a system call; once a minute is often enough.
    if (!m_today.isValid() || m_todayAge.hasExpired(60000)) {
        m_today = QDate::currentDate();
        m_todayAge.start();
    }
    const QByteArray stamp = headerDateAndCount(quint32(m_rows), m_today);
    m_header.replace(1, 7, stamp);
    writeDbf(1, stamp);
    m_stamped = true;
}

void SharedTableFile::storeMemos(QByteArray &rec, const QHash<int, QString> &memos, const char *stored)
{
    for (auto it = memos.constBegin(); it != memos.constEnd(); ++it) {
        const FieldLayout &f = m_layout.fields.at(it.key());
        if (!m_memo)
            fail(QStringLiteral("field %1 has no memo file").arg(f.name));
        const quint32 old = stored ? fieldcodec::readMemoBlock(f, stored) : 0;
        const quint32 block = m_memo->write(m_layout.codec().encode(it.value()), old);
        fieldcodec::writeMemoBlock(f, rec.data(), m_layout.dialect, block);
    }
    if (m_memo)
        m_memo->flushPending(); // the memos reach the file before the record pointing at them
}

int SharedTableFile::appendRow(QByteArray rec, const QHash<int, QString> &memos)
{
    requireWritable();
    if (m_rows >= INT_MAX / 2 || qint64(m_rows + 1) * m_layout.recordLength > 0x7FFFFFFFll)
        fail(QStringLiteral("the table is full"));
    rec[0] = ' ';
    // Level-7 autoincrement fields take the next value kept in their descriptor.
    for (FieldLayout &f : m_layout.fields) {
        if (f.type != '+' || m_layout.dialect != Dialect::Level7)
            continue;
        if (fieldcodec::isBlank(f, rec.constData(), m_layout.dialect))
            fieldcodec::writeNumber(f, rec.data(), m_layout.dialect, double(f.nextAutoIncrement));
        f.nextAutoIncrement = quint32(qMax(
            double(f.nextAutoIncrement), fieldcodec::readNumber(f, rec.constData(), m_layout.dialect).value_or(0) + 1));
        QByteArray counter(4, '\0');
        qToLittleEndian<quint32>(f.nextAutoIncrement, counter.data());
        m_header.replace(f.descriptorOffset + 42, 4, counter);
        writeDbf(f.descriptorOffset + 42, counter);
    }
    ownRows();
    storeMemos(rec, memos, nullptr);
    const int row = m_rows;
    writeDbf(m_layout.headerLength + qint64(row) * m_layout.recordLength, rec + '\x1A');
    m_data.append(rec);
    m_rowBytes = m_data.constData();
    ++m_rows;
    if (m_live >= 0)
        ++m_live;
    stampHeader();
    indexRow(row);
    ++m_generation;
    m_indexDirty = !m_tags.empty();
    return row;
}

void SharedTableFile::updateRow(int row, QByteArray rec, const QHash<int, QString> &memos)
{
    requireWritable();
    if (row < 0 || row >= m_rows || isDeleted(row))
        fail(QStringLiteral("the row to update no longer exists"));
    rec[0] = ' ';
    ownRows();
    storeMemos(rec, memos, record(row));
    writeDbf(m_layout.headerLength + qint64(row) * m_layout.recordLength, rec);
    unindexRow(row);
    std::memcpy(m_data.data() + qsizetype(row) * m_layout.recordLength, rec.constData(), size_t(rec.size()));
    m_rowBytes = m_data.constData();
    indexRow(row);
    if (!m_stamped)
        stampHeader();
    ++m_generation;
    m_indexDirty = !m_tags.empty();
}

void SharedTableFile::deleteRow(int row)
{
    requireWritable();
    if (row < 0 || row >= m_rows || isDeleted(row))
        return;
    ownRows();
    writeDbf(m_layout.headerLength + qint64(row) * m_layout.recordLength, QByteArray(1, '*'));
    unindexRow(row);
    m_data[qsizetype(row) * m_layout.recordLength] = '*';
    m_rowBytes = m_data.constData();
    if (m_live >= 0)
        --m_live;
    if (!m_stamped)
        stampHeader();
    ++m_generation;
    m_indexDirty = !m_tags.empty();
}

} // namespace ergotab::dbf
