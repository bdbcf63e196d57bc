#include "ReportFields.h"

#include "storage/document/FactorCatalogue.h"

namespace ergotab::reports::fields {

QStringList objectFieldNames()
{
    QStringList names {index, upLink, QStringLiteral("Type"), text};
    for (int n = 1; n <= FactorCount; ++n)
        names << factorFieldName(n);
    names << QStringLiteral("Pracov") << QStringLiteral("Zen") << QStringLiteral("Popis") << QStringLiteral("Mereni")
          << QStringLiteral("Opatreni");
    return names;
}

} // namespace ergotab::reports::fields
