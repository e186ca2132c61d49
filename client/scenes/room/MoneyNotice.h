#pragma once
// The notice of money gained: a caption and the amount, shown for five seconds.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/scenes/room/ShowTimer.h"
#include "client/ui/Image.h"

namespace kestrovan {

class TextLabel;

class MoneyNotice : public Image {
public:
    static constexpr uint32_t kShownMs = 5000;

    MoneyNotice();

    // The amount grouped by thousands under the caption; the time starts at the next tick.
    void ShowAmount(int64_t amount, quill::WStringView caption);
    TextLabel* Caption() const { return caption_; }
    TextLabel* Amount() const { return amount_; }

    void Tick(uint32_t now) override;
    // Its controls' events go no further.
    bool OnEvent(Widget*, int32_t, int32_t) override { return true; }

private:
    TextLabel* caption_ = nullptr;
    TextLabel* amount_ = nullptr;
    ShowTimer shown_;
};

}  // namespace kestrovan
