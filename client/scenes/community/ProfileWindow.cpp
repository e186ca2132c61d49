#include "client/scenes/community/ProfileWindow.h"

#include <algorithm>

#include "QuillLib/core/LogSystem.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/CommunityDialog.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/LevelBadge.h"
#include "client/scenes/common/ProfileStatistics.h"
#include "client/scenes/community/ProfileRecord.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kIconRow = 1000;
constexpr int32_t kIconSize = 20;
// The icon strip ends with the texture: the last whole cell of a 1024-pixel row.
constexpr int32_t kLastIconCell = 50;

TextLabel* AddLabel(Widget& window, int32_t x, int32_t y, int32_t w, int32_t h, uint8_t layout) {
    TextLabel* label = window.CreateTextLabel(x, y, w, h, &UiFontAt(UiFont::Regular12), 0, layout);
    label->SetColors(kWhite, kBlack);
    return label;
}

// The cell of a 1-based strip index, or -1 for an index before the first cell (nothing to show).
int32_t StripCell(int32_t index, int32_t lastCell) {
    return index < 1 ? -1 : std::min(index - 1, lastCell);
}

}  // namespace

ProfileWindow::ProfileWindow() {
    Create(0, 0, kWidth, kHeight, -1, -1);
    SetImage(kPopupThirdTexture, 512, 0, kWidth, kHeight, 1.0f, 1.0f);
    SetSounds(sound_id::kWindowOpen, sound_id::kPopup);
    badge_ = LevelBadge::AddTo(*this, 357, 66);
    level_ = AddLabel(*this, 382, 72, 32, 16, 0);
    nickname_ = AddLabel(*this, 130, 45, 100, 20, 1);
    money_ = AddLabel(*this, 310, 98, 160, 20, 1);
    icon_ = CreateImage(220, 43, kIconSize, kIconSize, kCommonTexture, 0, kIconRow);
    mark_ = CreateImage(8, 44, 23, 15, kCommonTexture, 63, 963);
    mark_->Show(false);
    for (size_t n = 0; n < std::size(lines_); ++n)
        lines_[n] = AddLabel(*this, 50, 183 + 19 * static_cast<int32_t>(n), 350, 18, 0);
    statistics_ = std::make_unique<ProfileStatistics>(*this, 0);
    Button* close = CreateButton(210, 455, 85, 32, kClose, platform::Vk::Escape, kCommonTexture, 85, 0);
    SetCentredCaption(*close, u"Close", kWhite);
    Show(false);
}

ProfileWindow::~ProfileWindow() = default;

bool ProfileWindow::ReadProfile(quill::Packet& packet) {
    ProfileRecord record;
    if (!ProfileRecord::Read(packet, record)) {
        quill::TheLog().LogError(u"WARNING: a profile record does not fit its message; not shown\n");
        return false;
    }
    WidgetToolkit::CheckTreeAccess("ProfileWindow::ReadProfile");
    record.ApplyTo(received_);
    secondValue_ = record.secondValue;
    thirdValue_ = record.thirdValue;
    shown_ = &received_;
    return true;
}

void ProfileWindow::ShowLocal(const quill::PlayerState& player) {
    WidgetToolkit::CheckTreeAccess("ProfileWindow::ShowLocal");
    shown_ = &player;
}

uint16_t ProfileWindow::SecondValue() const {
    return secondValue_;
}

void ProfileWindow::Refresh() {
    WidgetToolkit::CheckTreeAccess("ProfileWindow::Refresh");
    for (size_t n = 0; n < std::size(lines_); ++n)
        lines_[n]->SetText(shown_->profileLines[n]);
    statistics_->Show(*shown_, selectedMode_);
}

void ProfileWindow::WriteHeader(const quill::PlayerState& profile) {
    money_->SetText(FormatMoney(profile.money));
    level_->SetTextF(u"(%d)", static_cast<int>(profile.level));
    LevelBadge::ShowLevel(*badge_, profile.level);
    nickname_->SetText(profile.name);
    const int32_t icon = StripCell(static_cast<int8_t>(profile.iconIndex), kLastIconCell);
    if (icon >= 0)
        icon_->SetSourceRect(icon * kIconSize, kIconRow, -1, -1);
    icon_->Show(icon >= 0);
    mark_->Show(profile.markValue > kMarkAbove);
}

void ProfileWindow::OnShow() {
    Window::OnShow();
    CentreOnScreen(*this);
    Refresh();
    WidgetToolkit::CheckTreeAccess("ProfileWindow::OnShow");
    WriteHeader(*shown_);
}

bool ProfileWindow::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    const int32_t mode = ProfileStatistics::ModeOfControl(id);
    if (mode >= 0) {
        selectedMode_ = mode;
        Refresh();
        return true;
    }
    if (id == kClose) {
        SetVisible(false);
        return true;
    }
    return Window::OnEvent(source, a, b);
}

void ProfileWindow::LoadWindowGraphics(uint32_t arg) {
    LoadGraphics(arg);
}

bool ProfileWindow::OnUserProfile(Widget& screen, quill::Packet& packet) {
    if (packet.ReadU8() == 0 || !ReadProfile(packet))
        return false;
    pendingScreen_ = &screen;
    return true;
}

void ProfileWindow::ShowPending() {
    if (Widget* screen = pendingScreen_.exchange(nullptr))
        ShowWindowOn(*this, *screen);
}

void ProfileWindow::ShowLocal(Widget& screen, const quill::PlayerState& player) {
    pendingScreen_ = nullptr;
    ShowLocal(player);
    ShowWindowOn(*this, screen);
}

void ProfileWindow::SetSelectedMode(int32_t gameMode) {
    if (quill::IsGameTypeIndex(gameMode))
        selectedMode_ = gameMode;
}

}  // namespace kestrovan
