// "Kategorizace prací" over generated documents of 1,000 to 10,000 assessments (a tenth as
// many nodes): preparing, writing the PDF, and a floor that draws the prepared report's strings
// at their places onto a QPdfWriter with nothing else (no frames, fills or font caching).
// Prints the times, the ratio to the floor and the peak memory of the process.
//   bench_report [ASSESSMENTS...]   (1000 2000 5000 10000 when none are given)

#include "ReportBenchDocument.h"

#include "reportengine/render/ReportExporter.h"
#include "reports/DocumentReport.h"
#include "storage/document/Document.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <time.h>

#include <cstdio>

using namespace ergotab;

namespace {

// Processor time of the process, so the figures stay comparable on a busy machine.
class CpuTimer
{
public:
    CpuTimer() { restart(); }
    void restart() { m_start = now(); }
    double elapsedMs() const { return (now() - m_start) * 1e3; }

private:
    static double now()
    {
        timespec t {};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return double(t.tv_sec) + t.tv_nsec / 1e9;
    }
    double m_start = 0;
};

double peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// The floor: each text item's string drawn into its rectangle with its font, nothing more.
void drawStrings(const report::PreparedReport &prepared, QIODevice &device)
{
    QPdfWriter writer(&device);
    writer.setResolution(600);
    writer.setPageMargins(QMarginsF());
    bool first = true;
    QPainter painter;
    for (const report::PreparedPage &page : prepared.pages) {
        writer.setPageSize(QPageSize(page.sizeMm, QPageSize::Millimeter));
        if (first)
            painter.begin(&writer);
        else
            writer.newPage();
        first = false;
        const double scale = writer.resolution() / 25.4;
        for (const report::PreparedItem &item : page.items) {
            const auto *text = std::get_if<report::TextItem>(&item);
            if (!text)
                continue;
            QFont font = text->font;
            font.setPointSizeF(text->font.pointSizeF());
            painter.setFont(font);
            const QRectF r(text->rect.x() * scale, text->rect.y() * scale, text->rect.width() * scale,
                           text->rect.height() * scale);
            painter.drawText(r, int(text->alignment) | (text->wordWrap ? Qt::TextWordWrap : 0), text->text);
        }
    }
    painter.end();
}

struct Figures
{
    double prepareMs = 0;
    double pdfMs = 0;
    double floorMs = 0;
    int pages = 0;
    qint64 pdfBytes = 0;
};

Figures run(const QString &templatePath, int assessments)
{
    Document document;
    document.start();
    bench::fillReportDocument(document, assessments / 10, assessments);
    document.setFileName(QStringLiteral("/tmp/Generovaný dokument.tvo"));

    Figures f;
    CpuTimer timer;
    report::PrepareResult result = reports::DocumentReport::prepare(document, templatePath, {});
    f.prepareMs = timer.elapsedMs();
    if (result.status != report::PrepareResult::Status::Done) {
        std::fprintf(stderr, "bench_report: %s\n", qPrintable(result.error));
        std::exit(1);
    }
    f.pages = int(result.report.pages.size());

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("Kategorizace.pdf"));
    timer.restart();
    report::exportReport(result.report, pdf);
    f.pdfMs = timer.elapsedMs();
    f.pdfBytes = QFileInfo(pdf).size();

    QFile floorFile(dir.filePath(QStringLiteral("floor.pdf")));
    floorFile.open(QIODevice::WriteOnly);
    timer.restart();
    drawStrings(result.report, floorFile);
    f.floorMs = timer.elapsedMs();
    document.shutDown();
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString templatePath = QStringLiteral(ERGOTAB_PROGRAM_DIR "/Reports/Kategorizace prací.frf");
    std::printf("Kategorizace prací: prepare + PDF against the floor (strings drawn straight onto QPdfWriter),\n"
                "processor time in ms\n");
    std::printf("%12s %6s %12s %10s %12s %10s %8s %10s %10s\n", "assessments", "pages", "prepare ms", "PDF ms",
                "engine ms", "floor ms", "ratio", "PDF kB", "peak MB");
    // Counts on the command line replace the usual series (for profiling one size).
    QList<int> counts {1000, 2000, 5000, 10000};
    if (argc > 1) {
        counts.clear();
        for (int i = 1; i < argc; ++i)
            counts << std::max(10, QByteArray(argv[i]).toInt());
    }
    for (const int n : counts) {
        const Figures f = run(templatePath, n);
        const double engine = f.prepareMs + f.pdfMs;
        std::printf("%12d %6d %12.0f %10.0f %12.0f %10.0f %8.2f %10lld %10.0f\n", n, f.pages, f.prepareMs, f.pdfMs,
                    engine, f.floorMs, engine / f.floorMs, f.pdfBytes / 1024, peakMegabytes());
    }
    std::printf("Peak memory is the process's high-water mark, so the last line holds the 10,000 run's peak.\n");
    return 0;
}
