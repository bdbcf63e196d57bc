#pragma once

#include "tree/DocumentEditing.h"

#include <QList>

// Stands in for the document editor in the wizard's tests: records what was added.
class FakeEditing : public ergotab::DocumentEditing
{
public:
    struct Stored
    {
        QString name;
        ergotab::FactorMasks masks {};
    };
    QList<Stored> stored;

    int selectedIndex() const override { return 0; }
    void selectItem(int) override { }
    int addNode(const QString &) override { return 0; } // the wizard adds no nodes
    int addAssessment(const QString &name, const ergotab::FactorMasks &masks) override
    {
        stored.append({name, masks});
        return static_cast<int>(stored.size());
    }
};
