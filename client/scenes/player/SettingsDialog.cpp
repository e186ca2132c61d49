#include "client/scenes/player/SettingsDialog.h"

#include <algorithm>

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/DisplayModes.h"
#include "client/scenes/common/CommunityDialog.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/PlayerHost.h"
#include "client/scenes/player/DisplayModeText.h"
#include "client/ui/Button.h"
#include "client/ui/ComboBox.h"
#include "client/ui/EditBox.h"
#include "client/ui/Panel.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

constexpr uint32_t kTickPeriodMs = 1000;
constexpr int32_t kNormalRate = 58;
constexpr int32_t kSlowRate = 29;
constexpr uint32_t kBrightnessBase = 51;
constexpr uint32_t kDefaultRefresh = 60;

}  // namespace

SettingsDialog::SettingsDialog(std::unique_ptr<PlayerHost> host) : host_(std::move(host)) {
    BuildFrame();
    Show(false);
}

SettingsDialog::~SettingsDialog() = default;

Button* SettingsDialog::Control(int32_t id) const {
    for (Button* button : controls_) {
        if (button->GetId() == id) return button;
    }
    return nullptr;
}

ScrollBar* SettingsDialog::Slider(int32_t id) const {
    for (ScrollBar* slider : sliders_) {
        if (slider->GetId() == id) return slider;
    }
    return nullptr;
}

void SettingsDialog::CheckOne(const std::vector<Button*>& group, size_t index) {
    for (size_t i = 0; i < group.size(); ++i) group[i]->SetChecked(i == index);
}

void SettingsDialog::SetCaption(ComboBox& list, quill::WStringView caption) {
    list.GetFace()->SetCaption(caption);
}

// A slider stands one below its value, so that the value + 1 it reports brings the value back.
void SettingsDialog::SetSlider(int32_t id, int32_t value) {
    if (ScrollBar* slider = Slider(id)) slider->SetPosition(std::max(value - 1, 0), false);
}

void SettingsDialog::ShowPage(int32_t page) {
    currentPage_ = page;
    for (size_t i = 0; i < kPages; ++i) {
        const bool current = static_cast<int32_t>(i) == page;
        tabs_[i]->SetChecked(current);
        pages_[i]->SetVisible(current);
    }
}

void SettingsDialog::OnShow() {
    Window::OnShow();
    CentreOnScreen(*this);
    shotModeTouched_ = false;
    ShowPage(currentPage_);
    const quill::PlayerState& player = host_->Player();
    for (size_t n = 0; n < kChatSlots; ++n) chatSlots_[n]->SetText(player.chatTexts[n]);
    working_ = host_->AppSettings();
    LoadControls();
    LoadSoundAndControlPages();
    FillListsOnce();
    UpdateAnisotropyList();
    UpdateResolutionList();
}

void SettingsDialog::LoadControls() {
    const Settings& s = working_;
    const auto set = [this](int32_t id, bool down) { Control(id)->SetChecked(down); };
    set(kFullScreen, s.fullScreen != 0);
    set(kVsync, s.vsync != 0);
    CheckOne(qualities_, s.textureDetail);
    CheckOne(filters_, s.textureFilter - 1);
    for (size_t i = 0; i < kFsaaLevels; ++i) fsaa_[i]->SetEnabled(i == 0 || s.GetIndexedFlag(2 * static_cast<uint32_t>(i)));
    CheckOne(fsaa_, s.fsaa / 2);
    set(kTableEffect, s.tableEffect != 0);
    set(kWaterEffect, s.waterEffect != 0);
    set(kTraceAll, s.traceAll != 0);
    set(kChatFont, s.largeChatFont != 0);
    set(kMask, s.chatFilter != 0);
    set(kGreeting, s.roomOption != 0);
    set(kServerOption1, s.extraOptionA == 0);
    set(kServerOption2, s.extraOptionB == 0);
    if (ScrollBar* brightness = Slider(kBrightness))
        brightness->SetPosition(static_cast<int32_t>(s.gamma) - static_cast<int32_t>(kBrightnessBase), false);
    brightnessLabel_->SetTextF(u"%d %%", s.gamma);
    SetCaption(*resolution_, ResolutionText(s.width, s.height));
    SetCaption(*colour_, quill::Format(u"%d bit", s.bitsPerPixel));
    SetCaption(*refresh_, quill::Format(u"%d hz", s.refreshRate));
    FillRefreshRates(s.width, s.height, s.bitsPerPixel);
}

void SettingsDialog::LoadSoundAndControlPages() {
    const Settings& s = working_;
    const auto set = [this](int32_t id, bool down) { Control(id)->SetChecked(down); };
    set(kMusicOn, s.bgmOn != 0);
    set(kEffectsOn, s.fxOn != 0);
    set(kVoiceOn, s.voiceOn != 0);
    SetSlider(kMusicVolume, static_cast<int32_t>(s.bgmVolume));
    SetSlider(kEffectsVolume, static_cast<int32_t>(s.fxVolume));
    SetSlider(kVoiceVolume, static_cast<int32_t>(s.voiceVolume));
    SetSlider(kShotSensitivity, static_cast<int32_t>(s.shotSensitivity));
    SetSlider(kVerticalSensitivity, static_cast<int32_t>(s.verticalSensitivity));
    SetSlider(kHorizontalSensitivity, static_cast<int32_t>(s.horizontalSensitivity));
    set(kVerticalInverse, s.verticalInverse != 0);
    set(kHorizontalInverse, s.horizontalInverse != 0);
    shotLabel_->SetTextF(u"%d%%", s.shotSensitivity);
    CheckOne(cameras_, s.cameraMode - 1);
    CheckOne(shotModes_, s.schoolGuideState - 1);
    set(kShotZoom, s.shotZoom != 0);
    set(kTurnZoom, s.turnZoom != 0);
    set(kMouseFix, s.mouseFix != 0);
}

void SettingsDialog::FillListsOnce() {
    if (!listsToFill_) return;
    listsToFill_ = false;
    resolutionRow_ = 0;
    int32_t row = 0;
    for (const DisplayModeGroup& mode : host_->DisplayModes()) {
        if (row == resolution_->GetRowCount()) break;
        resolution_->AddItem(ResolutionText(mode.width, mode.height));
        if (mode.width == working_.width && mode.height == working_.height) resolutionRow_ = row;
        ++row;
    }
    resolution_->Select(resolutionRow_);
    colour_->AddItem(u"16 bit");
    colour_->AddItem(u"32 bit");
    for (int32_t level = 0; level <= working_.maxAnisotropy; level += 2) anisotropy_->AddItem(quill::Format(u"%dx", level));
}

void SettingsDialog::UpdateAnisotropyList() {
    if (working_.textureFilter == 3) {
        SetCaption(*anisotropy_, quill::Format(u"%dx", working_.anisotropy));
        return;
    }
    SetCaption(*anisotropy_, anisotropy_->GetItemText(0));
    anisotropy_->SetEnabled(false);
}

void SettingsDialog::UpdateResolutionList() {
    const bool fullScreen = Control(kFullScreen)->IsChecked();
    resolution_->SetEnabled(fullScreen);
    if (!fullScreen) {
        SetCaption(*resolution_, u"Windowed");
        return;
    }
    resolution_->Select(resolutionRow_);
}

void SettingsDialog::FillRefreshRates(uint32_t width, uint32_t height, uint32_t /*depth: every listed mode is 32-bit*/) {
    refresh_->ClearItems();
    rates_.clear();
    const uint32_t shown = LeadingNumber(refresh_->GetFace()->GetCaption()->GetText());
    const std::vector<DisplayModeGroup> modes = host_->DisplayModes();
    const auto mode = std::find_if(modes.begin(), modes.end(), [&](const DisplayModeGroup& m) {
        return m.width == width && m.height == height;
    });
    if (mode == modes.end()) return;
    for (uint32_t rate : mode->refreshRates) {
        if (static_cast<int32_t>(rates_.size()) == refresh_->GetRowCount()) break;
        rates_.push_back(rate == 0 ? kDefaultRefresh : rate);
        refresh_->AddItem(quill::Format(u"%d hz", rates_.back()));
    }
    const uint32_t kept = KeptRefreshRate(rates_, shown);
    if (kept == shown) return;
    SetCaption(*refresh_, quill::Format(u"%d hz", kept));
    working_.refreshRate = kept;
}

void SettingsDialog::SetColourDepth(uint32_t bits) {
    SetCaption(*colour_, quill::Format(u"%d bit", bits));
    FillRefreshRates(working_.width, working_.height, bits);
    working_.bitsPerPixel = bits;
}

void SettingsDialog::SetImageQuality(size_t index) {
    working_.textureDetail = static_cast<uint32_t>(index);
    CheckOne(qualities_, index);
}

void SettingsDialog::SetTextureFilter(size_t index) {
    // Sharper needs anisotropic filtering; without it the high smoothing stands in.
    if (index == 2 && working_.maxAnisotropy < 2) index = 1;
    working_.textureFilter = static_cast<uint32_t>(index + 1);
    CheckOne(filters_, index);
    anisotropy_->SetEnabled(index == 2);
    UpdateAnisotropyList();
}

void SettingsDialog::SetFsaa(size_t index) {
    size_t k = std::min(index, kFsaaLevels - 1);
    while (k > 0 && !working_.GetIndexedFlag(2 * static_cast<uint32_t>(k))) --k;
    working_.fsaa = 2 * static_cast<uint32_t>(k);
    CheckOne(fsaa_, k);
}

void SettingsDialog::SetShotMode(uint32_t mode) {
    working_.schoolGuideState = mode;
    CheckOne(shotModes_, mode - 1);
}

void SettingsDialog::SetFullScreen(bool fullScreen) {
    Control(kFullScreen)->SetChecked(fullScreen);
    working_.fullScreen = fullScreen ? 1 : 0;
    host_->AppSettings().fullScreen = working_.fullScreen;
    UpdateResolutionList();
}

void SettingsDialog::Tick(uint32_t now) {
    Window::Tick(now);
    if (ticked_ && now - lastTick_ < kTickPeriodMs) return;
    ticked_ = true;
    lastTick_ = now;
    const int32_t rate = host_->MeasuredFrameRate();
    if (rate >= kNormalRate) {
        frameRate_->SetTextF(u"%d fps (normal)", rate);
        frameRate_->SetColors(kGreen, 0);
    } else if (rate >= kSlowRate) {
        frameRate_->SetTextF(u"%d fps (slow)", rate);
        frameRate_->SetColors(kYellow, 0);
    } else {
        frameRate_->SetTextF(u"%d fps (slow,bad)", rate);
        frameRate_->SetColors(kRed, 0);
    }
}

void SettingsDialog::LoadWindowGraphics(uint32_t arg) {
    LoadGraphics(arg);
}

void SettingsDialog::Open(Widget& screen) {
    ShowWindowOn(*this, screen);
}

void SettingsDialog::ApplyPresetHigh() {
    SetColourDepth(32);
    SetImageQuality(0);
    SetTextureFilter(2);
    SetFsaa(1);
    for (int32_t id : {kVsync, kTableEffect, kWaterEffect}) Control(id)->SetChecked(true);
    working_.vsync = working_.tableEffect = working_.waterEffect = 1;
}

void SettingsDialog::ApplyPresetMid() {
    SetColourDepth(32);
    SetImageQuality(0);
    SetTextureFilter(1);
    SetFsaa(0);
    Control(kVsync)->SetChecked(true);
    Control(kTableEffect)->SetChecked(true);
    Control(kWaterEffect)->SetChecked(false);
    working_.vsync = working_.tableEffect = 1;
    working_.waterEffect = 0;
}

void SettingsDialog::ApplyPresetLow() {
    SetColourDepth(16);
    SetImageQuality(2);
    SetTextureFilter(0);
    SetFsaa(0);
    for (int32_t id : {kVsync, kTableEffect, kWaterEffect}) Control(id)->SetChecked(false);
    working_.vsync = working_.tableEffect = working_.waterEffect = 0;
}

}  // namespace kestrovan
