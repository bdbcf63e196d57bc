#include "DocumentCommands.h"

#include "FileDialogs.h"
#include "MessageBoxes.h"
#include "TMainForm.h"
#include "storage/document/Document.h"
#include "storage/document/DocumentFile.h"

#include <QFileInfo>
#include <QStringList>

namespace ergotab {

DocumentCommands::DocumentCommands(TMainForm &window, Document &document)
    : QObject(&window)
    , m_window(window)
    , m_document(document)
{
}

bool DocumentCommands::askSaveChanges()
{
    if (!m_document.isModified())
        return true;
    switch (MessageBoxes::askYesNo(&m_window, QStringLiteral("Uložit"),
                                   QStringLiteral("Data byla změněna!\n\rUložit změny?"))) {
    case MessageBoxes::Answer::Yes:
        m_window.Save1Click();
        break;
    case MessageBoxes::Answer::No:
        m_document.setModified(false);
        break;
    case MessageBoxes::Answer::Cancelled:
        return false; // Escape or the close button: the command is called off
    }
    return !m_document.isModified();
}

bool DocumentCommands::openDocument(const QString &path)
{
    const quint64 shown = m_document.contentsGeneration();
    QList<dbf::TableDamage> damage;
    try {
        damage = m_document.open(path);
    } catch (const DocumentNotFound &) {
        MessageBoxes::warning(&m_window, QStringLiteral("Soubor nenalezen."));
        return false;
    } catch (const AppError &error) {
        // Usually the open document is untouched; when it had to be reset, the window shows
        // the empty one before the error box.
        if (m_document.contentsGeneration() != shown) {
            m_window.UpdateCaption();
            m_window.BuildTreeFromDocument();
        }
        throw AppError(cannotOpenMessage(path, error.message()));
    }
    m_window.UpdateCaption();
    m_window.addRecentFile(path);
    if (!damage.isEmpty())
        MessageBoxes::warning(&m_window, damageWarning(damage));
    return true;
}

QString DocumentCommands::cannotOpenMessage(const QString &path, const QString &cause)
{
    return QStringLiteral("Soubor „%1“ nelze otevřít: %2").arg(QFileInfo(path).fileName(), cause);
}

QString DocumentCommands::damageWarning(const QList<dbf::TableDamage> &damage)
{
    QStringList findings;
    for (const dbf::TableDamage &table : damage) {
        if (table.rowsMissing())
            findings << QStringLiteral("tabulka %1 má podle hlavičky %2 řádků, přečíst šlo jen %3")
                            .arg(table.table)
                            .arg(table.rowsInHeader)
                            .arg(table.rowsInFile);
        if (table.unreadableMemos > 0)
            findings << QStringLiteral("v tabulce %1 nešlo přečíst texty ze souboru %2 (počet: %3)")
                            .arg(table.table, table.memoFile)
                            .arg(table.unreadableMemos);
    }
    return QStringLiteral("Dokument je poškozen: ") + findings.join(QStringLiteral("; ")) +
           QStringLiteral(".\n\nZobrazeno je, co se podařilo přečíst, a uložení zapíše jen to. "
                          "Ponechte si proto kopii původního souboru.");
}

void DocumentCommands::openAndShow(const QString &path)
{
    if (openDocument(path))
        m_window.BuildTreeFromDocument();
}

void DocumentCommands::newDocument()
{
    if (!askSaveChanges())
        return;
    m_document.newDocument();
    m_window.UpdateCaption();
    m_window.BuildTreeFromDocument();
}

void DocumentCommands::openWithDialog()
{
    if (!askSaveChanges())
        return;
    const QString path = FileDialogs::openDocumentName(&m_window);
    if (!path.isEmpty())
        openAndShow(path);
}

void DocumentCommands::openRecent(const QString &path)
{
    if (askSaveChanges())
        openAndShow(path);
}

void DocumentCommands::save()
{
    if (m_document.fileName().isEmpty())
        saveAs();
    else
        m_document.save();
}

QString DocumentCommands::withDocumentExtension(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("tvo"), Qt::CaseInsensitive) == 0
               ? path
               : path + QStringLiteral(".TVO");
}

void DocumentCommands::saveAs()
{
    const QString chosen = FileDialogs::saveDocumentName(&m_window);
    if (chosen.isEmpty())
        return;
    m_document.setFileName(withDocumentExtension(chosen));
    m_document.save();
    m_window.UpdateCaption();
    m_window.addRecentFile(m_document.fileName());
}

} // namespace ergotab
