#pragma once
// The profile window every screen shares: a player's nickname, level with its badge, money, icon and mark,
// four text lines and the statistics of each game mode behind its tab. It shows the profile a UserProfile
// message carries (read into a profile of its own) or the player's own profile, which the connection keeps.
// The chosen mode stays from one showing to the next; Esc or the close button hides the window.
//
// Threads: see the table in client/app/Scene.h; a profile read on the dispatch thread is shown at the main thread's
// next pass.
#include <atomic>
#include <cstdint>
#include <memory>

#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/ProfilePopup.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Image;
class ProfileStatistics;
class TextLabel;

class ProfileWindow : public Window, public ProfilePopup {
public:
    static constexpr int32_t kWidth = 512;
    static constexpr int32_t kHeight = 504;
    static constexpr int32_t kClose = 2049;
    static constexpr int32_t kFirstSelectedMode = 10;
    static constexpr int16_t kMarkAbove = 90;

    ProfileWindow();
    ~ProfileWindow() override;

    // Reads the profile record at the packet's cursor (after the found flag) into the window's own profile,
    // which becomes the shown one; false, with nothing changed, when the record does not fit its message.
    bool ReadProfile(quill::Packet& packet);
    // Shows the given profile (the connection's own player) from now on.
    void ShowLocal(const quill::PlayerState& player);
    // The shown profile into the text lines and the statistics.
    void Refresh();
    int32_t SelectedMode() const { return selectedMode_; }
    // A value of the last record read that the window keeps without showing it.
    uint16_t SecondValue() const;

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    // Centres the window, refreshes it and writes the header (money, level, badge, nickname, icon, mark).
    void OnShow() override;

    // ProfilePopup.
    void LoadWindowGraphics(uint32_t arg) override;
    bool OnUserProfile(Widget& screen, quill::Packet& packet) override;
    void ShowPending() override;
    void ShowLocal(Widget& screen, const quill::PlayerState& player) override;
    void SetSelectedMode(int32_t gameMode) override;

    // What tests read.
    TextLabel* NicknameLabel() const { return nickname_; }
    TextLabel* LevelLabel() const { return level_; }
    TextLabel* MoneyLabel() const { return money_; }
    TextLabel* TextLine(size_t n) const { return lines_[n]; }
    Image* LevelBadge() const { return badge_; }
    Image* Icon() const { return icon_; }
    Image* MarkIcon() const { return mark_; }
    const ProfileStatistics& Statistics() const { return *statistics_; }

private:
    void WriteHeader(const quill::PlayerState& profile);

    quill::PlayerState received_;
    const quill::PlayerState* shown_ = &received_;
    uint16_t secondValue_ = 0;
    uint16_t thirdValue_ = 0;
    std::atomic<int32_t> selectedMode_{kFirstSelectedMode};
    std::atomic<Widget*> pendingScreen_{nullptr};  // where the profile read last is to be shown

    Image* badge_ = nullptr;
    TextLabel* level_ = nullptr;
    TextLabel* nickname_ = nullptr;
    TextLabel* money_ = nullptr;
    Image* icon_ = nullptr;
    Image* mark_ = nullptr;
    TextLabel* lines_[4] = {};
    std::unique_ptr<ProfileStatistics> statistics_;
};

}  // namespace kestrovan
