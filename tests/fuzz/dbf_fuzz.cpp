// libFuzzer target: opens a table (with memo and index files) from fuzzed bytes and reads
// every row and field, then appends and packs. Input layout:
//   byte 0      bit 0 set: the memo bytes form a FoxPro .fpt, else a .dbt
//   bytes 1-2   length of the table bytes (little-endian), bytes 3-4 length of the memo bytes
//   then the table bytes, the memo bytes, and the rest as the .mdx
#include "storage/dbf/Table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

using ergotab::dbf::EngineError;
using ergotab::dbf::Table;

namespace {

void writeFile(const QString &path, const char *data, size_t size)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(data, qint64(size));
}

void readEverything(Table &t)
{
    const auto fields = t.fields();
    int rows = 0;
    for (t.first(); !t.eof() && rows < 100000; t.next(), ++rows) {
        for (const auto &f : fields) {
            try {
                (void)t.fieldText(f.name);
                (void)t.isFieldEmpty(f.name);
                (void)t.fieldInt(f.name);
            } catch (const EngineError &) {
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "dbf_fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir dir;
    if (size < 5)
        return 0;
    const bool fpt = data[0] & 1;
    const size_t tableSize = qMin<size_t>(data[1] | data[2] << 8, size - 5);
    const size_t memoSize = qMin<size_t>(data[3] | data[4] << 8, size - 5 - tableSize);
    const char *bytes = reinterpret_cast<const char *>(data) + 5;
    const QString base = dir.filePath(QStringLiteral("T"));
    for (const char *ext : {".dbf", ".dbt", ".fpt", ".mdx"})
        QFile::remove(base + QLatin1String(ext));
    writeFile(base + QStringLiteral(".dbf"), bytes, tableSize);
    writeFile(base + (fpt ? QStringLiteral(".fpt") : QStringLiteral(".dbt")), bytes + tableSize, memoSize);
    writeFile(base + QStringLiteral(".mdx"), bytes + tableSize + memoSize, size - 5 - tableSize - memoSize);

    Table t(base + QStringLiteral(".dbf"));
    try {
        t.open();
        readEverything(t);
        const auto fields = t.fields();
        if (!fields.isEmpty()) {
            try {
                (void)t.locate(fields.first().name, 1);
                t.setFilter(fields.first().name + QStringLiteral("=1"));
                t.setFiltered(true);
                (void)t.recordCount();
                t.setFiltered(false);
            } catch (const EngineError &) {
            }
            try {
                t.append();
                for (const auto &f : fields)
                    t.setFieldText(f.name, QStringLiteral("7"));
                t.post();
            } catch (const EngineError &) {
                t.cancel();
            }
        }
        t.first();
        if (!t.eof())
            t.deleteRecord();
        t.close();
        t.setExclusive(true);
        t.pack();
        t.setExclusive(false);
        t.open();
        readEverything(t);
        t.close();
    } catch (const EngineError &) {
    }
    return 0;
}
