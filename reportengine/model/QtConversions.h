#pragma once

// A template's fonts and alignments as Qt draws them; the layout, the dialog pages and the
// designer all take them from here.

#include "reportengine/model/TemplateObjects.h"

#include <QFont>

namespace ergotab::report {

QFont toQFont(const FontSpec &spec);
Qt::Alignment toQtAlignment(const TextObject &text);

} // namespace ergotab::report
