#include "widgets/rotatetimer.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#define CALIDOR_TSAN_RELEASE(addr) __tsan_release(addr)
#else
#define CALIDOR_TSAN_RELEASE(addr) ((void)(addr))
#endif

namespace calidor {

TRotateTimer::TRotateTimer(QObject* target, int intervalMs)
    : m_target(target), m_interval(std::max(0, intervalMs)), m_thread([this] { run(); }) {}

TRotateTimer::~TRotateTimer() {
    {
        const std::lock_guard lock(m_mutex);
        m_terminated = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void TRotateTimer::setSuspended(bool suspended) {
    {
        const std::lock_guard lock(m_mutex);
        m_suspended = suspended;
    }
    m_wake.notify_all();
}

bool TRotateTimer::isSuspended() const {
    const std::lock_guard lock(m_mutex);
    return m_suspended;
}

void TRotateTimer::setInterval(int intervalMs) {
    const std::lock_guard lock(m_mutex);
    m_interval = std::max(0, intervalMs);
}

int TRotateTimer::interval() const {
    const std::lock_guard lock(m_mutex);
    return m_interval;
}

void TRotateTimer::acknowledge(std::uint64_t ticket) {
    {
        const std::lock_guard lock(m_mutex);
        m_handled = std::max(m_handled, ticket);
    }
    m_wake.notify_all();
}

std::uint64_t TRotateTimer::postedSteps() const {
    const std::lock_guard lock(m_mutex);
    return m_posted;
}

// The thread's loop:
// 1. wait while suspended;
// 2. sleep for the interval (a suspension or the terminate flag cuts the sleep short);
// 3. post one step to the target and wait for its acknowledgement (or the terminate flag).
void TRotateTimer::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_terminated || !m_suspended; });
        if (m_terminated)
            break;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_interval);
        if (m_wake.wait_until(lock, deadline, [this] { return m_terminated || m_suspended; }))
            continue;
        const std::uint64_t ticket = ++m_posted;
        lock.unlock();
        auto* step = new TRotateStepEvent(this, ticket);
        CALIDOR_TSAN_RELEASE(step); // the handler acquires it: Qt's queue hands it over unseen by TSan
        QCoreApplication::postEvent(m_target, step);
        lock.lock();
        m_wake.wait(lock, [this, ticket] { return m_terminated || m_handled >= ticket; });
    }
}

} // namespace calidor
