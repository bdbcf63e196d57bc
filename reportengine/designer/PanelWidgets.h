#pragma once

// The property panel's controls: made with their object names, laid out narrow.

#include "reportengine/designer/PanelBindings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace ergotab::report::designer::panel {

template <typename Kind> bool isKind(const ReportObject &o)
{
    return std::holds_alternative<Kind>(o.content);
}

inline QLineEdit *lineEdit(const char *name, const QString &tip = {})
{
    auto *edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    edit->setToolTip(tip);
    return edit;
}

inline QCheckBox *checkBox(const QString &text, const char *name)
{
    auto *box = new QCheckBox(text);
    box->setObjectName(QLatin1String(name));
    return box;
}

inline QPushButton *colorButton(const char *name)
{
    auto *button = new QPushButton;
    button->setObjectName(QLatin1String(name));
    return button;
}

inline QComboBox *comboBox(const char *name, std::initializer_list<std::pair<QString, int>> items)
{
    auto *combo = new QComboBox;
    combo->setObjectName(QLatin1String(name));
    for (const auto &[caption, value] : items)
        combo->addItem(caption, value);
    return combo;
}

inline QFontComboBox *fontCombo(const char *name)
{
    auto *combo = new QFontComboBox;
    combo->setObjectName(QLatin1String(name));
    // Long family names would otherwise widen the whole panel.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(10);
    return combo;
}

// Check boxes two to a row, so the panel stays narrow.
inline QGridLayout *checkGrid(std::initializer_list<QCheckBox *> boxes)
{
    auto *grid = new QGridLayout;
    int i = 0;
    for (QCheckBox *box : boxes) {
        grid->addWidget(box, i / 2, i % 2);
        ++i;
    }
    return grid;
}

// The font style check boxes of a font reached through `font`.
template <typename Kind>
void bindFontStyles(PanelBindings &bindings, const QString &what, FontSpec *(*font)(Kind &),
                    std::initializer_list<std::pair<QCheckBox *, bool FontSpec::*>> boxes)
{
    for (const auto &[box, member] : boxes)
        bindings.check(box, what, contentField<Kind>([font, member = member](Kind &k) { return &(font(k)->*member); }));
}

} // namespace ergotab::report::designer::panel
