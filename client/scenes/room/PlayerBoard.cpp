#include "client/scenes/room/PlayerBoard.h"

#include <algorithm>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/RequestSender.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Button.h"
#include "client/ui/NumberDisplay.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "client/ui/WidgetToolkit.h"
#include "client/ui/Window.h"

namespace kestrovan {

namespace {

constexpr int32_t kRowTexture = 16;
constexpr int32_t kIconSize = 22;
constexpr int32_t kIconY = 941;
constexpr int32_t kFirstRowY = 64;
constexpr int32_t kGameShift = 80;
constexpr uint32_t kGoalColour = 0xFF00AEFF;
constexpr int32_t kSixBallsHidden = 191;
constexpr int32_t kWarningSeconds = 10;
constexpr const char16_t* kMenuCaptions[] = {u"View Info", u"Ask Friend", u"Kick User",
                                             u"Cut Chat",  u"Invite Clan", u"Report bad"};
constexpr uint8_t kUserInfoAll = 255;

TextLabel* Label(Widget& parent, int32_t x, int32_t y, int32_t w, uint32_t colour, size_t font = UiFont::Regular12) {
    TextLabel* label = parent.CreateTextLabel(x, y, w, 16, &UiFontAt(font), 0, 0);
    label->SetColors(colour, 0);
    label->SetText(u" ");
    return label;
}

}  // namespace

PlayerBoard::PlayerBoard(GameConnection& connection, Services services)
    : connection_(connection), services_(std::move(services)) {
    Create(0, 0, kRowWidth, kFirstRowY + kRowHeight * static_cast<int32_t>(kRows), -1, -1);
    SetAcceptsMouse(false);
    highlight_ = CreateImage(-11, 12, 214, 76, kRowTexture, 0, 728);
    highlight_->SetAcceptsMouse(false);
    highlight_->Show(false);
    for (size_t row = 0; row < kRows; ++row) BuildRow(row);
    goal_ = Label(*this, -26, 20, 200, kGoalColour, UiFont::Bold12);
    stake_ = Label(*this, 82, 45, 90, kYellow);
    match_ = Label(*this, 20, 45, 180, kGreen);
    match_->Show(false);
    turnMarker_ = CreateImage(140, 0, 50, 40, kHudTexture, 196, 0);
    turnMarker_->Show(false);
    warning_ = CreateImage(140, 0, 50, 40, kHudTexture, 246, 0);
    warning_->Show(false);
    auto digits = std::make_unique<NumberDisplay>();
    digits->Create(140, 6, 26, 30, 2, kHudTexture, 700, 54, 26);
    digits_ = static_cast<NumberDisplay*>(AddChild(std::move(digits), false));
    arrow_ = CreateImage(-22, kFirstRowY + 2, 27, 21, kHudTexture, 576, 487);
    arrow_->Show(false);
    BuildMenu();
}

void PlayerBoard::BuildRow(size_t row) {
    RowWidgets& widgets = rows_[row];
    const int32_t y = kFirstRowY + kRowHeight * static_cast<int32_t>(row);
    widgets.button = CreateButton(0, y, kRowWidth, kRowHeight, kFirstRowId + static_cast<int32_t>(row), -1,
                                  kRowTexture, 0, 0);
    widgets.button->SetFrameCount(2);
    widgets.button->SetHoverEvents(true);
    Button& button = *widgets.button;
    widgets.icon = button.CreateImage(5, 2, kIconSize, kIconSize, kCommonTexture, 0, kIconY);
    widgets.name = Label(button, 30, 4, 110, kWhite, UiFont::Bold12);
    widgets.money = Label(button, 30, 20, 100, kYellow);
    widgets.score = Label(button, 110, 20, 78, kWhite);
    widgets.second = Label(button, 110, 34, 78, kYellow);
    widgets.group = Label(button, 30, 34, 80, kGreen);
    widgets.multiplier = Label(button, 120, 4, 68, kYellow);
    widgets.badge = Label(button, 5, 30, 20, kWhite);
    widgets.clan = button.CreateImage(150, 4, 32, 19, kHudTexture, 736, 883);
    widgets.clan->Show(false);
    button.Show(false);
}

void PlayerBoard::BuildMenu() {
    auto menu = std::make_unique<Window>();
    menu->Create(0, 0, 80, 120, -1, -1);
    menu->MakePopup();
    menu_ = static_cast<Window*>(AddChild(std::move(menu), false));
    for (size_t k = 0; k < kMenuEntries; ++k) {
        Button* entry = menu_->CreateButton(0, 20 * static_cast<int32_t>(k), 80, 20,
                                            kFirstMenuId + static_cast<int32_t>(k), -1, kCommonTexture, 0, 446);
        entry->AddLabel(&UiFontAt(UiFont::Regular12), TextLabel::kAlignCentre, 0xFF000000, 0, 0);
        entry->SetCaption(kMenuCaptions[k]);
        menuEntries_[k] = entry;
    }
}

// --- the rows ---

void PlayerBoard::Refresh(const quill::GameModel& model, const quill::RoomInfo& room) {
    size_t row = 0;
    rowPlayers_.fill(nullptr);
    for (uint8_t team = 0; team < quill::GameModel::kTeamCount && row < kRows; ++team) {
        const quill::TeamState& state = model.teams[team];
        for (uint8_t member = 0; member < state.memberCount && row < kRows; ++member) {
            const quill::PlayerState* player = state.MemberAt(member);
            if (player == nullptr) continue;
            rowPlayers_[row] = player;
            FillRow(row++, *player, team == 0 ? nullptr : &state, model, room);
        }
    }
    rowCount_ = static_cast<int32_t>(row);
    for (; row < kRows; ++row) rows_[row].button->Show(false);
    SetCurrent(current_);
    RefreshMatchLine(model);
    const bool stakeGame = room.gameType == quill::game_type::kOneCushionGamble ||
                           room.gameType == quill::game_type::kThreeCushionGamble ||
                           room.gameType == quill::game_type::kSixBalls || (room.IsClosed() && room.stake > 0);
    stake_->Show(inGame_ && stakeGame && !tournament_);
    if (GetParent() != nullptr) Place(GetParent()->Width(), GetParent()->Height());
}

void PlayerBoard::FillRow(size_t row, const quill::PlayerState& player, const quill::TeamState* team,
                          const quill::GameModel& model, const quill::RoomInfo& room) {
    RowWidgets& widgets = rows_[row];
    widgets.button->Show(true);
    const int32_t teamId = team != nullptr ? team->id : 0;
    widgets.button->SetSourceRect(0, 2 * kRowHeight * std::clamp(teamId, 0, 6), kRowWidth, kRowHeight);
    widgets.name->SetTextF(u"%s", player.name);
    widgets.money->SetTextF(u"%s", FormatMoney(player.money));
    // Level 0 would cut left of the strip: the first icon stands in.
    const int32_t level = std::max<int32_t>(player.level, 1);
    widgets.icon->SetSourceRect(level * kIconSize - kIconSize, kIconY, kIconSize, kIconSize);
    widgets.score->SetText(ScoreText(player, team, room));
    widgets.group->SetText(GroupText(team, room.gameType));
    widgets.badge->SetTextF(u"%d", static_cast<int32_t>(player.seat));
    const bool sixBalls = room.gameType == quill::game_type::kSixBalls;
    widgets.second->Show(inGame_ && sixBalls && team != nullptr);
    if (inGame_ && sixBalls && team != nullptr) {
        const bool own = connection_.LocalPlayer().team == team->id;
        if (own && team->score < kSixBallsHidden) {
            widgets.second->SetTextF(u"%d", static_cast<int32_t>(team->score));
        } else {
            widgets.second->SetText(u"?");
        }
    }
    const bool gamble = room.gameType == quill::game_type::kOneCushionGamble ||
                        room.gameType == quill::game_type::kThreeCushionGamble;
    const bool playing = inGame_ && team != nullptr && model.currentTeam < quill::GameModel::kTeamCount &&
                         model.turnOrder[model.currentTeam] == team;
    widgets.multiplier->Show(playing && !gamble);
    if (playing && !gamble) {
        widgets.multiplier->SetTextF(u"%dpts x%d", static_cast<int32_t>(team->lastPoints),
                                     static_cast<int32_t>(std::max<uint8_t>(model.modeOption, 1)));
    }
}

quill::WString PlayerBoard::ScoreText(const quill::PlayerState& player, const quill::TeamState* team,
                                      const quill::RoomInfo& room) const {
    const auto type = static_cast<quill::GameType>(room.gameType);
    const int32_t rating = quill::IsGameTypeIndex(type) ? player.ratingByType[static_cast<size_t>(type)] : 0;
    const bool running = inGame_ && team != nullptr;
    const int32_t points = team != nullptr ? team->remaining / 10 : 0;
    const int32_t score = team != nullptr ? team->score : 0;
    switch (type) {
        case quill::game_type::kThreeCushionPro:
            if (running) return quill::Format(u"(%2d/%2d)", score, team->ratingSum / 10);
            return quill::Format(u"GA:%1.2f", static_cast<double>(player.generalAverage) / 100.0);
        case quill::game_type::kOneCushionGamble:
        case quill::game_type::kThreeCushionGamble: {
            if (!running) return quill::Format(u"%s", FormatMoney(player.money));
            const size_t row = static_cast<size_t>(
                std::find(rowPlayers_.begin(), rowPlayers_.end(), &player) - rowPlayers_.begin());
            const int64_t gained = player.money - (row < kRows ? moneyAtStart_[row] : player.money);
            return quill::Format(gained > 0 ? u"+%s" : u"%s", FormatMoney(gained));
        }
        case quill::game_type::kSnooker:
            return running ? quill::Format(u"%3d pts", score) : quill::WString(u" ");
        case quill::game_type::kEightBall:
        case quill::game_type::kNineBall:
            return running ? quill::WString(u" ") : quill::Format(u"HD:%d", rating);
        default:
            if (!running) return quill::Format(u"(%3d/%3d)", 0, rating);
            if (team->threeCushionFinishes > 0) {
                return quill::Format(u"(%dC/%3d)", static_cast<int32_t>(team->threeCushionFinishes), points);
            }
            if (team->bankFinishes > 0) return quill::Format(u"(%dB/%3d)", static_cast<int32_t>(team->bankFinishes), points);
            return quill::Format(u"(%3d/%3d)", score, points);
    }
}

quill::WString PlayerBoard::GroupText(const quill::TeamState* team, quill::GameType type) const {
    if (!inGame_ || team == nullptr) return u" ";
    if (type == quill::game_type::kNineBall) return u"Lowest";
    if (type != quill::game_type::kEightBall) return u" ";
    switch (team->GetBallGroup()) {
        case 2:
            return u"SOLID";
        case 3:
            return u"STRIPE";
        case 4:
            return u"8-BALL";
        default:
            return u"?";
    }
}

void PlayerBoard::RefreshMatchLine(const quill::GameModel& model) {
    if (inGame_) {
        match_->Show(false);
        return;
    }
    quill::WString text;
    int32_t teams = 0;
    int32_t size = -1;
    bool even = true;
    for (uint8_t team = 1; team < quill::GameModel::kTeamCount; ++team) {
        const int32_t members = model.teams[team].memberCount;
        if (members == 0) continue;
        text += teams == 0 ? quill::Format(u"%d", members) : quill::Format(u":%d", members);
        even = even && (size < 0 || size == members);
        size = members;
        ++teams;
    }
    if (teams <= 1) {
        match_->Show(false);
        return;
    }
    text += even ? u" Match avail" : u" Match not avail";
    match_->SetText(text);
    match_->Show(true);
}

void PlayerBoard::Reset() {
    rowCount_ = 0;
    current_ = nullptr;
    inGame_ = false;
    rowPlayers_.fill(nullptr);
    for (RowWidgets& row : rows_) row.button->Show(false);
    arrow_->Show(false);
}

void PlayerBoard::SetTarget(int32_t points, int32_t innings) {
    goal_->SetTextF(u"%dpts / %dinn", points, innings);
}

void PlayerBoard::SetStake(int64_t amount) {
    stake_->SetText(FormatMoney(amount));
}

void PlayerBoard::SetCurrent(const quill::PlayerState* player) {
    current_ = player;
    const auto found = std::find(rowPlayers_.begin(), rowPlayers_.end(), player);
    if (player == nullptr || found == rowPlayers_.end()) {
        arrow_->Show(false);
        return;
    }
    const auto row = static_cast<int32_t>(found - rowPlayers_.begin());
    arrow_->SetPosition(-22, 66 + kRowHeight * row);
    arrow_->Show(true);
    highlight_->SetPosition(-11, 12 + kRowHeight * row);
}

// --- the countdown ---

void PlayerBoard::SetTurnTime(int32_t seconds) {
    turnLimit_ = seconds;
    remaining_ = seconds;
}

int32_t PlayerBoard::UpdateCountdown(int32_t elapsedSeconds) {
    const int32_t remaining = std::max(0, turnLimit_ - elapsedSeconds);
    if (remaining != remaining_ && remaining >= 1 && remaining <= 9 && services_.playSound) {
        services_.playSound(kCountdownSound);
    }
    remaining_ = remaining;
    digits_->SetValue(static_cast<uint64_t>(remaining));
    return remaining;
}

void PlayerBoard::ResetCountdown() {
    digits_->SetValue(0);
    highlight_->Show(false);
    turnMarker_->Show(false);
    warning_->Show(false);
    if (GetParent() != nullptr) Place(GetParent()->Width(), GetParent()->Height());
}

void PlayerBoard::OnGameStart() {
    inGame_ = true;
    countdownOn_ = false;
    for (size_t row = 0; row < kRows; ++row) {
        moneyAtStart_[row] = rowPlayers_[row] != nullptr ? rowPlayers_[row]->money : 0;
        rows_[row].badge->Show(false);
    }
    Offset(0, kGameShift);
    turnMarker_->Show(true);
    digits_->Show(true);
    match_->Show(false);
    stake_->Show(!tournament_);
}

void PlayerBoard::OnGameEnd() {
    inGame_ = false;
    Offset(0, -kGameShift);
    highlight_->Show(false);
    turnMarker_->Show(false);
    warning_->Show(false);
    for (RowWidgets& row : rows_) row.badge->Show(false);
}

void PlayerBoard::Place(int32_t width, int32_t height) {
    const int32_t parentLeft = GetParent() != nullptr ? GetParent()->GetRect().left : 0;
    const int32_t parentTop = GetParent() != nullptr ? GetParent()->GetRect().top : 0;
    const int32_t y = height - kRowHeight * rowCount_ - 168 + (inGame_ ? kGameShift : 0);
    // The rows start 64 pixels below the board's top.
    SetPosition(width - 200 - parentLeft, y - kFirstRowY - parentTop);
}

void PlayerBoard::HideWarning() {
    warning_->Show(false);
}

void PlayerBoard::Tick(uint32_t now) {
    Image::Tick(now);
    if (++ticks_ % 4 != 0) return;
    const uint32_t t = now % 1500;
    const float rising = static_cast<float>(t + 1000) / 1500.0f;
    const float falling = static_cast<float>(2000 - static_cast<int32_t>(t)) / 1500.0f;
    highlight_->SetAlpha(std::max(0.3f, t < 500 ? rising : falling));
    // The warning blinks through a turn's last ten seconds; a shot or the turn's end takes it away.
    const bool warning = inGame_ && countdownOn_ && remaining_ < kWarningSeconds;
    warning_->Show(warning);
    if (warning) warning_->SetAlpha(t < 200 || (t >= 400 && t < 600) ? 1.0f : 0.0f);
}

// --- the player menu ---

bool PlayerBoard::IsSelf(int64_t accountId) const {
    return accountId == connection_.LocalPlayer().accountId;
}

bool PlayerBoard::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id >= kFirstRowId && id < kFirstRowId + static_cast<int32_t>(kRows)) {
        const auto row = static_cast<size_t>(id - kFirstRowId);
        const quill::PlayerState* player = rowPlayers_[row];
        if (player == nullptr) return true;
        if (a == Button::kEnterEvent || a == Button::kLeaveEvent) {
            rows_[row].clan->Show(a == Button::kEnterEvent && player->clanId != 0);
            return true;
        }
        OpenMenu(row);
        return true;
    }
    if (id >= kFirstMenuId && id < kFirstMenuId + static_cast<int32_t>(kMenuEntries)) {
        menu_->SetVisible(false);
        OnMenu(id - kFirstMenuId);
        return true;
    }
    return Image::OnEvent(source, a, b);
}

void PlayerBoard::OpenMenu(size_t row) {
    WidgetToolkit::CheckTreeAccess("PlayerBoard::OpenMenu");
    const quill::PlayerState& player = *rowPlayers_[row];
    targetId_ = player.accountId;
    targetName_ = player.name;
    targetSeat_ = player.seat;
    targetRecord_.accountId = player.accountId;
    targetRecord_.userId = player.userId;
    targetRecord_.name = player.name;
    targetRecord_.seat = player.seat;
    const bool self = IsSelf(player.accountId);
    const quill::PlayerState& local = connection_.LocalPlayer();
    for (size_t k = 1; k <= 3; ++k) menuEntries_[k]->SetEnabled(!self);
    menuEntries_[4]->SetEnabled(!self && local.clanId != 0 && local.clanRank >= kClanInviteRank);
    const Button& button = *rows_[row].button;
    menu_->SetPosition(button.GetLastX() - GetRect().left, button.GetLastY() - GetRect().top);
    menu_->SetVisible(true);
}

void PlayerBoard::OnMenu(int32_t entry) {
    const bool self = IsSelf(targetId_);
    const quill::PlayerState& local = connection_.LocalPlayer();
    const auto userDialog = [this](int32_t action) {
        if (services_.openUserDialog) services_.openUserDialog(targetRecord_, action);
    };
    switch (entry) {
        case 0:
            if (self) {
                if (services_.showOwnProfile) services_.showOwnProfile(local.seat, local);
            } else if (services_.sender != nullptr) {
                const int64_t id = targetId_;
                const quill::WString name = targetName_;
                services_.sender->Send([id, &name](quill::Packet& packet) {
                    packet.Init(quill::MessageId::UserInfoRequest).WriteU8(kUserInfoAll).WriteI64(id).WriteWString(name);
                });
            }
            break;
        case 1:
            if (!self) userDialog(kAskFriend);
            break;
        case 2:
            if (self) break;
            if (targetSeat_ > 0 && inGame_) {
                if (services_.notice) services_.notice(u"Users participating in the game cannot be kicked out.");
            } else if (!master_) {
                if (services_.error) services_.error(u"This feature is only allowed for room masters.");
            } else if (connection_.MembershipState() < 1) {
                if (services_.notice) services_.notice(u"This feature allowed to Plus pack.");
            } else {
                userDialog(kKick);
            }
            break;
        case 3:
            if (!self) userDialog(kCutChat);
            break;
        case 4:
            if (!self) userDialog(kInviteClan);
            break;
        default:
            if (services_.poster) {
                services_.poster(self ? quill::AppEventId::RoomMenuReport : quill::AppEventId::PlayerMenuAction, 0, 0, 0);
            }
            break;
    }
}

quill::WString PlayerBoard::TargetNickname() const {
    return targetName_;
}

}  // namespace kestrovan
