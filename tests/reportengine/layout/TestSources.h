#pragma once

// Small data sources shaped like the program's: nodes, the assessments under them (in parent
// order), factors of some assessments, and notes of different lengths.

#include "reportengine/data/MemoryDataSource.h"

#include <memory>
#include <vector>

namespace ergotab::report::test {

struct TestSources
{
    MemoryDataSource nodes {QStringLiteral("Nodes"),
                            {QStringLiteral("Index"), QStringLiteral("UpLink"), QStringLiteral("Text")}};
    MemoryDataSource assessments {QStringLiteral("Assessments"),
                                  {QStringLiteral("Index"), QStringLiteral("UpLink"), QStringLiteral("Text"),
                                   QStringLiteral("Pracov"), QStringLiteral("Zen"), QStringLiteral("Kat")}};
    MemoryDataSource factors {QStringLiteral("Factors"),
                              {QStringLiteral("Assessment"), QStringLiteral("Factor"), QStringLiteral("Category")}};
    MemoryDataSource notes {QStringLiteral("Notes"), {QStringLiteral("Title"), QStringLiteral("Body")}};

    TestSources()
    {
        nodes.addRow({1, 0, QStringLiteral("Závod")});
        nodes.addRow({2, 1, QStringLiteral("Provoz")});
        nodes.addRow({3, 1, QStringLiteral("Sklad")});
        nodes.addRow({4, 0, QStringLiteral("Kancelář")});
        assessments.addRow({10, 1, QStringLiteral("Vedoucí"), 1, 0, 1});
        assessments.addRow({11, 2, QStringLiteral("Svářeč"), 12, 0, 3});
        assessments.addRow({12, 2, QStringLiteral("Lakýrník"), 4, 1, 3});
        assessments.addRow({13, 2, QStringLiteral("Brusič"), 6, 0, 2});
        assessments.addRow({14, 3, QStringLiteral("Skladník"), 8, 2, 2});
        assessments.addRow({15, 3, QStringLiteral("Řidič VZV"), 3, 0, 2});
        assessments.addRow({16, 3, QStringLiteral("Údržbář"), 2, 0, 2});
        factors.addRow({11, QStringLiteral("Hluk"), 3});
        factors.addRow({11, QStringLiteral("Prach"), 2});
        factors.addRow({12, QStringLiteral("Chemické látky"), 3});
        factors.addRow({14, QStringLiteral("Fyzická zátěž"), 2});
        notes.addRow({QStringLiteral("Krátká"), QStringLiteral("jedna řádka")});
        notes.addRow({QStringLiteral("Delší"),
                      QStringLiteral("Text o několika řádcích, který se do šířky šedesáti milimetrů nevejde "
                                     "a zalomí se mezi slovy.")});
        QStringList many;
        for (int i = 1; i <= 16; ++i)
            many << QStringLiteral("odstavec %1").arg(i);
        notes.addRow({QStringLiteral("Dlouhá"), many.join(u'\n')});
    }

    std::vector<DataSource *> all() { return {&nodes, &assessments, &factors, &notes}; }
};

} // namespace ergotab::report::test
