#pragma once

#include "workers/DateField.h"
#include "workers/MaskedField.h"
#include "workers/TWorkersForm.h"
#include "workers/WorkerFields.h"
#include "workers/WorkerRegister.h"

#include "storage/document/Document.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace ergotab::workers::test {

// The register over a started document, shown as a plain window; questions take the answers
// queued in `answers` (No when none is left) and every question and notice is recorded.
class WorkersFormFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        document.start();
        WorkerPrompts prompts;
        prompts.question = [this](const QString &caption, const QString &text) {
            asked.append(caption + QLatin1Char('|') + text);
            return !answers.isEmpty() && answers.takeFirst();
        };
        prompts.notice = [this](const QString &text) { notices.append(text); };
        form = std::make_unique<TWorkersForm>(document, prompts);
    }
    void TearDown() override
    {
        form.reset();
        document.shutDown();
    }

    WorkersFormUi &ui() { return form->ui(); }

    // A worker written straight into the table; the modified flag is cleared again.
    void addWorker(int index, const QString &lName, const QString &fName)
    {
        dbf::Table &t = document.workers();
        t.append();
        t.setFieldInt(field::Index, index);
        t.setFieldText(field::LName, lName);
        t.setFieldText(field::FName, fName);
        t.setFieldInt(field::LenType, -1);
        t.setFieldInt(field::Result, -1);
        t.post();
        document.setModified(false);
    }
    void addLink(int worker, int assessment)
    {
        document.links().appendRecord({worker, assessment});
        document.setModified(false);
    }

    void open()
    {
        form->show();
        ASSERT_TRUE(form->isVisible());
    }
    void select(int row) { ui().ListBox1->setCurrentRow(row); }

    QStringList rowTexts() const
    {
        QStringList out;
        for (int r = 0; r < form->ui().ListBox1->count(); ++r)
            out.append(form->ui().ListBox1->item(r)->text());
        return out;
    }
    std::optional<WorkerRecord> stored(int index) { return WorkerRegister(document).find(index); }

    bool fieldsEnabled()
    {
        for (QWidget *w : ui().fields())
            if (!w->isEnabled())
                return false;
        return true;
    }
    bool fieldsDisabled()
    {
        for (QWidget *w : ui().fields())
            if (w->isEnabled())
                return false;
        return true;
    }
    // Browsing: "Uložit" and "Storno" off, "Zavřít" and the list on; editing the reverse.
    bool browsing()
    {
        return !ui().BitBtn1->isEnabled() && !ui().BitBtn2->isEnabled() && ui().BitBtn3->isEnabled() &&
               ui().ListBox1->isEnabled();
    }
    bool editing()
    {
        return ui().BitBtn1->isEnabled() && ui().BitBtn2->isEnabled() && !ui().BitBtn3->isEnabled() &&
               !ui().ListBox1->isEnabled();
    }

    Document document;
    std::unique_ptr<TWorkersForm> form;
    QList<bool> answers;
    QStringList asked;
    QStringList notices;
};

} // namespace ergotab::workers::test
