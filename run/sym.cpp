#include "run/sym.h"

#include "model/arithmeticfault.h"
#include "model/balances.h"
#include "model/numbertext.h"
#include "model/timestep.h"
#include "run/modellock.h"

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
    QMetaObject::invokeMethod(ui, [] { drainMailbox(); }, Qt::QueuedConnection);
}

QString faultMessage(const std::string& what, double time) {
    return QString::fromUtf8("Le calcul s'est arrêté à t = %1 s.\n\n%2\n\n"
                             "Causes probables : une masse, une capacité thermique, la longueur de "
                             "l'échangeur ou le pas de temps nuls ; ou un pas de temps trop grand pour le "
                             "schéma explicite, dont les températures divergent alors.")
        .arg(sym::timeText(time).trimmed(), QString::fromStdString(what));
}

} // namespace

std::shared_ptr<sym> sym::create(ModelState& model, AcquisitionForm& form, RunWindow& window, QObject* ui) {
    {
        ModelLock lock(modelMutex());
        acquisition(model, form);
        etat_initial(model);
    }
    std::shared_ptr<sym> run(new sym(model, window, ui));
    run->en_marche = 1;
    run->m_worker = std::thread([raw = run.get()] { raw->body(); });
    return run;
}

sym::sym(ModelState& model, RunWindow& window, QObject* ui) : m_model(model), m_window(window), m_ui(ui) {}

sym::~sym() { end(); }

void sym::halt() {
    std::lock_guard lock(m_sync);
    m_halted = true;
}

void sym::resume() {
    {
        std::lock_guard lock(m_sync);
        m_halted = false;
    }
    m_wake.notify_all();
}

void sym::requestStop() { m_stopRequested.store(true); }

void sym::end() {
    {
        std::lock_guard lock(m_sync);
        m_ending = true;
        if (m_handOff == HandOff::Pending)
            m_handOff = HandOff::Cancelled;
    }
    m_wake.notify_all();
    if (m_worker.joinable())
        m_worker.join();
}

bool sym::isHalted() const {
    std::lock_guard lock(m_sync);
    return m_parked;
}

// The worker's body:
//   1. start of the run (time 0, cell length);
//   2. a step: temperatures, balances, end of step;
//   3. a stop request ends the body at once;
//   4. every 40th step of the process, the display is refreshed;
//   5. the end time, read afresh, ends the run naturally, or back to 2.
void sym::body() {
    try {
        {
            ModelLock lock(modelMutex());
            BeginRun(m_model);
        }
        for (;;) {
            if (!waitWhileHalted())
                break;
            std::int64_t nstep;
            double time, tmax;
            {
                ModelLock lock(modelMutex());
                StepTemperatures(m_model);
                ComputeBalances(m_model);
                FinishStep(m_model);
                nstep = m_model.nstep;
                time = m_model.time;
                tmax = m_model.params.tmax;
            }
            if (m_stopRequested.load())
                break;
            if (nstep % RefreshPeriod == 0 && !handOffRefresh())
                break;
            if (!(time < tmax)) {
                finishNaturally();
                break;
            }
        }
    } catch (const ArithmeticFault& fault) {
        reportFault(fault.what());
    }
    dispose();
}

bool sym::waitWhileHalted() {
    std::unique_lock lock(m_sync);
    m_parked = m_halted;
    m_wake.wait(lock, [this] { return !m_halted || m_ending; });
    m_parked = false;
    return !m_ending;
}

// Posts RefreshDisplay to the user-interface thread and waits until it has
// returned, or until the run is ended, which cancels it if it has not begun.
bool sym::handOffRefresh() {
    {
        std::lock_guard lock(m_sync);
        if (m_ending)
            return false;
        m_handOff = HandOff::Pending;
    }
    post(m_ui, [self = weak_from_this()] {
        if (auto run = self.lock())
            run->runHandOff();
    });
    std::unique_lock lock(m_sync);
    m_wake.wait(lock, [this] { return m_handOff == HandOff::Done || m_handOff == HandOff::Cancelled; });
    const bool refreshed = m_handOff == HandOff::Done;
    m_handOff = HandOff::Idle;
    return refreshed && !m_ending;
}

void sym::runHandOff() {
    {
        std::lock_guard lock(m_sync);
        if (m_handOff != HandOff::Pending)
            return;
        m_handOff = HandOff::Running;
    }
    RefreshDisplay();
    {
        std::lock_guard lock(m_sync);
        m_handOff = HandOff::Done;
    }
    m_wake.notify_all();
}

void sym::finishNaturally() {
    post(m_ui, [this, self = weak_from_this()] {
        if (self.lock())
            m_window.setStartEnabled(true);
    });
}

void sym::reportFault(const std::string& what) {
    double time;
    {
        ModelLock lock(modelMutex());
        time = m_model.time;
    }
    const QString message = faultMessage(what, time);
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
        if (auto run = self.lock())
            run->joinFinishedWorker();
    });
}

void sym::joinFinishedWorker() {
    if (m_worker.joinable() && disposed())
        m_worker.join();
}

QString sym::timeText(double time) {
    QString text = QString::fromStdString(fixedText(time, 3, 3) + "  ");
    text.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return text;
}

} // namespace calidor
