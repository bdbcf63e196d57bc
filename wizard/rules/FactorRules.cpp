#include "FactorRules.h"

#include <algorithm>

namespace ergotab {

using namespace rules;
using A = WizardAnswers;

bool Condition::holds(const WizardAnswers &answers) const
{
    switch (kind) {
    case Kind::Chosen:
        return answers.*group == button;
    case Kind::Set:
        return answers.*flag;
    case Kind::NotSet:
        return !(answers.*flag);
    case Kind::Is:
        return answers.*list == state;
    case Kind::IsNot:
        return answers.*list != state;
    }
    return false;
}

namespace {

constexpr Pick A::*none = nullptr;

// Each row: factor, physical-load block, the answer, the category it gives.
// Comments quote the question of the group and the caption of the answer.
constexpr FactorRule kRules[] = {
    // Dust. "V jakém množství?"
    {Dust, none, chosen(&A::PrachPanel, 1), 2}, // "> 0,3 PEL; < PEL"
    {Dust, none, chosen(&A::PrachPanel, 2), 3}, // "> PEL; < 3 PEL"
    {Dust, none, chosen(&A::PrachPanel, 3), 4}, // "> 3 PEL"

    // Chemical substances. "V jakém množství?"
    {Chemicals, none, chosen(&A::Panel4, 4), 2}, // "> 0,3 PEL; < PEL"
    {Chemicals, none, chosen(&A::Panel4, 5), 3}, // "> PEL; < NPK-P"
    {Chemicals, none, chosen(&A::Panel4, 6), 4}, // "> NPK-P"
    // "pro látky, pro něž je stanovena jen NPK-P"
    {Chemicals, none, chosen(&A::Panel5, 7), 2}, // "> 0,3 NPK-P; < NPK-P"
    {Chemicals, none, chosen(&A::Panel5, 8), 3}, // "> NPK-P"
    // "Jaký je součet podílů konc. látek s aditiv. účinkem?"
    {Chemicals, none, chosen(&A::Panel38, 9), 2},  // "> 0,3; < 1"
    {Chemicals, none, chosen(&A::Panel38, 85), 3}, // "> 1; < 2"
    {Chemicals, none, chosen(&A::Panel38, 86), 4}, // "> 2"
    // Carcinogens, mutagens and substances with the listed risk phrases.
    {Chemicals, none, is(&A::AlergieComboBox, Ano), 2},

    // Noise. "V jaké intenzitě?"
    {Noise, none, chosen(&A::HlukPanel, 10), 2}, // "75 - 85 dB"
    {Noise, none, chosen(&A::HlukPanel, 11), 3}, // "85 - 105 dB"
    {Noise, none, chosen(&A::HlukPanel, 12), 4}, // "> 105 dB"

    // Vibration. Hand-arm, dB re 10^-6 m.s^-2.
    {Vibration, none, chosen(&A::VibraPanel, 13), 2}, // "113 - 123 dB"
    {Vibration, none, chosen(&A::VibraPanel, 14), 3}, // "123 - 133 dB"
    {Vibration, none, chosen(&A::VibraPanel, 15), 4}, // "> 133 dB"
    // Whole-body, horizontal.
    {Vibration, none, chosen(&A::Panel37, 82), 2}, // "97 - 107 dB"
    {Vibration, none, chosen(&A::Panel37, 83), 3}, // "107 - 117 dB"
    {Vibration, none, chosen(&A::Panel37, 84), 4}, // "> 117 dB"
    // Whole-body, vertical.
    {Vibration, none, chosen(&A::Panel39, 87), 2}, // "100 - 110 dB"
    {Vibration, none, chosen(&A::Panel39, 88), 3}, // "110 - 120 dB"
    {Vibration, none, chosen(&A::Panel39, 89), 4}, // "> 120 dB"
    // 8-hour level below and weekly level above the limit: these fire in both states.
    {Vibration, none, set(&A::CheckBox17), 2}, // hand-arm, 123 dB
    {Vibration, none, notSet(&A::CheckBox17), 3},
    {Vibration, none, set(&A::CheckBox18), 2}, // whole-body horizontal, 107 dB
    {Vibration, none, notSet(&A::CheckBox18), 3},
    {Vibration, none, set(&A::CheckBox19), 2}, // whole-body vertical, 110 dB
    {Vibration, none, notSet(&A::CheckBox19), 3},

    // Non-ionising radiation. "Lasery?"
    {Radiation, none, chosen(&A::Panel3, 16), 2}, // "lasery do třídy III a"
    {Radiation, none, chosen(&A::Panel3, 17), 3}, // "lasery třídy III b, IV"
    // "IR, viditelné, UV záření?"
    {Radiation, none, chosen(&A::Panel6, 18), 2}, // "> 0,3 přípustné hodnoty; < přípustná hodnota"
    {Radiation, none, chosen(&A::Panel6, 19), 3}, // "> přípustná hodnota"
    // "EMP?"
    {Radiation, none, chosen(&A::Panel7, 20), 2},
    {Radiation, none, chosen(&A::Panel7, 21), 3},

    // Physical load, block 1: dynamic work of large muscle groups.
    // "Celosměnový energetický výdej"
    {PhysicalLoad, &A::Fyz1ComboBox, chosen(&A::Panel9, 22), 2}, // men 4,5 - 6,8 MJ
    {PhysicalLoad, &A::Fyz1ComboBox, chosen(&A::Panel9, 23), 3}, // men > 6,8 MJ
    // "Minutový přípustný energetický výdej"
    {PhysicalLoad, &A::Fyz1ComboBox, chosen(&A::Panel10, 25), 2}, // men 400 - 575 W
    {PhysicalLoad, &A::Fyz1ComboBox, chosen(&A::Panel10, 26), 3}, // men > 575 W
    // "Směnová srdeční frekvence"
    {PhysicalLoad, &A::Fyz1ComboBox, chosen(&A::Panel11, 28), 2}, // 92 - 102 / min
    {PhysicalLoad, &A::Fyz1ComboBox, chosen(&A::Panel11, 29), 3}, // > 102 / min
    // Annual energy expenditure; fires in both states.
    {PhysicalLoad, &A::Fyz1ComboBox, is(&A::ComboBox1, Neprekracuje), 2},
    {PhysicalLoad, &A::Fyz1ComboBox, isNot(&A::ComboBox1, Neprekracuje), 3},

    // Block 2: dynamic work of small muscle groups.
    // "Průměrná celosměnová svalová síla:"
    {PhysicalLoad, &A::FyzMalComboBox, chosen(&A::Panel12, 31), 2}, // 15 - 30 % Fmax
    {PhysicalLoad, &A::FyzMalComboBox, chosen(&A::Panel12, 32), 3}, // > 30 % Fmax
    // Short efforts with 55 - 70 % Fmax at most 600 times a shift; fires in both states.
    {PhysicalLoad, &A::FyzMalComboBox, is(&A::ComboBox2, Neprekracuje), 2},
    {PhysicalLoad, &A::FyzMalComboBox, isNot(&A::ComboBox2, Neprekracuje), 3},
    // "počty pohybů v závislosti na sval. silách dle NV 178/01 Sb.:"
    {PhysicalLoad, &A::FyzMalComboBox, chosen(&A::Panel40, 24), 2}, // > 2/3 of the limit
    {PhysicalLoad, &A::FyzMalComboBox, chosen(&A::Panel40, 27), 3}, // > the limit
    // "pohyby vykonávané malými svalovými skupinami ruky a prstů"
    {PhysicalLoad, &A::FyzMalComboBox, chosen(&A::Panel13, 34), 2}, // "110 - 90 / min"
    {PhysicalLoad, &A::FyzMalComboBox, chosen(&A::Panel13, 35), 3}, // "> 110 - 90 / min"

    // Block 3: static load. "Průměrná celosměnová svalová síla:"
    {PhysicalLoad, &A::FyzStatComboBox, chosen(&A::Panel14, 36), 2}, // 6 - 10 % Fmax
    {PhysicalLoad, &A::FyzStatComboBox, chosen(&A::Panel14, 37), 3}, // > 10 % Fmax

    // Block 4: manual handling of loads.
    {PhysicalLoad, &A::FyzBremComboBox, chosen(&A::Panel15, 39), 2}, // often, men: 15 - 30 kg
    {PhysicalLoad, &A::FyzBremComboBox, chosen(&A::Panel15, 40), 3}, // > 30 kg
    {PhysicalLoad, &A::FyzBremComboBox, chosen(&A::Panel41, 30), 2}, // often, women: 5 - 15 kg
    {PhysicalLoad, &A::FyzBremComboBox, chosen(&A::Panel41, 33), 3}, // > 15 kg
    {PhysicalLoad, &A::FyzBremComboBox, chosen(&A::Panel42, 38), 2}, // now and then, men: 30 - 50 kg
    {PhysicalLoad, &A::FyzBremComboBox, chosen(&A::Panel42, 41), 3}, // > 50 kg
    {PhysicalLoad, &A::FyzBremComboBox, chosen(&A::Panel43, 90), 2}, // now and then, women: 15 - 20 kg
    {PhysicalLoad, &A::FyzBremComboBox, chosen(&A::Panel43, 91), 3}, // > 20 kg

    // Working positions. "v podm. přijatelných prac.polohách celkem"
    {Positions, none, chosen(&A::Panel8, 42), 2}, // "100 -160 min / sm."
    {Positions, none, chosen(&A::Panel8, 43), 3}, // ">160 min / sm."
    // "v nepřijatelných prac. polohách celkem"
    {Positions, none, chosen(&A::Panel17, 44), 2}, // "20 - 30 min / sm."
    {Positions, none, chosen(&A::Panel17, 45), 3}, // "> 30 min / sm."
    // "celkem v podm.přijatelných a nepřijatelných pol."
    {Positions, none, chosen(&A::Panel16, 46), 2}, // "< 240 min"
    {Positions, none, chosen(&A::Panel16, 47), 3}, // "> 240 min"

    // Heat.
    {Heat, none, chosen(&A::TeploPanel, 48), 2}, // no limit on the working time needed
    {Heat, none, chosen(&A::TeploPanel, 49), 3}, // the working time must be limited
    {Heat, none, chosen(&A::TeploPanel, 50), 4}, // harm not excluded even with protection

    // Cold.
    {Cold, none, set(&A::CheckBox1), 2},  // outdoors in winter
    {Cold, none, set(&A::CheckBox2), 2},  // 4 °C < t < t_o
    {Cold, none, set(&A::CheckBox3), 2},  // alternating cold and warm
    {Cold, none, set(&A::CheckBox20), 3}, // +4 °C and below

    // Psychological load.
    {Psychological, none, set(&A::CheckBox4), 2}, // monotonous work
    {Psychological, none, set(&A::CheckBox5), 2}, // forced pace
    {Psychological, none, set(&A::CheckBox7), 2}, // three shifts or continuous
    {Psychological, none, set(&A::CheckBox6), 3}, // three or more category-2 factors at once
    {Psychological, none, set(&A::CheckBox8), 3}, // night shifts only

    // Visual load.
    {Visual, none, set(&A::CheckBox11), 2}, // fine detail at low contrast
    {Visual, none, set(&A::CheckBox13), 2}, // continuous monitoring
    {Visual, none, set(&A::CheckBox12), 3}, // magnifiers needed
    {Visual, none, set(&A::CheckBox14), 3}, // irremovable glare

    // Biological agents.
    {Biological, none, set(&A::CheckBox15), 2}, // exposure probable, no deliberate intent
    {Biological, none, set(&A::CheckBox16), 3}, // deliberate, groups 2 and 3
    {Biological, none, set(&A::CheckBox9), 4},  // deliberate, group 4

    // Increased air pressure.
    {Pressure, none, chosen(&A::TlakPanel, 51), 2}, // < 100 kPa
    {Pressure, none, chosen(&A::TlakPanel, 52), 3}, // 100 - 400 kPa
    {Pressure, none, chosen(&A::TlakPanel, 53), 4}, // > 400 kPa
};

constexpr FactorPresence kPresence[] = {
    {Dust, &A::PrachComboBox},           {Chemicals, &A::ChemComboBox},  {Noise, &A::HlukComboBox},
    {Vibration, &A::VibraComboBox},      {Radiation, &A::NeionComboBox}, {PhysicalLoad, &A::FyzMainComboBox},
    {Positions, &A::PracPolohaComboBox}, {Heat, &A::TeploComboBox},      {Cold, &A::ChladComboBox},
    {Psychological, &A::PsychiComboBox}, {Visual, &A::ZrakComboBox},     {Biological, &A::BioComboBox},
    {Pressure, &A::TlakComboBox},
};
static_assert(std::size(kPresence) == FactorCount);

} // namespace

std::span<const FactorRule> factorRules()
{
    return kRules;
}

std::span<const FactorPresence> factorPresence()
{
    return kPresence;
}

DerivedCategories DeriveCategories(const WizardAnswers &answers)
{
    DerivedCategories result;
    result.categories.fill(1);

    std::array<bool, FactorCount> present {};
    for (const FactorPresence &p : kPresence)
        present[p.factor - 1] = answers.*(p.list) == Ano;

    for (const FactorRule &rule : kRules) {
        if (!present[rule.factor - 1])
            continue;
        if (rule.block && answers.*(rule.block) != Ano)
            continue;
        if (rule.when.holds(answers)) {
            int &category = result.categories[rule.factor - 1];
            category = std::max(category, rule.category);
        }
    }
    return result;
}

} // namespace ergotab
