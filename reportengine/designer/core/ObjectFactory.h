#pragma once

// What the designer inserts: every object kind and band kind of the engine with its Czech
// caption, a new object or band of a kind with sensible defaults, and where a new band goes.

#include "reportengine/model/ReportTemplate.h"

#include <span>

namespace ergotab::report::designer {

// The kinds offered in the "Vložit" menu; a rounded rectangle is a shape with round corners.
enum class ObjectKind {
    Text,
    Picture,
    Line,
    Rectangle,
    RoundedRectangle,
    Ellipse,
    CheckBox,
    Barcode,
    RichText,
    Subreport
};

std::span<const ObjectKind> objectKinds();
QString objectKindCaption(ObjectKind kind);
ObjectKind objectKindOf(const ReportObject &object);

// A new object of the kind at `rectMm` (relative to its band), without a name.
ReportObject newObject(ObjectKind kind, const QRectF &rectMm);
// A text object printing `text` (a field such as [Kategorie_DataSet."Text"]).
ReportObject newTextObject(const QString &text, const QRectF &rectMm);

// The start of the names given to new objects of this content: Text1, Line2, …
QString namePrefix(const ObjectContent &content);

std::span<const BandKind> bandKinds();
QString bandKindCaption(BandKind kind);
bool isDataBand(BandKind kind);
bool isGroupHeader(BandKind kind);
Band newBand(BandKind kind);
// The place in the page's order where a new band of the kind belongs (headers above their
// data, footers below, page footer and summary at the end).
int suggestedBandPosition(const ReportPage &page, BandKind kind);

QString paperCaption(PaperSize paper);
QString controlKindCaption(ControlKind kind);

} // namespace ergotab::report::designer
