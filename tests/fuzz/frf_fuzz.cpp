// libFuzzer target: any bytes as a template of the earlier report engine. Reading and
// converting may refuse the bytes with an AppError and nothing else; a template it accepted
// must save in our format and come back the same when saved again, and template-info must
// describe it.
#include "reportengine/frf/FrfInfo.h"
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
    frf::FrfTemplate loaded;
    try {
        loaded = frf::loadFrfTemplate(bytes, name);
    } catch (const ergotab::AppError &) {
        return 0;
    }
    frf::frfInfo(loaded, name);
    const QByteArray saved = writeTemplateXml(loaded.report);
    try {
        const QByteArray again = writeTemplateXml(readTemplateXml(saved, name));
        if (again == saved)
            return 0;
        std::fprintf(stderr, "saving the converted template again changed it:\n%s\n----\n%s\n", saved.constData(),
                     again.constData());
    } catch (const ergotab::AppError &e) {
        std::fprintf(stderr, "converted template does not load: %s\n%s\n", e.what(), saved.constData());
    }
    std::abort();
}
