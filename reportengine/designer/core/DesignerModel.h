#pragma once

// The template open in the designer and its undo history. Every change goes through one of the
// methods below, each pushing one undoable command; the window, the property panel and the
// tests use the same methods. Nothing here needs widgets.

#include "reportengine/designer/core/TemplateRefs.h"
#include "reportengine/model/ReportTemplate.h"

#include <QObject>
#include <QSet>
#include <QUndoStack>

#include <functional>

namespace ergotab::report::designer {

// A report page's paper and layout, without its bands.
struct PageSetup
{
    PaperSize paper = PaperSize::A4;
    QSizeF customSizeMm {210.0, 297.0};
    Orientation orientation = Orientation::Portrait;
    Margins margins;
    int columns = 1;
    double columnGapMm = 0.0;

    static PageSetup of(const ReportPage &page);
    void applyTo(ReportPage &page) const;
    bool operator==(const PageSetup &) const = default;
};

// What the template says of itself.
struct TemplateInfo
{
    QString name;
    QString description;
    bool doublePass = false; // laid out twice, so the total of pages is known on every page

    static TemplateInfo of(const ReportTemplate &report);
    void applyTo(ReportTemplate &report) const;
    bool operator==(const TemplateInfo &) const = default;
};

class DesignerModel : public QObject
{
    Q_OBJECT

public:
    explicit DesignerModel(QObject *parent = nullptr);

    const ReportTemplate &reportTemplate() const { return m_template; }
    QUndoStack &undoStack() { return m_undo; }

    // A new or opened template: the history starts again and counts as saved.
    void reset(ReportTemplate report);
    bool isModified() const { return !m_undo.isClean(); }
    void markSaved() { m_undo.setClean(); }

    const Band &band(BandRef ref) const;
    const ReportObject &object(ObjectRef ref) const;
    // The objects of a band, or of the page itself (BandRef::pageObjects).
    const std::vector<ReportObject> &objectsIn(BandRef ref) const;
    bool isValid(BandRef ref) const; // a band, not the page's own objects
    bool isValid(ObjectRef ref) const;

    // Bands. insertBand returns where the band went; an empty name gets a free one.
    BandRef insertBand(int page, int position, Band band);
    void deleteBand(BandRef ref);
    void moveBand(BandRef ref, int position);
    // Everything of the band but its objects.
    void setBandOptions(BandRef ref, const Band &options, const QString &text);
    void setBandHeight(BandRef ref, double heightMm);

    // Objects. Names already used elsewhere in the template are replaced by free ones.
    ObjectRefs insertObjects(BandRef band, std::vector<ReportObject> objects, const QString &text);
    void deleteObjects(ObjectRefs refs, const QString &text);
    void setObjects(const ObjectRefs &refs, std::vector<ReportObject> after, const QString &text);
    void editObjects(const ObjectRefs &refs, const std::function<void(ReportObject &)> &edit, const QString &text);
    void setRects(const ObjectRefs &refs, const std::vector<QRectF> &rects, const QString &text);
    void moveObjects(const ObjectRefs &refs, QPointF deltaMm);
    void resizeObjects(const ObjectRefs &refs, QSizeF deltaMm);
    // Objects dragged into another band: taken out of theirs and put at `rects` in `target`.
    ObjectRefs moveObjectsToBand(const ObjectRefs &refs, BandRef target, const std::vector<QRectF> &rects);
    // Drawn above (front) or below (back) the other objects of their bands.
    ObjectRefs bringToFront(const ObjectRefs &refs);
    ObjectRefs sendToBack(const ObjectRefs &refs);

    // Pages and the template as a whole. A new report page is empty, with a free name; the last
    // report page is never deleted (false then).
    int insertReportPage(int position, const PageSetup &setup);
    bool deleteReportPage(int index);
    void setPageSetup(int page, const PageSetup &setup);
    // A report page's new name, taken by the subreport objects that named it by the old one. False
    // (nothing done) when the name is empty, unchanged or used elsewhere in the template.
    bool renameReportPage(int page, const QString &name);
    void setVariables(std::vector<TemplateVariable> variables);
    void setTemplateInfo(const TemplateInfo &info);
    int insertDialogPage(DialogPage page);
    void deleteDialogPage(int index);
    void setDialogPage(int index, DialogPage page, const QString &text);

    // A name of the form prefix + number used by no band, object, page or control yet.
    QString freeName(const QString &prefix) const;
    bool isNameFree(const QString &name) const;

    // For the commands: the template to change, and the notices after they changed it.
    ReportTemplate &editableTemplate() { return m_template; }
    void notifyChanged(const ObjectRefs &touched = {}, bool structural = false);

signals:
    // After every change, undo and redo; `touched` are the objects the step left in place (to
    // select them). `structural`: bands or objects were inserted or removed, so references
    // held from before may point elsewhere now.
    void changed(const ergotab::report::designer::ObjectRefs &touched, bool structural);
    // After reset(): everything may be different.
    void templateReplaced();

private:
    QSet<QString> usedNames() const;
    std::vector<ReportObject> objectsAt(const ObjectRefs &refs) const;
    void renameClashes(std::vector<ReportObject> &objects) const;

    ReportTemplate m_template;
    QUndoStack m_undo;
};

} // namespace ergotab::report::designer
