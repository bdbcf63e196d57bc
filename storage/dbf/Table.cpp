#include "TablePrivate.h"

#include "FieldCodec.h"

#include <cmath>
#include <cstring>

namespace ergotab::dbf {

void Table::Private::fail(const QString &cause) const
{
    throw EngineError(QStringLiteral("Table %1: %2").arg(path.isEmpty() ? QStringLiteral("(unnamed)") : path, cause));
}

void Table::Private::requireOpen() const
{
    if (!file)
        fail(QStringLiteral("the table is not open"));
}

int Table::Private::requireField(const QString &name) const
{
    requireOpen();
    NameSlot &slot = nameSlots[(quintptr(name.constData()) >> 4) % nameSlots.size()];
    // The address alone proves nothing (memory is reused), so the text is compared too.
    if (slot.data == name.constData() && slot.name.size() == name.size()
        && std::memcmp(slot.name.constData(), name.constData(), size_t(name.size()) * sizeof(QChar)) == 0)
        return slot.index;
    int index;
    if (const auto it = fieldCache.constFind(name); it != fieldCache.constEnd()) {
        index = it.value();
    } else {
        index = file->layout().fieldIndex(name);
        if (index < 0)
            fail(QStringLiteral("field %1 not found").arg(name));
        fieldCache.insert(name, index);
    }
    slot = {name.constData(), name, index};
    return index;
}

// The row fields are read from: the unposted row while editing, else the current row;
// nullptr when there is none, and every field then reads empty.
const char *Table::Private::currentRecord() const
{
    if (state != State::Browse)
        return buffer.constData();
    return row >= 0 ? file->record(row) : nullptr;
}

char *Table::Private::editableRecord(const QString &field)
{
    if (state == State::Browse)
        fail(QStringLiteral("cannot set field %1: the table is not in edit or append mode").arg(field));
    modified = true;
    return buffer.data();
}

Table::Table()
    : d(std::make_unique<Private>())
{
    d->q = this;
}

Table::Table(const QString &path)
    : Table()
{
    d->path = path;
}

Table::~Table()
{
    try {
        close();
    } catch (const std::exception &) {
        // A destructor cannot report; the files were released all the same.
    }
}

void Table::setTableName(const QString &path)
{
    if (d->file)
        d->fail(QStringLiteral("cannot change the name of an open table"));
    d->path = path;
}

QString Table::tableName() const { return d->path; }

void Table::clearDefinitions()
{
    d->fieldDefs.clear();
    d->indexDefs.clear();
}

void Table::addFieldDef(const QString &name, FieldKind kind, int width)
{
    d->fieldDefs.append({name, kind, kind == FieldKind::String ? width : 0});
}

void Table::addIndexDef(const QString &name, const QString &field)
{
    d->indexDefs.append({name, field});
}

void Table::createTable()
{
    close();
    if (d->path.isEmpty())
        d->fail(QStringLiteral("no table name is set"));
    SharedTableFile::create(d->path, d->fieldDefs, d->indexDefs);
}

void Table::open()
{
    if (d->file)
        return;
    if (d->path.isEmpty())
        d->fail(QStringLiteral("no table name is set"));
    d->file = SharedTableFile::attach(d->path, d->exclusive);
    d->fieldCache.clear();
    d->nameSlots = {};
    d->state = Private::State::Browse;
    try {
        d->compileFilter();
        d->resolveIndex();
        first();
    } catch (...) {
        close();
        throw;
    }
}

void Table::close()
{
    if (!d->file)
        return;
    // Unposted changes are dropped, as closing a dataset cancels them.
    d->state = Private::State::Browse;
    d->memoEdits.clear();
    d->terms.clear();
    d->row = -1;
    d->eof = true;
    d->tag = -1;
    const std::shared_ptr<SharedTableFile> file = std::move(d->file);
    file->detach();
}

bool Table::isOpen() const { return d->file != nullptr; }

void Table::setExclusive(bool exclusive)
{
    if (d->file)
        d->fail(QStringLiteral("exclusive use can only be switched while the table is closed"));
    d->exclusive = exclusive;
}

bool Table::isExclusive() const { return d->exclusive; }

// Runs a whole-table operation on a handle's file: through the open handle, or by opening
// the table exclusively for the length of the operation.
void Table::Private::onExclusiveFile(const char *what, const std::function<void(SharedTableFile &)> &op)
{
    Private &p = *this;
    if (!p.exclusive)
        p.fail(QStringLiteral("%1 needs the table in exclusive use").arg(QLatin1String(what)));
    if (p.file) {
        op(*p.file);
        return;
    }
    if (p.path.isEmpty())
        p.fail(QStringLiteral("no table name is set"));
    const std::shared_ptr<SharedTableFile> file = SharedTableFile::attach(p.path, true);
    try {
        op(*file);
    } catch (...) {
        try {
            file->detach();
        } catch (const std::exception &) {
        }
        throw;
    }
    file->detach();
}

void Table::addIndex(const QString &name, const QString &field)
{
    d->onExclusiveFile("adding an index", [&](SharedTableFile &f) { f.addIndex(name, field); });
}

void Table::pack()
{
    if (d->file)
        d->toBrowseMode();
    d->onExclusiveFile("packing", [](SharedTableFile &f) { f.pack(); });
    if (d->file) {
        d->fieldCache.clear();
        d->nameSlots = {};
        d->resolveIndex();
        first();
    }
}

bool Table::hasField(const QString &name) const
{
    if (d->file)
        return d->file->layout().fieldIndex(name) >= 0;
    for (const FieldDef &f : d->fieldDefs) {
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QList<FieldDef> Table::fields() const
{
    if (!d->file)
        return d->fieldDefs;
    QList<FieldDef> out;
    for (const FieldLayout &f : d->file->layout().fields) {
        if (f.isMemo() && !(f.type == 'B' && f.length == 8))
            out.append({f.name, FieldKind::Memo, 0});
        else if (f.isNumeric() && f.decimals == 0)
            out.append({f.name, FieldKind::Integer, 0});
        else
            out.append({f.name, FieldKind::String, f.length});
    }
    return out;
}

int Table::fieldInt(const QString &name) const
{
    const int index = d->requireField(name);
    const char *rec = d->currentRecord();
    if (!rec)
        return 0;
    const TableLayout &layout = d->file->layout();
    const FieldLayout &f = layout.fields.at(index);
    std::optional<double> value;
    if (f.isNumeric()) {
        value = fieldcodec::readNumber(f, rec, layout.dialect);
        if (!value && !fieldcodec::isBlank(f, rec, layout.dialect))
            d->fail(QStringLiteral("field %1 does not hold a number").arg(f.name));
    } else if (f.type == 'L') {
        return fieldcodec::readText(f, rec, layout.dialect, layout.codec()) == QStringLiteral("T") ? 1 : 0;
    } else {
        const QByteArray text = fieldText(name).trimmed().toLatin1();
        if (text.isEmpty())
            return 0;
        value = fieldcodec::parseDecimal(text.constData(), int(text.size()));
        if (!value)
            d->fail(QStringLiteral("field %1 does not hold an integer").arg(f.name));
    }
    if (!value)
        return 0;
    const double rounded = std::round(*value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        d->fail(QStringLiteral("the value of field %1 is out of the integer range").arg(f.name));
    return int(rounded);
}

QString Table::fieldText(const QString &name) const
{
    const int index = d->requireField(name);
    const char *rec = d->currentRecord();
    if (!rec)
        return QString();
    const TableLayout &layout = d->file->layout();
    const FieldLayout &f = layout.fields.at(index);
    if (f.isMemo() && !(f.type == 'B' && f.length == 8)) {
        if (const auto it = d->memoEdits.constFind(index); it != d->memoEdits.constEnd())
            return it.value();
        return d->file->memoText(rec, index);
    }
    return fieldcodec::readText(f, rec, layout.dialect, layout.codec());
}

bool Table::isFieldEmpty(const QString &name) const
{
    const int index = d->requireField(name);
    const char *rec = d->currentRecord();
    if (!rec)
        return true;
    if (const auto it = d->memoEdits.constFind(index); it != d->memoEdits.constEnd())
        return it.value().isEmpty();
    const TableLayout &layout = d->file->layout();
    return fieldcodec::isBlank(layout.fields.at(index), rec, layout.dialect);
}

void Table::setFieldInt(const QString &name, int value)
{
    const int index = d->requireField(name);
    const TableLayout &layout = d->file->layout();
    const FieldLayout &f = layout.fields.at(index);
    char *rec = d->editableRecord(name);
    if (f.isMemo() && !(f.type == 'B' && f.length == 8)) {
        d->memoEdits.insert(index, QString::number(value));
        return;
    }
    if (!fieldcodec::writeNumber(f, rec, layout.dialect, double(value)))
        d->fail(QStringLiteral("the value %1 does not fit field %2").arg(value).arg(f.name));
}

void Table::setFieldText(const QString &name, const QString &value)
{
    const int index = d->requireField(name);
    const TableLayout &layout = d->file->layout();
    const FieldLayout &f = layout.fields.at(index);
    char *rec = d->editableRecord(name);
    if (f.isMemo() && !(f.type == 'B' && f.length == 8)) {
        d->memoEdits.insert(index, value);
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
            const QString &name = fields.at(i).name;
            switch (v.typeId()) {
            case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
            case QMetaType::Short: case QMetaType::Bool: {
                bool ok = false;
                const qlonglong n = v.toLongLong(&ok);
                if (ok && n >= INT_MIN && n <= INT_MAX)
                    setFieldInt(name, int(n));
                else
                    setFieldText(name, v.toString());
                break;
            }
            default:
                setFieldText(name, v.toString());
            }
        }
        post();
    } catch (...) {
        if (d->state != Private::State::Browse)
            cancel();
        throw;
    }
}

void Table::setAfterPost(std::function<void(Table &)> handler)
{
    d->afterPost = std::move(handler);
}

} // namespace ergotab::dbf
