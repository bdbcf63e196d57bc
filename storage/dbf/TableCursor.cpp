// Filter, order and navigation of a table handle.
#include "TablePrivate.h"

#include "FieldCodec.h"
#include "FilterExpression.h"

#include <algorithm>

namespace ergotab::dbf {

QByteArray Table::Private::valueKey(int field, const QVariant &value) const
{
    const TableLayout &layout = file->layout();
    const FieldLayout &f = layout.fields.at(field);
    if (f.isNumeric()) {
        bool ok = true;
        double number = 0;
        if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray) {
            const QByteArray text = value.toString().trimmed().toLatin1();
            if (!text.isEmpty()) {
                const auto parsed = fieldcodec::parseDecimal(text.constData(), int(text.size()));
                ok = parsed.has_value();
                number = parsed.value_or(0);
            }
        } else if (value.isValid()) {
            number = value.toDouble(&ok);
        }
        return ok ? fieldcodec::numberKey(number) : QByteArray(); // an empty key matches no number
    }
    if (f.type == 'L') {
        const QString text = value.toString().trimmed().toUpper();
        if (text.isEmpty())
            return QByteArray();
        return QByteArray(1, QStringLiteral("TY1").contains(text.at(0)) || text == QStringLiteral("TRUE") ? 'T' : 'F');
    }
    QByteArray bytes = layout.codec().encode(value.toString());
    if (!f.isMemo()) {
        while (bytes.endsWith(' '))
            bytes.chop(1);
    }
    return bytes;
}

void Table::Private::compileFilter()
{
    terms.clear();
    orderedGeneration = ~quint64(0);
    if (!file || !filtered)
        return;
    std::vector<Term> compiled;
    for (const FilterTerm &t : parseFilter(filterText, path)) {
        const int field = file->layout().fieldIndex(t.field);
        if (field < 0)
            fail(QStringLiteral("filter \"%1\" names the unknown field %2").arg(filterText, t.field));
        const FieldLayout &f = file->layout().fields.at(field);
        QByteArray key = valueKey(field, t.value);
        if (f.isNumeric() && key.isEmpty())
            fail(QStringLiteral("filter \"%1\": %2 is not a number for field %3").arg(filterText, t.value, f.name));
        compiled.push_back({field, key});
    }
    terms = std::move(compiled);
}

void Table::Private::resolveIndex()
{
    tag = -1;
    if (!file || indexName.isEmpty())
        return;
    tag = file->tagIndex(indexName);
    if (tag < 0)
        fail(QStringLiteral("index %1 not found").arg(indexName));
}

void Table::Private::resolveTerms() const
{
    for (const Term &t : terms)
        t.id = file->valueIndex(t.field).idOf(t.key);
}

bool Table::Private::matches(int r) const
{
    for (const Term &t : terms) {
        if (t.id < 0 || file->valueIndex(t.field).idAt(r) != t.id)
            return false;
    }
    return true;
}

const std::vector<int> &Table::Private::candidates() const
{
    resolveTerms();
    const std::vector<int> *best = nullptr;
    for (const Term &t : terms) {
        const std::vector<int> &rows = file->rowsWithValue(t.field, t.key);
        if (!best || rows.size() < best->size())
            best = &rows;
    }
    return *best;
}

int Table::Private::following(int after)
{
    if (tag < 0) {
        if (!filterActive())
            return file->nextLiveRow(after);
        const std::vector<int> &rows = candidates();
        for (auto it = std::upper_bound(rows.begin(), rows.end(), after); it != rows.end(); ++it) {
            if (matches(*it))
                return *it;
        }
        return -1;
    }
    if (!filterActive()) {
        const auto &entries = file->tag(tag).entries;
        const auto it = after < 0 ? entries.begin() : entries.upper_bound(file->orderEntry(tag, after));
        return it == entries.end() ? -1 : it->row;
    }
    if (orderedGeneration != file->generation()) {
        orderedMatches.clear();
        for (int r : candidates()) {
            if (matches(r))
                orderedMatches.push_back(file->orderEntry(tag, r));
        }
        std::sort(orderedMatches.begin(), orderedMatches.end());
        orderedGeneration = file->generation();
    }
    const auto it = after < 0
                        ? orderedMatches.begin()
                        : std::upper_bound(orderedMatches.begin(), orderedMatches.end(), file->orderEntry(tag, after));
    return it == orderedMatches.end() ? -1 : it->row;
}

void Table::Private::toBrowseMode()
{
    if (state == State::Browse)
        return;
    if (modified)
        q->post();
    else
        q->cancel();
}

void Table::setFilter(const QString &text)
{
    d->filterText = text;
    d->compileFilter();
}

QString Table::filter() const
{
    return d->filterText;
}

void Table::setFiltered(bool on)
{
    d->filtered = on;
    d->compileFilter();
}

bool Table::isFiltered() const
{
    return d->filtered;
}

void Table::setIndexName(const QString &name)
{
    const QString previous = std::exchange(d->indexName, name);
    if (d->file) {
        try {
            d->resolveIndex();
        } catch (...) {
            d->indexName = previous; // an unknown index leaves the order as it was
            d->resolveIndex();
            throw;
        }
        first();
    }
}

QString Table::indexName() const
{
    return d->indexName;
}

bool Table::hasIndex(const QString &name) const
{
    d->requireOpen();
    return d->file->tagIndex(name) >= 0;
}

void Table::first()
{
    d->requireOpen();
    d->toBrowseMode();
    d->row = d->following(-1);
    d->eof = d->row < 0;
}

void Table::next()
{
    d->requireOpen();
    d->toBrowseMode();
    if (d->eof)
        return;
    const int n = d->following(d->row);
    if (n < 0)
        d->eof = true; // the cursor stays on the last row, as dataset cursors do
    else
        d->row = n;
}

bool Table::eof() const
{
    return !d->file || d->eof;
}

bool Table::locate(int field, const QVariant &value)
{
    d->requireOpen();
    d->toBrowseMode();
    d->requireField(field);
    const int f = field;
    const QByteArray key = d->valueKey(f, value);
    int found = -1;
    OrderEntry best;
    const bool filtering = d->filterActive();
    if (filtering)
        d->resolveTerms();
    for (int r : d->file->rowsWithValue(f, key)) {
        if (filtering && !d->matches(r))
            continue;
        if (d->tag < 0) {
            found = r;
            break;
        }
        const OrderEntry e = d->file->orderEntry(d->tag, r);
        if (found < 0 || e < best) {
            found = r;
            best = e;
        }
    }
    if (found < 0)
        return false;
    d->row = found;
    d->eof = false;
    return true;
}

int Table::recordCount() const
{
    d->requireOpen();
    if (!d->filterActive())
        return d->file->liveCount();
    int count = 0;
    for (int r : d->candidates())
        count += d->matches(r) ? 1 : 0;
    return count;
}

} // namespace ergotab::dbf
