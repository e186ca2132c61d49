#pragma once
// Opens a web page of the program (an in-game page, a download link) in the system's web browser. Only
// web addresses (http and https) are opened: an address that comes from outside never starts anything else.
// Any thread.
#include "platform/system/WString.h"

namespace platform {

class Browser {
public:
    virtual ~Browser() = default;

    // False when the address is not a web address or the browser could not be started.
    bool Open(WStringView address);

    static bool IsWebAddress(WStringView address);

protected:
    virtual bool Launch(WStringView address) = 0;
};

}  // namespace platform
