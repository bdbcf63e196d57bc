#include "ReportBenchDocument.h"

#include "storage/document/Document.h"
#include "storage/document/FactorCatalogue.h"

#include <QVariantList>

#include <random>

namespace ergotab::bench {

void fillReportDocument(Document &document, int nodes, int assessments)
{
    dbf::Table &objects = document.objects();
    std::mt19937 random(12);
    // Most factors are category 1 or unmarked; a few reach 2, 3 or 4.
    const auto mask = [&] {
        const int roll = int(random() % 100);
        return roll < 50 ? 0 : roll < 80 ? 1 : roll < 93 ? 2 : roll < 99 ? 4 : 8;
    };
    int nextAssessment = nodes + 1;
    for (int node = 1; node <= nodes; ++node) {
        const int upLink = node <= 10 ? 0 : (node - 1) / 10;
        objects.appendRecord({node, upLink, 0, QStringLiteral("Pracoviště %1").arg(node)});
        const int share = assessments / nodes + (node <= assessments % nodes ? 1 : 0);
        for (int a = 0; a < share; ++a) {
            const int index = nextAssessment++;
            QVariantList row {index, node, 1, QStringLiteral("Obsluha stroje č. %1, ruční manipulace").arg(index)};
            for (int f = 0; f < FactorCount; ++f)
                row << mask();
            const int employees = 1 + int(random() % 40);
            row << employees << int(random() % (employees + 1));
            row << QStringLiteral("Obsluha a seřizování strojů, kontrola výrobků.")
                << QStringLiteral("Hluk LAeq,8h = %1 dB; prach 1,2 mg/m3.").arg(75 + int(random() % 20))
                << QStringLiteral("Chrániče sluchu, respirátor FFP2, střídání práce.");
            objects.appendRecord(row);
        }
    }
    document.setModified(false);
}

} // namespace ergotab::bench
