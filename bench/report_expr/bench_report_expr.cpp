// bench_report_expr: the texts of a categorisation report expanded for 10,000 records, compiled
// once (as the layout engine does) and, for comparison, compiled again for every record.
// Not a test; run by hand. Prints the figures.
#include "reportengine/expr/ExpressionCache.h"
#include "reportengine/expr/TextTemplate.h"

#include <QElapsedTimer>
#include <QHash>

#include <cstdio>

using namespace ergotab::report;

namespace {

// Fields of one assessment and the three functions of the program's report handler.
class Record : public ExpressionHost
{
public:
    int line = 0;
    QHash<QString, QVariant> fields;

    bool variable(const QString &name, QVariant &value) override
    {
        if (name.compare(QLatin1String("LINE#"), Qt::CaseInsensitive) == 0) {
            value = line;
            return true;
        }
        if (name.compare(QLatin1String("PAGE#"), Qt::CaseInsensitive) == 0 ||
            name.compare(QLatin1String("TOTALPAGES"), Qt::CaseInsensitive) == 0) {
            value = 1 + line / 40;
            return true;
        }
        return false;
    }
    bool field(const QString &, const QString &fieldName, QVariant &value) override
    {
        const auto it = fields.constFind(fieldName.toUpper());
        if (it == fields.constEnd())
            return false;
        value = *it;
        return true;
    }
    bool function(const QString &name, const QStringList &arguments, const ArgumentEvaluator &evaluate,
                  QVariant &value) override
    {
        const QVariant argument = evaluate(arguments.value(0));
        if (name == QLatin1String("R_PATH")) {
            value = QStringLiteral("Závod / Provoz %1").arg(argument.toInt());
        } else if (name == QLatin1String("R_KATEGORIE")) {
            const int mask = argument.toInt();
            value = mask & 8 ? 4 : mask & 4 ? 3 : mask & 2 ? 2 : mask & 1 ? 1 : 0;
        } else if (name == QLatin1String("R_MAXKATEGORIE")) {
            int best = 0;
            for (const QChar c : argument.toString())
                best = std::max(best, c.digitValue());
            value = best;
        } else {
            return false;
        }
        return true;
    }
    QVariant aggregate(const AggregateCall &) override { return 0; }
    QVariant input(const QString &, const QString &d) override { return d; }
    int messageBox(const QString &, const QString &, int) override { return 0; }
};

QStringList reportTexts()
{
    QStringList texts = {
        QStringLiteral("[LINE#]."),
        QStringLiteral("[R_PATH([Object_DataSet.\"UpLink\"])]"),
        QStringLiteral("[Object_DataSet.\"Name\"]"),
        QStringLiteral("[R_MAXKATEGORIE([Object_DataSet.\"Kategorie\"])]"),
        QStringLiteral("[Object_DataSet.\"Zamestnanci\" #N0] / [Object_DataSet.\"Zeny\" #N0]"),
        QStringLiteral("Strana [PAGE#] z [TOTALPAGES]"),
        QStringLiteral("[IF([Object_DataSet.\"Zeny\"] > 0, 'ano', 'ne')]"),
    };
    for (int f = 1; f <= 13; ++f)
        texts.append(QStringLiteral("[R_KATEGORIE([Object_DataSet.\"Fak%1\"])]").arg(f, 2, 10, QLatin1Char('0')));
    return texts;
}

void fill(Record &r, int i)
{
    r.line = i + 1;
    r.fields.insert(QStringLiteral("UPLINK"), i / 10);
    r.fields.insert(QStringLiteral("NAME"), QStringLiteral("Práce číslo %1").arg(i));
    r.fields.insert(QStringLiteral("KATEGORIE"), QStringLiteral("1021300000120"));
    r.fields.insert(QStringLiteral("ZAMESTNANCI"), 10 + i % 7);
    r.fields.insert(QStringLiteral("ZENY"), i % 3);
    for (int f = 1; f <= 13; ++f)
        r.fields.insert(QStringLiteral("FAK%1").arg(f, 2, 10, QLatin1Char('0')), (i + f) % 16);
}

} // namespace

int main()
{
    constexpr int records = 10000;
    const QStringList texts = reportTexts();
    Record record;
    qint64 checksum = 0;

    QElapsedTimer timer;
    timer.start();
    ExpressionCache cache;
    for (int i = 0; i < records; ++i) {
        fill(record, i);
        for (const QString &t : texts)
            checksum += cache.text(t).expand(record).size();
    }
    const double compiledMs = double(timer.nsecsElapsed()) / 1e6;

    timer.restart();
    for (int i = 0; i < records; ++i) {
        fill(record, i);
        for (const QString &t : texts)
            checksum -= expandText(t, record).size();
    }
    const double reparsedMs = double(timer.nsecsElapsed()) / 1e6;

    timer.restart();
    for (int i = 0; i < records; ++i)
        fill(record, i);
    const double fillMs = double(timer.nsecsElapsed()) / 1e6;

    const double expansions = double(records) * double(texts.size());
    std::printf("%d records x %lld texts (%d evaluated parts per record)\n", records, qlonglong(texts.size()),
                int(texts.size()) + 3);
    std::printf("compiled once:       %8.1f ms  %6.2f us per text\n", compiledMs - fillMs,
                (compiledMs - fillMs) * 1000.0 / expansions);
    std::printf("parsed every record: %8.1f ms  %6.2f us per text\n", reparsedMs - fillMs,
                (reparsedMs - fillMs) * 1000.0 / expansions);
    std::printf("(filling the records took %.1f ms and is subtracted; checksum %lld)\n", fillMs, checksum);
    return checksum == 0 ? 0 : 1;
}
