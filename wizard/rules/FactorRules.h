#pragma once

#include "WizardAnswers.h"

#include "storage/document/FactorCatalogue.h"

#include <span>

namespace ergotab {

// Factor numbers in the catalogue's order.
enum FactorNumber : int {
    Dust = 1,
    Chemicals,
    Noise,
    Vibration,
    Radiation,
    PhysicalLoad,
    Positions,
    Heat,
    Cold,
    Psychological,
    Visual,
    Biological,
    Pressure,
};

// What makes a rule fire.
struct Condition
{
    enum class Kind { Chosen, Set, NotSet, Is, IsNot };
    Kind kind;
    int WizardAnswers::*group = nullptr; // Chosen: the group and the number of its button
    int button = 0;
    bool WizardAnswers::*flag = nullptr; // Set / NotSet
    Pick WizardAnswers::*list = nullptr; // Is / IsNot: the list and the state compared with
    Pick state = Pick::None;

    bool holds(const WizardAnswers &answers) const;
};

namespace rules {

constexpr Condition chosen(int WizardAnswers::*group, int radioButton)
{
    return {Condition::Kind::Chosen, group, radioButton, nullptr, nullptr, Pick::None};
}
constexpr Condition set(bool WizardAnswers::*flag)
{
    return {Condition::Kind::Set, nullptr, 0, flag, nullptr, Pick::None};
}
constexpr Condition notSet(bool WizardAnswers::*flag)
{
    return {Condition::Kind::NotSet, nullptr, 0, flag, nullptr, Pick::None};
}
constexpr Condition is(Pick WizardAnswers::*list, Pick state)
{
    return {Condition::Kind::Is, nullptr, 0, nullptr, list, state};
}
constexpr Condition isNot(Pick WizardAnswers::*list, Pick state)
{
    return {Condition::Kind::IsNot, nullptr, 0, nullptr, list, state};
}

} // namespace rules

// One row of the rule tables: when the condition holds, the factor is at least `category`.
// Rows of physical load also name their block's own "Ano" / "Ne" question.
struct FactorRule
{
    int factor;
    Pick WizardAnswers::*block; // nullptr outside physical load
    Condition when;
    int category;
};

// The list that says whether a factor is present at all.
struct FactorPresence
{
    int factor;
    Pick WizardAnswers::*list;
};

std::span<const FactorRule> factorRules();
std::span<const FactorPresence> factorPresence();

// One category (1 .. 4) per factor, and the mask the editor stores for it.
struct DerivedCategories
{
    std::array<int, FactorCount> categories {};

    int category(int factorNumber) const { return categories.at(factorNumber - 1); }
    int mask(int factorNumber) const { return categoryMask(category(factorNumber)); }
    static constexpr int categoryMask(int category) { return categoryBit(category); }
};

// The factor rules: a pure function of the answers. A factor not answered "Ano" stays at 1,
// whatever its hidden answers say; otherwise it takes the highest category of its firing rows.
DerivedCategories DeriveCategories(const WizardAnswers &answers);

} // namespace ergotab
