#pragma once

#include "WizardAnswers.h"

#include <QString>

namespace ergotab {

// The wizard's pages in their order.
enum WizardPage : int {
    PageUvod = 0,
    PagePrach,
    PageChem,
    PageChem1,
    PageHluk,
    PageVibr,
    PageVibr1,
    PageVibr2,
    PageNeion,
    PageFyz1,
    PageFyz2,
    PageFyz3,
    PageFyz4,
    PagePol1,
    PageTeplo,
    PageChlad,
    PagePsych,
    PageZrak,
    PageBio,
    PageTlak,
    PageZaver,
    WizardPageCount
};

// The page's key, also its caption: "uvod", "prach", ...
QString pageKey(int page);
// The factor a page asks about, 0 on the first and the last page.
int pageFactor(int page);

// Help topics: one per page, and one per factor with the decree's criteria.
constexpr int pageHelpContext(int page)
{
    return 510 + 10 * page;
}
constexpr int factorHelpContext(int factor)
{
    return 800 + 10 * factor;
}

// A page that only follows up a factor answered "Ne" is passed over in the direction of travel.
bool pagePassedOver(int page, const WizardAnswers &answers);
// Whether the page is answered well enough to go on. `name` is the assessment's name.
bool pageComplete(int page, const WizardAnswers &answers, const QString &name);

} // namespace ergotab
