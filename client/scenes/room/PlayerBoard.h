#pragma once
// The room's list of the players at the table, at the bottom right: one row per player with level icon,
// nickname, money or score by the game type, ball group and the current shooter's arrow; above them the goal
// line, the stake, the turn countdown and, while the room waits, whether the sides can start a match. A click
// on a row opens the player menu: "View Info", "Ask Friend", "Kick User", "Cut Chat", "Invite Clan" and
// "Report bad".
//
// The rows point at the players of the room's game model, which the room owns for the scene's life.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/GameModel.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/ui/Image.h"

namespace kestrovan {

class Button;
class GameConnection;
class NumberDisplay;
class RequestSender;
class TextLabel;
class Window;

class PlayerBoard : public Image {
public:
    static constexpr size_t kRows = 8;
    static constexpr int32_t kRowWidth = 190;
    static constexpr int32_t kRowHeight = 52;
    static constexpr int32_t kFirstRowId = 100;
    static constexpr int32_t kFirstMenuId = 200;  // View Info, Ask Friend, Kick User, Cut Chat, Invite Clan, Report bad
    static constexpr size_t kMenuEntries = 6;
    static constexpr uint32_t kCountdownSound = 34;
    static constexpr uint8_t kClanInviteRank = 9;

    // The messenger's user dialog actions.
    enum UserAction : int32_t { kAskFriend = 1, kCutChat = 4, kKick = 5, kInviteClan = 6 };

    struct Services {
        RequestSender* sender = nullptr;
        AppEventPoster poster;
        std::function<void(quill::WStringView)> notice;
        std::function<void(quill::WStringView)> error;
        // The messenger's user dialog for the player, with the action.
        std::function<void(const quill::PlayerState& player, int32_t action)> openUserDialog;
        // The profile window with the local player's own record.
        std::function<void(int32_t seat, const quill::PlayerState& player)> showOwnProfile;
        std::function<void(uint32_t soundId)> playSound;
    };

    PlayerBoard(GameConnection& connection, Services services);

    // The rows from the model, team by team and member by member; the room's game type and stake decide what
    // the rows and the stake line say.
    void Refresh(const quill::GameModel& model, const quill::RoomInfo& room);
    void RefreshMatchLine(const quill::GameModel& model);
    void Reset();
    void SetTarget(int32_t points, int32_t innings);
    void SetStake(int64_t amount);
    // The current shooter: its row gets the arrow.
    void SetCurrent(const quill::PlayerState* player);
    void SetTurnTime(int32_t seconds);
    // The seconds left by the elapsed turn seconds; sound 34 when it changes to 9 .. 1. The value shown.
    int32_t UpdateCountdown(int32_t elapsedSeconds);
    // While on (from a turn's start to its shot), the warning blinks once fewer than ten seconds are left.
    void SetCountdownOn(bool on) { countdownOn_ = on; }
    // The countdown's warning mark goes (the room's spoken warning has come).
    void HideWarning();
    void SetMaster(bool master) { master_ = master; }
    // Tournament rooms hide the stake line in a game.
    void SetTournament(bool tournament) { tournament_ = tournament; }
    void OnGameStart();
    void OnGameEnd();
    void ResetCountdown();
    // x = width - 200, y = height - 52 x rows - 168 (80 lower in a game).
    void Place(int32_t width, int32_t height);

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    void Tick(uint32_t now) override;

    int32_t RowCount() const { return rowCount_; }
    int32_t Remaining() const { return remaining_; }
    Button* Row(size_t row) const { return rows_[row].button; }
    TextLabel* RowName(size_t row) const { return rows_[row].name; }
    TextLabel* RowScore(size_t row) const { return rows_[row].score; }
    TextLabel* RowGroup(size_t row) const { return rows_[row].group; }
    TextLabel* RowMoney(size_t row) const { return rows_[row].money; }
    Image* RowIcon(size_t row) const { return rows_[row].icon; }
    TextLabel* GoalLabel() const { return goal_; }
    TextLabel* StakeLabel() const { return stake_; }
    TextLabel* MatchLabel() const { return match_; }
    Image* CurrentArrow() const { return arrow_; }
    Image* WarningMark() const { return warning_; }
    Window* Menu() const { return menu_; }
    Button* MenuEntry(size_t n) const { return menuEntries_[n]; }
    quill::WString TargetNickname() const;
    int64_t TargetId() const { return targetId_; }

private:
    struct RowWidgets {
        Button* button = nullptr;
        Image* icon = nullptr;
        TextLabel* name = nullptr;
        TextLabel* money = nullptr;
        TextLabel* score = nullptr;
        TextLabel* second = nullptr;
        TextLabel* group = nullptr;
        TextLabel* multiplier = nullptr;
        TextLabel* badge = nullptr;
        Image* clan = nullptr;
    };

    void BuildRow(size_t row);
    void BuildMenu();
    void FillRow(size_t row, const quill::PlayerState& player, const quill::TeamState* team,
                 const quill::GameModel& model, const quill::RoomInfo& room);
    quill::WString ScoreText(const quill::PlayerState& player, const quill::TeamState* team,
                             const quill::RoomInfo& room) const;
    quill::WString GroupText(const quill::TeamState* team, quill::GameType type) const;
    void OpenMenu(size_t row);
    void OnMenu(int32_t entry);
    bool IsSelf(int64_t accountId) const;

    GameConnection& connection_;
    Services services_;
    std::array<RowWidgets, kRows> rows_{};
    std::array<const quill::PlayerState*, kRows> rowPlayers_{};
    std::array<int64_t, kRows> moneyAtStart_{};
    Image* turnMarker_ = nullptr;
    Image* warning_ = nullptr;
    NumberDisplay* digits_ = nullptr;
    Image* highlight_ = nullptr;
    Image* arrow_ = nullptr;
    TextLabel* goal_ = nullptr;
    TextLabel* stake_ = nullptr;
    TextLabel* match_ = nullptr;
    Window* menu_ = nullptr;
    std::array<Button*, kMenuEntries> menuEntries_{};

    int64_t targetId_ = 0;
    quill::WString targetName_;
    int8_t targetSeat_ = -1;
    quill::PlayerState targetRecord_;
    std::atomic<bool> inGame_{false};
    std::atomic<bool> countdownOn_{false};
    std::atomic<bool> master_{false};
    std::atomic<bool> tournament_{false};
    std::atomic<int32_t> turnLimit_{0};
    std::atomic<int32_t> remaining_{0};
    const quill::PlayerState* current_ = nullptr;
    int32_t rowCount_ = 0;
    uint32_t ticks_ = 0;
};

}  // namespace kestrovan
