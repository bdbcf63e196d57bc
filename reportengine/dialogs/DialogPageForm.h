#pragma once

// A template's dialog page as a real dialog: each control of the page at its place, with its
// caption, items and starting value, named by the control's name (its value becomes the
// variable of that name). A button with modal result 1 accepts the page, 2 cancels it; a page
// that has no accepting button gets "OK" and "Zrušit" of its own, so it can always be left.

#include "reportengine/model/ReportTemplate.h"

#include <QDialog>
#include <QVariantMap>

#include <vector>

namespace ergotab::report {

class DialogPageForm : public QDialog
{
    Q_OBJECT

public:
    // `values` holds the controls' starting values by name (as the engine gives them); a
    // control without one starts from the page's own text or state.
    DialogPageForm(const DialogPage &page, const QVariantMap &values, QWidget *parent = nullptr);

    // The controls' values now: text of edits, memos, combo and list boxes, bool of check boxes
    // and radio buttons, QDate of date edits. Labels and buttons have none.
    QVariantMap values() const;

    // The widget built for the control of that name, or null.
    QWidget *control(const QString &name) const;

private:
    QWidget *build(const DialogControl &control, const QVariant &value);
    void addOwnButtons();

    struct Built
    {
        ControlKind kind;
        QString name;
        QWidget *widget;
    };
    std::vector<Built> m_controls;
};

} // namespace ergotab::report
