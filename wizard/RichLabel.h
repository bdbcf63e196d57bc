#pragma once

#include "RichCaption.h"

#include <QWidget>

namespace ergotab {

// A label that draws its caption with the answer markup (see RichCaption.h) and sizes itself
// to it. Clicking it emits clicked(), so the answer beside it can be chosen through it.
class RichLabel : public QWidget
{
    Q_OBJECT
public:
    explicit RichLabel(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // The first font is the label's own font; the second is the Greek-letter font of code "2".
    void setSecondFont(const QFont &font);

    const RichCaptionLayout &captionLayout() const { return m_layout; }
    QSize sizeHint() const override { return m_layout.size; }
    QSize minimumSizeHint() const override { return m_layout.size; }

    static QFont defaultFirstFont();
    static QFont defaultSecondFont();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void relayout();

    QString m_caption;
    QFont m_second;
    RichCaptionLayout m_layout;
};

} // namespace ergotab
