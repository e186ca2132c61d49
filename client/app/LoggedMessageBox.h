#pragma once
// The program's message boxes: each box's caption and text go into the start log, then to the box that shows
// them (the desktop's, or the console's when there is none), so that the reason a window vanished is on record.
// Any thread.
#include "platform/ui/MessageBoxBackend.h"

namespace kestrovan {

class LoggedMessageBox : public platform::MessageBoxBackend {
public:
    // The box that shows; it must outlive this one.
    explicit LoggedMessageBox(platform::MessageBoxBackend& shown) : shown_(shown) {}

    int Show(const platform::MessageBoxRequest& request) override;

private:
    platform::MessageBoxBackend& shown_;
};

}  // namespace kestrovan
