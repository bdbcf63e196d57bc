#include "LibraryCommands.h"

#include "TLibForm.h"
#include "TVyberForm.h"
#include "TVzoryForm.h"
#include "core/LibraryExport.h"
#include "core/LibraryFiles.h"
#include "core/MeasureTemplates.h"
#include "core/VzorInsertion.h"
#include "core/WritableFolder.h"

#include "storage/document/Document.h"
#include "storage/document/FactorCatalogue.h"
#include "tree/CategoryGrid.h"
#include "tree/EditorPages.h"

#include <QCoreApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

namespace ergotab::library {

namespace {

// Beside the program; tests and a portable setup may name another file.
QString defaultLibraryFile()
{
    const QString overridden = qEnvironmentVariable("ERGOTAB_LIBRARY");
    if (!overridden.isEmpty())
        return overridden;
    return QDir(QCoreApplication::applicationDirPath()).filePath(LibraryFileName);
}

} // namespace

LibraryCommands::LibraryCommands(QWidget *mainWindow, Document &document, DocumentEditing &editing,
                                 const tree::EditorControls &editor, LibraryPrompts prompts, QObject *parent)
    : QObject(parent)
    , m_mainWindow(mainWindow)
    , m_document(document)
    , m_editing(editing)
    , m_editor(editor)
    , m_prompts(std::move(prompts))
    , m_libraryFile(defaultLibraryFile())
    , m_libForm(new TLibForm(m_workCopy.LibTable(), editing, mainWindow))
{
    if (m_prompts.information)
        m_libForm->setInform(m_prompts.information);
    if (m_editor.VzorButton)
        connect(m_editor.VzorButton, &QPushButton::clicked, this, &LibraryCommands::VzorButtonClick);
}

LibraryCommands::~LibraryCommands() = default;

void LibraryCommands::setProgress(ProgressSink *progress)
{
    m_progress = progress;
    m_libForm->setProgress(progress);
}

void LibraryCommands::setClipboardCopy(std::function<void(dbf::Table &, int)> copy)
{
    m_libForm->setCopyToClipboard(std::move(copy));
}

void LibraryCommands::OpenLibrary()
{
    const QString problem = m_workCopy.open(m_libraryFile, m_progress);
    if (!problem.isEmpty() && m_prompts.error)
        m_prompts.error(problem);
}

void LibraryCommands::CloseLibrary()
{
    m_workCopy.close();
}

void LibraryCommands::AddLibSpeedButtonClick()
{
    m_libForm->exec();
}

void LibraryCommands::VzorButtonClick()
{
    FactorMasks masks {};
    for (const Factor &f : factorCatalogue())
        masks[f.number - 1] = m_editor.Grid->mask(f.number);
    MeasureTemplates templates(m_workCopy.OpatTable());
    TVyberForm chooser(m_mainWindow);
    const auto choose = [&chooser](int factor, const QStringList &specs) {
        chooser.offer(ergotab::factor(factor).shortName, specs);
        chooser.exec();
        return chooser.chosen();
    };
    const QString before = m_editor.OpatreniMemo->toPlainText();
    const QString after = appendMeasureTemplates(before, masks, templates, choose);
    if (after == before)
        return;
    // Appended as an edit, so the editing state begins as it does for typing.
    QTextCursor cursor(m_editor.OpatreniMemo->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(after.mid(before.size()));
}

QString LibraryCommands::writableTarget(const QString &caption)
{
    const auto canReplace = m_canReplace ? m_canReplace : canReplaceFile;
    if (canReplace(m_libraryFile))
        return m_libraryFile;
    const QString path = QDir::toNativeSeparators(m_libraryFile);
    if (!m_prompts.question || !m_prompts.saveLibraryAs ||
        !m_prompts.question(caption, QStringLiteral("Knihovnu „%1“ nelze přepsat: do složky programu nemáte právo "
                                                    "zapisovat.\n\nUložit knihovnu do jiného souboru? Správce "
                                                    "počítače ji pak může zkopírovat na místo „%1“.")
                                         .arg(path)))
        return QString();
    return m_prompts.saveLibraryAs(QDir::home().filePath(LibraryFileName));
}

void LibraryCommands::Exportujknihovnu1Click()
{
    if (!m_prompts.question ||
        !m_prompts.question(QStringLiteral("Export do knihovny"),
                            QStringLiteral("Opravdu chcete vytvořit knihovnu z aktuálních dat?")))
        return;
    const QString target = writableTarget(QStringLiteral("Export do knihovny"));
    if (target.isEmpty())
        return;
    exportLibrary(m_document.objects(), m_libraryFile, m_progress, target);
    if (!m_prompts.information)
        return;
    if (target == m_libraryFile)
        m_prompts.information(m_mainWindow, QStringLiteral("Informace"),
                              QStringLiteral("Nová knihovna bude přístupná při dalším spuštění programu."));
    else
        m_prompts.information(m_mainWindow, QStringLiteral("Informace"),
                              QStringLiteral("Nová knihovna je uložena v „%1“. Program ji použije, až bude "
                                             "zkopírována na místo „%2“.")
                                  .arg(QDir::toNativeSeparators(target), QDir::toNativeSeparators(m_libraryFile)));
}

void LibraryCommands::Editacevzoruopatreni1Click()
{
    {
        TVzoryForm editor(m_workCopy.OpatTable(), m_prompts.question, m_mainWindow);
        editor.exec();
    }
    if (!m_prompts.question ||
        !m_prompts.question(QStringLiteral("Vzory opatření"), QStringLiteral("Uložit změny v knihovně vzorů?")))
        return;
    const QString target = writableTarget(QStringLiteral("Vzory opatření"));
    if (target.isEmpty()) {
        // The changed templates stay in the open library for the rest of the run.
        if (m_prompts.information)
            m_prompts.information(
                m_mainWindow, QStringLiteral("Vzory opatření"),
                QStringLiteral("Změny vzorů nebyly uloženy do souboru. Do ukončení programu zůstávají "
                               "v otevřené knihovně a uložit je lze znovu příkazem "
                               "„Editace vzoru opatreni“."));
        return;
    }
    m_workCopy.saveInto(target, m_progress);
}

} // namespace ergotab::library
