#pragma once
// The notice shown while a request of the lobby, a room or the shop is open: "In progress. Please wait a
// moment." Its one button closes it and ends the program ("The game will end if you close this window.").
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <functional>

#include "client/scenes/common/WaitingPopup.h"

namespace kestrovan {

class InProgressDialog : public WaitingPopup {
public:
    // quit ends the program.
    explicit InProgressDialog(std::function<void()> quit);
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    std::function<void()> quit_;
};

}  // namespace kestrovan
