#pragma once
// The question that lets a player end the game when the opponent has exceeded his turns: "%s has exceeded a
// total of %d turns." OK sends WithdrawRequest (1192: u8 1, u8 the opponent's seat, i64 his user id) and
// closes; Cancel only closes.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/SoundIds.h"
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class RequestSender;

class WithdrawQuestion : public PopupWindow {
public:
    static constexpr int32_t kOk = 2052;
    static constexpr int32_t kCancel = 2053;

    explicit WithdrawQuestion(RequestSender& sender);

    // The opponent and the turns he took.
    void SetTarget(const quill::PlayerState& opponent, uint8_t turns);
    TextLabel* Line() const { return line_; }

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    // OK: asks the server to withdraw the opponent, then the popup closes.
    void RequestWithdraw();

    RequestSender& sender_;
    TextLabel* line_ = nullptr;
    quill::WString nickname_;
    int64_t userId_ = 0;
    uint8_t seat_ = 0;
    uint8_t turns_ = 0;
};

}  // namespace kestrovan
