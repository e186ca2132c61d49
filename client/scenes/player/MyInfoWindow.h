#pragma once
// The one shared "My Info" window of the logged-in player: nickname, level with its badge, experience bar,
// money, the five skills with the points to raise them, the statistics of each game mode behind its tab (as
// the profile window shows them, lower down), and the way to the profile text editor. Raises are collected
// as pending raises and saved in one request after a confirmation; the server's answer (SkillSaveResult)
// stores the new values in the player's record and says how it went.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

#include "client/app/SkillPopup.h"
#include "client/scenes/player/SkillRaises.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Button;
class Image;
class PlayerHost;
class ProfileStatistics;
class ProfileTextPopup;
class SkillSaveConfirmPopup;
class TextLabel;

class MyInfoWindow : public Window, public SkillPopup {
public:
    static constexpr int32_t kWidth = 512;
    static constexpr int32_t kHeight = 562;
    static constexpr int32_t kStatisticsOffset = 58;
    static constexpr int32_t kFirstRaise = 200;
    static constexpr int32_t kSave = 17;
    static constexpr int32_t kReset = 18;
    static constexpr int32_t kProfileText = 15;
    static constexpr int32_t kClose = 2049;
    static constexpr int32_t kTournament = 77;
    static constexpr int32_t kFirstSelectedMode = 10;
    static constexpr int16_t kMarkAbove = 90;

    explicit MyInfoWindow(std::unique_ptr<PlayerHost> host);
    ~MyInfoWindow() override;

    void RefreshStatistics();
    void RefreshSkills();
    void RaiseSkill(size_t k);
    void ConfirmSave();
    int32_t SelectedMode() const { return selectedMode_; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    void OnShow() override;

    // SkillPopup.
    void LoadWindowGraphics(uint32_t arg) override;
    void Open(Widget& screen) override;
    void SetSelectedMode(int32_t gameMode) override;
    void OnSkillSaveResult(quill::Packet& packet) override;

    // What tests read.
    TextLabel* NicknameLabel() const { return nickname_; }
    TextLabel* LevelLabel() const { return level_; }
    TextLabel* MoneyLabel() const { return money_; }
    TextLabel* PointsLabel() const { return points_; }
    TextLabel* SkillLevelLabel(size_t k) const { return skillLevels_[k]; }
    TextLabel* EffectLabel(size_t k) const { return effects_[k]; }
    Button* RaiseButton(size_t k) const { return raiseButtons_[k]; }
    Button* SaveButton() const { return save_; }
    Button* ResetButton() const { return reset_; }
    Button* TournamentButton() const { return tournament_; }
    Image* LevelBadge() const { return badge_; }
    Image* ExperienceBar() const { return bar_; }
    const ProfileStatistics& Statistics() const { return *statistics_; }
    SkillSaveConfirmPopup& ConfirmPopup() const { return *confirm_; }
    ProfileTextPopup& TextPopup() const { return *textPopup_; }
    SkillRaises Pending() const;

private:
    void BuildHeader();
    void BuildSkills();
    void BuildButtons();
    void WriteHeader();
    // The skill labels from the record and the pending raises.
    void WriteSkills();
    void OpenProfileText();
    void StoreAnswer(uint16_t skillPoints, const std::array<uint32_t, 5>& skills);

    std::unique_ptr<PlayerHost> host_;
    SkillRaises pending_;
    std::atomic<int32_t> selectedMode_{kFirstSelectedMode};

    Image* badge_ = nullptr;
    TextLabel* level_ = nullptr;
    TextLabel* nickname_ = nullptr;
    TextLabel* blank_ = nullptr;
    Image* bar_ = nullptr;
    TextLabel* experience_ = nullptr;
    TextLabel* money_ = nullptr;
    TextLabel* points_ = nullptr;
    std::array<TextLabel*, SkillRaises::kSkills> skillLevels_{};
    std::array<TextLabel*, SkillRaises::kSkills> effects_{};
    std::array<Button*, SkillRaises::kSkills> raiseButtons_{};
    Button* save_ = nullptr;
    Button* reset_ = nullptr;
    Button* tournament_ = nullptr;
    std::unique_ptr<ProfileStatistics> statistics_;
    std::unique_ptr<SkillSaveConfirmPopup> confirm_;
    std::unique_ptr<ProfileTextPopup> textPopup_;
};

}  // namespace kestrovan
