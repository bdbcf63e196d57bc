#include "TWizardData.h"

#include "WizardPictures.h"

namespace ergotab {

TWizardData::TWizardData(QObject *parent)
    : QObject(parent)
    , m_helpIcon(drawHelpIcon(18))
{
    setObjectName(QStringLiteral("WizardData"));
    for (int n = 0; n < PictureCount; ++n)
        m_pictures.append(drawStripPicture(n, PictureWidth, PictureHeight));
}

} // namespace ergotab
