#pragma once

#include <QDialog>
#include <QHash>

#include <functional>
#include <memory>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace ergotab {

class AnswerReader;
class DocumentEditing;
class TWizardData;
struct WizardAnswers;

// "Průvodce hodnocením pracoviště": asks the decree's questions factor by factor and, on
// finishing, creates one assessment through the document editor's add and store commands
// (`editing`, which the main window provides). Typical use from the main window:
//     TWizardForm wizard(this, &editing, &m_wizardData);
//     wizard.exec();
class TWizardForm : public QDialog
{
    Q_OBJECT
public:
    // `pictures` is the long-lived picture store; without one the wizard draws its own.
    TWizardForm(QWidget *parent, DocumentEditing *editing, const TWizardData *pictures = nullptr);
    ~TWizardForm() override;

    using HelpOpener = std::function<void(QWidget *parent, int contextNumber)>;
    void setHelpOpener(HelpOpener opener) { m_openHelp = std::move(opener); }

    int currentPage() const;
    int helpContext() const { return m_helpContext; }
    WizardAnswers answers() const;

public slots:
    void FormShow();
    // The refresh: everything that depends on the page and the answers. `cause` is the
    // control that caused it; NextButton or PrevButton also give the direction in which a
    // page that is passed over is left.
    void PageControl1Change(QObject *cause);
    void NextButtonClick();
    void PrevButtonClick();
    void StornoButtonClick();
    void SpeedButton1Click();
    void ZakonButtonClick();
    void FinishWizard();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildWindow();
    void buildPages();
    void connectAnswers();
    void connectLabelClicks();
    void presenceChanged(QComboBox *list);

    DocumentEditing *m_editing;
    std::unique_ptr<TWizardData> m_ownPictures;
    const TWizardData *m_pictures;
    HelpOpener m_openHelp;
    int m_helpContext = 0;

    QLabel *Image1 = nullptr;
    QStackedWidget *PageControl1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QPushButton *ZakonButton = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QPushButton *PrevButton = nullptr;
    QPushButton *NextButton = nullptr;
    QPushButton *StornoButton = nullptr;
    QLineEdit *NameEdit = nullptr;

    QHash<QString, QButtonGroup *> m_groups;
    QHash<QComboBox *, QWidget *> m_panelOfList;
    std::unique_ptr<AnswerReader> m_reader;
};

} // namespace ergotab
