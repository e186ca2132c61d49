#include "client/scenes/room/RoomTopBar.h"

#include <algorithm>
#include <memory>

#include "QuillLib/core/Format.h"
#include "client/app/UiTextures.h"
#include "client/scenes/room/GameClock.h"
#include "client/scenes/room/RoomWidgets.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Image.h"
#include "client/ui/NumberDisplay.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

constexpr uint32_t kBlue = 0xFF0000FF;
constexpr int32_t kCoinX = 54;
constexpr int32_t kCoinY = 6;

bool HasLevelRange(uint8_t gameType) {
    return gameType == 0 || gameType == 2 || gameType == 3 || gameType == 5 || gameType == 6;
}

bool IsStakeGame(uint8_t gameType) {
    return gameType == 2 || gameType == 5;
}

}  // namespace

void RoomTopBar::Build(Widget& screen) {
    bar_ = screen.CreateImage(5, 4, 470, 30, kCommonTexture, 0, 386);
    auto number = std::make_unique<NumberDisplay>();
    number->Create(14, 3, 12, 18, 3, kCommonTexture, 0, 636, 12);
    number_ = AttachTo(*bar_, std::move(number), true);
    AddRoomLabel(*bar_, 46, 6, 50, kYellow);  // the game mode's place
    title_ = AddRoomLabel(*bar_, 96, 6, 324, kWhite, UiFont::Bold12, 1);
    title_->SetColors(kWhite, kBlue);
    stake_ = AddRoomLabel(*bar_, 334, 6, 50, kWhite);
    lock_ = bar_->CreateImage(372, 3, 17, 16, kCommonTexture, 619, 84);
    lock_->Show(false);
    // The coin stands in the bar beside the room number, not below the bar's foot.
    Image* coin = bar_->CreateImage(kCoinX, kCoinY, 21, 18, kCommonTexture, 86, 963);
    AddRoomLabel(*coin, 24, 4, 80, kWhite);
    level_ = AddRoomLabel(*bar_, 120, 24, 100, kWhite);
    halfGame_ = AddRoomLabel(*bar_, 261, 24, 100, kYellow);
    halfGame_->SetText(u"Half game");
    halfGame_->Show(false);
    clock_ = AttachTo(*bar_, std::make_unique<GameClock>(), true);
    clock_->SetPosition(bar_->Width() - clock_->Width(), 2);
}

void RoomTopBar::ShowRoom(const quill::RoomInfo& room) {
    ShowTitle(room);
    number_->SetValue(static_cast<uint64_t>(std::max<int16_t>(room.roomNumber, 0)));
    lock_->Show(room.passwordFlag != 0);
    halfGame_->Show(room.IsHalfGame());
}

void RoomTopBar::ShowTitle(const quill::RoomInfo& room) {
    title_->SetText(room.title);
}

void RoomTopBar::ShowStake(const quill::RoomInfo& room, bool tournament) {
    if (tournament) {
        stake_->SetText(u"Tournament");
    } else if (IsStakeGame(room.gameType) || room.IsClosed()) {
        stake_->SetText(FormatMoney(room.stake));
    } else {
        stake_->SetText(u"Friendly");
    }
}

void RoomTopBar::ShowLevelRange(const quill::RoomInfo& room) {
    const bool shown = HasLevelRange(room.gameType);
    level_->Show(shown);
    if (!shown) return;
    const int32_t low = room.minHandicap;
    const int32_t high = room.maxHandicap;
    if (low != 0) {
        level_->SetText(high != 0 ? quill::Format(u"%d ~ %d", low, high) : quill::Format(u"%d ~", low));
    } else {
        level_->SetText(high != 0 ? quill::Format(u"~ %d", high) : quill::WString(u"No limit"));
    }
}

}  // namespace kestrovan
