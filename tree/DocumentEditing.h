#pragma once

#include <QString>

#include <array>

namespace ergotab {

// The thirteen factor masks of an assessment, factor 1 first (bit k-1 = category k).
using FactorMasks = std::array<int, 13>;

// What the wizard and the library ask of the document editor. The main window answers with
// its own add and store commands, so a record made this way is placed, numbered, shown in
// the tree and marks the document modified exactly like one the user adds by hand.
class DocumentEditing
{
public:
    virtual ~DocumentEditing() = default;

    // The Index of the selected document item, 0 when nothing is selected.
    virtual int selectedIndex() const = 0;
    // Selects the document item of that Index; 0, or an Index without an item, selects nothing.
    virtual void selectItem(int index) = 0;
    // Adds a node with the name where the placement rule puts it relative to the selected
    // item, stores it and leaves it selected. Returns its Index.
    virtual int addNode(const QString &name) = 0;
    // The same for an assessment with the name and masks, no head counts and empty texts.
    virtual int addAssessment(const QString &name, const FactorMasks &masks) = 0;
};

} // namespace ergotab
