#include "run/modellock.h"

namespace calidor {

std::recursive_mutex& modelMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

} // namespace calidor
