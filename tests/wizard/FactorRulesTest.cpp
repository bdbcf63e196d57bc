#include "wizard/rules/FactorRules.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace ergotab;
using A = WizardAnswers;

namespace {

// Every factor answered "Ne": the starting point of each case below.
A allNe()
{
    A a;
    for (Pick A::*p : {&A::PrachComboBox, &A::ChemComboBox, &A::HlukComboBox, &A::VibraComboBox, &A::NeionComboBox,
                       &A::FyzMainComboBox, &A::PracPolohaComboBox, &A::TeploComboBox, &A::ChladComboBox,
                       &A::PsychiComboBox, &A::ZrakComboBox, &A::BioComboBox, &A::TlakComboBox})
        a.*p = Ne;
    return a;
}

struct Case
{
    const char *what;
    std::function<void(A &)> answer;
    int expected;
};

// Applies each case on its own to `base` and checks the factor's category; all other
// factors must stay at 1.
void expectEach(int factorNumber, const A &base, const std::vector<Case> &cases)
{
    for (const Case &c : cases) {
        A a = base;
        c.answer(a);
        const DerivedCategories d = DeriveCategories(a);
        EXPECT_EQ(d.category(factorNumber), c.expected) << c.what;
        for (int f = 1; f <= FactorCount; ++f) {
            if (f != factorNumber) {
                EXPECT_EQ(d.category(f), 1) << c.what << ", factor " << f;
            }
        }
    }
}

int category(const A &a, int factorNumber)
{
    return DeriveCategories(a).category(factorNumber);
}

} // namespace

TEST(FactorRules, EveryFactorAnsweredNeGivesCategoryOneAndMaskOne)
{
    const DerivedCategories d = DeriveCategories(allNe());
    for (int f = 1; f <= FactorCount; ++f) {
        EXPECT_EQ(d.category(f), 1);
        EXPECT_EQ(d.mask(f), 1);
    }
}

TEST(FactorRules, UnansweredFactorsCountAsAbsentEvenWithAnswersInside)
{
    A a; // nothing answered at all
    a.PrachPanel = 3;
    a.CheckBox9 = true;
    a.TlakPanel = 53;
    for (int f = 1; f <= FactorCount; ++f)
        EXPECT_EQ(category(a, f), 1) << f;
}

TEST(FactorRules, Dust)
{
    A base = allNe();
    base.PrachComboBox = Ano;
    expectEach(Dust, base,
               {{"> 0,3 PEL; < PEL", [](A &a) { a.PrachPanel = 1; }, 2},
                {"> PEL; < 3 PEL", [](A &a) { a.PrachPanel = 2; }, 3},
                {"> 3 PEL", [](A &a) { a.PrachPanel = 3; }, 4}});
    A a = base;
    a.PrachPanel = 2;
    EXPECT_EQ(DeriveCategories(a).mask(Dust), 4);
    a.PrachComboBox = Ne;
    EXPECT_EQ(category(a, Dust), 1) << "an answer hidden by Ne is ignored";
}

TEST(FactorRules, ChemicalSubstances)
{
    A base = allNe();
    base.ChemComboBox = Ano;
    expectEach(Chemicals, base,
               {{"> 0,3 PEL; < PEL", [](A &a) { a.Panel4 = 4; }, 2},
                {"> PEL; < NPK-P", [](A &a) { a.Panel4 = 5; }, 3},
                {"> NPK-P (PEL group)", [](A &a) { a.Panel4 = 6; }, 4},
                {"> 0,3 NPK-P; < NPK-P", [](A &a) { a.Panel5 = 7; }, 2},
                {"> NPK-P (NPK-P group)", [](A &a) { a.Panel5 = 8; }, 3},
                {"> 0,3; < 1", [](A &a) { a.Panel38 = 9; }, 2},
                {"> 1; < 2", [](A &a) { a.Panel38 = 85; }, 3},
                {"> 2", [](A &a) { a.Panel38 = 86; }, 4},
                {"listed substances Ano", [](A &a) { a.AlergieComboBox = Ano; }, 2},
                {"listed substances Ne", [](A &a) { a.AlergieComboBox = Ne; }, 1}});

    A a = base;
    a.Panel4 = 4;
    a.Panel5 = 7;
    a.Panel38 = 9;
    a.AlergieComboBox = Ne;
    EXPECT_EQ(category(a, Chemicals), 2);
    a.Panel5 = 8;
    EXPECT_EQ(category(a, Chemicals), 3);
    a.Panel38 = 86;
    EXPECT_EQ(category(a, Chemicals), 4);
    a.ChemComboBox = Ne;
    EXPECT_EQ(category(a, Chemicals), 1);
}

TEST(FactorRules, Noise)
{
    A base = allNe();
    base.HlukComboBox = Ano;
    expectEach(Noise, base,
               {{"75 - 85 dB", [](A &a) { a.HlukPanel = 10; }, 2},
                {"85 - 105 dB", [](A &a) { a.HlukPanel = 11; }, 3},
                {"> 105 dB", [](A &a) { a.HlukPanel = 12; }, 4},
                {"nothing chosen", [](A &) {}, 1}});
}

TEST(FactorRules, VibrationBandsWithAllEightHourBoxesSet)
{
    A base = allNe();
    base.VibraComboBox = Ano;
    base.CheckBox17 = base.CheckBox18 = base.CheckBox19 = true;
    expectEach(Vibration, base,
               {{"all boxes set, no band", [](A &) {}, 2},
                {"hand-arm 113 - 123", [](A &a) { a.VibraPanel = 13; }, 2},
                {"hand-arm 123 - 133", [](A &a) { a.VibraPanel = 14; }, 3},
                {"hand-arm > 133", [](A &a) { a.VibraPanel = 15; }, 4},
                {"horizontal 97 - 107", [](A &a) { a.Panel37 = 82; }, 2},
                {"horizontal 107 - 117", [](A &a) { a.Panel37 = 83; }, 3},
                {"horizontal > 117", [](A &a) { a.Panel37 = 84; }, 4},
                {"vertical 100 - 110", [](A &a) { a.Panel39 = 87; }, 2},
                {"vertical 110 - 120", [](A &a) { a.Panel39 = 88; }, 3},
                {"vertical > 120", [](A &a) { a.Panel39 = 89; }, 4}});
}

TEST(FactorRules, VibrationEightHourBoxesFireInBothStates)
{
    A a = allNe();
    a.VibraComboBox = Ano;
    a.VibraPanel = 13;
    a.Panel37 = 82;
    a.Panel39 = 87;
    a.CheckBox17 = a.CheckBox18 = a.CheckBox19 = true;
    EXPECT_EQ(category(a, Vibration), 2);
    EXPECT_EQ(DeriveCategories(a).mask(Vibration), 2);
    for (bool A::*box : {&A::CheckBox17, &A::CheckBox18, &A::CheckBox19}) {
        A cleared = a;
        cleared.*box = false;
        EXPECT_EQ(category(cleared, Vibration), 3);
        EXPECT_EQ(DeriveCategories(cleared).mask(Vibration), 4);
    }
    a.Panel37 = 84;
    EXPECT_EQ(category(a, Vibration), 4);
    a.VibraComboBox = Ne;
    EXPECT_EQ(category(a, Vibration), 1) << "unset boxes do not count without vibration";
}

TEST(FactorRules, NonIonisingRadiationNeverReachesFour)
{
    A base = allNe();
    base.NeionComboBox = Ano;
    expectEach(Radiation, base,
               {{"lasers up to class III a", [](A &a) { a.Panel3 = 16; }, 2},
                {"lasers III b, IV", [](A &a) { a.Panel3 = 17; }, 3},
                {"IR/UV below limit", [](A &a) { a.Panel6 = 18; }, 2},
                {"IR/UV above limit", [](A &a) { a.Panel6 = 19; }, 3},
                {"EMP below limit", [](A &a) { a.Panel7 = 20; }, 2},
                {"EMP above limit", [](A &a) { a.Panel7 = 21; }, 3},
                {"all above", [](A &a) { a.Panel3 = 17, a.Panel6 = 19, a.Panel7 = 21; }, 3}});
}

TEST(FactorRules, PhysicalLoadBlockOne)
{
    A base = allNe();
    base.FyzMainComboBox = Ano;
    base.Fyz1ComboBox = Ano;
    base.ComboBox1 = Neprekracuje;
    expectEach(PhysicalLoad, base,
               {{"annual expenditure not exceeded alone", [](A &) {}, 2},
                {"shift expenditure lower", [](A &a) { a.Panel9 = 22; }, 2},
                {"shift expenditure higher", [](A &a) { a.Panel9 = 23; }, 3},
                {"minute expenditure lower", [](A &a) { a.Panel10 = 25; }, 2},
                {"minute expenditure higher", [](A &a) { a.Panel10 = 26; }, 3},
                {"heart rate lower", [](A &a) { a.Panel11 = 28; }, 2},
                {"heart rate higher", [](A &a) { a.Panel11 = 29; }, 3},
                {"annual exceeded", [](A &a) { a.ComboBox1 = Prekracuje; }, 3},
                {"annual unanswered", [](A &a) { a.ComboBox1 = Pick::None; }, 3}});
}

TEST(FactorRules, PhysicalLoadBlockTwo)
{
    A base = allNe();
    base.FyzMainComboBox = Ano;
    base.FyzMalComboBox = Ano;
    base.ComboBox2 = Neprekracuje;
    expectEach(PhysicalLoad, base,
               {{"short efforts not exceeded alone", [](A &) {}, 2},
                {"15 - 30% Fsmax", [](A &a) { a.Panel12 = 31; }, 2},
                {"> 30% Fsmax", [](A &a) { a.Panel12 = 32; }, 3},
                {"short efforts exceeded", [](A &a) { a.ComboBox2 = Prekracuje; }, 3},
                {"short efforts unanswered", [](A &a) { a.ComboBox2 = Pick::None; }, 3},
                {"> 2/3 of the movement limit", [](A &a) { a.Panel40 = 24; }, 2},
                {"> the movement limit", [](A &a) { a.Panel40 = 27; }, 3},
                {"110 - 90 / min", [](A &a) { a.Panel13 = 34; }, 2},
                {"> 110 - 90 / min", [](A &a) { a.Panel13 = 35; }, 3}});
}

TEST(FactorRules, PhysicalLoadBlocksThreeAndFour)
{
    A stat = allNe();
    stat.FyzMainComboBox = Ano;
    stat.FyzStatComboBox = Ano;
    expectEach(PhysicalLoad, stat,
               {{"6 - 10% Fsmax", [](A &a) { a.Panel14 = 36; }, 2}, {"> 10% Fsmax", [](A &a) { a.Panel14 = 37; }, 3}});

    A loads = allNe();
    loads.FyzMainComboBox = Ano;
    loads.FyzBremComboBox = Ano;
    expectEach(PhysicalLoad, loads,
               {{"often men 15 - 30 kg", [](A &a) { a.Panel15 = 39; }, 2},
                {"often men > 30 kg", [](A &a) { a.Panel15 = 40; }, 3},
                {"often women 5 - 15 kg", [](A &a) { a.Panel41 = 30; }, 2},
                {"often women > 15 kg", [](A &a) { a.Panel41 = 33; }, 3},
                {"now and then men 30 - 50 kg", [](A &a) { a.Panel42 = 38; }, 2},
                {"now and then men > 50 kg", [](A &a) { a.Panel42 = 41; }, 3},
                {"now and then women 15 - 20 kg", [](A &a) { a.Panel43 = 90; }, 2},
                {"now and then women > 20 kg", [](A &a) { a.Panel43 = 91; }, 3}});
}

TEST(FactorRules, PhysicalLoadCountsABlockOnlyUnderBothQuestions)
{
    A a = allNe();
    a.FyzMainComboBox = Ano;
    a.Fyz1ComboBox = a.FyzMalComboBox = a.FyzStatComboBox = a.FyzBremComboBox = Ne;
    // Answers left behind in every block, and the both-state lists unanswered.
    a.Panel9 = 23;
    a.Panel12 = 32;
    a.Panel14 = 37;
    a.Panel15 = 40;
    EXPECT_EQ(category(a, PhysicalLoad), 1) << "all four blocks Ne";

    A onlyStatic = a;
    onlyStatic.FyzStatComboBox = Ano;
    EXPECT_EQ(category(onlyStatic, PhysicalLoad), 3) << "block 3 alone, > 10% Fsmax";

    A lower = a;
    lower.Fyz1ComboBox = Ano;
    lower.Panel9 = 22;
    lower.Panel10 = 25;
    lower.Panel11 = 28;
    lower.ComboBox1 = Neprekracuje;
    EXPECT_EQ(category(lower, PhysicalLoad), 2);
    lower.ComboBox1 = Prekracuje;
    EXPECT_EQ(category(lower, PhysicalLoad), 3);

    A mainNe = onlyStatic;
    mainNe.FyzMainComboBox = Ne;
    EXPECT_EQ(category(mainNe, PhysicalLoad), 1) << "block answers ignored under Ne";
    mainNe.FyzMainComboBox = Pick::None;
    EXPECT_EQ(category(mainNe, PhysicalLoad), 1);
}

TEST(FactorRules, WorkingPositions)
{
    A base = allNe();
    base.PracPolohaComboBox = Ano;
    expectEach(Positions, base,
               {{"100 - 160 min", [](A &a) { a.Panel8 = 42; }, 2},
                {"> 160 min", [](A &a) { a.Panel8 = 43; }, 3},
                {"20 - 30 min", [](A &a) { a.Panel17 = 44; }, 2},
                {"> 30 min", [](A &a) { a.Panel17 = 45; }, 3},
                {"< 240 min", [](A &a) { a.Panel16 = 46; }, 2},
                {"> 240 min", [](A &a) { a.Panel16 = 47; }, 3}});
}

TEST(FactorRules, Heat)
{
    A base = allNe();
    base.TeploComboBox = Ano;
    expectEach(Heat, base,
               {{"no time limit needed", [](A &a) { a.TeploPanel = 48; }, 2},
                {"time limit needed", [](A &a) { a.TeploPanel = 49; }, 3},
                {"harm not excluded", [](A &a) { a.TeploPanel = 50; }, 4}});
}

TEST(FactorRules, Cold)
{
    A base = allNe();
    base.ChladComboBox = Ano;
    expectEach(Cold, base,
               {{"no box", [](A &) {}, 1},
                {"outdoors in winter", [](A &a) { a.CheckBox1 = true; }, 2},
                {"4 °C < t < t_o", [](A &a) { a.CheckBox2 = true; }, 2},
                {"alternating", [](A &a) { a.CheckBox3 = true; }, 2},
                {"+4 °C and below", [](A &a) { a.CheckBox20 = true; }, 3},
                {"all boxes", [](A &a) { a.CheckBox1 = a.CheckBox2 = a.CheckBox3 = a.CheckBox20 = true; }, 3}});
}

TEST(FactorRules, PsychologicalLoad)
{
    A base = allNe();
    base.PsychiComboBox = Ano;
    expectEach(Psychological, base,
               {{"no box", [](A &) {}, 1},
                {"monotonous", [](A &a) { a.CheckBox4 = true; }, 2},
                {"forced pace", [](A &a) { a.CheckBox5 = true; }, 2},
                {"three shifts", [](A &a) { a.CheckBox7 = true; }, 2},
                {"3 or more category-2 factors", [](A &a) { a.CheckBox6 = true; }, 3},
                {"nights only", [](A &a) { a.CheckBox8 = true; }, 3},
                {"monotonous and nights only", [](A &a) { a.CheckBox4 = a.CheckBox8 = true; }, 3}});
}

TEST(FactorRules, VisualLoad)
{
    A base = allNe();
    base.ZrakComboBox = Ano;
    expectEach(Visual, base,
               {{"no box", [](A &) {}, 1},
                {"fine detail", [](A &a) { a.CheckBox11 = true; }, 2},
                {"monitoring", [](A &a) { a.CheckBox13 = true; }, 2},
                {"magnifiers", [](A &a) { a.CheckBox12 = true; }, 3},
                {"glare", [](A &a) { a.CheckBox14 = true; }, 3}});
}

TEST(FactorRules, BiologicalAgents)
{
    A base = allNe();
    base.BioComboBox = Ano;
    expectEach(Biological, base,
               {{"no box", [](A &) {}, 1},
                {"probable exposure", [](A &a) { a.CheckBox15 = true; }, 2},
                {"groups 2 and 3", [](A &a) { a.CheckBox16 = true; }, 3},
                {"group 4", [](A &a) { a.CheckBox9 = true; }, 4},
                {"all three", [](A &a) { a.CheckBox15 = a.CheckBox16 = a.CheckBox9 = true; }, 4}});
}

TEST(FactorRules, IncreasedAirPressure)
{
    A base = allNe();
    base.TlakComboBox = Ano;
    expectEach(Pressure, base,
               {{"< 100 kPa", [](A &a) { a.TlakPanel = 51; }, 2},
                {"100 - 400 kPa", [](A &a) { a.TlakPanel = 52; }, 3},
                {"> 400 kPa", [](A &a) { a.TlakPanel = 53; }, 4}});
}

// Random answers, any combination the form could or could not produce: every factor still
// gets exactly one category bit, and the factors without category 4 never reach it.
TEST(FactorRules, EveryMaskHasExactlyOneCategoryBit)
{
    std::mt19937 rng(432);
    auto pick = [&] { return Pick(int(rng() % 3) - 1); };
    auto flag = [&] { return rng() % 2 == 1; };
    for (int round = 0; round < 2000; ++round) {
        A a;
        for (Pick A::*p :
             {&A::PrachComboBox,      &A::ChemComboBox,  &A::HlukComboBox,    &A::VibraComboBox,   &A::NeionComboBox,
              &A::FyzMainComboBox,    &A::Fyz1ComboBox,  &A::FyzMalComboBox,  &A::FyzStatComboBox, &A::FyzBremComboBox,
              &A::PracPolohaComboBox, &A::TeploComboBox, &A::ChladComboBox,   &A::PsychiComboBox,  &A::ZrakComboBox,
              &A::BioComboBox,        &A::TlakComboBox,  &A::AlergieComboBox, &A::ComboBox1,       &A::ComboBox2})
            a.*p = pick();
        const std::pair<int A::*, std::vector<int>> groups[] = {
            {&A::PrachPanel, {1, 2, 3}}, {&A::Panel4, {4, 5, 6}},        {&A::Panel5, {7, 8}},
            {&A::Panel38, {9, 85, 86}},  {&A::HlukPanel, {10, 11, 12}},  {&A::VibraPanel, {13, 14, 15}},
            {&A::Panel37, {82, 83, 84}}, {&A::Panel39, {87, 88, 89}},    {&A::Panel3, {16, 17}},
            {&A::Panel6, {18, 19}},      {&A::Panel7, {20, 21}},         {&A::Panel9, {22, 23}},
            {&A::Panel10, {25, 26}},     {&A::Panel11, {28, 29}},        {&A::Panel12, {31, 32}},
            {&A::Panel40, {24, 27}},     {&A::Panel13, {34, 35}},        {&A::Panel14, {36, 37}},
            {&A::Panel15, {39, 40}},     {&A::Panel41, {30, 33}},        {&A::Panel42, {38, 41}},
            {&A::Panel43, {90, 91}},     {&A::Panel8, {42, 43}},         {&A::Panel17, {44, 45}},
            {&A::Panel16, {46, 47}},     {&A::TeploPanel, {48, 49, 50}}, {&A::TlakPanel, {51, 52, 53}},
        };
        for (const auto &[group, buttons] : groups) {
            const size_t i = rng() % (buttons.size() + 1);
            a.*group = i == buttons.size() ? 0 : buttons[i];
        }
        for (bool A::*b :
             {&A::CheckBox17, &A::CheckBox18, &A::CheckBox19, &A::CheckBox1, &A::CheckBox2, &A::CheckBox3,
              &A::CheckBox20, &A::CheckBox4, &A::CheckBox5, &A::CheckBox7, &A::CheckBox6, &A::CheckBox8, &A::CheckBox11,
              &A::CheckBox13, &A::CheckBox12, &A::CheckBox14, &A::CheckBox15, &A::CheckBox16, &A::CheckBox9})
            a.*b = flag();

        const DerivedCategories d = DeriveCategories(a);
        for (int f = 1; f <= FactorCount; ++f) {
            const int mask = d.mask(f);
            ASSERT_TRUE(mask == 1 || mask == 2 || mask == 4 || mask == 8) << "factor " << f << " mask " << mask;
            EXPECT_EQ(mask, 1 << (d.category(f) - 1));
            if (f == Radiation || f == PhysicalLoad || f == Positions || f == Cold || f == Psychological ||
                f == Visual) {
                EXPECT_LE(d.category(f), 3) << "factor " << f;
            }
        }
    }
}
