#include "FactorCatalogue.h"

#include "../AppError.h"

namespace ergotab {

const std::array<Factor, FactorCount> &factorCatalogue()
{
    static const std::array<Factor, FactorCount> catalogue = {{
        {1, factorFieldName(1), QStringLiteral("Zátěž prachem"), QStringLiteral("Prach"), true},
        {2, factorFieldName(2), QStringLiteral("Zátěž chemickými látkami"), QStringLiteral("Chemické látky"), true},
        {3, factorFieldName(3), QStringLiteral("Zátěž hlukem"), QStringLiteral("Hluk"), true},
        {4, factorFieldName(4), QStringLiteral("Zátěž vibracemi"), QStringLiteral("Vibrace"), true},
        {5, factorFieldName(5), QStringLiteral("Zátěž neionizujícím zářením a elmag. polem včetně laserů"),
         QStringLiteral("Neionizující záření a elektromagnetická pole"), false},
        {6, factorFieldName(6), QStringLiteral("Fyzická zátěž"), QStringLiteral("Fyzická zátěž"), false},
        {7, factorFieldName(7), QStringLiteral("Zátěž prací v nevhodných pracovních polohách"),
         QStringLiteral("Pracovní poloha"), false},
        {8, factorFieldName(8), QStringLiteral("Zátěž teplem"), QStringLiteral("Zátěž teplem"), true},
        {9, factorFieldName(9), QStringLiteral("Zátěž chladem"), QStringLiteral("Zátěž chladem"), false},
        {10, factorFieldName(10), QStringLiteral("Psychická zátěž"), QStringLiteral("Psychická zátěž"), false},
        {11, factorFieldName(11), QStringLiteral("Zraková zátěž"), QStringLiteral("Zraková zátěž"), false},
        {12, factorFieldName(12), QStringLiteral("Zátěž biologickými činiteli způsobujícími onemocnění"),
         QStringLiteral("Práce s biologickými činiteli"), true},
        {13, factorFieldName(13), QStringLiteral("Zátěž zvýšeným tlakem vzduchu"),
         QStringLiteral("Práce ve zvýšeném tlaku vzduchu"), true},
    }};
    return catalogue;
}

const Factor &factor(int number)
{
    if (number < 1 || number > FactorCount)
        throw AppError(QStringLiteral("Factor %1 does not exist").arg(number));
    return factorCatalogue()[number - 1];
}

static QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')).right(2);
}

QString factorFieldName(int number)
{
    return QStringLiteral("Fak") + twoDigits(number);
}

QString categoryBoxName(int factorNumber, int category)
{
    return QStringLiteral("f%1k%2").arg(twoDigits(factorNumber)).arg(category);
}

std::array<bool, CategoryCount> maskToCategories(int mask)
{
    std::array<bool, CategoryCount> categories {};
    for (int k = 0; k < CategoryCount; ++k)
        categories[k] = (unsigned(mask) >> k) & 1u;
    return categories;
}

int categoriesToMask(const std::array<bool, CategoryCount> &categories)
{
    int mask = 0;
    for (int k = CategoryCount - 1; k >= 0; --k)
        mask = mask * 2 + (categories[k] ? 1 : 0);
    return mask;
}

} // namespace ergotab
