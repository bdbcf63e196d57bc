#pragma once

#include <QString>

#include <array>

namespace ergotab {

// The thirteen risk factors in their fixed order: rows of the editor's grid, of the reports
// and of the wizard.
struct Factor
{
    int number;            // 1 .. 13
    QString fieldName;     // "Fak01" .. "Fak13"
    QString rowCaption;    // the grid's row caption
    QString shortName;     // the name the measure templates show
    bool category4Offered; // false: the fourth check box is permanently disabled
};

constexpr int FactorCount = 13;
constexpr int CategoryCount = 4;

const std::array<Factor, FactorCount> &factorCatalogue();
const Factor &factor(int number); // 1 .. 13

// "Fak" and the number in two digits.
QString factorFieldName(int number);
// "f", two digits, "k", the category digit: the editor's check box of that cell.
QString categoryBoxName(int factorNumber, int category);

// A factor mask holds bit k-1 for category k. Only the low four bits count.
std::array<bool, CategoryCount> maskToCategories(int mask);
int categoriesToMask(const std::array<bool, CategoryCount> &categories);
constexpr int categoryBit(int category)
{
    return 1 << (category - 1);
}

} // namespace ergotab
