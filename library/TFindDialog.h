#pragma once

#include "core/TreeSearch.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ergotab::library {

// "Najít": the library window's modeless find dialog with the usual options, direction
// (down by default), match case and whole word. Each "Najít další" asks for one search.
class TFindDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TFindDialog(QWidget *parent = nullptr);

    QString findText() const;
    SearchOptions options() const;

signals:
    void findRequested();
    void closed();

protected:
    void hideEvent(QHideEvent *event) override;

private:
    QLineEdit *m_text = nullptr;
    QCheckBox *m_wholeWord = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QRadioButton *m_up = nullptr;
    QRadioButton *m_down = nullptr;
    QPushButton *m_findNext = nullptr;
};

} // namespace ergotab::library
