#pragma once

// The template file: readable XML saved with the extension .frf. The commented example in
// tests/reportengine/model/example-template.frf shows every element and attribute.
// Values equal to their defaults are not written; elements and attributes this version does not
// know are kept and written back.

#include "reportengine/model/ReportTemplate.h"

#include <QByteArray>

namespace ergotab::report {

// True when the bytes start like one of our template files (the root element is <report>).
bool looksLikeTemplateXml(const QByteArray &bytes);

// Throws AppError naming `fileName`, the line and what is wrong.
ReportTemplate readTemplateXml(const QByteArray &bytes, const QString &fileName);

QByteArray writeTemplateXml(const ReportTemplate &report);

} // namespace ergotab::report
