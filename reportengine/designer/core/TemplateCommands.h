#pragma once

// The undoable edits of a template. Each command stores only the part it changes (a property
// value, the objects inserted or removed), so thousands of steps stay small.

#include "reportengine/designer/core/TemplateRefs.h"
#include "reportengine/model/ReportTemplate.h"

#include <QUndoCommand>

#include <functional>

namespace ergotab::report::designer {

class DesignerModel;

// Any value of the template reached by a getter and a setter: band options, page setup, a
// dialog page, the variables, the template's name. Redo sets `after`, undo the value found
// when the command was made.
template <typename T> class PropertyCommand : public QUndoCommand
{
public:
    using Getter = std::function<T(const ReportTemplate &)>;
    using Setter = std::function<void(ReportTemplate &, const T &)>;

    PropertyCommand(DesignerModel &model, const QString &text, Getter get, Setter set, T after);
    void redo() override;
    void undo() override;

private:
    DesignerModel &m_model;
    Setter m_set;
    T m_before;
    T m_after;
};

// Objects put into bands (insert) or taken out of them (remove), several at once and across
// bands. Inserting goes in ascending order of the references, removing in descending order, so
// each reference means the same place in both directions.
class ObjectsPresenceCommand : public QUndoCommand
{
public:
    struct Entry
    {
        ObjectRef ref;
        ReportObject object;
    };
    ObjectsPresenceCommand(DesignerModel &model, const QString &text, std::vector<Entry> entries, bool insert,
                           QUndoCommand *parent = nullptr);
    void redo() override;
    void undo() override;

private:
    void insertAll();
    void removeAll();

    DesignerModel &m_model;
    std::vector<Entry> m_entries; // ascending by reference
    bool m_insert;
};

// New values for objects that stay where they are in their bands (moved, resized, restyled).
class ObjectsChangeCommand : public QUndoCommand
{
public:
    ObjectsChangeCommand(DesignerModel &model, const QString &text, ObjectRefs refs, std::vector<ReportObject> after);
    void redo() override;
    void undo() override;

private:
    void apply(const std::vector<ReportObject> &values);

    DesignerModel &m_model;
    ObjectRefs m_refs;
    std::vector<ReportObject> m_before;
    std::vector<ReportObject> m_after;
};

// A band (with its objects) inserted into a page or removed from it.
class BandPresenceCommand : public QUndoCommand
{
public:
    BandPresenceCommand(DesignerModel &model, const QString &text, BandRef ref, Band band, bool insert);
    void redo() override;
    void undo() override;

private:
    DesignerModel &m_model;
    BandRef m_ref;
    Band m_band;
    bool m_insert;
};

// A band moved to another place in its page's order.
class BandMoveCommand : public QUndoCommand
{
public:
    BandMoveCommand(DesignerModel &model, const QString &text, BandRef from, int to);
    void redo() override;
    void undo() override;

private:
    DesignerModel &m_model;
    BandRef m_from;
    int m_to;
};

// Report and dialog pages inserted or removed whole.
template <typename T> class PagePresenceCommand : public QUndoCommand
{
public:
    using Vector = std::function<std::vector<T> &(ReportTemplate &)>;
    PagePresenceCommand(DesignerModel &model, const QString &text, Vector vector, int index, T page, bool insert);
    void redo() override;
    void undo() override;

private:
    void insert();
    void remove();

    DesignerModel &m_model;
    Vector m_vector;
    int m_index;
    T m_page;
    bool m_insert;
};

} // namespace ergotab::report::designer
