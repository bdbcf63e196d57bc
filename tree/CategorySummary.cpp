#include "CategorySummary.h"

#include "ObjectRecords.h"
#include "storage/dbf/Table.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <vector>

namespace ergotab::tree {

namespace {

struct Row
{
    int index = 0;
    int upLink = 0;
    int type = 0;
    std::array<int, FactorCount> masks {};
    int employees = 0;
    int women = 0;
};

std::vector<Row> readRows(dbf::Table &objects)
{
    const QString indexField = QStringLiteral("Index");
    const QString upLinkField = QStringLiteral("UpLink");
    const QString typeField = QStringLiteral("Type");
    const QString employeesField = QStringLiteral("Pracov");
    const QString womenField = QStringLiteral("Zen");
    std::array<QString, FactorCount> factorFields;
    for (int n = 1; n <= FactorCount; ++n)
        factorFields[size_t(n - 1)] = factorFieldName(n);

    std::vector<Row> rows;
    objects.setFiltered(false);
    for (objects.first(); !objects.eof(); objects.next()) {
        Row row;
        row.index = objects.fieldInt(indexField);
        row.upLink = objects.fieldInt(upLinkField);
        row.type = objects.fieldInt(typeField);
        if (row.type == AssessmentType) {
            for (int n = 0; n < FactorCount; ++n)
                row.masks[size_t(n)] = objects.fieldInt(factorFields[size_t(n)]);
            row.employees = objects.fieldInt(employeesField);
            row.women = objects.fieldInt(womenField);
        }
        rows.push_back(row);
    }
    return rows;
}

void count(CategorySummary &summary, const Row &row)
{
    summary.total.add(row.employees, row.women);
    int overall = 0;
    for (int n = 0; n < FactorCount; ++n) {
        const int mask = row.masks[size_t(n)];
        for (int category = 1; category <= CategoryCount; ++category)
            if (mask & categoryBit(category))
                summary.byFactor[size_t(n)][size_t(category - 1)].add(row.employees, row.women);
        overall = qMax(overall, highestCategory(mask));
    }
    summary.byOverall[size_t(overall)].add(row.employees, row.women);
}

} // namespace

int highestCategory(int mask)
{
    for (int category = CategoryCount; category >= 1; --category)
        if (mask & categoryBit(category))
            return category;
    return 0;
}

CategorySummary summarise(dbf::Table &objects, int rootIndex)
{
    const std::vector<Row> rows = readRows(objects);
    CategorySummary summary;
    QHash<int, std::vector<size_t>> children;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].type == AssessmentType && rows[i].index == rootIndex && rootIndex != 0) {
            count(summary, rows[i]);
            return summary;
        }
        children[rows[i].upLink].push_back(i);
    }
    // Walk down from the root; a row reached twice (a damaged parent chain) is counted once.
    QSet<int> visited {rootIndex};
    std::vector<int> pending {rootIndex};
    while (!pending.empty()) {
        const int parent = pending.back();
        pending.pop_back();
        for (size_t i : children.value(parent)) {
            const Row &row = rows[i];
            if (visited.contains(row.index))
                continue;
            visited.insert(row.index);
            if (row.type == AssessmentType)
                count(summary, row);
            else
                pending.push_back(row.index);
        }
    }
    return summary;
}

QString summaryAsTable(const CategorySummary &summary)
{
    QStringList header {QStringLiteral("Faktor")};
    for (int category = 1; category <= CategoryCount; ++category)
        header << QStringLiteral("Kat. %1 hodnocení").arg(category)
               << QStringLiteral("Kat. %1 zaměstnanci").arg(category) << QStringLiteral("Kat. %1 ženy").arg(category);
    QStringList lines {header.join(QLatin1Char('\t'))};
    const auto cells = [](const HeadCounts &c) {
        return QStringList {QString::number(c.assessments), QString::number(c.employees), QString::number(c.women)};
    };
    for (int n = 1; n <= FactorCount; ++n) {
        QStringList line {factor(n).rowCaption};
        for (int category = 1; category <= CategoryCount; ++category)
            line << cells(summary.byFactor[size_t(n - 1)][size_t(category - 1)]);
        lines << line.join(QLatin1Char('\t'));
    }
    QStringList overall {QStringLiteral("Celkem (nejvyšší kategorie)")};
    for (int category = 1; category <= CategoryCount; ++category)
        overall << cells(summary.byOverall[size_t(category)]);
    lines << overall.join(QLatin1Char('\t'));
    lines << QStringLiteral("Hodnocení celkem\t%1\tZaměstnanci celkem\t%2\tŽeny celkem\t%3")
                 .arg(summary.total.assessments)
                 .arg(summary.total.employees)
                 .arg(summary.total.women);
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace ergotab::tree
