#include "DesignerModel.h"

#include "ObjectFactory.h"
#include "TemplateCommands.h"

#include <QSet>

#include <algorithm>
#include <map>

namespace ergotab::report::designer {

PageSetup PageSetup::of(const ReportPage &page)
{
    return {page.paper, page.customSizeMm, page.orientation, page.margins, page.columns, page.columnGapMm};
}

void PageSetup::applyTo(ReportPage &page) const
{
    page.paper = paper;
    page.customSizeMm = customSizeMm;
    page.orientation = orientation;
    page.margins = margins;
    page.columns = columns;
    page.columnGapMm = columnGapMm;
}

DesignerModel::DesignerModel(QObject *parent)
    : QObject(parent)
{
    m_undo.setUndoLimit(0); // no limit: a step costs only what it changed
}

void DesignerModel::reset(ReportTemplate report)
{
    m_undo.clear();
    m_template = std::move(report);
    m_undo.setClean();
    emit templateReplaced();
    emit changed({}, true);
}

void DesignerModel::notifyChanged(const ObjectRefs &touched, bool structural)
{
    emit changed(touched, structural);
}

const Band &DesignerModel::band(BandRef ref) const
{
    return m_template.pages.at(ref.page).bands.at(ref.band);
}

const std::vector<ReportObject> &DesignerModel::objectsIn(BandRef ref) const
{
    const ReportPage &page = m_template.pages.at(ref.page);
    return ref.isPageLevel() ? page.objects : page.bands.at(ref.band).objects;
}

const ReportObject &DesignerModel::object(ObjectRef ref) const
{
    return objectsIn(ref.bandRef()).at(ref.index);
}

bool DesignerModel::isValid(BandRef ref) const
{
    return ref.page >= 0 && ref.page < int(m_template.pages.size()) && ref.band >= 0 &&
           ref.band < int(m_template.pages[ref.page].bands.size());
}

bool DesignerModel::isValid(ObjectRef ref) const
{
    const bool container =
        ref.isPageLevel() ? ref.page >= 0 && ref.page < int(m_template.pages.size()) : isValid(ref.bandRef());
    return container && ref.index >= 0 && ref.index < int(objectsIn(ref.bandRef()).size());
}

QSet<QString> DesignerModel::usedNames() const
{
    QSet<QString> used;
    for (const ReportPage &page : m_template.pages) {
        used.insert(page.name.toLower());
        for (const Band &band : page.bands) {
            used.insert(band.name.toLower());
            for (const ReportObject &object : band.objects)
                used.insert(object.name.toLower());
        }
        for (const ReportObject &object : page.objects)
            used.insert(object.name.toLower());
    }
    for (const DialogPage &dialog : m_template.dialogs) {
        used.insert(dialog.name.toLower());
        for (const DialogControl &control : dialog.controls)
            used.insert(control.name.toLower());
    }
    return used;
}

bool DesignerModel::isNameFree(const QString &name) const
{
    return !name.isEmpty() && !usedNames().contains(name.toLower());
}

QString DesignerModel::freeName(const QString &prefix) const
{
    const QSet<QString> used = usedNames();
    for (int n = 1;; ++n) {
        const QString name = prefix + QString::number(n);
        if (!used.contains(name.toLower()))
            return name;
    }
}

BandRef DesignerModel::insertBand(int page, int position, Band band)
{
    if (!isNameFree(band.name))
        band.name = freeName(QStringLiteral("Band"));
    renameClashes(band.objects);
    const int count = int(m_template.pages.at(page).bands.size());
    const BandRef ref {page, std::clamp(position, 0, count)};
    m_undo.push(new BandPresenceCommand(*this, QStringLiteral("Vložit pás"), ref, std::move(band), true));
    return ref;
}

void DesignerModel::deleteBand(BandRef ref)
{
    m_undo.push(new BandPresenceCommand(*this, QStringLiteral("Odstranit pás"), ref, band(ref), false));
}

void DesignerModel::moveBand(BandRef ref, int position)
{
    const int count = int(m_template.pages.at(ref.page).bands.size());
    position = std::clamp(position, 0, count - 1);
    if (position != ref.band)
        m_undo.push(new BandMoveCommand(*this, QStringLiteral("Přesunout pás"), ref, position));
}

void DesignerModel::setBandOptions(BandRef ref, const Band &options, const QString &text)
{
    auto get = [ref](const ReportTemplate &report) {
        Band b = report.pages.at(ref.page).bands.at(ref.band);
        b.objects.clear();
        return b;
    };
    auto set = [ref](ReportTemplate &report, const Band &value) {
        Band &b = report.pages.at(ref.page).bands.at(ref.band);
        auto objects = std::move(b.objects);
        b = value;
        b.objects = std::move(objects);
    };
    Band after = options;
    after.objects.clear();
    if (get(m_template) != after)
        m_undo.push(new PropertyCommand<Band>(*this, text, get, set, std::move(after)));
}

void DesignerModel::setBandHeight(BandRef ref, double heightMm)
{
    Band options = band(ref);
    options.height = std::max(0.0, heightMm);
    setBandOptions(ref, options, QStringLiteral("Výška pásu"));
}

void DesignerModel::renameClashes(std::vector<ReportObject> &objects) const
{
    // Names used in the template and those given to the earlier objects of this batch.
    QSet<QString> taken = usedNames();
    for (ReportObject &object : objects) {
        if (object.name.isEmpty() || taken.contains(object.name.toLower())) {
            const QString prefix = namePrefix(object.content);
            for (int n = 1;; ++n) {
                object.name = prefix + QString::number(n);
                if (!taken.contains(object.name.toLower()))
                    break;
            }
        }
        taken.insert(object.name.toLower());
    }
}

ObjectRefs DesignerModel::insertObjects(BandRef band, std::vector<ReportObject> objects, const QString &text)
{
    renameClashes(objects);
    std::vector<ObjectsPresenceCommand::Entry> entries;
    ObjectRefs refs;
    int index = int(objectsIn(band).size());
    for (ReportObject &object : objects) {
        refs.push_back({band.page, band.band, index++});
        entries.push_back({refs.back(), std::move(object)});
    }
    if (!entries.empty())
        m_undo.push(new ObjectsPresenceCommand(*this, text, std::move(entries), true));
    return refs;
}

void DesignerModel::deleteObjects(ObjectRefs refs, const QString &text)
{
    std::vector<ObjectsPresenceCommand::Entry> entries;
    for (const ObjectRef &ref : refs)
        entries.push_back({ref, object(ref)});
    if (!entries.empty())
        m_undo.push(new ObjectsPresenceCommand(*this, text, std::move(entries), false));
}

std::vector<ReportObject> DesignerModel::objectsAt(const ObjectRefs &refs) const
{
    std::vector<ReportObject> result;
    for (const ObjectRef &ref : refs)
        result.push_back(object(ref));
    return result;
}

void DesignerModel::setObjects(const ObjectRefs &refs, std::vector<ReportObject> after, const QString &text)
{
    if (refs.empty() || objectsAt(refs) == after)
        return;
    m_undo.push(new ObjectsChangeCommand(*this, text, refs, std::move(after)));
}

void DesignerModel::editObjects(const ObjectRefs &refs, const std::function<void(ReportObject &)> &edit,
                                const QString &text)
{
    std::vector<ReportObject> after = objectsAt(refs);
    for (ReportObject &object : after)
        edit(object);
    setObjects(refs, std::move(after), text);
}

void DesignerModel::setRects(const ObjectRefs &refs, const std::vector<QRectF> &rects, const QString &text)
{
    std::vector<ReportObject> after = objectsAt(refs);
    for (size_t i = 0; i < after.size() && i < rects.size(); ++i)
        after[i].rect = rects[i];
    setObjects(refs, std::move(after), text);
}

void DesignerModel::moveObjects(const ObjectRefs &refs, QPointF deltaMm)
{
    editObjects(
        refs, [deltaMm](ReportObject &o) { o.rect.translate(deltaMm); }, QStringLiteral("Přesunout"));
}

void DesignerModel::resizeObjects(const ObjectRefs &refs, QSizeF deltaMm)
{
    editObjects(
        refs,
        [deltaMm](ReportObject &o) {
            o.rect.setWidth(std::max(0.0, o.rect.width() + deltaMm.width()));
            o.rect.setHeight(std::max(0.0, o.rect.height() + deltaMm.height()));
        },
        QStringLiteral("Změnit velikost"));
}

namespace {

// One step that takes objects out and puts them back in at other places, each command
// keeping what it needs for both directions.
ObjectRefs pushRemoveInsert(DesignerModel &model, const QString &text, const ObjectRefs &refs,
                            const std::function<ObjectRef(const ObjectRef &from, int order)> &target,
                            const std::function<void(ReportObject &, int order)> &adjust)
{
    std::vector<ObjectsPresenceCommand::Entry> removed;
    for (const ObjectRef &ref : refs)
        removed.push_back({ref, model.object(ref)});
    auto *step = new QUndoCommand(text);
    std::vector<ObjectsPresenceCommand::Entry> inserted;
    ObjectRefs result;
    for (size_t i = 0; i < refs.size(); ++i) {
        ReportObject object = model.object(refs[i]);
        adjust(object, int(i));
        result.push_back(target(refs[i], int(i)));
        inserted.push_back({result.back(), std::move(object)});
    }
    new ObjectsPresenceCommand(model, text, std::move(removed), false, step);
    new ObjectsPresenceCommand(model, text, std::move(inserted), true, step);
    model.undoStack().push(step);
    return result;
}

int countIn(const ObjectRefs &refs, BandRef band)
{
    return int(std::count_if(refs.begin(), refs.end(), [band](const ObjectRef &r) { return r.bandRef() == band; }));
}

} // namespace

ObjectRefs DesignerModel::moveObjectsToBand(const ObjectRefs &refs, BandRef target, const std::vector<QRectF> &rects)
{
    if (refs.empty())
        return {};
    ObjectRefs sorted = refs;
    std::sort(sorted.begin(), sorted.end());
    std::vector<QRectF> sortedRects;
    for (const ObjectRef &ref : sorted)
        sortedRects.push_back(rects.at(std::find(refs.begin(), refs.end(), ref) - refs.begin()));
    const int start = int(objectsIn(target).size()) - countIn(sorted, target);
    return pushRemoveInsert(
        *this, QStringLiteral("Přesunout do pásu"), sorted,
        [target, start](const ObjectRef &, int order) {
            return ObjectRef {target.page, target.band, start + order};
        },
        [&sortedRects](ReportObject &o, int order) { o.rect = sortedRects[order]; });
}

ObjectRefs DesignerModel::bringToFront(const ObjectRefs &refs)
{
    ObjectRefs sorted = refs;
    std::sort(sorted.begin(), sorted.end());
    std::map<BandRef, int> next;
    for (const ObjectRef &ref : sorted)
        next.try_emplace(ref.bandRef(), int(objectsIn(ref.bandRef()).size()) - countIn(sorted, ref.bandRef()));
    if (sorted.empty())
        return {};
    return pushRemoveInsert(
        *this, QStringLiteral("Do popředí"), sorted,
        [&next](const ObjectRef &from, int) {
            return ObjectRef {from.page, from.band, next[from.bandRef()]++};
        },
        [](ReportObject &, int) {});
}

ObjectRefs DesignerModel::sendToBack(const ObjectRefs &refs)
{
    ObjectRefs sorted = refs;
    std::sort(sorted.begin(), sorted.end());
    std::map<BandRef, int> next;
    if (sorted.empty())
        return {};
    return pushRemoveInsert(
        *this, QStringLiteral("Do pozadí"), sorted,
        [&next](const ObjectRef &from, int) {
            return ObjectRef {from.page, from.band, next[from.bandRef()]++};
        },
        [](ReportObject &, int) {});
}

namespace {
std::vector<ReportPage> &reportPagesOf(ReportTemplate &report)
{
    return report.pages;
}
} // namespace

int DesignerModel::insertReportPage(int position, const PageSetup &setup)
{
    ReportPage page;
    page.name = freeName(QStringLiteral("Page"));
    setup.applyTo(page);
    position = std::clamp(position, 0, int(m_template.pages.size()));
    m_undo.push(new PagePresenceCommand<ReportPage>(*this, QStringLiteral("Nová stránka"), reportPagesOf, position,
                                                    std::move(page), true));
    return position;
}

bool DesignerModel::deleteReportPage(int index)
{
    if (m_template.pages.size() < 2 || index < 0 || index >= int(m_template.pages.size()))
        return false;
    m_undo.push(new PagePresenceCommand<ReportPage>(*this, QStringLiteral("Odstranit stránku"), reportPagesOf, index,
                                                    m_template.pages.at(index), false));
    return true;
}

void DesignerModel::setPageSetup(int page, const PageSetup &setup)
{
    auto get = [page](const ReportTemplate &report) { return PageSetup::of(report.pages.at(page)); };
    auto set = [page](ReportTemplate &report, const PageSetup &value) { value.applyTo(report.pages.at(page)); };
    if (get(m_template) != setup)
        m_undo.push(new PropertyCommand<PageSetup>(*this, QStringLiteral("Vzhled stránky"), get, set, setup));
}

namespace {

// A page's name and the subreports naming it, changed together. The subreports are those that
// named the page when the command was made: one naming the new name before stays as it was.
class PageRenameCommand : public QUndoCommand
{
public:
    PageRenameCommand(DesignerModel &model, int page, QString name)
        : QUndoCommand(QStringLiteral("Přejmenovat stránku"))
        , m_model(model)
        , m_page(page)
        , m_before(model.reportTemplate().pages.at(page).name)
        , m_after(std::move(name))
    {
        const ReportTemplate &report = model.reportTemplate();
        for (int p = 0; p < int(report.pages.size()); ++p) {
            const ReportPage &page = report.pages[p];
            for (int b = pageLevel; b < int(page.bands.size()); ++b) {
                const auto &objects = b == pageLevel ? page.objects : page.bands[b].objects;
                for (int i = 0; i < int(objects.size()); ++i)
                    if (const auto *sub = std::get_if<SubreportObject>(&objects[i].content);
                        sub && sub->page == m_before)
                        m_subreports.push_back({p, b, i});
            }
        }
    }
    void redo() override { apply(m_after); }
    void undo() override { apply(m_before); }

private:
    void apply(const QString &name)
    {
        ReportTemplate &report = m_model.editableTemplate();
        report.pages.at(m_page).name = name;
        for (const ObjectRef &ref : m_subreports) {
            ReportPage &page = report.pages.at(ref.page);
            auto &objects = ref.isPageLevel() ? page.objects : page.bands.at(ref.band).objects;
            std::get<SubreportObject>(objects.at(ref.index).content).page = name;
        }
        m_model.notifyChanged();
    }

    DesignerModel &m_model;
    int m_page;
    QString m_before;
    QString m_after;
    ObjectRefs m_subreports;
};

} // namespace

bool DesignerModel::renameReportPage(int page, const QString &name)
{
    const QString wanted = name.trimmed();
    if (page < 0 || page >= int(m_template.pages.size()) || wanted.isEmpty())
        return false;
    const QString &current = m_template.pages[page].name;
    // Only the case of its own name changed, or a name nothing else has.
    const bool sameName = wanted.compare(current, Qt::CaseInsensitive) == 0;
    if (wanted == current || (!sameName && !isNameFree(wanted)))
        return false;
    m_undo.push(new PageRenameCommand(*this, page, wanted));
    return true;
}

void DesignerModel::setVariables(std::vector<TemplateVariable> variables)
{
    if (variables == m_template.variables)
        return;
    m_undo.push(new PropertyCommand<std::vector<TemplateVariable>>(
        *this, QStringLiteral("Proměnné"), [](const ReportTemplate &r) { return r.variables; },
        [](ReportTemplate &r, const std::vector<TemplateVariable> &v) { r.variables = v; }, std::move(variables)));
}

void DesignerModel::setTemplateInfo(const TemplateInfo &info)
{
    if (info == TemplateInfo::of(m_template))
        return;
    m_undo.push(new PropertyCommand<TemplateInfo>(
        *this, QStringLiteral("Vlastnosti sestavy"), TemplateInfo::of,
        [](ReportTemplate &r, const TemplateInfo &v) { v.applyTo(r); }, info));
}

TemplateInfo TemplateInfo::of(const ReportTemplate &report)
{
    return {report.name, report.description, report.doublePass};
}

void TemplateInfo::applyTo(ReportTemplate &report) const
{
    report.name = name;
    report.description = description;
    report.doublePass = doublePass;
}

namespace {
std::vector<DialogPage> &dialogsOf(ReportTemplate &report)
{
    return report.dialogs;
}
} // namespace

int DesignerModel::insertDialogPage(DialogPage page)
{
    if (page.name.isEmpty())
        page.name = freeName(QStringLiteral("Dialog"));
    const int index = int(m_template.dialogs.size());
    m_undo.push(new PagePresenceCommand<DialogPage>(*this, QStringLiteral("Vložit dialog"), dialogsOf, index,
                                                    std::move(page), true));
    return index;
}

void DesignerModel::deleteDialogPage(int index)
{
    m_undo.push(new PagePresenceCommand<DialogPage>(*this, QStringLiteral("Odstranit dialog"), dialogsOf, index,
                                                    m_template.dialogs.at(index), false));
}

void DesignerModel::setDialogPage(int index, DialogPage page, const QString &text)
{
    if (m_template.dialogs.at(index) == page)
        return;
    m_undo.push(new PropertyCommand<DialogPage>(
        *this, text, [index](const ReportTemplate &r) { return r.dialogs.at(index); },
        [index](ReportTemplate &r, const DialogPage &v) { r.dialogs.at(index) = v; }, std::move(page)));
}

} // namespace ergotab::report::designer
