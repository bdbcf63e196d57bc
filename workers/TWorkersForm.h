#pragma once

#include "WorkerRegister.h"
#include "WorkersFormUi.h"

#include <QDialog>

#include <functional>

class QListWidgetItem;

namespace ergotab {
class Document;
}

namespace ergotab::workers {

// How the register talks to the user; the main window passes its message boxes, tests answer
// in advance.
struct WorkerPrompts
{
    // A Yes/No question (caption, text): true only for Yes.
    std::function<bool(const QString &caption, const QString &text)> question;
    // A refusal the user must read, in the program's error box.
    std::function<void(const QString &text)> notice;
};

// "Zaměstnanci": the workers of the open document in a list, the fields of the selected one
// beside it. A change in any field starts the editing state, which only "Uložit" and "Storno"
// end; meanwhile the list and "Zavřít" are disabled and the window does not close.
class TWorkersForm : public QDialog
{
    Q_OBJECT
public:
    TWorkersForm(Document &document, WorkerPrompts prompts, QWidget *parent = nullptr);
    ~TWorkersForm() override;

    WorkersFormUi &ui() { return m_ui; }
    bool isEditing() const;

    // Rebuilds the list in record order and shows no worker.
    void FormShow();
    void ListBox1Click();
    // The change handler of every field.
    void Edit3Change();
    // "Uložit": stores the shown worker. A length that is no whole number raises its error and
    // leaves the window editing, with nothing stored.
    void BitBtn1Click();
    // "Storno"
    void BitBtn2Click();
    // "+"
    void SpeedButton1Click();
    // "-"
    void SpeedButton2Click();
    bool FormCloseQuery() const;

    // The Index kept for a row of the list.
    int rowIndex(int row) const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

public slots:
    void reject() override;

private:
    void connectFields();
    QListWidgetItem *selectedRow() const;
    void fillList();
    // Shows the worker of the selected row, or empties and disables the fields.
    void showSelectedWorker();
    void putFields(const WorkerRecord &worker);
    WorkerRecord takeFields() const;
    void setEditing(bool on);

    Document &m_document;
    WorkerRegister m_register;
    WorkerPrompts m_prompts;
    WorkersFormUi m_ui;
    bool m_filling = false;
};

} // namespace ergotab::workers
