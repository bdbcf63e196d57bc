#pragma once

#include <QObject>
#include <QPixmap>
#include <QVector>

namespace ergotab {

// The wizard's picture store: the six pictures of the strip beside the pages and the help
// button's question mark. Drawn once, kept for the whole run and shared by every wizard.
class TWizardData : public QObject
{
    Q_OBJECT
public:
    static constexpr int PictureWidth = 113;
    static constexpr int PictureHeight = 313;
    static constexpr int PictureCount = 6;

    explicit TWizardData(QObject *parent = nullptr);

    // Picture n of the image list ImageList1, 0 .. 5.
    const QPixmap &picture(int n) const { return m_pictures.at(n); }
    const QPixmap &helpIcon() const { return m_helpIcon; }

private:
    QVector<QPixmap> m_pictures;
    QPixmap m_helpIcon;
};

} // namespace ergotab
