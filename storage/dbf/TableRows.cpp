// Reading and writing the fields of the current row, and the changes a handle posts.
#include "TablePrivate.h"

#include "FieldCodec.h"
#include "ShortNumber.h"

#include <climits>
#include <cmath>

namespace ergotab::dbf {

int Table::fieldInt(int field) const
{
    const FieldLayout &f = d->requireField(field);
    const char *rec = d->currentRecord();
    if (!rec)
        return 0;
    // Whole numbers as this program writes them are read here at once; the rest below.
    if (qint64 plain; (f.type == 'N' || f.type == 'F') &&
                      shortnumber::readPlainInteger(rec + f.offset, f.length, plain) && plain >= INT_MIN &&
                      plain <= INT_MAX)
        return int(plain);
    return d->fieldIntOfAnyShape(field, f, rec);
}

int Table::Private::fieldIntOfAnyShape(int field, const FieldLayout &f, const char *rec) const
{
    const TableLayout &layout = file->layout();
    if (qint64 plain; fieldcodec::readPlainInteger(f, rec, plain) && plain >= INT_MIN && plain <= INT_MAX)
        return int(plain);
    std::optional<double> value;
    if (f.isNumeric()) {
        value = fieldcodec::readNumber(f, rec, layout.dialect);
        if (!value && !fieldcodec::isBlank(f, rec, layout.dialect))
            fail(QStringLiteral("field %1 does not hold a number").arg(f.name));
    } else if (f.type == 'L') {
        return fieldcodec::readText(f, rec, layout.dialect, layout.codec()) == QStringLiteral("T") ? 1 : 0;
    } else {
        const QByteArray text = q->fieldText(field).trimmed().toLatin1(); // memos too, edited or stored
        if (text.isEmpty())
            return 0;
        value = fieldcodec::parseDecimal(text.constData(), int(text.size()));
        if (!value)
            fail(QStringLiteral("field %1 does not hold an integer").arg(f.name));
    }
    if (!value)
        return 0;
    const double rounded = std::round(*value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        fail(QStringLiteral("the value of field %1 is out of the integer range").arg(f.name));
    return int(rounded);
}

QString Table::fieldText(int field) const
{
    const FieldLayout &f = d->requireField(field);
    const char *rec = d->currentRecord();
    if (!rec)
        return QString();
    const TableLayout &layout = d->file->layout();
    if (f.isMemo() && !(f.type == 'B' && f.length == 8)) {
        if (const auto it = d->memoEdits.constFind(field); it != d->memoEdits.constEnd())
            return it.value();
        return d->file->memoText(rec, field);
    }
    return fieldcodec::readText(f, rec, layout.dialect, layout.codec());
}

bool Table::isFieldEmpty(int field) const
{
    const FieldLayout &f = d->requireField(field);
    const char *rec = d->currentRecord();
    if (!rec)
        return true;
    if (const auto it = d->memoEdits.constFind(field); it != d->memoEdits.constEnd())
        return it.value().isEmpty();
    return fieldcodec::isBlank(f, rec, d->file->layout().dialect);
}

void Table::setFieldInt(int field, int value)
{
    const FieldLayout &f = d->requireField(field);
    char *rec = d->editableRecord(f);
    if (f.isMemo() && !(f.type == 'B' && f.length == 8)) {
        d->memoEdits.insert(field, QString::number(value));
        return;
    }
    if (!fieldcodec::writeNumber(f, rec, d->file->layout().dialect, double(value)))
        d->fail(QStringLiteral("the value %1 does not fit field %2").arg(value).arg(f.name));
}

void Table::setFieldText(int field, const QString &value)
{
    const FieldLayout &f = d->requireField(field);
    const TableLayout &layout = d->file->layout();
    char *rec = d->editableRecord(f);
    if (f.isMemo() && !(f.type == 'B' && f.length == 8)) {
        d->memoEdits.insert(field, value);
        return;
    }
    if (!fieldcodec::writeText(f, rec, layout.dialect, layout.codec(), value))
        d->fail(QStringLiteral("\"%1\" is not a valid value for field %2").arg(value, f.name));
}

void Table::append()
{
    d->requireOpen();
    d->toBrowseMode();
    const TableLayout &layout = d->file->layout();
    d->buffer = QByteArray(layout.recordLength, ' ');
    for (const FieldLayout &f : layout.fields)
        fieldcodec::clear(f, d->buffer.data(), layout.dialect);
    d->memoEdits.clear();
    d->modified = false;
    d->state = Private::State::Insert;
}

void Table::edit()
{
    d->requireOpen();
    if (d->state != Private::State::Browse)
        return;
    if (d->row < 0 || d->file->isDeleted(d->row))
        d->fail(QStringLiteral("there is no current row to edit"));
    d->buffer = QByteArray(d->file->record(d->row), d->file->layout().recordLength);
    d->memoEdits.clear();
    d->modified = false;
    d->state = Private::State::Edit;
}

void Table::post()
{
    d->requireOpen();
    if (d->state == Private::State::Browse)
        d->fail(QStringLiteral("nothing to post: the table is not in edit or append mode"));
    if (d->state == Private::State::Insert)
        d->row = d->file->appendRow(d->buffer, d->memoEdits);
    else
        d->file->updateRow(d->row, d->buffer, d->memoEdits);
    d->state = Private::State::Browse;
    d->memoEdits.clear();
    d->modified = false;
    d->eof = false;
    if (d->afterPost)
        d->afterPost(*this);
}

void Table::cancel()
{
    d->state = Private::State::Browse;
    d->memoEdits.clear();
    d->modified = false;
}

void Table::deleteRecord()
{
    d->requireOpen();
    if (d->state == Private::State::Insert) {
        cancel();
        return;
    }
    cancel();
    if (d->row < 0 || d->file->isDeleted(d->row))
        d->fail(QStringLiteral("there is no current row to delete"));
    d->file->deleteRow(d->row);
    d->row = d->following(d->row);
    d->eof = d->row < 0;
}

void Table::appendRecord(const QVariantList &values)
{
    append();
    try {
        const QList<FieldLayout> &fields = d->file->layout().fields;
        if (values.size() > fields.size())
            d->fail(QStringLiteral("%1 values given for %2 fields").arg(values.size()).arg(fields.size()));
        for (qsizetype i = 0; i < values.size(); ++i) {
            const QVariant &v = values.at(i);
            if (!v.isValid() || v.isNull())
                continue;
            const int field = int(i);
            switch (v.typeId()) {
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Short:
            case QMetaType::Bool: {
                bool ok = false;
                const qlonglong n = v.toLongLong(&ok);
                if (ok && n >= INT_MIN && n <= INT_MAX)
                    setFieldInt(field, int(n));
                else
                    setFieldText(field, v.toString());
                break;
            }
            default:
                setFieldText(field, v.toString());
            }
        }
        post();
    } catch (...) {
        if (d->state != Private::State::Browse)
            cancel();
        throw;
    }
}

} // namespace ergotab::dbf
