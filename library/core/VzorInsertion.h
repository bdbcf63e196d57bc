#pragma once

#include "tree/DocumentEditing.h"

#include <QStringList>

#include <functional>

namespace ergotab::library {

class MeasureTemplates;

// Asks which of a factor's specifications to insert (the chooser): the factor number and the
// list in record order. Returns the chosen position, or -1 when nothing was chosen.
using ChooseSpecification = std::function<int(int factor, const QStringList &specifications)>;

// "Vzor": for every factor, in order, whose mask holds category 2, 3 or 4, the template of
// that factor is appended to the measures text (which uses "\n" line breaks): a header line
// "-- <short name> <specification>", the template's text, and an empty line. With several
// templates the chooser decides; with one, that one is taken without asking. Nothing chosen
// means the template with an empty specification, if any. Returns the new text.
QString appendMeasureTemplates(const QString &measures, const FactorMasks &masks, MeasureTemplates &templates,
                               const ChooseSpecification &choose);

} // namespace ergotab::library
