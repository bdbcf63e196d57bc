// The wizard's behaviour: resetting, the refresh, moving between pages, help and finishing.
#include "TWizardForm.h"

#include "help/HelpKey.h"

#include "AnswerReader.h"
#include "TWizardData.h"
#include "rules/FactorRules.h"
#include "rules/PageFlow.h"
#include "storage/AppError.h"
#include "tree/DocumentEditing.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStackedWidget>
#include <QToolButton>

namespace ergotab {

int TWizardForm::currentPage() const
{
    return PageControl1->currentIndex();
}

WizardAnswers TWizardForm::answers() const
{
    return m_reader->read();
}

void TWizardForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    FormShow();
}

void TWizardForm::keyPressEvent(QKeyEvent *event)
{
    // Escape does not close the wizard; only "Zrušit" and the close box do.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TWizardForm::FormShow()
{
    {
        const QSignalBlocker blockName(NameEdit);
        NameEdit->clear();
    }
    // Panels are hidden below in one go; no refresh is wanted for each list cleared.
    const QList<QComboBox *> lists = m_reader->lists();
    for (QComboBox *list : lists)
        list->blockSignals(true);
    m_reader->clear();
    for (QComboBox *list : lists)
        list->blockSignals(false);
    for (QWidget *panel : std::as_const(m_panelOfList))
        panel->setVisible(false);
    PageControl1->setCurrentIndex(PageUvod);
    NameEdit->setFocus();
    NextButton->setText(QStringLiteral("Další >"));
    PageControl1Change(nullptr);
}

void TWizardForm::presenceChanged(QComboBox *list)
{
    m_panelOfList.value(list)->setVisible(list->currentIndex() == int(Ano));
    PageControl1Change(list);
}

void TWizardForm::PageControl1Change(QObject *cause)
{
    const bool moving = cause && (cause == NextButton || cause == PrevButton);
    for (;;) {
        const int page = currentPage();
        PrevButton->setEnabled(page != PageUvod);
        NextButton->setEnabled(false);
        const QPixmap &picture = m_pictures->picture(page % TWizardData::PictureCount);
        Image1->setPixmap(picture);
        // Where the window is taller than the picture, the strip goes on in its last colour.
        QPalette strip = Image1->palette();
        strip.setColor(QPalette::Window, picture.toImage().pixelColor(0, picture.height() - 1));
        Image1->setPalette(strip);
        ProgressBar1->setValue(page);
        m_helpContext = pageHelpContext(page);
        setHelpKeyContext(this, m_helpContext);
        ZakonButton->setEnabled(page != PageUvod && page != PageZaver);

        const WizardAnswers a = answers();
        if (moving && pagePassedOver(page, a)) {
            // Never the first or the last page, so the step always lands on a page.
            PageControl1->setCurrentIndex(page + (cause == NextButton ? 1 : -1));
            continue;
        }
        if (page == PageTlak)
            NextButton->setText(QStringLiteral("Další >"));
        if (page == PageZaver) {
            NextButton->setText(QStringLiteral("Dokončit"));
            NextButton->setEnabled(true);
        } else {
            NextButton->setEnabled(pageComplete(page, a, NameEdit->text()));
        }
        return;
    }
}

void TWizardForm::NextButtonClick()
{
    if (!NextButton->isEnabled())
        return;
    if (currentPage() == PageZaver) {
        FinishWizard();
        return;
    }
    PageControl1->setCurrentIndex(currentPage() + 1);
    PageControl1Change(NextButton);
}

void TWizardForm::PrevButtonClick()
{
    if (currentPage() == PageUvod)
        return;
    PageControl1->setCurrentIndex(currentPage() - 1);
    PageControl1Change(PrevButton);
}

void TWizardForm::StornoButtonClick()
{
    reject();
}

void TWizardForm::SpeedButton1Click()
{
    m_openHelp(this, m_helpContext);
}

void TWizardForm::ZakonButtonClick()
{
    const int factor = pageFactor(currentPage());
    if (factor != 0)
        m_openHelp(this, factorHelpContext(factor));
}

void TWizardForm::FinishWizard()
{
    const DerivedCategories derived = DeriveCategories(answers());
    if (!m_editing)
        throw AppError(QStringLiteral("The wizard has no document to add the assessment to"));

    FactorMasks masks {};
    for (int f = 1; f <= FactorCount; ++f)
        masks[f - 1] = derived.mask(f);
    m_editing->addAssessment(NameEdit->text(), masks);
    accept();
}

} // namespace ergotab
