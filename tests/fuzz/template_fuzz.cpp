// libFuzzer target: any bytes as a report template file. Besides sanitizer findings the target
// aborts when a template it accepted does not come back equal after being written and read
// again, so what the program saves it can always open.
#include "reportengine/model/TemplateLoader.h"
#include "reportengine/model/TemplateXml.h"
#include "storage/AppError.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace ergotab::report;
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString name = QStringLiteral("fuzz.frf");
    ReportTemplate loaded;
    try {
        loaded = loadTemplateBytes(bytes, name);
    } catch (const ergotab::AppError &) {
        return 0;
    }
    const QByteArray saved = writeTemplateXml(loaded);
    try {
        if (readTemplateXml(saved, name) == loaded)
            return 0;
        std::fprintf(stderr, "round trip changed the template:\n%s\n", saved.constData());
    } catch (const ergotab::AppError &e) {
        std::fprintf(stderr, "saved template does not load: %s\n%s\n", e.what(), saved.constData());
    }
    std::abort();
}
