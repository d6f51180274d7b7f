#include "run/sym.h"

#include "model/arithmeticfault.h"
#include "model/balances.h"
#include "model/numbertext.h"
#include "model/timestep.h"
#include "run/modellock.h"
#include "run/refreshdisplay.h"
#include "run/stability.h"

#include <QCoreApplication>
#include <QLocale>
#include <QMetaObject>

#include <deque>
#include <functional>

namespace calidor {

namespace {

// Calls the worker hands to the user-interface thread. They travel through
// this mailbox, under our own mutex, and Qt's event queue only carries a
// wake-up without data: so the order between the threads is one that every
// tool (ThreadSanitizer among them) can see.
std::mutex mailboxMutex;
std::deque<std::function<void()>> mailbox;

void drainMailbox() {
    std::deque<std::function<void()>> calls;
    {
        std::lock_guard lock(mailboxMutex);
        calls.swap(mailbox);
    }
    for (auto& call : calls)
        call();
}

// Runs `call` on the thread of `ui`, later.
void post(QObject* ui, std::function<void()> call) {
    {
        std::lock_guard lock(mailboxMutex);
        mailbox.push_back(std::move(call));
    }
    QMetaObject::invokeMethod(
        ui, [] { drainMailbox(); }, Qt::QueuedConnection);
}

QString sliceName(StabilitySlice slice) {
    switch (slice) {
    case StabilitySlice::HotFluid:
        return QCoreApplication::translate("calidor::sym", "le fluide chaud");
    case StabilitySlice::ColdFluid:
        return QCoreApplication::translate("calidor::sym", "le fluide froid");
    case StabilitySlice::Wall:
        return QCoreApplication::translate("calidor::sym", "la paroi");
    }
    return {};
}

QString translated(const char* text) {
    return QCoreApplication::translate("calidor::sym", text);
}

// A zero divisor among the parameters, said as what it does to the step.
QString zeroParameterCause(const ModelParameters& p) {
    if (p.Lech == 0)
        return QCoreApplication::translate(
            "calidor::sym",
            "La longueur de l'échangeur est nulle : chaque maille a une longueur dx = 0, et sa part "
            "de l'échangeur, dx / Lech, vaut 0/0.");
    const struct {
        double mass, specificHeat;
        const char* text;
    } slices[] = {
        {p.Mc, p.Cpc,
         QT_TRANSLATE_NOOP("calidor::sym",
                           "La capacité thermique du fluide chaud est nulle (masse "
                           "ou Cp nul : Masse C × Cp C = 0) : dt divisé par cette capacité est infini, "
                           "et l'évolution de sa température n'est plus définie.")},
        {p.Mf, p.Cpf,
         QT_TRANSLATE_NOOP("calidor::sym",
                           "La capacité thermique du fluide froid est nulle (masse "
                           "ou Cp nul : Masse F × Cp F = 0) : dt divisé par cette capacité est infini, "
                           "et l'évolution de sa température n'est plus définie.")},
        {p.Mp, p.Cpp,
         QT_TRANSLATE_NOOP("calidor::sym",
                           "La capacité thermique de la paroi est nulle (masse ou "
                           "Cp nul : Masse P × Cp P = 0) : dt divisé par cette capacité est infini, et "
                           "l'évolution de sa température n'est plus définie.")},
    };
    for (const auto& slice : slices)
        if (slice.mass == 0 || slice.specificHeat == 0)
            return translated(slice.text);
    if (p.dt == 0)
        return QCoreApplication::translate(
            "calidor::sym",
            "Le pas de temps est nul (dt = 0) : le temps n'avance pas, et le stockage d'entropie "
            "de chaque maille, sa variation divisée par dt, vaut 0/0.");
    return {};
}

// Why a step faulted: what, and why. A zero length, capacity or time step,
// or a time step above the scheme's stability limit, is named as the cause;
// otherwise the usual causes are listed.
std::pair<QString, QString> faultReason(const ArithmeticFault& error, const ModelParameters& p,
                                        const StabilityLimit& limit) {
    const std::string what = error.what(), phase = error.phase();
    const FaultKind kind = error.kind();
    const double dt = p.dt;
    QString cause = zeroParameterCause(p);
    QString fault = QString::fromStdString(what);
    if (!cause.isEmpty() && kind == FaultKind::InvalidOperation)
        // The cause is known: a 0/0 or an ∞ × 0, not a logarithm.
        fault = QCoreApplication::translate("calidor::sym",
                                            "Erreur de calcul (%1) : opération invalide (0/0 ou ∞ × 0).")
                    .arg(QString::fromStdString(phase));
    if (cause.isEmpty() && limit.dt > 0 && dt > limit.dt)
        cause =
            QCoreApplication::translate(
                "calidor::sym",
                "Le pas de temps dt = %1 s dépasse la limite de stabilité du schéma explicite, environ "
                "%2 s ici (fixée par %3) : une perturbation qui alterne d'une maille à l'autre est "
                "amplifiée à chaque pas, les températures oscillent puis divergent jusqu'à des valeurs "
                "impossibles. Prenez un pas de temps plus petit que cette limite.")
                .arg(QString::number(dt, 'g', 6), QString::number(limit.dt, 'g', 3), sliceName(limit.slice));
    if (cause.isEmpty())
        cause = QCoreApplication::translate(
            "calidor::sym",
            "Causes probables : une masse, une capacité thermique, la longueur de l'échangeur ou le "
            "pas de temps nuls ; ou un pas de temps trop grand pour le schéma explicite, dont les "
            "températures divergent alors.");
    return {fault, cause};
}

// What the user reads when a step faults: when, what, and why.
QString faultMessage(const ArithmeticFault& error, double time, const ModelParameters& p,
                     const StabilityLimit& limit) {
    // The run has ended like a run that reached its end time: say so, and
    // that the next "Marche" starts afresh.
    const auto [fault, cause] = faultReason(error, p, limit);
    return QCoreApplication::translate(
               "calidor::sym", "La marche est terminée : le calcul s'est arrêté à t = %1 s.\n\n%2\n\n%3"
                               "\n\nLes courbes gardent le dernier affichage ; « Marche » (F5) démarre "
                               "une nouvelle marche.")
        .arg(sym::timeText(time).trimmed(), fault, cause);
}

} // namespace

std::shared_ptr<sym> sym::create(ModelState& model, AcquisitionForm& form, RunWindow& window, QObject* ui,
                                 Pace pace, std::function<void()> onDisposed, RunRecord* record) {
    {
        ModelLock lock(modelMutex());
        acquisition(model, form);
        etat_initial(model);
    }
    std::shared_ptr<sym> run(new sym(model, window, ui));
    run->en_marche = 1;
    run->m_pacer.setPace(pace);
    run->m_onDisposed = std::move(onDisposed);
    run->m_record = record;
    run->m_worker = std::thread([raw = run.get()] { raw->body(); });
    return run;
}

sym::sym(ModelState& model, RunWindow& window, QObject* ui) : m_model(model), m_window(window), m_ui(ui) {}

sym::~sym() {
    end();
}

// Changes what the worker reads under the run's lock, then wakes the worker
// wherever it waits: halted, pacing, or in the refresh hand-off.
template <class Change> void sym::signalWorker(Change change) {
    {
        std::lock_guard lock(m_sync);
        change();
    }
    m_wake.notify_all();
}

void sym::halt() {
    signalWorker([this] {
        m_haltRequested = true;
        m_stepping = false;
    });
}

void sym::resume() {
    signalWorker([this] {
        m_haltRequested = false;
        m_stepping = false;
        m_pacer.reanchor();
    });
}

void sym::stepToNextRefresh() {
    signalWorker([this] {
        m_haltRequested = false;
        m_stepping = true;
    });
}

void sym::requestStop() {
    signalWorker([this] {
        m_stopRequested.store(true);
        if (m_handOff == HandOff::Pending)
            m_handOff = HandOff::Dropped;
    });
}

void sym::setPace(Pace pace) {
    signalWorker([this, pace] { m_pacer.setPace(pace); });
}

void sym::end() {
    signalWorker([this] {
        m_ending = true;
        if (m_handOff == HandOff::Pending)
            m_handOff = HandOff::Cancelled;
    });
    if (m_worker.joinable())
        m_worker.join();
}

bool sym::isHalted() const {
    std::lock_guard lock(m_sync);
    return m_halted;
}

// The worker's body:
//   1. start of the run (time 0, cell length);
//   2. wait while halted, or until the pace says the next step is due;
//   3. a step: temperatures, balances, end of step;
//   4. a stop request ends the body at once;
//   5. every RefreshPeriod-th step of the process, the display is refreshed (and a run
//      stepped forward by one refresh halts again);
//   6. the end time, read afresh, ends the run naturally, or back to 2.
// A fault ends the run as its end time does, and the user is told why.
void sym::body() {
    try {
        double time;
        {
            ModelLock lock(modelMutex());
            BeginRun(m_model);
            time = m_model.time;
        }
        for (;;) {
            if (!waitForNextStep(time))
                break;
            std::int64_t nstep;
            double tmax;
            {
                ModelLock lock(modelMutex());
                AdvanceStep(m_model);
                nstep = m_model.nstep;
                time = m_model.time;
                tmax = m_model.params.tmax;
            }
            if (m_stopRequested.load())
                break;
            if (nstep % RefreshPeriod == 0) {
                if (!handOffRefresh())
                    break;
                haltIfStepping();
                if (m_stopRequested.load())
                    break;
            }
            if (!(time < tmax)) {
                enableStart();
                break;
            }
        }
    } catch (const ArithmeticFault& fault) {
        enableStart();
        reportFault(fault);
    }
    dispose();
}

// Before each step: parked while halted; at a set pace, asleep until the
// step that starts at simulated `time` is due. Every request (resume, pace,
// stop, end) wakes it through the condition. False: no further step.
bool sym::waitForNextStep(double time) {
    std::unique_lock lock(m_sync);
    for (;;) {
        if (m_ending || m_stopRequested.load())
            return false;
        if (m_haltRequested) {
            m_halted = true;
            m_pacer.reanchor();
            m_wake.wait(lock);
            continue;
        }
        m_halted = false;
        // A step forward by one refresh is taken at once, whatever the pace.
        if (m_stepping || m_pacer.pace() == Pace::Max)
            return true;
        const auto now = Pacer::Clock::now();
        const auto due = m_pacer.due(time, now);
        if (due <= now)
            return true;
        m_wake.wait_until(lock, due);
    }
}

void sym::haltIfStepping() {
    std::lock_guard lock(m_sync);
    if (m_stepping) {
        m_stepping = false;
        m_haltRequested = true;
    }
}

// Posts RefreshDisplay to the user-interface thread and waits until it has
// returned, or until the run is ended, which cancels it if it has not begun.
// A refresh dropped by "Arrêt" (or never handed over because of it) lets the
// worker go on to its stop test. False: the run is ending.
bool sym::handOffRefresh() {
    {
        std::lock_guard lock(m_sync);
        if (m_ending)
            return false;
        if (m_stopRequested.load())
            return true;
        m_handOff = HandOff::Pending;
    }
    post(m_ui, [self = weak_from_this()] {
        if (auto run = self.lock())
            run->runHandOff();
    });
    std::unique_lock lock(m_sync);
    m_wake.wait(lock, [this] {
        return m_handOff == HandOff::Done || m_handOff == HandOff::Cancelled || m_handOff == HandOff::Dropped;
    });
    const bool cancelled = m_handOff == HandOff::Cancelled;
    m_handOff = HandOff::Idle;
    return !cancelled && !m_ending;
}

void sym::runHandOff() {
    {
        std::lock_guard lock(m_sync);
        if (m_handOff != HandOff::Pending)
            return;
        m_handOff = HandOff::Running;
    }
    RefreshDisplay(m_model, m_window, m_record);
    signalWorker([this] { m_handOff = HandOff::Done; });
}

// The run has ended by itself: "Marche" starts the next one.
void sym::enableStart() {
    post(m_ui, [this, self = weak_from_this()] {
        if (self.lock())
            m_window.setStartEnabled(true);
    });
}

void sym::reportFault(const ArithmeticFault& fault) {
    double time;
    ModelParameters params;
    double dx;
    {
        ModelLock lock(modelMutex());
        time = m_model.time;
        params = m_model.params;
        dx = m_model.dx;
    }
    const StabilityLimit limit = explicitStabilityLimit(params, dx);
    const QString message = faultMessage(fault, time, params, limit);
    post(m_ui, [this, message, self = weak_from_this()] {
        if (self.lock())
            m_window.reportRunFault(message);
    });
}

// The run is disposed of when the body returns: from then on it computes
// nothing and its thread is joined on the user-interface thread.
void sym::dispose() {
    m_bodyReturned.store(true);
    post(m_ui, [self = weak_from_this()] {
        if (auto run = self.lock()) {
            run->joinFinishedWorker();
            if (run->m_onDisposed)
                run->m_onDisposed();
        }
    });
}

void sym::joinFinishedWorker() {
    if (m_worker.joinable() && disposed())
        m_worker.join();
}

QString faultExplanation(const ArithmeticFault& fault, const ModelParameters& params, double dx) {
    const auto [what, cause] = faultReason(fault, params, explicitStabilityLimit(params, dx));
    return what + QStringLiteral("\n\n") + cause;
}

QString sym::timeText(double time) {
    QString text = QString::fromStdString(fixedText(time, 3, 3) + "  ");
    text.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return text;
}

} // namespace calidor
