#include "TemplateCommands.h"

#include "DesignerModel.h"

#include <algorithm>

namespace ergotab::report::designer {

namespace {

std::vector<ReportObject> &objectsOf(ReportTemplate &report, BandRef ref)
{
    ReportPage &page = report.pages.at(ref.page);
    return ref.isPageLevel() ? page.objects : page.bands.at(ref.band).objects;
}

} // namespace

template <typename T>
PropertyCommand<T>::PropertyCommand(DesignerModel &model, const QString &text, Getter get, Setter set, T after)
    : QUndoCommand(text)
    , m_model(model)
    , m_set(std::move(set))
    , m_before(get(model.reportTemplate()))
    , m_after(std::move(after))
{
}

template <typename T> void PropertyCommand<T>::redo()
{
    m_set(m_model.editableTemplate(), m_after);
    m_model.notifyChanged();
}

template <typename T> void PropertyCommand<T>::undo()
{
    m_set(m_model.editableTemplate(), m_before);
    m_model.notifyChanged();
}

template class PropertyCommand<Band>;
template class PropertyCommand<PageSetup>;
template class PropertyCommand<DialogPage>;
template class PropertyCommand<std::vector<TemplateVariable>>;
template class PropertyCommand<TemplateInfo>;

ObjectsPresenceCommand::ObjectsPresenceCommand(DesignerModel &model, const QString &text, std::vector<Entry> entries,
                                               bool insert, QUndoCommand *parent)
    : QUndoCommand(text, parent)
    , m_model(model)
    , m_entries(std::move(entries))
    , m_insert(insert)
{
    std::sort(m_entries.begin(), m_entries.end(), [](const Entry &a, const Entry &b) { return a.ref < b.ref; });
}

void ObjectsPresenceCommand::insertAll()
{
    ObjectRefs touched;
    for (const Entry &e : m_entries) {
        auto &objects = objectsOf(m_model.editableTemplate(), e.ref.bandRef());
        objects.insert(objects.begin() + e.ref.index, e.object);
        touched.push_back(e.ref);
    }
    m_model.notifyChanged(touched, true);
}

void ObjectsPresenceCommand::removeAll()
{
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        auto &objects = objectsOf(m_model.editableTemplate(), it->ref.bandRef());
        objects.erase(objects.begin() + it->ref.index);
    }
    m_model.notifyChanged({}, true);
}

void ObjectsPresenceCommand::redo()
{
    m_insert ? insertAll() : removeAll();
}

void ObjectsPresenceCommand::undo()
{
    m_insert ? removeAll() : insertAll();
}

ObjectsChangeCommand::ObjectsChangeCommand(DesignerModel &model, const QString &text, ObjectRefs refs,
                                           std::vector<ReportObject> after)
    : QUndoCommand(text)
    , m_model(model)
    , m_refs(std::move(refs))
    , m_after(std::move(after))
{
    for (const ObjectRef &ref : m_refs)
        m_before.push_back(model.object(ref));
}

void ObjectsChangeCommand::apply(const std::vector<ReportObject> &values)
{
    for (size_t i = 0; i < m_refs.size(); ++i)
        objectsOf(m_model.editableTemplate(), m_refs[i].bandRef()).at(m_refs[i].index) = values[i];
    m_model.notifyChanged(m_refs);
}

void ObjectsChangeCommand::redo()
{
    apply(m_after);
}

void ObjectsChangeCommand::undo()
{
    apply(m_before);
}

BandPresenceCommand::BandPresenceCommand(DesignerModel &model, const QString &text, BandRef ref, Band band, bool insert)
    : QUndoCommand(text)
    , m_model(model)
    , m_ref(ref)
    , m_band(std::move(band))
    , m_insert(insert)
{
}

void BandPresenceCommand::redo()
{
    auto &bands = m_model.editableTemplate().pages.at(m_ref.page).bands;
    if (m_insert)
        bands.insert(bands.begin() + m_ref.band, m_band);
    else
        bands.erase(bands.begin() + m_ref.band);
    m_model.notifyChanged({}, true);
}

void BandPresenceCommand::undo()
{
    auto &bands = m_model.editableTemplate().pages.at(m_ref.page).bands;
    if (m_insert)
        bands.erase(bands.begin() + m_ref.band);
    else
        bands.insert(bands.begin() + m_ref.band, m_band);
    m_model.notifyChanged({}, true);
}

BandMoveCommand::BandMoveCommand(DesignerModel &model, const QString &text, BandRef from, int to)
    : QUndoCommand(text)
    , m_model(model)
    , m_from(from)
    , m_to(to)
{
}

namespace {

void moveBandWithin(std::vector<Band> &bands, int from, int to)
{
    Band band = std::move(bands.at(from));
    bands.erase(bands.begin() + from);
    bands.insert(bands.begin() + to, std::move(band));
}

} // namespace

void BandMoveCommand::redo()
{
    moveBandWithin(m_model.editableTemplate().pages.at(m_from.page).bands, m_from.band, m_to);
    m_model.notifyChanged({}, true);
}

void BandMoveCommand::undo()
{
    moveBandWithin(m_model.editableTemplate().pages.at(m_from.page).bands, m_to, m_from.band);
    m_model.notifyChanged({}, true);
}

template <typename T>
PagePresenceCommand<T>::PagePresenceCommand(DesignerModel &model, const QString &text, Vector vector, int index, T page,
                                            bool insert)
    : QUndoCommand(text)
    , m_model(model)
    , m_vector(std::move(vector))
    , m_index(index)
    , m_page(std::move(page))
    , m_insert(insert)
{
}

template <typename T> void PagePresenceCommand<T>::insert()
{
    auto &pages = m_vector(m_model.editableTemplate());
    pages.insert(pages.begin() + m_index, m_page);
    m_model.notifyChanged({}, true);
}

template <typename T> void PagePresenceCommand<T>::remove()
{
    auto &pages = m_vector(m_model.editableTemplate());
    pages.erase(pages.begin() + m_index);
    m_model.notifyChanged({}, true);
}

template <typename T> void PagePresenceCommand<T>::redo()
{
    m_insert ? insert() : remove();
}

template <typename T> void PagePresenceCommand<T>::undo()
{
    m_insert ? remove() : insert();
}

template class PagePresenceCommand<ReportPage>;
template class PagePresenceCommand<DialogPage>;

} // namespace ergotab::report::designer
