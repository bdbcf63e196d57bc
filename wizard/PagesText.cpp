// The welcome and closing pages.
#include "PageBuilder.h"
#include "WizardPages.h"

#include <QLineEdit>

namespace ergotab {

void buildUvodPage(PageBuilder &b)
{
    b.text({QStringLiteral("Vítá vás průvodce hodnocením pracoviště."), QString(),
            QStringLiteral("Prostřednictvím několika jednoduchých kroků a otázek"),
            QStringLiteral("vám pomůže provést zařazení pracoviště do správných"),
            QStringLiteral("kategorií z hlediska hodnocení hygieny práce."), QString(),
            QStringLiteral("Nejprve zadejte jméno pracoviště:")},
           PageBuilder::QuestionPixels);
    auto *name = new QLineEdit;
    name->setObjectName(QStringLiteral("NameEdit"));
    b.add(name);
    b.addStretch();
}

void buildZaverPage(PageBuilder &b)
{
    b.text({QStringLiteral("Děkujeme Vám za zodpovězení otázek."), QString(),
            QStringLiteral("Průvodce je nyní připraven vytvořit pro vás pracovistě"),
            QStringLiteral("s kategorizací dle vámi zadaných požadavků."), QString(),
            QStringLiteral("Chcete-li ještě nyní něco opravit stiskněte tlačítko "),
            QStringLiteral("\"Předchozí\" nebo pokračujte stiskem tlačítka \"Dokončit\"")},
           PageBuilder::QuestionPixels);
    b.addStretch();
}

} // namespace ergotab
