// The run's record written as CSV: a record of one million refreshes (a run
// of 160 000 simulated seconds at the default step) in both dialects, and
// the run without a window against the same steps with nothing recorded.
// Prints figures; asserts nothing.
#include "bench/headlessrun.h"
#include "files/atomicsave.h"
#include "files/csvexport.h"
#include "run/batchrun.h"

#include <QDir>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>

using namespace calidor;
using Clock = std::chrono::steady_clock;

namespace {

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// One million rows of plausible, never-repeating values.
void fillRecord(RunRecord& record) {
    auto model = std::make_unique<ModelState>();
    model->dx = 0.01;
    record.begin(model->params);
    for (int i = 1; i <= 1'000'000; ++i) {
        model->time = i * 0.16;
        model->newNodes[N].Tc = 37.47 + std::sin(i * 1e-3);
        model->newNodes[N].Tf = 34.53 + std::cos(i * 1e-3);
        model->newNodes[N].Tp = 36.01 + 1e-3 * std::sin(i * 7e-3);
        model->Pc = 2040.0 + i * 1e-4;
        model->Pf = 2039.0 + i * 1e-4;
        model->Sgen = 0.7615 + 1e-7 * i;
        record.add(*model);
    }
}

void timeExport(const RunRecord& record, files::CsvDialect dialect, const char* name) {
    const QString path = QDir::temp().filePath(QStringLiteral("calidor-bench-export.csv"));
    const auto start = Clock::now();
    const QByteArray text = files::recordCsv(record, dialect);
    const double formed = secondsSince(start);
    const QString error = files::saveAtomically(path, text);
    const double total = secondsSince(start);
    std::printf("export %-6s %zu rows: %.3f s to form, %.3f s with the atomic save, %.1f MB%s\n", name,
                record.rows().size(), formed, total, text.size() / 1e6,
                error.isEmpty() ? "" : " (save failed)");
    QFile::remove(path);
}

void timeRuns(bool coCurrent) {
    std::array<std::string, FieldCount> texts = startupFieldTexts();
    double batch = 1e9, bare = 1e9;
    for (int round = 0; round < 5; ++round) {
        auto model = std::make_unique<ModelState>();
        RunRecord record;
        const auto start = Clock::now();
        runWithoutWindow(*model, texts, coCurrent, record);
        batch = std::min(batch, secondsSince(start));
        auto plain = std::make_unique<ModelState>();
        plain->params.cocourant = coCurrent ? 1 : 0;
        bare = std::min(bare, bench::timedHeadlessRun(*plain));
    }
    std::printf(
        "default run, %s: without a window %.4f s, the bare steps (as model_run) %.4f s (best of 5)\n",
        coCurrent ? "co-current" : "counter-current", batch, bare);
}

} // namespace

int main() {
    auto record = std::make_unique<RunRecord>();
    const auto start = Clock::now();
    fillRecord(*record);
    std::printf("recording 1 000 000 refreshes: %.3f s\n", secondsSince(start));
    timeExport(*record, files::CsvDialect::Point, "point");
    timeExport(*record, files::CsvDialect::Comma, "fr");
    timeRuns(true);
    timeRuns(false);
}
