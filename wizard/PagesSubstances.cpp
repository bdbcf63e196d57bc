// Dust, chemical substances and noise.
#include "PageBuilder.h"
#include "WizardPages.h"

namespace ergotab {

void buildPrachPage(PageBuilder &b)
{
    b.presence(QStringLiteral("Vyskytuje se na pracovišti prach?"), QStringLiteral("PrachComboBox"));
    b.beginPanel(QStringLiteral("PrachPanel"));
    b.beginGroup(QStringLiteral("PrachPanel"), QStringLiteral("V jakém množství?"));
    b.radio(1, QStringLiteral("> 0,3 PEL; < PEL"));
    b.radio(2, QStringLiteral("> PEL; < 3 PEL"));
    b.radio(3, QStringLiteral("> 3 PEL"));
    b.endGroup();
    b.endPanel();
    b.addStretch();
}

void buildChemPage(PageBuilder &b)
{
    b.presence(QStringLiteral("Vyskytují se na pracovišti chemické látky?"), QStringLiteral("ChemComboBox"));
    b.beginPanel(QStringLiteral("ChemPanel"));
    b.beginGroup(QStringLiteral("Panel4"), QStringLiteral("V jakém množství?"));
    b.radio(4, QStringLiteral("> 0,3 PEL; < PEL"));
    b.radio(5, QStringLiteral("> PEL; < NPK-P"));
    b.radio(6, QStringLiteral("> NPK-P"));
    b.endGroup();
    b.beginGroup(QStringLiteral("Panel5"), QStringLiteral("pro látky, pro něž je stanovena jen NPK-P"));
    b.radio(7, QStringLiteral("> 0,3 NPK-P; < NPK-P"));
    b.radio(8, QStringLiteral("> NPK-P"));
    b.endGroup();
    b.beginGroup(QStringLiteral("Panel38"), QStringLiteral("Jaký je součet podílů konc. látek s aditiv. účinkem?"));
    b.radio(9, QStringLiteral("> 0,3; < 1"));
    b.radio(85, QStringLiteral("> 1; < 2"));
    b.radio(86, QStringLiteral("> 2"));
    b.endGroup();
    b.endPanel();
    b.addStretch();
}

void buildChem1Page(PageBuilder &b)
{
    b.text({QStringLiteral("- práce s chemickými karcinogeny skupiny 1. A 2.,"),
            QStringLiteral("- mutageny skupiny 2.,"),
            QStringLiteral("- chem. látkami, označenými větami R 26, R 27, R 28"),
            QStringLiteral("  a jejich kombinacemi,"),
            QStringLiteral("- chem. látkami, označenými větami R 39, R 42, R 43, "),
            QStringLiteral("  R 45, R 46 a 49, R 60, R 61 nebo nebezpečnými"),
            QStringLiteral("  látkami dle vyhl. č. 50/1997 Sb. (zákaz chem. zbraní),"),
            QStringLiteral("  pokud práce s nimi podle výsledků komplex. hodnocení "),
            QStringLiteral("  expozice nenáleží do kategorie vyšší.")},
           14);
    b.list(QStringLiteral("AlergieComboBox"), {QStringLiteral("Ano"), QStringLiteral("Ne")});
    b.addStretch();
}

void buildHlukPage(PageBuilder &b)
{
    b.presence(QStringLiteral("Vyskytuje se na pracovišti hluk?"), QStringLiteral("HlukComboBox"));
    b.beginPanel(QStringLiteral("HlukPanel"));
    b.beginGroup(QStringLiteral("HlukPanel"), QStringLiteral("V jaké intenzitě?"));
    b.radio(10, QStringLiteral("75 - 85 dB"));
    b.radio(11, QStringLiteral("85 - 105 dB"));
    b.radio(12, QStringLiteral("> 105 dB"));
    b.endGroup();
    b.endPanel();
    b.addStretch();
}

} // namespace ergotab
