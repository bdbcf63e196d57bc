#pragma once

#include <QByteArray>

#include <cstdint>

// Bytes that look and compress like the program's dBase tables: a header, then fixed-width
// records of Czech text (Windows-1250), numbers and padding, drawn from a seeded generator so
// every run packs the same bytes.
class TableLikeData
{
public:
    explicit TableLikeData(uint32_t seed)
        : m_state(seed ? seed : 1)
    {
    }

    // A dBase-style header for records of kRecordSize bytes.
    static QByteArray header(uint32_t records);
    // `count` more records, ' ' as the not-deleted flag.
    QByteArray records(int count);

    static constexpr int kRecordSize = 420;

private:
    uint32_t next();
    template <typename List> const QByteArray &pick(const List &list)
    {
        return list[qsizetype(next() % uint32_t(list.size()))];
    }

    uint32_t m_state;
    uint32_t m_index = 0;
};
