#pragma once

#include "core/MeasureTemplates.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace ergotab::library {

// "Vzory opatření": the administrator's editor of the measure templates. In browsing mode a
// factor and a specification are chosen (its text completes while typing) and the
// template shows; any change of the text enters editing mode, which "Uložit" (the template
// saved under its specification as typed, new or replaced) and "Zrušit" end. Closed only by the
// title bar; what was being edited then is dropped.
class TVzoryForm : public QDialog
{
    Q_OBJECT
public:
    using Confirm = std::function<bool(const QString &caption, const QString &text)>;
    TVzoryForm(dbf::Table &templates, Confirm confirm, QWidget *parent = nullptr);

    bool isEditing() const { return m_editing; }
    int currentFactor() const;

    // The factor captions of ComboBox1, " 1 - Zátěž prachem" … "13 - …".
    static QStringList factorCaptions();

public slots:
    void FormShow();
    void ComboBox1Change();
    void ComboBox2Change(const QString &typed);
    void Memo1Change();
    void BitBtn1Click();
    void BitBtn2Click();
    void DeleteBitBtnClick();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setEditing(bool editing);
    void showTemplate();
    QString specification() const;

    MeasureTemplates m_templates;
    Confirm m_confirm;
    bool m_editing = false;
    bool m_loadingMemo = false;

    QComboBox *ComboBox1 = nullptr;
    QComboBox *ComboBox2 = nullptr;
    QPushButton *DeleteBitBtn = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
};

} // namespace ergotab::library
