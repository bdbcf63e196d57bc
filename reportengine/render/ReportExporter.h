#pragma once

// Saving a prepared report: one writer per output format, chosen by the file's extension. The
// command-line tool and the preview's save dialog both go through here.

#include "reportengine/prepared/PreparedReport.h"

#include <QString>

#include <memory>
#include <vector>

class QIODevice;

namespace ergotab::report {

class ReportExporter
{
public:
    virtual ~ReportExporter() = default;
    // Writes the whole report to `device`; throws AppError when it cannot.
    virtual void write(const PreparedReport &report, QIODevice &device) const = 0;
};

// A format the save dialog offers: the extensions it answers to (the first is the one added to
// a name typed without one) and its filter text in the dialog.
struct ExportFormat
{
    QStringList extensions;
    QString filter; // for example "Dokument PDF (*.pdf)"
};

const std::vector<ExportFormat> &exportFormats();
// The filters of all formats joined for QFileDialog, the prepared-report file first.
QString exportDialogFilter();

// The writer for `fileName`'s extension (case does not matter); throws AppError naming the file
// when no format has that extension.
std::unique_ptr<ReportExporter> exporterForFile(const QString &fileName);

// Writes `report` to `fileName` in the format of its extension. The file is replaced only when
// the new one is complete; throws AppError naming the file on failure.
void exportReport(const PreparedReport &report, const QString &fileName);

} // namespace ergotab::report
