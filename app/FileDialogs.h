#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace ergotab {

// The document file dialogs, behind functions a test can answer in advance (FileDialogAnswers).
namespace FileDialogs {

// The filter as the program states it, "description|pattern".
inline const QString documentFilter = QStringLiteral("Soubory Ergotab (*.tvo)|*.tvo");

// Turns "description|pattern|description|pattern" into the form Qt's dialogs read.
QString qtFilter(const QString &filter);

// An existing file, or empty when the user cancelled.
QString openDocumentName(QWidget *parent);
// A file name to save under (overwriting confirmed by the dialog), or empty when cancelled.
QString saveDocumentName(QWidget *parent);

// A file to write a library to, starting at `suggested`, or empty when cancelled.
QString saveLibraryName(QWidget *parent, const QString &suggested);

// The report preview's dialogs, starting in `folder`, with filters in Qt's form: an existing
// prepared report to open; a file to save a report to (`chosenFilter` set to the filter taken).
QString openPreparedReportName(QWidget *parent, const QString &folder, const QString &filters);
QString saveReportName(QWidget *parent, const QString &folder, const QString &filters, QString *chosenFilter);

} // namespace FileDialogs

// While one exists, no dialog is shown: each takes the next preset answer (an empty string is
// a cancelled dialog, and so is running out of answers). Not nestable.
class FileDialogAnswers
{
public:
    FileDialogAnswers();
    ~FileDialogAnswers();
    FileDialogAnswers(const FileDialogAnswers &) = delete;
    FileDialogAnswers &operator=(const FileDialogAnswers &) = delete;

    void answerNext(const QString &path) { m_answers.append(path); }
    int asked() const { return m_asked; }
    QString take();

private:
    QList<QString> m_answers;
    int m_asked = 0;
};

} // namespace ergotab
