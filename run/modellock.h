#pragma once
// The one lock of the process-wide model state. The worker holds it for each
// whole step (temperatures, balances, end of step); the user-interface thread
// holds it for each whole parameter acquisition, which may nest through the
// slider handlers, hence a recursive mutex. Neither holds it while waiting
// for the other thread.

#include <mutex>

namespace calidor {

std::recursive_mutex& modelMutex();

using ModelLock = std::lock_guard<std::recursive_mutex>;

} // namespace calidor
