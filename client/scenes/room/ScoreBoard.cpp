#include "client/scenes/room/ScoreBoard.h"

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/RequestSender.h"
#include "client/ui/Button.h"
#include "client/ui/NumberDisplay.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

namespace {

NumberDisplay* AddDigits(Widget& parent, int32_t x, int32_t y, bool leadingZeros) {
    auto digits = std::make_unique<NumberDisplay>();
    digits->Create(x, y, 14, 14, 2, kHudTexture, 224, 589, 11);
    digits->SetLeadingZeros(leadingZeros);
    return static_cast<NumberDisplay*>(parent.AddChild(std::move(digits), true));
}

}  // namespace

ScoreBoard::ScoreBoard(RequestSender& sender) : sender_(sender) {
    Create(0, 0, 188, 99, -1, -1);
    SetImage(kGameSecondTexture, 765, 391, 188, 99, 1.0f, 1.0f);
    int32_t y = 30;
    for (const char16_t* caption : {u"Time", u"Point", u"Inning", u"Average"}) {
        TextLabel* label = CreateTextLabel(15, y, 100, 16, &UiFontAt(UiFont::Bold12), 0, 0);
        label->SetColors(0xFFFFFF00, 0);
        label->SetText(caption);
        y += 16;
    }
    const auto value = [this](int32_t valueY) {
        TextLabel* label = CreateTextLabel(104, valueY, 80, 16, &UiFontAt(UiFont::Bold12), 0, 0);
        label->SetColors(0xFFFFFFFF, 0);
        return label;
    };
    points_ = value(46);
    innings_ = value(62);
    average_ = value(78);
    colon_ = CreateImage(126, 25, 3, 14, kHudTexture, 317, 569);
    minutes_ = AddDigits(*this, 96, 27, false);
    seconds_ = AddDigits(*this, 134, 27, true);
    end_ = CreateButton(125, 102, 55, 19, kEndButton, -1, kGameSecondTexture, 953, 370);
    Reset();
}

void ScoreBoard::ShowTime(uint32_t minutes, uint32_t seconds) {
    shownMinutes_ = minutes;
    shownSeconds_ = seconds;
    minutes_->SetValue(minutes);
    seconds_->SetValue(seconds);
}

void ScoreBoard::SetCountdown(uint32_t elapsedMs) {
    const uint32_t remaining = elapsedMs > kGameMs ? 0 : kGameMs - elapsedMs;
    colon_->Show(elapsedMs % 1000 < 500);
    ShowTime(remaining / 60000 % 60, remaining / 1000 % 60);
}

void ScoreBoard::SetStats(int32_t innings, int32_t points) {
    innings_->SetTextF(u"%d", innings);
    points_->SetTextF(u"%d pts", points);
    average_->SetTextF(u"%.1f", innings < 1 ? 0.0 : static_cast<double>(static_cast<float>(points) / innings));
}

void ScoreBoard::Reset() {
    end_->Show(false);
    for (TextLabel* label : {points_, innings_, average_}) label->SetText(u"");
    colon_->Show(true);
    ShowTime(15, 0);
}

void ScoreBoard::OnGameStart() {
    end_->Show(true);
    SetStats(1, 0);
}

bool ScoreBoard::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source != end_) return Image::OnEvent(source, a, b);
    sender_.SendByte(quill::MessageId::RoomRequest1236, 0);
    return true;
}

}  // namespace kestrovan
