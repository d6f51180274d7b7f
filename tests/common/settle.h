#pragma once
// What the stress tests share: how long a session lasts (longer under the
// sanitizers, which slow every step), and letting the event loop run.

#include <QCoreApplication>
#include <QElapsedTimer>

namespace calidor::test {

/// A stress session's length in milliseconds: `plain` in an optimised build,
/// `sanitized` under ThreadSanitizer or AddressSanitizer.
constexpr int sessionMilliseconds([[maybe_unused]] int plain, [[maybe_unused]] int sanitized) {
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
    return sanitized;
#else
    return plain;
#endif
}

/// Processes events for `milliseconds`, `slice` milliseconds at most at a time.
inline void settle(int milliseconds, int slice = 1) {
    QElapsedTimer timer;
    timer.start();
    do
        QCoreApplication::processEvents(QEventLoop::AllEvents, slice);
    while (timer.elapsed() < milliseconds);
}

} // namespace calidor::test
