#pragma once
// The room's menu, opened with Esc: "Help(F1)", "Report bad", "Withdraw", "Setting(F3)" and "Close". Each entry
// hides the menu and posts its event for the room: the help window (HelpMenuChosen), the report dialog
// (RoomMenuReport), the withdrawal check (WithdrawMenuChosen) and the settings (RoomMenuSettings); "Close"
// posts nothing.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>

#include "client/scenes/common/ItemEvents.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Button;

class RoomMenu : public Window {
public:
    static constexpr int32_t kWidth = 185;
    static constexpr int32_t kHeight = 226;
    enum Entry : int32_t { kHelp = 0, kReport = 1, kWithdraw = 2, kSettings = 3, kClose = 4 };

    explicit RoomMenu(AppEventPoster poster);

    // Centred on the screen.
    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    Button* EntryButton(int32_t entry) const { return entries_[static_cast<size_t>(entry)]; }

private:
    AppEventPoster poster_;
    std::array<Button*, 5> entries_{};
};

}  // namespace kestrovan
