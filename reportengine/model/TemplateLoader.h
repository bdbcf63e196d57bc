#pragma once

// Reading and saving template files. A file is recognised by its content, not its name: our
// XML, or a format registered by another part of the program (the earlier engine's binary
// templates); anything else is refused with a message naming the file.

#include "reportengine/model/ReportTemplate.h"

#include <functional>

namespace ergotab::report {

struct TemplateFormat
{
    QString name;
    // True when the first bytes of a file (up to 4 KiB) are in this format.
    std::function<bool(const QByteArray &head)> recognises;
    // Reads the whole file; throws AppError naming the file on damage.
    std::function<ReportTemplate(const QByteArray &bytes, const QString &fileName)> load;
    // Used instead of `load` by formats that cannot carry everything over: it also says what
    // was left out or changed, one warning per item.
    std::function<ReportTemplate(const QByteArray &bytes, const QString &fileName, QStringList &warnings)>
        loadWithWarnings = {};
};

// Adds a format the loader tries after our own. Call once at start-up.
void registerTemplateFormat(TemplateFormat format);

// Throws AppError naming the file when it cannot be read or is not a template. What the
// format could not carry over goes to `warnings` when given (our own XML gives none).
ReportTemplate loadTemplateBytes(const QByteArray &bytes, const QString &fileName, QStringList *warnings = nullptr);
ReportTemplate loadTemplate(const QString &path, QStringList *warnings = nullptr);

// Always writes our XML format.
void saveTemplate(const ReportTemplate &report, const QString &path);

} // namespace ergotab::report
