#include "VzorInsertion.h"

#include "MeasureTemplates.h"

#include "storage/document/FactorCatalogue.h"

namespace ergotab::library {

namespace {

// Categories 2, 3 and 4; category 1 alone asks for no measures.
constexpr int RiskCategories = 0b1110;

QString editorLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

QString appendMeasureTemplates(const QString &measures, const FactorMasks &masks, MeasureTemplates &templates,
                               const ChooseSpecification &choose)
{
    QString text = measures;
    for (const Factor &f : factorCatalogue()) {
        if ((masks[f.number - 1] & RiskCategories) == 0)
            continue;
        const QStringList specs = templates.specifications(f.number);
        if (specs.isEmpty())
            continue;
        int chosen = 0;
        if (specs.size() > 1)
            chosen = choose ? choose(f.number, specs) : -1;
        const QString spec = chosen >= 0 && chosen < specs.size() ? specs.at(chosen) : QString();
        const std::optional<QString> measure = templates.find(f.number, spec);
        if (!measure)
            continue;
        if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
        text += QStringLiteral("-- ") + f.shortName + QLatin1Char(' ') + spec + QLatin1Char('\n');
        text += editorLineBreaks(*measure) + QStringLiteral("\n\n");
    }
    return text;
}

} // namespace ergotab::library
