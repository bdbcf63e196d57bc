#include "FileDialogs.h"

#include <QFileDialog>

namespace ergotab {

namespace {
FileDialogAnswers *s_answers = nullptr;
}

namespace FileDialogs {

QString qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i];
        // The description usually names its pattern already; Qt needs it in parentheses.
        out << (description.contains(QLatin1Char('('))
                    ? description
                    : description + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')'));
    }
    return out.join(QStringLiteral(";;"));
}

QString openDocumentName(QWidget *parent)
{
    if (s_answers)
        return s_answers->take();
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(qtFilter(documentFilter));
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                   : QString();
}

QString saveDocumentName(QWidget *parent)
{
    if (s_answers)
        return s_answers->take();
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(qtFilter(documentFilter));
    // No default extension: the ".TVO" rule of "Uložit jako" applies after the dialog.
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                   : QString();
}

QString saveLibraryName(QWidget *parent, const QString &suggested)
{
    if (s_answers)
        return s_answers->take();
    QFileDialog dialog(parent, QStringLiteral("Uložit knihovnu"), suggested,
                       qtFilter(QStringLiteral("Knihovna Ergotab (*.LIB)|*.LIB *.lib")));
    dialog.setObjectName(QStringLiteral("SaveLibraryDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                   : QString();
}

QString openPreparedReportName(QWidget *parent, const QString &folder, const QString &filters)
{
    if (s_answers)
        return s_answers->take();
    QFileDialog dialog(parent, QStringLiteral("Otevřít připravenou sestavu"), folder, filters);
    dialog.setObjectName(QStringLiteral("OpenReportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                   : QString();
}

QString saveReportName(QWidget *parent, const QString &folder, const QString &filters, QString *chosenFilter)
{
    if (s_answers)
        return s_answers->take();
    QFileDialog dialog(parent, QStringLiteral("Uložit sestavu"), folder, filters);
    dialog.setObjectName(QStringLiteral("SaveReportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    if (chosenFilter)
        *chosenFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().first();
}

} // namespace FileDialogs

FileDialogAnswers::FileDialogAnswers()
{
    Q_ASSERT(!s_answers);
    s_answers = this;
}

FileDialogAnswers::~FileDialogAnswers()
{
    s_answers = nullptr;
}

QString FileDialogAnswers::take()
{
    ++m_asked;
    return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
}

} // namespace ergotab
