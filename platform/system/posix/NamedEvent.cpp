#include "platform/system/posix/NamedEvent.h"

#include <fcntl.h>
#include <semaphore.h>

namespace platform {

bool SignalNamedEvent(const std::string& name) {
    sem_t* semaphore = sem_open(("/" + name).c_str(), 0);
    if (semaphore == SEM_FAILED) return false;
    sem_post(semaphore);
    sem_close(semaphore);
    return true;
}

}  // namespace platform
