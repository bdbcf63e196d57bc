#pragma once

namespace ergotab {

// The state of a drop-down list: no selection, or the index of the chosen item.
// Presence lists hold "Ano" first and "Ne" second; ComboBox1 and ComboBox2 hold
// "Nepřekračuje" first and "Překračuje" second.
enum class Pick : int { None = -1, First = 0, Second = 1 };

constexpr Pick Ano = Pick::First;
constexpr Pick Ne = Pick::Second;
constexpr Pick Neprekracuje = Pick::First;
constexpr Pick Prekracuje = Pick::Second;

// Every answer the wizard's pages can give. Members carry the names of the controls that
// collect them, so a page and a rule speak of the same thing. A single-choice group holds the
// number N of its chosen RadioButtonN, 0 while nothing is chosen.
struct WizardAnswers
{
    // Presence of each factor, and the four blocks of physical load.
    Pick PrachComboBox = Pick::None;
    Pick ChemComboBox = Pick::None;
    Pick HlukComboBox = Pick::None;
    Pick VibraComboBox = Pick::None;
    Pick NeionComboBox = Pick::None;
    Pick FyzMainComboBox = Pick::None;
    Pick Fyz1ComboBox = Pick::None;
    Pick FyzMalComboBox = Pick::None;
    Pick FyzStatComboBox = Pick::None;
    Pick FyzBremComboBox = Pick::None;
    Pick PracPolohaComboBox = Pick::None;
    Pick TeploComboBox = Pick::None;
    Pick ChladComboBox = Pick::None;
    Pick PsychiComboBox = Pick::None;
    Pick ZrakComboBox = Pick::None;
    Pick BioComboBox = Pick::None;
    Pick TlakComboBox = Pick::None;

    // Other lists.
    Pick AlergieComboBox = Pick::None; // carcinogens, mutagens and the listed risk phrases
    Pick ComboBox1 = Pick::None;       // annual energy expenditure
    Pick ComboBox2 = Pick::None;       // short efforts with 55 - 70 % Fmax

    // Single-choice groups, by the panel holding their buttons.
    int PrachPanel = 0;
    int Panel4 = 0, Panel5 = 0, Panel38 = 0; // chemical substances
    int HlukPanel = 0;
    int VibraPanel = 0, Panel37 = 0, Panel39 = 0;           // vibration
    int Panel3 = 0, Panel6 = 0, Panel7 = 0;                 // non-ionising radiation
    int Panel9 = 0, Panel10 = 0, Panel11 = 0;               // physical load, block 1
    int Panel12 = 0, Panel40 = 0, Panel13 = 0;              // block 2
    int Panel14 = 0;                                        // block 3
    int Panel15 = 0, Panel41 = 0, Panel42 = 0, Panel43 = 0; // block 4
    int Panel8 = 0, Panel17 = 0, Panel16 = 0;               // working positions
    int TeploPanel = 0;
    int TlakPanel = 0;

    // Flags.
    bool CheckBox17 = false, CheckBox18 = false, CheckBox19 = false;                  // vibration, 8-hour levels
    bool CheckBox1 = false, CheckBox2 = false, CheckBox3 = false, CheckBox20 = false; // cold
    bool CheckBox4 = false, CheckBox5 = false, CheckBox7 = false, CheckBox6 = false,
         CheckBox8 = false;                                                              // psychological load
    bool CheckBox11 = false, CheckBox13 = false, CheckBox12 = false, CheckBox14 = false; // visual
    bool CheckBox15 = false, CheckBox16 = false, CheckBox9 = false;                      // biological agents
};

} // namespace ergotab
