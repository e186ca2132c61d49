#include "client/scenes/common/RoomDetailPanel.h"

#include "client/app/UiFonts.h"
#include "client/scenes/common/LevelBadge.h"
#include "client/scenes/common/PlayerListRow.h"
#include "client/ui/NumberDisplay.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

constexpr uint32_t kMinuteMs = 60000;
constexpr int32_t kFirstLineY = 84;
constexpr int32_t kLineStep = 17;

}  // namespace

RunningTime RunningTimeOf(uint32_t startTime, uint32_t now) {
    const uint32_t minutes = (now - startTime) / kMinuteMs;
    return RunningTime{minutes / 60, minutes % 60};
}

RoomDetailPanel::RoomDetailPanel() {
    Create(0, 0, kWidth, kHeight, -1, -1);
    SetImage(kTexture, 226, 439, kWidth, kHeight, 1.0f, 1.0f);
    title_ = CreateTextLabel(14, 27, 240, 16, &UiFontAt(UiFont::Bold12), 0, 0);
    number_ = CreateTextLabel(232, 6, 30, 16, &UiFontAt(UiFont::Bold12), 0, 0);
    number_->SetColors(kYellow, 0);
    hours_ = AddClock(47);
    minutes_ = AddClock(90);
    minutes_->SetLeadingZeros(true);
    colon_ = CreateImage(80, 48, 8, 14, kTexture, 900, 960);
    for (size_t k = 0; k < kPlayerLines; ++k) {
        const int32_t y = kFirstLineY + kLineStep * static_cast<int32_t>(k);
        LineWidgets line;
        line.icon = LevelBadge::AddTo(*this, 13, y - 3);
        line.name = CreateTextLabel(80, y, 106, 14, &UiFontAt(UiFont::Regular12), 0, 0);
        line.value = CreateTextLabel(190, y, 60, 14, &UiFontAt(UiFont::Regular12), 0, 0);
        lines_.push_back(line);
    }
    SetPlayers({});
    Show(false);
}

NumberDisplay* RoomDetailPanel::AddClock(int32_t x) {
    auto clock = std::make_unique<NumberDisplay>();
    NumberDisplay* display = clock.get();
    display->Create(x, 48, 14, 18, 2, kTexture, 800, 960, 10);
    AddChild(std::move(clock), true);
    return display;
}

void RoomDetailPanel::SetRoom(const quill::RoomInfo& room, uint32_t now) {
    title_->SetText(room.title);
    number_->SetTextF(u"%d", static_cast<int32_t>(room.roomNumber));
    const bool running = room.state == quill::RoomInfo::kRunning;
    hours_->Show(running);
    minutes_->Show(running);
    colon_->Show(running);
    if (!running) return;
    const RunningTime time = RunningTimeOf(room.startTime, now);
    hours_->SetValue(time.hours);
    minutes_->SetValue(time.minutes);
}

void RoomDetailPanel::SetPlayers(const std::vector<PlayerLine>& players) {
    for (size_t k = 0; k < lines_.size(); ++k) {
        const bool shown = k < players.size();
        LineWidgets& line = lines_[k];
        line.icon->Show(shown);
        line.name->Show(shown);
        line.value->Show(shown);
        if (!shown) continue;
        line.name->SetText(players[k].nickname);
        line.value->SetTextF(u"Lv.%d", static_cast<int32_t>(players[k].level));
        LevelBadge::ShowLevel(*line.icon, players[k].level);
    }
}

}  // namespace kestrovan
