#pragma once

// A report template: report pages of bands holding objects, dialog pages shown before the
// report is prepared, and variables defined by expressions. Plain values, compared as a whole,
// so a template read back from its file can be checked against the one written.

#include "reportengine/model/TemplateObjects.h"

#include <QRect>
#include <QSizeF>

#include <vector>

namespace ergotab::report {

enum class BandKind {
    ReportTitle,
    ReportSummary,
    PageHeader,
    PageFooter,
    ColumnHeader,
    ColumnFooter,
    MasterHeader,
    MasterData,
    MasterFooter,
    DetailHeader,
    DetailData,
    DetailFooter,
    SubdetailHeader,
    SubdetailData,
    SubdetailFooter,
    GroupHeader,
    GroupFooter,
    Overlay,
    Child,
    // Vertical bands of the earlier engine: kept so its templates survive, not laid out.
    CrossHeader,
    CrossData,
    CrossFooter,
};

struct Band
{
    QString name;
    BandKind kind = BandKind::MasterData;
    double top = 0.0; // where the designer shows it; the order of bands is their order in the page
    double height = 10.0;
    // Data bands: the name of a data source, or a number N for N records without data.
    QString dataSource;
    // Detail and subdetail data bands: the records whose key equals the master's key belong to
    // the current master record. Both are expressions, usually a field name.
    QString key;
    QString masterKey;
    QString condition; // group header: the group starts again when its value changes
    QString childBand; // the name of a child band printed right after this one
    // Printed only while this expression is true. A data band leaves out the records for which
    // it is false (with their details, groups and aggregates); any other band is skipped, and
    // its child band is still considered.
    QString printIf;
    bool stretch = false;
    bool keepTogether = false;
    bool canSplit = false;
    bool newPageBefore = false;
    bool newPageAfter = false;
    bool printOnFirstPage = true; // page header and footer
    bool printOnLastPage = true;
    bool repeatOnEachPage = false; // headers
    bool printIfEmpty = false;     // data band printed even when its detail has no records
    bool visible = true;
    int columns = 1; // data band columns of the earlier engine, kept for its templates
    double columnWidthMm = 0.0;
    double columnGapMm = 0.0;
    QString script;
    std::vector<ReportObject> objects;
    UnknownXml unknown;

    bool operator==(const Band &) const = default;
};

enum class PaperSize { A4, A3, A5, Letter, Legal, Custom };
enum class Orientation { Portrait, Landscape };

struct Margins
{
    double left = 10.0;
    double top = 10.0;
    double right = 10.0;
    double bottom = 10.0;

    bool operator==(const Margins &) const = default;
};

struct ReportPage
{
    QString name;
    PaperSize paper = PaperSize::A4;
    QSizeF customSizeMm {210.0, 297.0}; // used for PaperSize::Custom, in portrait
    Orientation orientation = Orientation::Portrait;
    Margins margins;
    int columns = 1;
    double columnGapMm = 0.0;
    bool printToPreviousPage = false;
    QString script;
    std::vector<Band> bands;
    // Outside every band, placed from the corner inside the margins: printed on every page.
    std::vector<ReportObject> objects;
    UnknownXml unknown;

    // The sheet as printed, orientation applied.
    QSizeF sizeMm() const;
    bool operator==(const ReportPage &) const = default;
};

enum class ControlKind { Label, Edit, Memo, CheckBox, ComboBox, RadioButton, DateEdit, ListBox, Button };

struct DialogControl
{
    ControlKind kind = ControlKind::Label;
    QString name; // also the variable its value becomes
    QRect rect;   // screen pixels
    QString text; // caption of labels, buttons, check boxes; the initial text of edits
    QStringList items;
    bool checked = false;
    bool readOnly = false;
    int modalResult = 0; // buttons: 1 OK, 2 cancel
    FontSpec font;
    QString script;
    UnknownXml unknown;

    bool operator==(const DialogControl &) const = default;
};

struct DialogPage
{
    QString name;
    QString caption;
    QSize size {380, 300};
    QString script;
    std::vector<DialogControl> controls;
    UnknownXml unknown;

    bool operator==(const DialogPage &) const = default;
};

struct TemplateVariable
{
    QString name;
    QString expression;
    QString category;

    bool operator==(const TemplateVariable &) const = default;
};

struct ReportTemplate
{
    static constexpr int formatVersion = 1;

    QString name;
    QString description;
    bool doublePass = false;
    QString script;
    std::vector<TemplateVariable> variables;
    std::vector<DialogPage> dialogs;
    std::vector<ReportPage> pages;
    UnknownXml unknown;

    bool operator==(const ReportTemplate &) const = default;
};

QSizeF paperSizeMm(PaperSize paper);

// The report pages a run prints one after the other, in template order: all but those a
// subreport object on another page prints inside itself. A template whose every page is such a
// target still prints its first one.
std::vector<const ReportPage *> printedPages(const ReportTemplate &report);

} // namespace ergotab::report
