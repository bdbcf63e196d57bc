#pragma once

#include "library/core/LibraryFiles.h"
#include "storage/dbf/Table.h"
#include "storage/document/DocumentTables.h"
#include "storage/document/FactorCatalogue.h"
#include "tests/support/TempDir.h"
#include "tree/DocumentEditing.h"

#include <QList>
#include <QSet>

#include <algorithm>
#include <memory>

namespace ergotab::test {

// One row of a hand-made library table.
struct SampleRow
{
    int index;
    int upLink;
    int type;
    QString text;
    FactorMasks masks {};
};

inline FactorMasks masksOf(std::initializer_list<std::pair<int, int>> factorMask)
{
    FactorMasks m {};
    for (auto [f, mask] : factorMask)
        m[f - 1] = mask;
    return m;
}

// A library table in the folder with the rows in the order given; left open.
inline std::unique_ptr<dbf::Table> makeSampleTable(const QString &path, const QList<SampleRow> &rows)
{
    auto table = std::make_unique<dbf::Table>(path);
    defineLibraryObjectTable(*table);
    table->createTable();
    table->open();
    for (const SampleRow &r : rows) {
        table->append();
        table->setFieldInt(QStringLiteral("Index"), r.index);
        table->setFieldInt(QStringLiteral("UpLink"), r.upLink);
        table->setFieldInt(QStringLiteral("Type"), r.type);
        table->setFieldText(QStringLiteral("Text"), r.text);
        for (int f = 1; f <= FactorCount; ++f)
            table->setFieldInt(factorFieldName(f), r.masks[f - 1]);
        table->post();
    }
    return table;
}

struct TemplateRow
{
    int factor;
    QString spec;
    QString text;
};

inline std::unique_ptr<dbf::Table> makeTemplateTable(const QString &path, const QList<TemplateRow> &rows)
{
    auto table = std::make_unique<dbf::Table>(path);
    library::defineTemplateTable(*table);
    table->createTable();
    table->open();
    for (const TemplateRow &r : rows) {
        table->append();
        table->setFieldInt(library::FaktorField, r.factor);
        table->setFieldText(library::SpecifikField, r.spec);
        table->setFieldText(library::OpatreniField, r.text);
        table->post();
    }
    return table;
}

// A document reduced to what the editor's add commands do: the placement rule (under a
// selected node, beside a selected assessment, top level otherwise), Index values one above
// the highest, and the new record selected.
class FakeDocument : public DocumentEditing
{
public:
    struct Record
    {
        int index;
        int upLink;
        int type;
        QString name;
        FactorMasks masks {};
    };
    QList<Record> records;
    int selected = 0;

    int addExisting(int upLink, int type, const QString &name)
    {
        const int index = highest() + 1;
        records.append({index, upLink, type, name, {}});
        return index;
    }
    const Record *find(int index) const
    {
        for (const Record &r : records) {
            if (r.index == index)
                return &r;
        }
        return nullptr;
    }

    int selectedIndex() const override { return selected; }
    void selectItem(int index) override { selected = find(index) ? index : 0; }
    int addNode(const QString &name) override { return add(0, name, {}); }
    int addAssessment(const QString &name, const FactorMasks &masks) override { return add(1, name, masks); }

private:
    int highest() const
    {
        int h = 0;
        for (const Record &r : records)
            h = std::max(h, r.index);
        return h;
    }
    int add(int type, const QString &name, const FactorMasks &masks)
    {
        const Record *at = find(selected);
        const int upLink = !at ? 0 : at->type == 0 ? at->index : at->upLink;
        const int index = highest() + 1;
        records.append({index, upLink, type, name, masks});
        selected = index;
        return index;
    }
};

} // namespace ergotab::test
