#include "client/scenes/room/StartReadyPanel.h"

#include "QuillLib/core/AppEventId.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/ui/Button.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kSeatSize = 36;
constexpr int32_t kSeatStep = 32;

}  // namespace

StartReadyPanel::StartReadyPanel(GameConnection& connection, AppEventPoster poster,
                                 std::function<void(quill::WStringView)> notice)
    : connection_(connection), poster_(std::move(poster)), notice_(std::move(notice)) {
    Create(0, 0, kWidth, kHeight, -1, -1);
    SetImage(kHudTexture, 112, 513, kWidth, kHeight, 1.0f, 1.0f);
    // Buttons 0 to 5 of the row are seats 1 to 6; the seventh is seat 0, the watchers' place.
    for (int32_t at = 0; at < kSeatCount; ++at) {
        const int32_t seat = at == kSeatCount - 1 ? 0 : at + 1;
        Button* button = CreateButton(kSeatStep * at, 8, kSeatSize, kSeatSize, kFirstSeatId + seat, -1, kHudTexture,
                                      kSeatSize * at, 369);
        // One seat at a time is pressed, as radio buttons show it.
        button->SetRadio();
        seatButtons_[static_cast<size_t>(seat)] = button;
    }
    ready_ = CreateButton(240, -2, 112, 55, kReadyId, platform::Vk::F5, kHudTexture, 0, 513);
    ready_->SetCheckBox();
    ready_->SetTooltip(u"Ready(F5)");
    start_ = CreateButton(240, -2, 112, 55, kStartId, platform::Vk::F5, kHudTexture, 112, 569);
    start_->SetTooltip(u"Start(F5)");
    start_->SetEnabled(false);
    start_->Show(false);
    hint_ = CreateImage(176, -62, 232, 170, kHudTexture, 317, 70);
    hint_->SetAcceptsMouse(false);
    hint_->Show(false);
}

bool StartReadyPanel::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id >= kFirstSeatId && id < kFirstSeatId + kSeatCount) {
        ChooseSeat(id - kFirstSeatId);
        return true;
    }
    if (id == kReadyId && source == ready_) {
        OnReady();
        return true;
    }
    if (id == kStartId && source == start_) {
        if (poster_) poster_(quill::AppEventId::StartReadyPressed, 1, 0, 0);
        return true;
    }
    return Image::OnEvent(source, a, b);
}

void StartReadyPanel::ChooseSeat(int32_t seat) {
    if (seat_ == 0 && seat != 0) {
        // A watcher asks for a playing seat: in a tournament only the master may play.
        if (connection_.GetChannelType(-1) == kTournamentChannel && connection_.Tournament().running == 1 &&
            !start_->IsVisible()) {
            if (notice_) notice_(u"방장만 참여할 수 있는 대회입니다.");
            seat = seat_;
        }
        const auto kind = static_cast<uint8_t>(connection_.GetChannelType(-1));
        const int64_t required = connection_.GetRoomInfo().RequiredMoney(connection_.LocalPlayer().money, kind);
        if (required > 0 && poster_) poster_(quill::AppEventId::SlotSelected, static_cast<uint32_t>(required), 0, 0);
    }
    PressSeats(seat);
    ready_->SetEnabled(seat != 0);
    if (seat != seat_) {
        seat_ = seat;
        hint_->Show(seat != 0);
        if (poster_) poster_(quill::AppEventId::SlotChosen, static_cast<uint32_t>(seat), 0, 0);
    }
}

void StartReadyPanel::PressSeats(int32_t seat) {
    for (int32_t s = 0; s < kSeatCount; ++s) seatButtons_[static_cast<size_t>(s)]->SetChecked(s == seat);
}

void StartReadyPanel::OnReady() {
    const bool pressed = ready_->IsChecked();
    hint_->Show(!pressed);
    for (int32_t s = 0; s < kSeatCount; ++s) {
        seatButtons_[static_cast<size_t>(s)]->SetEnabled(!pressed || s == seat_);
    }
    if (poster_) poster_(quill::AppEventId::RoomToggleChanged, pressed ? 1 : 0, 0, 0);
}

void StartReadyPanel::SetMaster(bool resetReady) {
    if (master_) {
        start_->Show(true);
        start_->SetChecked(false);
        ready_->Show(false);
        hint_->Show(false);
        return;
    }
    start_->Show(false);
    ready_->Show(true);
    if (resetReady) ready_->SetChecked(false);
    if (seat_ == 0) {
        ready_->SetEnabled(false);
    } else {
        hint_->Show(!ready_->IsChecked());
    }
}

void StartReadyPanel::SetStartEnabled(bool on) {
    start_->SetEnabled(on);
    hint_->Show(on);
}

void StartReadyPanel::OnGameStart() {
    gameRunning_ = true;
    ready_->SetChecked(false);
    for (Button* seat : seatButtons_) seat->SetEnabled(true);
    Show(false);
    hint_->Show(false);
}

void StartReadyPanel::OnGameEnd() {
    gameRunning_ = false;
    start_->SetEnabled(false);
    hint_->Show(false);
}

void StartReadyPanel::SetSeat(int32_t seat) {
    seat_ = seat;
    PressSeats(seat);
    if (ready_->IsVisible()) {
        ready_->SetChecked(false);
        ready_->SetEnabled(seat != 0);
        hint_->Show(seat != 0);
    }
    if (seat == 0) {
        for (Button* button : seatButtons_) button->SetEnabled(true);
    }
}

void StartReadyPanel::Refresh() {
    ready_->SetEnabled(seat_ != 0);
    PressSeats(seat_);
    if (seat_ != 0 && ready_->IsVisible()) hint_->Show(!ready_->IsChecked());
}

void StartReadyPanel::ShowPanel() {
    Show(true);
    hint_->Show(false);
    Refresh();
}

void StartReadyPanel::EnableAll() {
    for (Button* seat : seatButtons_) seat->SetEnabled(true);
    ready_->SetEnabled(true);
}

void StartReadyPanel::Place(int32_t width, int32_t height) {
    const int32_t parentLeft = GetParent() != nullptr ? GetParent()->GetRect().left : 0;
    const int32_t parentTop = GetParent() != nullptr ? GetParent()->GetRect().top : 0;
    SetPosition(width - 370 - parentLeft, height - 80 - parentTop);
}

void StartReadyPanel::Tick(uint32_t now) {
    Image::Tick(now);
    hint_->SetAlpha(now % 1000 < 500 ? 1.0f : 0.0f);
}

}  // namespace kestrovan
