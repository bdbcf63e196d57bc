#pragma once

#include <QList>

class QComboBox;
class QDialog;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSplitter;
class QToolButton;
class QWidget;

namespace ergotab::workers {

class DateField;
class MaskedField;

// The controls of the worker register with the object names of the form design, built once by
// setupUi: the list, a splitter, the fields of one worker and the buttons.
struct WorkersFormUi
{
    QSplitter *Splitter1 = nullptr;
    QListWidget *ListBox1 = nullptr;
    QWidget *Panel1 = nullptr; // the fields of the worker

    QLineEdit *Edit3 = nullptr;       // PersNum
    QLineEdit *Edit6 = nullptr;       // Profese
    QLineEdit *Edit1 = nullptr;       // LName
    QLineEdit *Edit2 = nullptr;       // FName
    DateField *DateEdit1 = nullptr;   // BirthDate
    MaskedField *MaskEdit1 = nullptr; // BirthNum
    QLineEdit *Edit4 = nullptr;       // Address
    MaskedField *MaskEdit2 = nullptr; // Zip
    QLineEdit *Edit5 = nullptr;       // City
    QLineEdit *MaskEdit3 = nullptr;   // RiskLen, as typed
    QComboBox *ComboBox1 = nullptr;   // LenType
    DateField *DateEdit2 = nullptr;   // ReviDate
    QComboBox *ComboBox2 = nullptr;   // Result

    QPushButton *BitBtn1 = nullptr;      // "Uložit"
    QPushButton *BitBtn2 = nullptr;      // "Storno"
    QToolButton *SpeedButton1 = nullptr; // "+"
    QToolButton *SpeedButton2 = nullptr; // "-"
    QPushButton *BitBtn3 = nullptr;      // "Zavřít"

    // Every field of a worker, enabled and disabled together.
    QList<QWidget *> fields() const;

    void setupUi(QDialog *dialog);

private:
    void setupFields(QWidget *panel);
    void setupTabOrder();
};

} // namespace ergotab::workers
