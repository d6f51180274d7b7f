#pragma once

#include <QEvent>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

class QObject;

namespace calidor {
class TRotateTimer;

/// The step request that the rotation thread posts to its button (event type 45161). The button handles
/// it on the user-interface thread and then calls TRotateTimer::acknowledge with the ticket.
class TRotateStepEvent : public QEvent {
public:
    static constexpr QEvent::Type kType = QEvent::Type(45161);

    TRotateStepEvent(TRotateTimer* sender, std::uint64_t ticket)
        : QEvent(kType), m_sender(sender), m_ticket(ticket) {}

    TRotateTimer* sender() const { return m_sender; }
    std::uint64_t ticket() const { return m_ticket; }

private:
    TRotateTimer* m_sender;
    std::uint64_t m_ticket;
};

/// Paces the continuous rotation of a shaped button.
///
/// A thread that, while resumed, sleeps for the interval, posts a TRotateStepEvent to its target and
/// waits until the target acknowledges it, so that at most one step is ever pending and every change of
/// the angle happens on the target's (the user-interface) thread. It is created suspended.
///
/// Sharing: the thread and the user-interface thread share only the fields below `m_mutex`, always under
/// that mutex; the thread never touches the target beyond posting events to it.
///
/// Shutdown: the destructor sets the terminate flag and wakes the thread wherever it waits (suspended,
/// sleeping, or waiting for an acknowledgement, which it then abandons), and only then joins it. So
/// destroying a rotating button never waits on a step that the user-interface thread would have to
/// handle; a step event still queued dies with its target.
class TRotateTimer {
public:
    /// Starts the thread, suspended. `target` must outlive this object; `intervalMs` is clamped at 0.
    TRotateTimer(QObject* target, int intervalMs);
    /// Terminates and joins the thread without needing the target's event loop.
    ~TRotateTimer();

    TRotateTimer(const TRotateTimer&) = delete;
    TRotateTimer& operator=(const TRotateTimer&) = delete;

    /// Suspends (true) or resumes (false) the steps. A step that is already posted stays valid.
    void setSuspended(bool suspended);
    bool isSuspended() const;

    /// Milliseconds between steps, taken at the start of the next sleep.
    void setInterval(int intervalMs);
    int interval() const;

    /// Ends the wait for the step with this ticket. Called on the target's thread after handling it.
    void acknowledge(std::uint64_t ticket);

    /// Steps posted so far.
    std::uint64_t postedSteps() const;

private:
    void run();

    QObject* const m_target;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    int m_interval;              // ms, guarded by m_mutex
    bool m_suspended = true;     // guarded by m_mutex
    bool m_terminated = false;   // guarded by m_mutex
    std::uint64_t m_posted = 0;  // last ticket posted, guarded by m_mutex
    std::uint64_t m_handled = 0; // last ticket acknowledged, guarded by m_mutex

    std::thread m_thread; // last: starts once every field above is ready
};

} // namespace calidor
