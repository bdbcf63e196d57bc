#include "ProductLabels.h"

#include <QLabel>

namespace ergotab {

QLabel *makeProductNameLabel(QWidget *parent, int pointSize)
{
    auto *label = new QLabel(QStringLiteral("Ergotab"), parent);
    label->setObjectName(QStringLiteral("ProductLabel"));
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel *makeVersionLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QStringLiteral("RxLabel8"));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace ergotab
