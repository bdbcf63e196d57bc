#pragma once

#include "storage/document/FactorCatalogue.h"

#include <QString>

#include <array>

namespace ergotab {
namespace dbf {
class Table;
}

namespace tree {

// Assessments counted with their head counts.
struct HeadCounts
{
    int assessments = 0;
    qint64 employees = 0;
    qint64 women = 0;

    void add(int employeesOfOne, int womenOfOne)
    {
        ++assessments;
        employees += employeesOfOne;
        women += womenOfOne;
    }
    bool operator==(const HeadCounts &) const = default;
};

// What a document, or one node of it, holds per factor and category. An assessment that marks
// several categories of one factor counts under each of them.
struct CategorySummary
{
    HeadCounts total;
    std::array<std::array<HeadCounts, CategoryCount>, FactorCount> byFactor {}; // [factor-1][category-1]
    // By the overall category (the highest of the thirteen factors); [0]: no category marked.
    std::array<HeadCounts, CategoryCount + 1> byOverall {};
};

// The highest category whose bit the factor mask holds, 0 when none of the four is set.
int highestCategory(int mask);

// Counts the assessments below the node with that Index (0: the whole document; an assessment's
// own Index: that assessment alone). Reads the stored rows with the filter switched off.
CategorySummary summarise(dbf::Table &objects, int rootIndex);

// The summary as tab-separated text with a header row, as spreadsheets take it from the clipboard.
QString summaryAsTable(const CategorySummary &summary);

} // namespace tree
} // namespace ergotab
