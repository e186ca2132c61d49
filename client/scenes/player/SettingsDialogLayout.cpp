// The settings dialog's fixed layout: the frame with its tabs, pages, frame-rate label and buttons, and the
// controls of each page. The captions of the controls are part of the pages' pictures; a check box or radio
// button is also clicked through its caption there, and tells its full meaning in its tooltip.
#include <memory>

#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/player/SettingsDialog.h"
#include "client/ui/Button.h"
#include "client/ui/ComboBox.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"
#include "client/ui/Panel.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "platform/gfx/TextFormat.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kTexture = 11;
constexpr int32_t kPageHeights[SettingsDialog::kPages] = {396, 176, 375, 383};
constexpr int32_t kPageSources[SettingsDialog::kPages][2] = {{0, 547}, {427, 0}, {427, 176}, {427, 551}};
// Most captions begin just right of their box.
constexpr int32_t kBesideBox = 33;

void Caption(Button& button, quill::WStringView text) {
    button.AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kWhite, 0, 0);
    button.GetCaption()->AddStyle(platform::gfx::TextFormat::VCenter, 0, 0);
    button.SetCaption(text);
}

}  // namespace

void SettingsDialog::BuildFrame() {
    Create(100, 100, kWidth, kHeight, -1, -1);
    SetImage(kTexture, 0, 0, kWidth, kHeight, 1.0f, 1.0f);
    SetSounds(sound_id::kWindowOpen, sound_id::kPopup);
    const quill::WStringView tabNames[kPages] = {u"Video", u"Sound", u"Control", u"Game"};
    for (size_t i = 0; i < kPages; ++i) {
        const auto n = static_cast<int32_t>(i);
        tabs_[i] = CreateButton(33 + 90 * n, 46, 88, 22, kFirstTab + n, u'1' + n, kTexture, 822 + 88 * (n % 2), 88 * (n / 2));
        tabs_[i]->SetRadio();
        Caption(*tabs_[i], tabNames[i]);
        pages_[i] = CreatePanel(30, 89, 395, kPageHeights[i], kTexture, kPageSources[i][0], kPageSources[i][1]);
    }
    BuildVideoPage(*pages_[0]);
    BuildSoundPage(*pages_[1]);
    BuildControlPage(*pages_[2]);
    BuildGamePage(*pages_[3]);
    frameRate_ = CreateTextLabel(30, 510, 120, 20, &UiFontAt(UiFont::Regular12), 0, 0);
    Button* apply = CreateButton(160, 496, 85, 32, kApply, platform::Vk::Return, kCommonTexture, 85, 0);
    apply->SetTooltip(u"apply & save");
    Caption(*apply, u"Apply");
    Caption(*CreateButton(295, 496, 85, 32, kClose, platform::Vk::Escape, kCommonTexture, 170, 0), u"Close");
}

Button* SettingsDialog::AddCheckBox(Panel& page, int32_t x, int32_t y, int32_t id, quill::WStringView tooltip,
                                    CaptionArea caption) {
    Button* box = page.CreateButton(x, y, kBoxWidth, kBoxHeight, id, -1, kCommonTexture, 668, 0);
    box->SetCheckBox();
    if (!tooltip.empty()) box->SetTooltip(tooltip);
    if (caption.width > 0) {
        const int32_t left = std::min(x, x + caption.left);
        const int32_t right = std::max(x + kBoxWidth, x + caption.left + caption.width);
        box->SetSecondRect(left, y, right - left, kBoxHeight);
    }
    controls_.push_back(box);
    return box;
}

Button* SettingsDialog::AddRadio(Panel& page, int32_t x, int32_t y, int32_t id, quill::WStringView tooltip,
                                 CaptionArea caption) {
    Button* button = AddCheckBox(page, x, y, id, tooltip, caption);
    button->SetRadio();
    return button;
}

ScrollBar* SettingsDialog::AddSlider(Panel& page, int32_t x, int32_t y, int32_t w, int32_t id, int32_t positions,
                                     bool large) {
    const ScrollBarArt::Cut thumb = large ? ScrollBarArt::Cut{946, 408, 18, 14} : ScrollBarArt::Cut{965, 408, 13, 10};
    // The step buttons wear their arrows beside the thumbs.
    ScrollBar* slider =
        ScrollBar::AddTo(page, {.x = x, .y = y, .w = w, .h = 16, .id = id, .orientation = 0, .count = positions},
                         {kTexture, {475, 370, w, 16}, {1000, 408, 8, 16}, {1010, 408, 8, 16}, thumb});
    sliders_.push_back(slider);
    return slider;
}

ComboBox* SettingsDialog::AddList(Panel& page, int32_t x, int32_t y, int32_t w, int32_t rows,
                                  quill::WStringView tooltip, quill::WStringView caption) {
    // The lists wear the tooltip's light face, with dark captions; their three frames side by side within it
    // (below it lie the modal shade's texels).
    ComboBox* list = page.CreateComboBox(x, y, w, 20, -1, -1, kCommonTexture, 0, 446);
    list->SetHorizontalFrames(true);
    list->GetFace()->SetFrameCount(3);
    list->GetFace()->AddLabel(&UiFontAt(UiFont::Regular12), TextLabel::kAlignCentre, kBlack, 0, 0);
    list->SetRowCount(rows);
    list->SetTooltip(tooltip);
    SetCaption(*list, caption);
    return list;
}

void SettingsDialog::BuildVideoPage(Panel& page) {
    AddCheckBox(page, 259, 26, kFullScreen, u"FullScreen/Windowed", {-93, 90});
    AddCheckBox(page, 349, 26, kVsync, u"V-sync", {-55, 52});
    resolution_ = AddList(page, 91, 1, 133, 40, u"Resolution", u"resolution");
    refresh_ = AddList(page, 91, 28, 69, 10, u"Refresh rate", u"default");
    colour_ = AddList(page, 318, 1, 45, 2, u"Color depth", u"color");
    const struct {
        int32_t x, w, h, srcX;
        quill::WStringView tip, caption;
    } presets[] = {{50, 72, 26, 822, u"Auto set(high)", u"High"},
                   {160, 52, 33, 894, u"Auto set(mid)", u"Mid"},
                   {250, 72, 26, 946, u"Auto set(low)", u"Low"}};
    int32_t id = kPresetHigh;
    for (const auto& preset : presets) {
        Button* button = page.CreateButton(preset.x, 84, preset.w, preset.h, id++, -1, kTexture, preset.srcX, 304);
        button->SetTooltip(preset.tip);
        Caption(*button, preset.caption);
    }
    const quill::WStringView qualityTips[kQualities] = {u"Image quality(high)", u"Image quality(mid)",
                                                        u"Image quality(low)"};
    for (size_t i = 0; i < kQualities; ++i)
        qualities_.push_back(AddRadio(page, 10 + 105 * static_cast<int32_t>(i), 158, kFirstQuality + static_cast<int32_t>(i), qualityTips[i], {kBesideBox, 68}));
    const quill::WStringView filterTips[kFilters] = {u"Smoother(low)", u"Smoother(high)", u"Sharper"};
    for (size_t i = 0; i < kFilters; ++i)
        filters_.push_back(AddRadio(page, 10 + 87 * static_cast<int32_t>(i), 220, kFirstFilter + static_cast<int32_t>(i), filterTips[i], {kBesideBox, 50}));
    anisotropy_ = AddList(page, 281, 223, 34, 32, {}, u"N/A");
    const quill::WStringView fsaaTips[kFsaaLevels] = {u"FSAA off(fastest)", u"FSAA (low)", u"FSAA (mid)",
                                                      u"FSAA (high)", u"FSAA (highest)"};
    for (size_t i = 0; i < kFsaaLevels; ++i)
        fsaa_.push_back(AddRadio(page, 10 + 71 * static_cast<int32_t>(i), 282, kFirstFsaa + static_cast<int32_t>(i), fsaaTips[i], {kBesideBox, 36}));
    AddCheckBox(page, 10, 345, kTableEffect, u"Table reflection", {kBesideBox, 100});
    AddCheckBox(page, 148, 345, kWaterEffect, u"Water reflection", {kBesideBox, 100});
    AddSlider(page, 73, 377, 200, kBrightness, 100, false)
        ->SetTooltip(u"Brightness adjustment can only be done in the full screen mode.");
    brightnessLabel_ = page.CreateTextLabel(335, 375, 60, 20, &UiFontAt(UiFont::Bold12), 0, 0);
    brightnessLabel_->SetColors(kWhite, 0);
}

void SettingsDialog::BuildSoundPage(Panel& page) {
    const struct {
        int32_t y, slider, box;
        quill::WStringView tip;
    } rows[] = {{25, kMusicVolume, kMusicOn, u"BGM On/Off"},
                {88, kEffectsVolume, kEffectsOn, u"FX sound On/Off"},
                {151, kVoiceVolume, kVoiceOn, u"Voice On/Off"}};
    for (const auto& row : rows) {
        AddSlider(page, 42, row.y, 200, row.slider, 100, true);
        AddCheckBox(page, 295, row.y - 3, row.box, row.tip, {kBesideBox + 1, 60});
    }
}

void SettingsDialog::BuildControlPage(Panel& page) {
    AddSlider(page, 18, 44, 242, kShotSensitivity, 300, false)->SetTooltip(u"Mouse shot sensitivity");
    shotLabel_ = page.CreateTextLabel(290, 55, 50, 20, &UiFontAt(UiFont::Bold12), 0, 0);
    shotLabel_->SetColors(kWhite, 0);
    AddSlider(page, 18, 103, 166, kVerticalSensitivity, 200, false)->SetTooltip(u"Vertical rotation sensitivity");
    AddSlider(page, 18, 163, 166, kHorizontalSensitivity, 200, false)->SetTooltip(u"Horizental rotation sensitivity");
    AddCheckBox(page, 317, 108, kVerticalInverse, u"Revert vertically", {kBesideBox, 45});
    AddCheckBox(page, 317, 168, kHorizontalInverse, u"Revert horizentaly", {kBesideBox, 45});
    shotModes_.push_back(AddRadio(page, 120, 206, kShotGauge, u"Shot by guage(easy)", {kBesideBox, 84}));
    shotModes_.push_back(AddRadio(page, 240, 206, kShotStroke, u"Shot by stroke(hard)", {kBesideBox, 120}));
    const quill::WStringView cameraTips[kCameras] = {u"Fix camera", u"Trace cue ball", u"Look cue ball"};
    for (size_t i = 0; i < kCameras; ++i)
        cameras_.push_back(AddRadio(page, 10 + 120 * static_cast<int32_t>(i), 287, kFirstCamera + static_cast<int32_t>(i), cameraTips[i], {kBesideBox, i + 1 < kCameras ? 84 : 108}));
    AddCheckBox(page, 10, 346, kShotZoom, u"Auto zoom out after shot", {kBesideBox, 82});
    AddCheckBox(page, 128, 346, kTurnZoom, u"Auto zoom in at player get turn", {kBesideBox, 150});
    // Just inside the page's top edge, level with its caption.
    AddCheckBox(page, 340, 2, kMouseFix, u"급발샷 발생시 체크", {-110, 107});
}

void SettingsDialog::BuildGamePage(Panel& page) {
    AddCheckBox(page, 10, 24, kTraceAll, u"All ball's trajectory", {kBesideBox, 200});
    AddCheckBox(page, 10, 44, kChatFont, u"Large chat font", {kBesideBox, 200});
    AddCheckBox(page, 10, 108, kGreeting, u"Auto greetings to other players when they log in.", {kBesideBox, 49});
    for (size_t n = 0; n < kChatSlots; ++n) {
        const int32_t x = n == 0 ? 94 : 67;
        const int32_t y = 115 + 25 * static_cast<int32_t>(n);
        page.CreateImage(x, y, 280, 18, kPopupTexture, 5, 40);
        auto box = std::make_unique<EditBox>();
        box->Create(x, y, 280, 18);
        box->SetSkin(kCommonTexture, 609, 68, 2, 14);
        box->SetFont(&UiFontAt(UiFont::Regular12), EditBox::kDefaultMaxBytes, kWhite);
        box->SetMaxCharacters(kChatSlotUnits);
        chatSlots_[n] = box.get();
        page.AddChild(std::move(box), true);
    }
    AddCheckBox(page, 10, 286, kMask, u"Mask bad language", {kBesideBox, 250});
    // The two options the server keeps for the account, ticked to turn them off: invitations into rooms and
    // friend requests, which the server then refuses for the player.
    AddCheckBox(page, 10, 325, kServerOption1, {}, {kBesideBox, 104});
    AddCheckBox(page, 150, 325, kServerOption2, {}, {kBesideBox, 160});
}

}  // namespace kestrovan
