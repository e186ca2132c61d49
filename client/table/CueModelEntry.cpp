#include "client/table/CueModelEntry.h"

namespace kestrovan {

int32_t CueModelEntry::Release() {
    if (count_ > 0) {
        --count_;
    }
    return count_;
}

}  // namespace kestrovan
