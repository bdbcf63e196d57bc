#pragma once

#include "tree/BuildTree.h"
#include "tree/DataTreeItem.h"
#include "tree/DocumentTree.h"

#include "storage/document/Document.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace ergotab::tree::test {

// A started document with an empty Object table and a tree widget bound to it.
class TreeFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        document.start();
        widget = std::make_unique<QTreeWidget>();
        tree = std::make_unique<DocumentTree>(*widget, document);
    }
    void TearDown() override
    {
        tree.reset();
        widget.reset();
        document.shutDown();
    }

    // Appends an Object row; the modified flag is cleared again so tests see only their own.
    void addRow(int index, int upLink, int type, const QString &text = QString())
    {
        document.objects().appendRecord(
            {index, upLink, type, text.isEmpty() ? QStringLiteral("r%1").arg(index) : text});
        document.setModified(false);
    }
    void addLink(int worker, int assessment)
    {
        document.links().appendRecord({worker, assessment});
        document.setModified(false);
    }
    void build() { tree->rebuild(); }

    DataTreeItem *item(int index) const { return tree->nodes().at(index); }
    static QString caption(const QTreeWidgetItem *item) { return item->text(0); }
    static int indexOf(const QTreeWidgetItem *item) { return DataTreeItem::from(item)->index(); }

    // Index values of the item's children (the top level for nullptr), in order.
    std::vector<int> children(const QTreeWidgetItem *parent) const
    {
        std::vector<int> result;
        const int count = parent ? parent->childCount() : widget->topLevelItemCount();
        for (int i = 0; i < count; ++i)
            result.push_back(indexOf(parent ? parent->child(i) : widget->topLevelItem(i)));
        return result;
    }

    // Index values of the live rows of a table, read through a filter-free pass.
    std::set<int> objectIndexes()
    {
        std::set<int> result;
        dbf::Table &t = document.objects();
        t.setFiltered(false);
        for (t.first(); !t.eof(); t.next())
            result.insert(t.fieldInt(QStringLiteral("Index")));
        return result;
    }
    std::set<std::pair<int, int>> linkRows()
    {
        std::set<std::pair<int, int>> result;
        dbf::Table &t = document.links();
        t.setFiltered(false);
        for (t.first(); !t.eof(); t.next())
            result.insert({t.fieldInt(QStringLiteral("WIndex")), t.fieldInt(QStringLiteral("TIndex"))});
        return result;
    }
    int field(int index, const QString &name)
    {
        dbf::Table &t = document.objects();
        t.setFiltered(false);
        t.setFilter(QString());
        EXPECT_TRUE(t.locate(QStringLiteral("Index"), index));
        return t.fieldInt(name);
    }
    QString text(int index)
    {
        dbf::Table &t = document.objects();
        t.setFiltered(false);
        t.setFilter(QString());
        EXPECT_TRUE(t.locate(QStringLiteral("Index"), index));
        return t.fieldText(QStringLiteral("Text"));
    }

    Document document;
    std::unique_ptr<QTreeWidget> widget;
    std::unique_ptr<DocumentTree> tree;
};

} // namespace ergotab::tree::test
