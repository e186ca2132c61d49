#pragma once
// The room screen's menu of ways out of a running game: withdraw now (10: posts WithdrawConfirm (1042,
// 1, 0)), ask the opponent for a loss by withdrawal (11) or for an invalid game (12: both post
// WithdrawChoice (1043) with 1 or 2), each explained beside its button for the room's game type. The
// gamble games and six balls know no requests: 11 and 12 then show an error and the menu stays open.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>

#include "QuillLib/core/AppEventId.h"
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class WithdrawMenuPopup : public PopupWindow {
public:
    static constexpr int32_t kWithdraw = 10;
    static constexpr int32_t kRequestLoss = 11;
    static constexpr int32_t kRequestInvalid = 12;
    static constexpr size_t kLineCount = 12;

    using ErrorBox = std::function<void(quill::WStringView line0, quill::WStringView line1)>;

    // showError shows the shared error box.
    WithdrawMenuPopup(EventPoster poster, ErrorBox showError);

    void SetGameType(int32_t gameType);
    TextLabel* Line(size_t n) const { return lines_[n]; }

    // The press of button 10 is reported as not handled; every other press of the menu as handled.
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    void Fill(size_t group, std::initializer_list<quill::WStringView> texts);

    EventPoster poster_;
    ErrorBox showError_;
    std::array<TextLabel*, kLineCount> lines_{};
    std::atomic<int32_t> gameType_{0};
};

}  // namespace kestrovan
