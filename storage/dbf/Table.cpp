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

void Table::Private::failField(int field) const
{
    requireOpen();
    fail(QStringLiteral("there is no field number %1").arg(field));
}

char *Table::Private::editableRecord(const FieldLayout &field)
{
    if (state == State::Browse)
        fail(QStringLiteral("cannot set field %1: the table is not in edit or append mode").arg(field.name));
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

QString Table::tableName() const
{
    return d->path;
}

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

bool Table::isOpen() const
{
    return d->file != nullptr;
}

void Table::setExclusive(bool exclusive)
{
    if (d->file)
        d->fail(QStringLiteral("exclusive use can only be switched while the table is closed"));
    d->exclusive = exclusive;
}

bool Table::isExclusive() const
{
    return d->exclusive;
}

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
        d->resolveIndex();
        first();
    }
}

bool Table::hasField(QAnyStringView name) const
{
    if (d->file)
        return d->file->layout().fieldIndex(name) >= 0;
    for (const FieldDef &f : d->fieldDefs) {
        if (QAnyStringView::compare(f.name, name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

int Table::fieldIndex(QAnyStringView name) const
{
    d->requireOpen();
    const int index = d->file->layout().fieldIndex(name);
    if (index < 0)
        d->fail(QStringLiteral("field %1 not found").arg(name.toString()));
    return index;
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

void Table::setAfterPost(std::function<void(Table &)> handler)
{
    d->afterPost = std::move(handler);
}

} // namespace ergotab::dbf
