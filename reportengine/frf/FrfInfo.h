#pragma once

// What a binary template holds, as JSON for `ergotab-cli template-info`: version and dialect,
// per page its kind and every object record in file order (kind, class name of add-ins, name,
// position and size in millimetres on the paper, band type, memo lines), the variables and
// the warnings of reading and converting it.

#include "reportengine/frf/FrfTemplate.h"

#include <QJsonObject>

namespace ergotab::report::frf {

QJsonObject frfInfo(const FrfTemplate &loaded, const QString &fileName, const FrfReadOptions &options = {});

} // namespace ergotab::report::frf
