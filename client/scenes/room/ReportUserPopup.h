#pragma once
// The question before a chat is reported: who is reported ("Entire message" for the whole chat), what a
// report means, and Yes (2052: closes and posts ReportSubmit, 1050) or No (2053: only closes). The room
// screen sets the target first and reads it back when it handles the event.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <atomic>
#include <cstdint>

#include "QuillLib/core/AppEventId.h"
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class ReportUserPopup : public PopupWindow {
public:
    explicit ReportUserPopup(EventPoster poster);

    // The reported user's 64-bit id in halves (both 0: the whole chat) and nickname (kept when empty).
    void SetTarget(uint32_t idLow, uint32_t idHigh, quill::WStringView nickname);
    uint32_t TargetLow() const { return idLow_; }
    uint32_t TargetHigh() const { return idHigh_; }
    quill::WString TargetNickname() const;
    TextLabel* TargetLabel() const { return target_; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    void OnShow() override;

private:
    EventPoster poster_;
    TextLabel* target_ = nullptr;
    std::atomic<uint32_t> idLow_{0};
    std::atomic<uint32_t> idHigh_{0};
    quill::WString nickname_;
};

}  // namespace kestrovan
