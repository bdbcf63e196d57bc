#pragma once

#include "TableLayout.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace ergotab::dbf {

// Reading and writing one field inside a record's bytes, for every stored type the engine
// knows. `rec` always points at the deletion flag, so field bytes start at rec + offset.
// Memo fields are handled here only as their block pointer.
namespace fieldcodec {

bool isBlank(const FieldLayout &f, const char *rec, Dialect dialect);

// Numeric fields (N, F, I, +, O, Y and FoxPro doubles); nullopt when blank or unreadable.
std::optional<double> readNumber(const FieldLayout &f, const char *rec, Dialect dialect);

// N and F fields holding a whole number as dBase writes it ("  -123"), or nothing at all
// (read as 0): the value, without going through a double. False for anything else (decimals,
// exponents, damage, more than 18 digits), which readNumber then judges.
bool readPlainInteger(const FieldLayout &f, const char *rec, qint64 &value);

// Text of a non-memo field: character fields without trailing blanks, numbers as written,
// logicals as "T"/"F", dates as YYYYMMDD, level-7 timestamps as "yyyy-MM-dd HH:mm:ss".
QString readText(const FieldLayout &f, const char *rec, Dialect dialect, const CodePage &cp);

// Block number of a memo field; 0 when the field holds none.
quint32 readMemoBlock(const FieldLayout &f, const char *rec);
void writeMemoBlock(const FieldLayout &f, char *rec, Dialect dialect, quint32 block);

// Stores a number; returns false when it does not fit the field.
bool writeNumber(const FieldLayout &f, char *rec, Dialect dialect, double value);
// Stores text: character fields are cut to their width; other types parse the text and
// return false when it is not a valid value for the field. Empty text blanks the field.
bool writeText(const FieldLayout &f, char *rec, Dialect dialect, const CodePage &cp, const QString &text);
void clear(const FieldLayout &f, char *rec, Dialect dialect);

// A value's identity for equality tests: equal keys mean equal values. Numbers compare by
// value, text by its stored bytes without trailing blanks; a blank field equals 0 or "".
QByteArray numberKey(double value);
QByteArray key(const FieldLayout &f, const char *rec, Dialect dialect);

// Parses decimal text as dBase writes it ("  -12.50"); nullopt for anything else.
std::optional<double> parseDecimal(const char *data, int size);

} // namespace fieldcodec
} // namespace ergotab::dbf
