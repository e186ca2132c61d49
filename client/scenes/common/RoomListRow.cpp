#include "client/scenes/common/RoomListRow.h"

#include <array>

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/GameTypes.h"
#include "client/app/UiFonts.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/NumberDisplay.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

constexpr int32_t kIconTexture = 5;
constexpr int32_t kLastLineY = 46;

// The image row of each game mode 0..16 in the frame texture; -1: the mode has no row.
constexpr std::array<int32_t, quill::kGameTypeCount> kFrameRows{0, -1, 1, 2, 3, 4, 5, -1, -1,
                                                                -1, 10, 11, 12, 13, -1, -1, 14};

bool ShowsHandicap(uint8_t mode) {
    return mode == 0 || mode == 2 || mode == 3 || mode == 5 || mode == 6;
}

bool IsStakeMode(uint8_t mode) {
    return mode == 2 || mode == 5 || mode == 6;
}

// Rated games are marked, except in the gamble modes, the international three-cushion and friendly games.
bool ShowsRatedMark(const quill::RoomInfo& room) {
    const uint8_t mode = room.gameType;
    const bool unratedMode = mode == 2 || mode == 4 || mode == 5 || mode == 6;
    return room.status > 0 && !unratedMode && !room.IsClosed();
}

bool HasSpecialTable(const quill::RoomInfo& room) {
    return room.tableItem != quill::DefaultTableItemId(room.gameType) ||
           room.ballItem != quill::DefaultBallItemId(room.gameType);
}

}  // namespace

RoomRowFrame RoomRowFrameOf(int32_t gameMode) {
    if (gameMode < 0 || gameMode >= static_cast<int32_t>(kFrameRows.size())) return RoomListRow::kEmptyFrame;
    const int32_t row = kFrameRows[static_cast<size_t>(gameMode)];
    if (row < 0) return RoomListRow::kEmptyFrame;
    return RoomRowFrame{RoomListRow::kWidth * (row / 10), 128 * (row % 10)};
}

quill::WString RoomHandicapText(const quill::RoomInfo& room) {
    if (!ShowsHandicap(room.gameType)) return {};
    const int32_t low = room.minHandicap;
    const int32_t high = room.maxHandicap;
    if (low == 0 && high == 0) return {};
    if (low == 0) return quill::Format(u"~ %d", high);
    if (high == 0) return quill::Format(u"%d ~", low);
    return quill::Format(u"%d ~ %d", low, high);
}

RoomStateText RoomStateTextOf(const quill::RoomInfo& room) {
    if (room.state == quill::RoomInfo::kRunning) return {u"PLAY", kYellow};
    if (room.playerCount >= room.maxPlayers) return {u"FULL", kRed};
    return {u"WAIT", kGreen};
}

RoomListRow::RoomListRow(int32_t controlId) {
    Create(0, 0, kWidth, kHeight, controlId, -1);
    button_ = CreateButton(0, 0, kWidth, kHeight, controlId, -1, kTexture, kEmptyFrame.x, kEmptyFrame.y);
    button_->SetFrameCount(2);
    button_->SetHoverEvents(true);
    auto number = std::make_unique<NumberDisplay>();
    number_ = number.get();
    number_->Create(30, 22, 10, 14, 3, kIconTexture, 800, 960, 10);
    number_->SetLeadingZeros(true);
    AddChild(std::move(number), true);
    const FontDesc* font = &UiFontAt(UiFont::Regular12);
    const FontDesc* bold = &UiFontAt(UiFont::Bold12);
    title_ = CreateTextLabel(70, 36, 250, 16, bold, 0, 0);
    players_ = CreateTextLabel(330, 13, 44, 16, font, 0, 0);
    state_ = CreateTextLabel(375, 14, 50, 16, bold, 0, 0);
    // The level range and "[Half]" sit on the row's last line, inside its 64 pixels (lower, they would hang
    // below the row into the gap before the next one).
    handicap_ = CreateTextLabel(270, kLastLineY, 100, 16, font, 0, 0);
    flag_ = CreateTextLabel(263, 14, 70, 16, font, 0, 0);
    half_ = CreateTextLabel(375, kLastLineY, 50, 16, font, 0, 0);
    half_->SetColors(kYellow, 0);
    half_->SetText(u"[Half]");
    lock_ = CreateImage(405, 20, 16, 20, kIconTexture, 640, 856);
    rated_ = CreateImage(310, 30, 16, 16, kIconTexture, 656, 856);
    specialTable_ = CreateImage(355, 30, 16, 16, kIconTexture, 672, 856);
    modeIcon_ = CreateImage(427, 14, 72, 41, kIconTexture, 736, 300);
    stakeIcon_ = CreateImage(263, 10, 16, 16, kIconTexture, 688, 856);
    stake_ = CreateTextLabel(281, 10, 80, 16, font, 0, 0);
    stake_->SetColors(kWhite, 0);
    Clear();
}

void RoomListRow::ShowFrame(RoomRowFrame frame) {
    button_->SetImage(kTexture, frame.x, frame.y, kWidth, kHeight, 1.0f, 1.0f);
    button_->SetFrameCount(2);
}

void RoomListRow::HideParts() {
    for (Widget* part : std::array<Widget*, 13>{number_, title_, players_, state_, handicap_, flag_, half_, lock_,
                                                rated_, specialTable_, modeIcon_, stakeIcon_, stake_})
        part->Show(false);
}

void RoomListRow::SetRoom(const quill::RoomInfo& room, bool tournament) {
    room_ = room;
    ShowFrame(RoomRowFrameOf(room.gameType));
    const bool seatsFree = room.playerCount < room.maxPlayers;
    if (seatsFree) button_->SetEnabled(true);
    SetAlpha(seatsFree ? 1.0f : kFullOpacity);
    lock_->Show(room.passwordFlag != 0);
    specialTable_->Show(HasSpecialTable(room));
    title_->SetText(room.title);
    players_->SetTextF(u"(%d/%d)", static_cast<int32_t>(room.playerCount), static_cast<int32_t>(room.maxPlayers));
    const RoomStateText state = RoomStateTextOf(room);
    state_->SetColors(state.colour, 0);
    state_->SetText(state.text);
    number_->SetValue(room.roomNumber < 0 ? 0u : static_cast<uint64_t>(room.roomNumber));
    rated_->Show(ShowsRatedMark(room));
    for (Widget* part : std::array<Widget*, 5>{title_, players_, state_, number_, modeIcon_}) part->Show(true);
    const quill::WString range = RoomHandicapText(room);
    handicap_->SetText(range);
    handicap_->Show(!range.empty());
    ShowStake(room, tournament);
    half_->Show((room.optionFlags & quill::RoomInfo::kHalfGameFlag) != 0);
    roomNumber_ = room.roomNumber;
    SetEnabled(true);
    Show(true);
}

void RoomListRow::ShowStake(const quill::RoomInfo& room, bool tournament) {
    stakeIcon_->Show(false);
    stake_->Show(false);
    if (IsStakeMode(room.gameType) || room.stake > 0) {
        stake_->SetText(FormatMoney(room.stake));
        stakeIcon_->Show(true);
        stake_->Show(true);
    }
    flag_->Show(false);
    if (room.IsClosed()) {
        flag_->SetText(u"[Friendly]");
        flag_->Show(true);
    }
    if (tournament) {
        flag_->SetText(u"[Tourney]");
        flag_->Show(true);
        stakeIcon_->Show(false);
        stake_->Show(false);
    }
}

void RoomListRow::Clear() {
    ShowFrame(kEmptyFrame);
    HideParts();
    roomNumber_ = -1;
    SetEnabled(false);
    SetAlpha(kEmptyOpacity);
}

bool RoomListRow::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == button_ && GetParent() != nullptr) return GetParent()->OnEvent(this, a, b);
    return Widget::OnEvent(source, a, b);
}

}  // namespace kestrovan
