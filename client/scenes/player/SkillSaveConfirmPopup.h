#pragma once
// The question before skill points are saved: "Once saved, skills cannot be dropped or deleted." Yes hides
// the My Info window, sends SkillPointsSave (19) with the five raises it was given and hides itself; No only
// hides it, and the raises stay pending in the window.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>

#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class RequestSender;

class SkillSaveConfirmPopup : public PopupWindow {
public:
    static constexpr int32_t kWidth = 400;
    static constexpr int32_t kHeight = 250;

    // myInfo: the window that Yes hides.
    SkillSaveConfirmPopup(RequestSender& requests, Window& myInfo);

    void SetRaises(const std::array<uint8_t, 5>& raises) { raises_ = raises; }
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    RequestSender& requests_;
    Window& myInfo_;
    std::array<uint8_t, 5> raises_{};
};

}  // namespace kestrovan
