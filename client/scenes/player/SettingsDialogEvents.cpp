// The settings dialog's controls and its "apply & save".
#include <algorithm>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/DisplayModes.h"
#include "client/scenes/common/RequestSender.h"
#include "client/scenes/common/TextFields.h"
#include "client/scenes/player/DisplayModeText.h"
#include "client/scenes/common/PlayerHost.h"
#include "client/scenes/player/SettingsDialog.h"
#include "client/ui/Button.h"
#include "client/ui/ComboBox.h"
#include "client/ui/EditBox.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

namespace {

// The bits of WindowPlacement (1054) that tell the App what to apply.
constexpr uint32_t kReflections = 0x100;
constexpr uint32_t kFilter = 2;
constexpr uint32_t kDisplayMode = 0x10;
constexpr uint32_t kDeviceOptions = 8;
constexpr uint32_t kMinimumSensitivity = 10;
constexpr uint32_t kBrightnessOffset = 50;

bool IsIn(int32_t id, int32_t first, size_t count) {
    return id >= first && id < first + static_cast<int32_t>(count);
}

}  // namespace

bool SettingsDialog::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == nullptr) return Window::OnEvent(source, a, b);
    if (OnListChosen(source, a)) return true;
    const int32_t id = source->GetId();
    if (std::find(sliders_.begin(), sliders_.end(), source) != sliders_.end()) return OnSlider(id, a);
    if (IsIn(id, kFirstTab, kPages)) {
        ShowPage(id - kFirstTab);
        return true;
    }
    if (OnChoice(id)) return true;
    if (const Button* box = Control(id); box != nullptr && box == source) return OnCheckBox(id, box->IsChecked());
    switch (id) {
        case kPresetHigh:
            ApplyPresetHigh();
            return true;
        case kPresetMid:
            ApplyPresetMid();
            return true;
        case kPresetLow:
            ApplyPresetLow();
            return true;
        case kApply:
            Apply();
            return true;
        case kClose:
            SetVisible(false);
            return true;
        default:
            return Window::OnEvent(source, a, b);
    }
}

bool SettingsDialog::OnListChosen(Widget* source, int32_t row) {
    if (source == resolution_) {
        ChooseResolution(row);
    } else if (source == colour_) {
        SetColourDepth(row == 0 ? 16 : 32);
    } else if (source == refresh_) {
        if (row < 0 || static_cast<size_t>(row) >= rates_.size()) return true;
        working_.refreshRate = rates_[static_cast<size_t>(row)];
        SetCaption(*refresh_, quill::Format(u"%d hz", working_.refreshRate));
    } else if (source == anisotropy_) {
        working_.anisotropy = static_cast<uint32_t>(std::max(row, 0)) * 2;
        SetCaption(*anisotropy_, quill::Format(u"%dx", working_.anisotropy));
    } else {
        return false;
    }
    return true;
}

void SettingsDialog::ChooseResolution(int32_t row) {
    const std::vector<DisplayModeGroup> modes = host_->DisplayModes();
    if (row < 0 || static_cast<size_t>(row) >= modes.size()) return;
    const DisplayModeGroup& mode = modes[static_cast<size_t>(row)];
    resolutionRow_ = row;
    SetCaption(*resolution_, ResolutionText(mode.width, mode.height));
    FillRefreshRates(mode.width, mode.height, mode.bitsPerPixel);
    working_.width = mode.width;
    working_.height = mode.height;
}

// Radio buttons of the quality, filter, FSAA, camera and shot groups.
bool SettingsDialog::OnChoice(int32_t id) {
    if (IsIn(id, kFirstQuality, kQualities)) {
        SetImageQuality(static_cast<size_t>(id - kFirstQuality));
    } else if (IsIn(id, kFirstFilter, kFilters)) {
        SetTextureFilter(static_cast<size_t>(id - kFirstFilter));
    } else if (IsIn(id, kFirstFsaa, kFsaaLevels)) {
        SetFsaa(static_cast<size_t>(id - kFirstFsaa));
    } else if (IsIn(id, kFirstCamera, kCameras)) {
        working_.cameraMode = static_cast<uint32_t>(id - kFirstCamera + 1);
        CheckOne(cameras_, static_cast<size_t>(id - kFirstCamera));
    } else if (id == kShotGauge || id == kShotStroke) {
        SetShotMode(static_cast<uint32_t>(id - kShotGauge + 1));
        if (id == kShotStroke) {
            host_->ShowNoticeBox(u"수동 모드는 기존방식의 샷 방법입니다.", u"마우스와 패드, 피씨 성능에 영향을 많이 받습니다.",
                                 u"정교한 힘조절이 가능하지만 매우 어렵습니다.");
        }
        shotModeTouched_ = true;
    } else {
        return false;
    }
    return true;
}

bool SettingsDialog::OnCheckBox(int32_t id, bool down) {
    const uint8_t on = down ? 1 : 0;
    const auto soundChannel = [this, on](uint8_t& field, uint32_t channel) {
        field = on;
        host_->PostEvent(quill::AppEventId::EnableSoundChannel, channel, on, 0);
    };
    switch (id) {
        case kFullScreen:
            working_.fullScreen = on;
            UpdateResolutionList();
            break;
        case kVsync: working_.vsync = on; break;
        case kTableEffect: working_.tableEffect = on; break;
        case kWaterEffect: working_.waterEffect = on; break;
        case kVerticalInverse: working_.verticalInverse = on; break;
        case kHorizontalInverse: working_.horizontalInverse = on; break;
        case kShotZoom: working_.shotZoom = on; break;
        case kTurnZoom: working_.turnZoom = on; break;
        case kMouseFix: working_.mouseFix = on; break;
        case kTraceAll: working_.traceAll = on; break;
        case kChatFont: working_.largeChatFont = on; break;
        case kGreeting: working_.roomOption = on; break;
        case kMask: SetMask(down); break;
        case kServerOption1: working_.extraOptionA = down ? 0 : 1; break;
        case kServerOption2: working_.extraOptionB = down ? 0 : 1; break;
        case kMusicOn: soundChannel(working_.bgmOn, 0); break;
        case kEffectsOn: soundChannel(working_.fxOn, 1); break;
        case kVoiceOn: soundChannel(working_.voiceOn, 2); break;
        default: return false;
    }
    return true;
}

void SettingsDialog::SetMask(bool down) {
    if (!down && host_->Player().level < kMaskLevel) {
        host_->ShowNoticeBox(u"This feature allowed to level 7 over");
        Control(kMask)->SetChecked(true);
        return;
    }
    working_.chatFilter = down ? 1 : 0;
}

bool SettingsDialog::OnSlider(int32_t id, int32_t value) {
    const auto volume = [this, value](uint32_t& field, uint32_t channel) {
        field = static_cast<uint32_t>(std::clamp(value, 0, 100));
        host_->PostEvent(quill::AppEventId::SetVolume, channel, field, 0);
    };
    const uint32_t sensitivity = std::max<uint32_t>(static_cast<uint32_t>(std::max(value, 0)), kMinimumSensitivity);
    switch (id) {
        case kMusicVolume: volume(working_.bgmVolume, 0); break;
        case kEffectsVolume: volume(working_.fxVolume, 1); break;
        case kVoiceVolume: volume(working_.voiceVolume, 2); break;
        case kShotSensitivity:
            working_.shotSensitivity = sensitivity;
            shotLabel_->SetTextF(u"%d%%", sensitivity);
            break;
        case kVerticalSensitivity: working_.verticalSensitivity = sensitivity; break;
        case kHorizontalSensitivity: working_.horizontalSensitivity = sensitivity; break;
        case kBrightness:
            working_.gamma = static_cast<uint32_t>(std::max(value, 0)) + kBrightnessOffset;
            host_->SetBrightness(static_cast<float>(working_.gamma) / 100.0f);
            brightnessLabel_->SetTextF(u"%d %%", working_.gamma);
            break;
        default: return false;
    }
    return true;
}

uint32_t SettingsDialog::ChangeBits() const {
    uint32_t bits = 0;
    if (working_.IsEffectsGroupChanged(previous_)) bits |= kReflections;
    if (working_.IsFilterGroupChanged(previous_)) bits |= kFilter;
    if (working_.IsModeGroupChanged(previous_))
        bits |= kDisplayMode;
    else if (working_.IsQualityGroupChanged(previous_))
        bits |= kDeviceOptions;
    return bits;
}

bool SettingsDialog::OptionsToSend() const {
    return sendOptionsAnyway_ || working_.IsChatFilterChanged(previous_) || working_.IsVoiceChanged(previous_) ||
           working_.IsSchoolGuideChanged(previous_) || working_.IsRoomOptionChanged(previous_) ||
           working_.IsExtraOptionsChanged(previous_);
}

void SettingsDialog::Apply() {
    Settings& live = host_->AppSettings();
    previous_ = live;
    sendOptionsAnyway_ = false;
    if (live.serverOptionsKnown == 0 && shotModeTouched_) {
        live.serverOptionsKnown = working_.serverOptionsKnown = 1;
        sendOptionsAnyway_ = true;
    }
    live = working_;
    if (const uint32_t bits = ChangeBits()) host_->PostEvent(quill::AppEventId::WindowPlacement, bits, 0, 0);
    if (working_.IsControlGroupChanged(previous_)) host_->PostEvent(quill::AppEventId::ApplyTableSettings, 0, 0, 0);
    if (working_.IsChatGroupChanged(previous_)) host_->ApplyGameOptions(working_);
    host_->SaveSettings();
    if (OptionsToSend()) host_->SendOptionsToServer();
    SendChatSlots();
    SetVisible(false);
}

// An empty slot is kept as one blank, which the server needs to keep a slot; a text past the player's field
// (which a box of forty characters cannot hold anyway) is cut to it.
void SettingsDialog::SendChatSlots() {
    quill::PlayerState& player = host_->Player();
    bool changed = false;
    for (size_t n = 0; n < kChatSlots; ++n) {
        quill::WString text = CutToLength(chatSlots_[n]->GetText(), kChatSlotUnits);
        if (text.empty()) {
            text = u" ";
            chatSlots_[n]->SetText(text);
        }
        changed = changed || text != player.chatTexts[n];
        player.chatTexts[n] = text;
    }
    if (!changed) return;
    host_->Requests().Send([&player](quill::Packet& packet) {
        packet.Init(quill::MessageId::SettingsText);
        for (const quill::WString& text : player.chatTexts) packet.WriteWString(text);
    });
}

}  // namespace kestrovan
