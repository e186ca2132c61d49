#pragma once
// The desktop's browser, started with xdg-open. The opener runs apart from the program (it is not waited
// for), so a browser that takes long to start never holds the game up.
#include "platform/browser/Browser.h"

namespace platform {

class XdgBrowser : public Browser {
protected:
    bool Launch(WStringView address) override;
};

}  // namespace platform
