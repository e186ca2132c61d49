#include "client/table/TableServices.h"

#include "platform/system/Rand.h"

namespace kestrovan {

int TableServices::Random() const {
    return random ? random() : platform::Rand();
}

}  // namespace kestrovan
