// bench_dbf: the table engine on an Object table of 100,000 rows with memo texts.
//   bench_dbf [ROWS]
// Creates and appends, scans every field, navigates filtered, locates and packs, and times
// Python's dbfread on the same full scan for comparison.
#include "storage/dbf/Table.h"
#include "storage/document/DocumentTables.h"
#include "storage/document/FactorCatalogue.h"
#include "storage/document/TableFields.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

#if defined(Q_OS_LINUX)
#include <sched.h>
#endif

using ergotab::dbf::FieldKind;
using ergotab::dbf::Table;

namespace {

// Wall time and this process's CPU time: the machine may be busy with other work, and CPU
// time shows what the engine itself costs.
struct Timing
{
    double wall = 0;
    double cpu = 0;
};

class Stopwatch
{
public:
    Stopwatch()
        : m_cpu(std::clock())
    {
        m_wall.start();
    }
    Timing elapsed() const { return {m_wall.nsecsElapsed() / 1e9, double(std::clock() - m_cpu) / CLOCKS_PER_SEC}; }

private:
    QElapsedTimer m_wall;
    std::clock_t m_cpu;
};

// Ten children per node: row i hangs under row i / 10, every third row is a node.
int uplinkOf(int index)
{
    return index / 10;
}
int typeOf(int index)
{
    return index % 3 == 0 ? 0 : 1;
}

Timing createAndAppend(const QString &path, int rows)
{
    Table t(path);
    ergotab::defineObjectTable(t);
    Stopwatch timer;
    t.createTable();
    t.open();
    const QString popis = QStringLiteral("Obsluha lisu, manipulace s díly do 15 kg, práce vstoje. ").repeated(4);
    const QString mereni = QStringLiteral("Hluk LAeq,8h = 86 dB, měřeno 12. 3. 2024.");
    const QString opatreni = QStringLiteral("Chrániče sluchu, přestávky po dvou hodinách.");
    QVariantList values(22);
    for (int i = 1; i <= rows; ++i) {
        values[0] = i;
        values[1] = uplinkOf(i);
        values[2] = typeOf(i);
        values[3] = QStringLiteral("Pracoviště č. %1 – svařovna").arg(i);
        for (int f = 0; f < 13; ++f)
            values[4 + f] = typeOf(i) ? (i + f) % 16 : QVariant();
        values[17] = i % 50;
        values[18] = i % 7;
        values[19] = popis;
        values[20] = i % 2 ? mereni : QVariant();
        values[21] = i % 5 ? QVariant() : opatreni;
        t.appendRecord(values);
    }
    t.close();
    return timer.elapsed();
}

Timing fullScan(const QString &path, qint64 &checksum)
{
    namespace object = ergotab::fields::object;
    Stopwatch timer;
    Table t(path);
    t.open();
    std::vector<int> ints {t.fieldIndex(object::Index), t.fieldIndex(object::UpLink), t.fieldIndex(object::Type)};
    for (int n = 1; n <= ergotab::FactorCount; ++n)
        ints.push_back(t.fieldIndex(ergotab::factorFieldName(n)));
    ints.push_back(t.fieldIndex(object::Pracov));
    ints.push_back(t.fieldIndex(object::Zen));
    const int texts[] {t.fieldIndex(object::Text), t.fieldIndex(object::Popis), t.fieldIndex(object::Mereni),
                       t.fieldIndex(object::Opatreni)};
    for (t.first(); !t.eof(); t.next()) {
        for (int field : ints)
            checksum += t.fieldInt(field);
        for (int field : texts)
            checksum += t.fieldText(field).size();
    }
    t.close();
    return timer.elapsed();
}

Timing dbfreadScan(const QString &path)
{
    const QString script = QStringLiteral("import sys, time\n"
                                          "from dbfread import DBF\n"
                                          "start, cpu = time.perf_counter(), time.process_time()\n"
                                          "n = 0\n"
                                          "for record in DBF(sys.argv[1]):\n"
                                          "    for value in record.values():\n"
                                          "        n += 1\n"
                                          "print(time.perf_counter() - start, time.process_time() - cpu)\n");
    QProcess p;
    p.start(QStringLiteral(ERGOTAB_PYTHON), {QStringLiteral("-c"), script, path});
    if (!p.waitForFinished(600000) || p.exitCode() != 0) {
        std::fprintf(stderr, "dbfread failed: %s\n", p.readAllStandardError().constData());
        return {};
    }
    const QList<QByteArray> out = p.readAllStandardOutput().trimmed().split(' ');
    return out.size() == 2 ? Timing {out[0].toDouble(), out[1].toDouble()} : Timing {};
}

// Navigations of the form the tree uses: all nodes under one parent. The first one also
// builds the in-memory value lists the others use, so it is timed on its own; the rows the
// first series reads are faulted into memory then, so a second series shows the steady cost.
struct Navigations
{
    Timing first;
    Timing rest;
    Timing again;
};

Navigations filteredNavigations(const QString &path, int rows, int count, qint64 &matched)
{
    Table t(path);
    t.open();
    t.setFiltered(true);
    const int index = t.fieldIndex(ergotab::fields::object::Index);
    QRandomGenerator random(42);
    const auto navigate = [&] {
        t.setFilter(QStringLiteral("Type=0 AND Uplink=%1").arg(random.bounded(rows / 10)));
        for (t.first(); !t.eof(); t.next())
            matched += t.fieldInt(index) > 0;
    };
    Navigations result;
    Stopwatch firstTimer;
    navigate();
    result.first = firstTimer.elapsed();
    Stopwatch timer;
    for (int k = 0; k < count; ++k)
        navigate();
    result.rest = timer.elapsed();
    Stopwatch againTimer;
    for (int k = 0; k < count; ++k)
        navigate();
    result.again = againTimer.elapsed();
    return result;
}

Navigations locates(const QString &path, int rows, int count)
{
    Table t(path);
    t.open();
    QRandomGenerator random(7);
    const int index = t.fieldIndex(ergotab::fields::object::Index);
    const auto locate = [&] {
        if (!t.locate(index, int(random.bounded(rows)) + 1))
            std::fprintf(stderr, "locate failed\n");
    };
    Navigations result;
    Stopwatch firstTimer;
    locate();
    result.first = firstTimer.elapsed();
    Stopwatch timer;
    for (int k = 0; k < count; ++k)
        locate();
    result.rest = timer.elapsed();
    return result;
}

Timing deleteAndPack(const QString &path, int &left)
{
    Table t(path);
    t.setExclusive(true);
    t.open();
    t.setFilter(QStringLiteral("Type=0"));
    t.setFiltered(true);
    for (int k = 0; k < 1000; ++k) {
        t.first();
        if (t.eof())
            break; // a small table has fewer nodes than that
        t.deleteRecord();
    }
    t.setFiltered(false);
    Stopwatch timer;
    t.pack();
    const Timing seconds = timer.elapsed();
    left = t.recordCount();
    return seconds;
}

} // namespace

void report(const char *what, const Timing &t, double rows, const char *note = "")
{
    std::printf("%-24s %8.3f s wall %8.3f s cpu %11.0f rows/s  %s\n", what, t.wall, t.cpu, rows / t.wall, note);
}

// The two virtual processors of a build machine may differ in speed from run to run; the
// engine and dbfread are compared on the same one.
void stayOnThisProcessor()
{
#if defined(Q_OS_LINUX)
    cpu_set_t set;
    CPU_ZERO(&set);
    CPU_SET(sched_getcpu(), &set);
    sched_setaffinity(0, sizeof set, &set); // inherited by the dbfread process
#endif
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    stayOnThisProcessor();
    const int rows = argc > 1 ? std::max(1000, QString::fromLocal8Bit(argv[1]).toInt()) : 100000;
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("Object.dbf"));
    QDir().mkpath(dir.filePath(QStringLiteral("small")));
    const QString small = dir.filePath(QStringLiteral("small/Object.dbf"));
    const int smallRows = rows / 10;

    if (argc > 2 && qstrcmp(argv[2], "scan") == 0) { // profiling aid: the scan alone, repeated
        createAndAppend(big, rows);
        qint64 checksum = 0;
        for (int i = 0; i < 5; ++i)
            report("full scan, every field", fullScan(big, checksum), rows);
        return 0;
    }

    std::printf("Object table, %d rows with memo texts\n\n", rows);
    report("create + append", createAndAppend(big, rows), rows, "(target < 2 s)");

    qint64 checksum = 0;
    const Timing scan = fullScan(big, checksum);
    report("full scan, every field", scan, rows);
    const Timing python = dbfreadScan(big);
    report("dbfread full scan", python, rows);
    std::printf("%-24s %8.1fx wall %8.1fx cpu  (target >= 20x)\n", "engine faster by", python.wall / scan.wall,
                python.cpu / scan.cpu);

    createAndAppend(small, smallRows);
    const int navigations = 10000;
    qint64 matchedSmall = 0, matchedBig = 0;
    const Navigations navSmall = filteredNavigations(small, smallRows, navigations, matchedSmall);
    const Navigations navBig = filteredNavigations(big, rows, navigations, matchedBig);
    std::printf("\n%d filtered navigations \"Type=0 AND Uplink=n\", whole result read each time,\n"
                "after a first one that builds the value lists:\n",
                navigations);
    for (const auto &[size, nav, matched] :
         {std::tuple(smallRows, navSmall, matchedSmall), std::tuple(rows, navBig, matchedBig)})
        std::printf("  on %6d rows %8.3f s wall %8.3f s cpu %8.2f us cpu each, %.1f rows matched on average;"
                    " first one %.3f s; %d more %.2f us cpu each\n",
                    size, nav.rest.wall, nav.rest.cpu, nav.rest.cpu * 1e6 / navigations,
                    double(matched) / (2 * navigations + 1), nav.first.wall, navigations,
                    nav.again.cpu * 1e6 / navigations);
    std::printf("\n");

    const Navigations locate = locates(big, rows, 10000);
    std::printf("%-24s %8.3f s wall %8.3f s cpu %8.2f us cpu each; first one %.3f s\n", "10000 locates by Index",
                locate.rest.wall, locate.rest.cpu, locate.rest.cpu * 1e6 / 10000, locate.first.wall);
    int left = 0;
    report("pack, 1000 rows deleted", deleteAndPack(big, left), rows);
    std::printf("%d rows left after pack\n", left);
    return checksum > 0 ? 0 : 1;
}
