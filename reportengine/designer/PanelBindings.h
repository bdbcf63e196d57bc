#pragma once

// Controls of the property panel tied to one value of the selected objects. A control shows the
// value when every selected object has it and all agree; it stays empty (a check box half-ticked,
// a combo box without a choice) when they differ, and disabled when some object has no such
// value. A change goes to every selected object as one step, and values not changed stay as they
// were in each object.

#include "reportengine/model/TemplateObjects.h"

#include <QColor>
#include <QObject>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace ergotab::report::designer {

// Where an object keeps a value; nullptr when it has none (a picture has no font).
template <typename T> using Field = std::function<T *(ReportObject &)>;

// A value of the object's content of one kind: contentField<TextObject>([](TextObject &t) { return &t.color; }).
template <typename Kind, typename Get> auto contentField(Get get)
{
    return [get](ReportObject &o) -> decltype(get(std::declval<Kind &>())) {
        Kind *content = std::get_if<Kind>(&o.content);
        return content ? get(*content) : nullptr;
    };
}

QString numberText(double value);
std::optional<double> parseNumber(const QString &text);
void showColor(QPushButton *button, std::optional<QColor> color);
// A line edit remembers the text it was given, so leaving it unchanged (also empty for values
// that differ) changes nothing.
void showFieldText(QLineEdit *edit, const QString &text);
bool fieldChanged(const QLineEdit *edit);

class PanelBindings : public QObject
{
    Q_OBJECT

public:
    using Edit = std::function<void(ReportObject &)>;
    using Apply = std::function<void(const QString &what, const Edit &edit)>;
    using ChooseColor = std::function<QColor(QWidget *parent, const QColor &start, const QString &title)>;

    PanelBindings(Apply apply, ChooseColor chooseColor, QObject *parent = nullptr);

    void check(QCheckBox *box, const QString &what, Field<bool> field);
    void text(QLineEdit *edit, const QString &what, Field<QString> field);
    // A condition: checked when finished; with a problem it is marked and not taken. `before`
    // runs on each object ahead of the new value.
    void expression(QLineEdit *edit, const QString &what, Field<QString> field, Edit before = {});
    // A number typed with a decimal comma or point; values outside [min, max] are refused.
    void number(QLineEdit *edit, const QString &what, Field<double> field, double min, double max);
    void fontFamily(QFontComboBox *combo, const QString &what, Field<QString> field);
    // The combo box's items carry the values as their data.
    template <typename E> void choice(QComboBox *combo, const QString &what, Field<E> field)
    {
        choiceOf(
            combo, what,
            [field](ReportObject &o) {
                E *value = field(o);
                return value ? std::optional<int>(int(*value)) : std::nullopt;
            },
            [field](ReportObject &o, int value) {
                if (E *target = field(o))
                    *target = E(value);
            });
    }
    // `none`, when given, is ticked for a transparent colour; unticking it gives white.
    void color(QPushButton *button, const QString &what, Field<QColor> field, QCheckBox *none = nullptr);

    // Shows the values of these objects (copies of the selected ones).
    void refresh(std::vector<ReportObject> objects);
    bool refreshing() const { return m_refreshing; }

private:
    void choiceOf(QComboBox *combo, const QString &what, std::function<std::optional<int>(ReportObject &)> get,
                  std::function<void(ReportObject &, int)> set);
    template <typename T> void apply(const QString &what, Field<T> field, T value);

    Apply m_apply;
    ChooseColor m_chooseColor;
    std::vector<std::function<void(std::vector<ReportObject> &)>> m_refreshers;
    bool m_refreshing = false;
};

} // namespace ergotab::report::designer
