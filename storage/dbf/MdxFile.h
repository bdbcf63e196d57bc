#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include <utility>
#include <vector>

namespace ergotab::dbf {

// The dBase IV production index (.mdx): a header, a tag table and one B-tree per tag, in
// 1024-byte nodes. The engine orders rows from its own memory and writes the whole file
// from there; it reads foreign files only for their tag names and key expressions.
namespace mdx {

inline constexpr int kBlockBytes = 1024;
inline constexpr int kMaxTags = 47;

struct Tag
{
    QString name;       // up to 10 characters, stored upper case
    QString expression; // the key field's name
    char keyType = 'N'; // 'N' (12-byte decimal), 'C' (text) or 'D' (date)
    int keyLength = 12;
    // Keys in ascending order, ties by record number; record numbers count from 1.
    std::vector<std::pair<QByteArray, quint32>> entries;
};

struct TagInfo
{
    QString name;
    QString expression;
};

// The numeric key of `value`: exponent byte, sign and digit count, packed decimal digits.
QByteArray numericKey(double value);
// A date key: the Julian day number as a little-endian double.
QByteArray dateKey(const QDate &date);

int itemLength(int keyLength);
int maxKeysPerNode(int keyLength);

QByteArray build(const QString &tableBaseName, const QList<Tag> &tags, const QDate &date);

// Tags named in an existing file; empty when the file is not a readable index.
QList<TagInfo> readTags(const QByteArray &file);

} // namespace mdx
} // namespace ergotab::dbf
