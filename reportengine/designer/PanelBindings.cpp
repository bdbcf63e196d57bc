#include "PanelBindings.h"

#include "reportengine/designer/core/ExpressionCheck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace ergotab::report::designer {

namespace {

// What a control shows: whether every object has the value, and the value when all agree.
template <typename T> struct Shared
{
    bool everyObject = false;
    std::optional<T> value;
};

template <typename T> Shared<T> shared(std::vector<ReportObject> &objects, const Field<T> &field)
{
    Shared<T> result;
    result.everyObject = !objects.empty();
    bool first = true;
    for (ReportObject &object : objects) {
        const T *value = field(object);
        if (!value)
            return {};
        if (first)
            result.value = *value;
        else if (result.value && !(*result.value == *value))
            result.value.reset();
        first = false;
    }
    return result;
}

} // namespace

namespace {
const char *shownProperty = "shownText";
} // namespace

void showFieldText(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    edit->setProperty(shownProperty, text);
    edit->setCursorPosition(0);
}

bool fieldChanged(const QLineEdit *edit)
{
    return edit->text() != edit->property(shownProperty).toString();
}

QString numberText(double value)
{
    return QString::number(value, 'g', 6).replace(u'.', u',');
}

std::optional<double> parseNumber(const QString &text)
{
    bool ok = false;
    const double value = QString(text).replace(u',', u'.').trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

void showColor(QPushButton *button, std::optional<QColor> color)
{
    button->setText(color ? (color->alpha() == 0 ? QStringLiteral("žádná") : color->name()) : QString());
    button->setStyleSheet(
        color && color->alpha()
            ? QStringLiteral("background:%1;color:%2")
                  .arg(color->name(), color->lightness() < 128 ? QStringLiteral("white") : QStringLiteral("black"))
            : QString());
}

PanelBindings::PanelBindings(Apply apply, ChooseColor chooseColor, QObject *parent)
    : QObject(parent)
    , m_apply(std::move(apply))
    , m_chooseColor(std::move(chooseColor))
{
}

template <typename T> void PanelBindings::apply(const QString &what, Field<T> field, T value)
{
    m_apply(what, [field = std::move(field), value = std::move(value)](ReportObject &o) {
        if (T *target = field(o))
            *target = value;
    });
}

void PanelBindings::check(QCheckBox *box, const QString &what, Field<bool> field)
{
    connect(box, &QCheckBox::clicked, this, [this, box, what, field] {
        if (m_refreshing)
            return;
        box->setTristate(false);
        apply(what, field, box->checkState() != Qt::Unchecked);
    });
    m_refreshers.push_back([box, field](std::vector<ReportObject> &objects) {
        const Shared<bool> value = shared(objects, field);
        box->setEnabled(value.everyObject);
        box->setTristate(!value.value);
        box->setCheckState(!value.value ? Qt::PartiallyChecked : *value.value ? Qt::Checked : Qt::Unchecked);
    });
}

void PanelBindings::text(QLineEdit *edit, const QString &what, Field<QString> field)
{
    connect(edit, &QLineEdit::editingFinished, this, [this, edit, what, field] {
        if (!m_refreshing && fieldChanged(edit))
            apply(what, field, edit->text().trimmed());
    });
    m_refreshers.push_back([edit, field](std::vector<ReportObject> &objects) {
        const Shared<QString> value = shared(objects, field);
        edit->setEnabled(value.everyObject);
        showFieldText(edit, value.value.value_or(QString()));
    });
}

void PanelBindings::expression(QLineEdit *edit, const QString &what, Field<QString> field, Edit before)
{
    const QString tip = edit->toolTip();
    connect(edit, &QLineEdit::editingFinished, this, [this, edit, what, field, before, tip] {
        if (m_refreshing || !fieldChanged(edit))
            return;
        const QString value = edit->text().trimmed();
        if (const auto problem = checkExpression(value)) {
            edit->setStyleSheet(QStringLiteral("background:#ffc0c0"));
            edit->setToolTip(QStringLiteral("Chyba na pozici %1: %2").arg(problem->position).arg(problem->message));
            return;
        }
        m_apply(what, [field, before, value](ReportObject &o) {
            if (before)
                before(o);
            if (QString *target = field(o))
                *target = value;
        });
    });
    m_refreshers.push_back([edit, field, tip](std::vector<ReportObject> &objects) {
        const Shared<QString> value = shared(objects, field);
        edit->setEnabled(value.everyObject);
        edit->setStyleSheet(QString());
        edit->setToolTip(tip);
        showFieldText(edit, value.value.value_or(QString()));
    });
}

void PanelBindings::number(QLineEdit *edit, const QString &what, Field<double> field, double min, double max)
{
    connect(edit, &QLineEdit::editingFinished, this, [this, edit, what, field, min, max] {
        if (m_refreshing || !fieldChanged(edit))
            return;
        const auto value = parseNumber(edit->text());
        if (!value || *value < min || *value > max)
            return showFieldText(edit, edit->property(shownProperty).toString());
        apply(what, field, *value);
    });
    m_refreshers.push_back([edit, field](std::vector<ReportObject> &objects) {
        const Shared<double> value = shared(objects, field);
        edit->setEnabled(value.everyObject);
        showFieldText(edit, value.value ? numberText(*value.value) : QString());
    });
}

void PanelBindings::fontFamily(QFontComboBox *combo, const QString &what, Field<QString> field)
{
    // Chosen by the user (also the family already shown), never by showing a value.
    connect(combo, &QComboBox::textActivated, this, [this, what, field](const QString &family) {
        if (!m_refreshing && !family.trimmed().isEmpty())
            apply(what, field, family.trimmed());
    });
    m_refreshers.push_back([combo, field](std::vector<ReportObject> &objects) {
        const Shared<QString> value = shared(objects, field);
        combo->setEnabled(value.everyObject);
        combo->setCurrentIndex(-1);
        if (value.value) {
            combo->setCurrentFont(QFont(*value.value));
            // The family kept, also when this computer lacks it and shows a substitute.
            combo->setEditText(*value.value);
        }
    });
}

void PanelBindings::choiceOf(QComboBox *combo, const QString &what,
                             std::function<std::optional<int>(ReportObject &)> get,
                             std::function<void(ReportObject &, int)> set)
{
    connect(combo, &QComboBox::activated, this, [this, combo, what, set](int index) {
        if (m_refreshing || index < 0)
            return;
        m_apply(what, [set, value = combo->itemData(index).toInt()](ReportObject &o) { set(o, value); });
    });
    m_refreshers.push_back([combo, get](std::vector<ReportObject> &objects) {
        std::optional<int> common;
        bool everyObject = !objects.empty();
        bool same = true;
        for (ReportObject &object : objects) {
            const std::optional<int> value = get(object);
            everyObject = everyObject && value.has_value();
            same = same && value && (!common || *common == *value);
            common = value;
        }
        combo->setEnabled(everyObject);
        combo->setCurrentIndex(everyObject && same ? combo->findData(*common) : -1);
    });
}

void PanelBindings::color(QPushButton *button, const QString &what, Field<QColor> field, QCheckBox *none)
{
    connect(button, &QPushButton::clicked, this, [this, button, what, field] {
        const QColor start(button->text().startsWith(u'#') ? QColor(button->text()) : QColor(Qt::black));
        const QColor chosen = m_chooseColor(button->window(), start, what);
        if (chosen.isValid())
            apply(what, field, chosen);
    });
    if (none)
        connect(none, &QCheckBox::clicked, this, [this, none, what, field] {
            if (m_refreshing)
                return;
            none->setTristate(false);
            const bool transparent = none->checkState() != Qt::Unchecked;
            m_apply(what, [field, transparent](ReportObject &o) {
                QColor *color = field(o);
                if (color && transparent)
                    *color = Qt::transparent;
                else if (color && color->alpha() == 0)
                    *color = Qt::white;
            });
        });
    m_refreshers.push_back([button, none, field](std::vector<ReportObject> &objects) {
        const Shared<QColor> value = shared(objects, field);
        button->setEnabled(value.everyObject);
        showColor(button, value.value);
        if (none) {
            none->setEnabled(value.everyObject);
            none->setTristate(!value.value);
            none->setCheckState(!value.value                ? Qt::PartiallyChecked
                                : value.value->alpha() == 0 ? Qt::Checked
                                                            : Qt::Unchecked);
        }
    });
}

void PanelBindings::refresh(std::vector<ReportObject> objects)
{
    m_refreshing = true;
    for (const auto &refresher : m_refreshers)
        refresher(objects);
    m_refreshing = false;
}

} // namespace ergotab::report::designer
