#include "ui/batchcommand.h"

#include "files/csvexport.h"
#include "files/setupfile.h"
#include "run/batchrun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <chrono>
#include <memory>

namespace calidor {

namespace {

void say(std::FILE* to, const QString& text) {
    std::fputs(qPrintable(QStringLiteral("calidor : ") + text + QLatin1Char('\n')), to);
}

// A percentage line, rewritten in place at most four times a second, from
// the first second of a run on.
class ProgressLine {
public:
    explicit ProgressLine(std::FILE* to) : m_to(to), m_start(Clock::now()), m_last(m_start) {}
    void show(double time, double tmax) {
        const auto now = Clock::now();
        if (now - m_start < std::chrono::seconds(1) || now - m_last < std::chrono::milliseconds(250))
            return;
        m_last = now;
        print(time, tmax);
    }
    void finish(double time, double tmax) {
        if (!m_shown)
            return;
        print(time, tmax);
        std::fputc('\n', m_to);
    }

private:
    using Clock = std::chrono::steady_clock;
    void print(double time, double tmax) {
        const double share = tmax > 0 ? std::min(1.0, std::max(0.0, time / tmax)) : 1.0;
        std::fprintf(m_to, "\rcalidor : %3d %%  t = %.3f s / %g s", static_cast<int>(share * 100), time,
                     tmax);
        std::fflush(m_to);
        m_shown = true;
    }
    std::FILE* m_to;
    Clock::time_point m_start, m_last;
    bool m_shown = false;
};

} // namespace

int runBatchCommand(const CommandLine::BatchRequest& request, std::FILE* progress, std::FILE* errors) {
    // Results written over the set-up would destroy what the run came from.
    const QString setupFile = QFileInfo(request.setupPath).absoluteFilePath();
    for (const QString& output : {request.csvPath, request.profilesPath})
        if (!output.isEmpty() && QFileInfo(output).absoluteFilePath() == setupFile) {
            say(errors, QCoreApplication::translate(
                            "calidor::batch",
                            "« %1 » est le réglage de la marche : les résultats ne l'écraseront pas.")
                            .arg(QDir::toNativeSeparators(output)));
            return BatchBadInput;
        }
    files::SetupReading reading = files::readSetupFile(request.setupPath);
    if (!reading.setup) {
        say(errors, reading.error);
        return BatchBadInput;
    }
    files::SetupDocument& setup = *reading.setup;
    for (const QString& assignment : request.overrides)
        if (const QString refused = files::overrideField(setup, assignment); !refused.isEmpty()) {
            say(errors, QStringLiteral("--set ") + refused);
            return BatchBadInput;
        }

    auto model = std::make_unique<ModelState>();
    auto record = std::make_unique<RunRecord>();
    ProgressLine line(progress);
    BatchOutcome outcome;
    try {
        outcome = runWithoutWindow(*model, setup.texts, !setup.counterCurrent, *record,
                                   [&line](double time, double tmax) { line.show(time, tmax); });
    } catch (const RefusedFields& refused) {
        say(errors, QString::fromStdString(refused.what()));
        return BatchBadInput;
    }
    line.finish(model->time, model->params.tmax);

    const files::CsvDialect dialect =
        request.frenchDialect ? files::CsvDialect::Comma : files::CsvDialect::Point;
    const QString written = files::exportRecord(*record, dialect, {setup.title, setup.note}, request.csvPath,
                                                request.profilesPath);
    if (outcome.faulted)
        say(errors, outcome.faultMessage +
                        (written.isEmpty()
                             ? QLatin1Char('\n') +
                                   QCoreApplication::translate("calidor::batch",
                                                               "Le relevé jusqu'à l'erreur est dans « %1 ».")
                                       .arg(QDir::toNativeSeparators(request.csvPath))
                             : QString()));
    if (!written.isEmpty()) {
        say(errors, written);
        return outcome.faulted ? BatchFault : BatchBadInput;
    }
    return outcome.faulted ? BatchFault : BatchDone;
}

} // namespace calidor
