#pragma once
// A run of the exchanger: one worker thread that advances the model step by
// step and, every RefreshPeriod steps, has the display refreshed on the user-interface
// thread.
//
// Sharing rule. The worker and the user-interface thread share the model
// state. The worker takes the model lock (modelMutex) for each whole step
// and reads time, nstep and tmax inside it; the user-interface thread takes
// it for each whole acquisition. So every step sees the parameters and inlet
// nodes either from before or from after an acquisition, and a change takes
// effect from the next step. No lock is held across the refresh hand-off:
// the worker posts RefreshDisplay to the user-interface thread and waits on
// the run's own mutex and condition until it has returned, so the display
// reads the state between two steps. Pause, stepping, the pace, the stop
// request and the end request are flags under that same mutex (the stop
// request is also an atomic, read once per step). Between two steps the
// worker waits on that condition, halted or until its pace says the next
// step is due, so every request wakes it at once; a stop request releases a
// halted worker, which ends without another step. The hand-off can be
// cancelled by the user-interface thread, which is how it ends a run
// without ever waiting for a worker that waits for it, and how "Arrêt"
// keeps a refresh that has not begun off the emptied curves.

#include "model/acquisition.h"
#include "model/arithmeticfault.h"
#include "model/modelstate.h"
#include "run/pace.h"
#include "run/runrecord.h"
#include "run/runwindow.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace calidor {

class sym : public std::enable_shared_from_this<sym> {
public:
    /// Run creation, on the user-interface thread: acquisition, the initial
    /// state, then the worker, computing at once. `ui` is an object living on
    /// the user-interface thread, through which the worker reaches it.
    /// Raises ArithmeticFault (no worker is started) when acquisition or the
    /// initial state fault.
    /// The worker takes its steps at `pace`; `onDisposed`, if given, runs on
    /// the user-interface thread once the worker's body has returned. Each
    /// display refresh also goes into `record`, when there is one (it is
    /// touched on the user-interface thread only).
    static std::shared_ptr<sym> create(ModelState& model, AcquisitionForm& form, RunWindow& window,
                                       QObject* ui, Pace pace = Pace::Max,
                                       std::function<void()> onDisposed = {}, RunRecord* record = nullptr);

    /// Ends the worker if it still runs (see end()).
    ~sym();

    sym(const sym&) = delete;
    sym& operator=(const sym&) = delete;

    /// 1 while the run computes, 0 while it is paused; flipped by "Pause".
    /// User-interface thread only.
    std::uint8_t en_marche = 1;

    /// Halts the worker before its next step.
    void halt();
    /// Lets a halted worker continue with its next step.
    void resume();
    /// Lets a halted worker compute up to and including the next step that
    /// brings nstep to a multiple of RefreshPeriod, refresh the display, and
    /// halt again.
    void stepToNextRefresh();
    /// Asks the worker to end after the step it is computing, at once if it
    /// waits between steps, halted or not; a refresh handed over but not
    /// begun is dropped. Does not wait for the worker.
    void requestStop();
    /// The pace, from the next step on.
    void setPace(Pace pace);
    /// Ends the worker without another step (waking it if halted, cancelling
    /// a refresh it waits for) and waits until its thread has finished.
    /// User-interface thread only.
    void end();

    /// The worker's body has returned: the run is disposed of.
    bool disposed() const { return m_bodyReturned.load(); }
    bool stopRequested() const { return m_stopRequested.load(); }
    /// The worker waits, halted, before its next step.
    bool isHalted() const;

    /// The text of the elapsed-time label for a time in seconds: three
    /// decimals, the locale's decimal separator, two trailing blanks.
    static QString timeText(double time);

private:
    sym(ModelState& model, RunWindow& window, QObject* ui);

    enum class HandOff { Idle, Pending, Running, Done, Cancelled, Dropped };

    template <class Change> void signalWorker(Change change);
    void body();
    bool waitForNextStep(double time);
    void haltIfStepping();
    bool handOffRefresh();
    void runHandOff();
    void enableStart();
    void reportFault(const ArithmeticFault& fault);
    void dispose();
    void joinFinishedWorker();

    ModelState& m_model;
    RunWindow& m_window;
    QObject* m_ui;                 // outlives the run: run control ends its runs before it goes
    RunRecord* m_record = nullptr; // outlives the run likewise

    mutable std::mutex m_sync;
    std::condition_variable m_wake;
    bool m_haltRequested = false;
    bool m_halted = false;   // the worker sits at the pause gate
    bool m_ending = false;   // end(): no further step, no refresh
    bool m_stepping = false; // computing towards the next refresh, then halt
    Pacer m_pacer;
    HandOff m_handOff = HandOff::Idle;
    std::function<void()> m_onDisposed;
    std::atomic<bool> m_stopRequested{false};
    std::atomic<bool> m_bodyReturned{false};
    std::thread m_worker;
};

/// Why a step faulted, in French: the fault, then its likely cause (a zero
/// length, capacity or time step, a time step above the stability limit of
/// the scheme for these parameters and cell length, or the usual causes).
QString faultExplanation(const ArithmeticFault& fault, const ModelParameters& params, double dx);

} // namespace calidor
