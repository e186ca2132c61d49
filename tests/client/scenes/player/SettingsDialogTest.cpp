// The settings dialog on a headless online App with scripted display modes and device abilities: F3 opens
// it over every screen with its lists filled once (and their fall-backs), presets and the device fall-backs
// of filter and FSAA, the live volume, sound and brightness changes, sliders that keep their value, the
// level gate of the mask, Apply with its events, messages and config.ini, the frame-rate label and Alt+Enter
// with the dialog hidden.
#include <gtest/gtest.h>

#include "QuillLib/core/AppEventId.h"
#include "client/scenes/common/TitleWindows.h"
#include "client/ui/ComboBox.h"
#include "client/ui/EditBox.h"
#include "client/ui/Panel.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/player/PlayerWindows.h"

namespace kestrovan::test {
namespace {

using quill::AppEventId::ApplyTableSettings;
using quill::AppEventId::EnableSoundChannel;
using quill::AppEventId::SetVolume;
using quill::AppEventId::WindowPlacement;
using quill::MessageId;

class SettingsDialogTest : public PlayerWindows {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    SettingsDialogTest() {
        Settings& s = app.GetSettingsMutable();
        s.width = 1280;
        s.height = 800;
        s.bitsPerPixel = 32;
        s.refreshRate = 60;
        s.maxAnisotropy = 8;
        s.SetMultisampleSupported(2);
        s.SetMultisampleSupported(4);
        quill::PlayerState& player = Player();
        player.level = 12;
        player.chatTexts = {u"hi", u"gg", u"nice", u"bye", u"wait", u"go"};
    }
    void Open() { OpenTitleWindow(app.Scenes(), Screen(), TitleWindow::Settings); }
    // A check box flips; a radio button is checked.
    void Click(int32_t id, bool radio = false) {
        Button* button = settings->Control(id);
        button->SetChecked(radio || !button->IsChecked());
        settings->OnEvent(button, button->IsChecked() ? 1 : 0, 0);
    }
    void Pick(int32_t id) { Click(id, true); }
    void Choose(ComboBox* list, int32_t row) { settings->OnEvent(list, row, 0); }
    // A slider moved to a position reports the position + 1.
    void Slide(int32_t id, int32_t position) {
        ScrollBar* slider = settings->Slider(id);
        slider->SetPosition(position, false);
        settings->OnEvent(slider, slider->GetPosition() + 1, 0);
    }
    void Press(int32_t id) { PlayerWindows::Press(*settings, id); }
    std::vector<PostedEvent> Posted() { return settingsRequests->Posted(); }
    std::vector<std::vector<uint8_t>> Sent(MessageId id) { return settingsRequests->sender.Of(id); }
    quill::WString Caption(ComboBox* list) { return list->GetFace()->GetCaption()->GetText(); }
};

TEST_F(SettingsDialogTest, F3OpensItOverEveryScreenWithItsListsFilledOnceFromTheModes) {
    for (int32_t id : {SceneId::Lobby, SceneId::RoomGame}) {
        Enter(id);
        Open();
        ASSERT_TRUE(settings->IsVisible());
        EXPECT_EQ(settings->GetParent(), &Screen());
        EXPECT_EQ(settings->GetRect().left, (app.GetScreenSize().width - SettingsDialog::kWidth) / 2);
        Press(SettingsDialog::kClose);
        EXPECT_FALSE(settings->IsVisible());
    }
    EXPECT_EQ(settings->ResolutionList()->GetFilledRows(), 3) << "filled on the first showing only";
    EXPECT_EQ(settings->ResolutionList()->GetItemText(1), u"1280 x  800  (16:10)");
    EXPECT_EQ(settings->ResolutionList()->GetSelected(), 1);
    EXPECT_EQ(settings->ColourList()->GetFilledRows(), 2);
    EXPECT_EQ(settings->AnisotropyList()->GetFilledRows(), 5) << "0x to 8x";
    EXPECT_EQ(settings->RefreshRates(), (std::vector<uint32_t>{60}));
    EXPECT_EQ(Caption(settings->RefreshList()), u"60 hz");
    EXPECT_EQ(settings->ChatSlot(2)->GetText(), u"nice");
    EXPECT_TRUE(settings->Page(0)->IsVisible());
    EXPECT_FALSE(settings->Page(1)->IsVisible());
    Press(SettingsDialog::kFirstTab + 2);
    EXPECT_EQ(settings->CurrentPage(), 2);
    EXPECT_TRUE(settings->Page(2)->IsVisible());
    EXPECT_FALSE(settings->Page(0)->IsVisible());

    // A size whose rates do not hold the shown one takes the highest below it, else the lowest; an adapter
    // rate of 0 is shown as 60.
    Choose(settings->ResolutionList(), 2);
    EXPECT_EQ(settings->RefreshRates(), (std::vector<uint32_t>{60, 75}));
    EXPECT_EQ(settings->Working().refreshRate, 60u);
    Choose(settings->RefreshList(), 1);
    EXPECT_EQ(settings->Working().refreshRate, 75u);
    Choose(settings->ResolutionList(), 1);
    EXPECT_EQ(Caption(settings->RefreshList()), u"60 hz");
    EXPECT_EQ(settings->Working().width, 1280u);
    EXPECT_EQ(settings->Working().height, 800u);
    settingsRequests->modes.clear();
    settings->FillRefreshRates(1280, 800, 32);
    EXPECT_TRUE(settings->RefreshRates().empty()) << "a size missing from the modes leaves the list empty";
}

TEST_F(SettingsDialogTest, PresetsAndChoicesFallBackToWhatTheDeviceCanDo) {
    Open();
    settings->ApplyPresetHigh();
    EXPECT_EQ(settings->Working().textureFilter, 3u);
    EXPECT_EQ(settings->Working().fsaa, 2u);
    EXPECT_EQ(settings->Working().bitsPerPixel, 32u);
    EXPECT_TRUE(settings->Control(SettingsDialog::kWaterEffect)->IsChecked());
    EXPECT_TRUE(settings->AnisotropyList()->IsEnabled());
    settings->ApplyPresetLow();
    EXPECT_EQ(settings->Working().bitsPerPixel, 16u);
    EXPECT_EQ(settings->Working().textureDetail, 2u);
    EXPECT_EQ(settings->Working().textureFilter, 1u);
    EXPECT_EQ(settings->Working().vsync, 0);
    EXPECT_FALSE(settings->Control(SettingsDialog::kTableEffect)->IsChecked());
    EXPECT_FALSE(settings->AnisotropyList()->IsEnabled());
    settings->ApplyPresetMid();
    EXPECT_EQ(settings->Working().textureFilter, 2u);
    EXPECT_EQ(settings->Working().waterEffect, 0);
    EXPECT_EQ(settings->Working().tableEffect, 1);

    Pick(SettingsDialog::kFirstFsaa + 4);
    EXPECT_EQ(settings->Working().fsaa, 4u) << "highest falls back to the 4 samples the device has";
    EXPECT_TRUE(settings->Control(SettingsDialog::kFirstFsaa + 2)->IsChecked());
    EXPECT_FALSE(settings->Control(SettingsDialog::kFirstFsaa + 4)->IsChecked());
    EXPECT_FALSE(settings->Control(SettingsDialog::kFirstFsaa + 3)->IsEnabled());
    Choose(settings->AnisotropyList(), 3);
    EXPECT_EQ(settings->Working().anisotropy, 6u);

    app.GetSettingsMutable().maxAnisotropy = 0;
    Press(SettingsDialog::kClose);
    Open();
    Pick(SettingsDialog::kFirstFilter + 2);
    EXPECT_EQ(settings->Working().textureFilter, 2u) << "Sharper without anisotropic filtering";
    EXPECT_TRUE(settings->Control(SettingsDialog::kFirstFilter + 1)->IsChecked());
}

TEST_F(SettingsDialogTest, VolumesSoundAndBrightnessActAtOnceAndSlidersKeepTheirValues) {
    app.GetSettingsMutable().bgmVolume = 40;
    app.GetSettingsMutable().gamma = 100;
    Open();
    ScrollBar* music = settings->Slider(SettingsDialog::kMusicVolume);
    EXPECT_EQ(music->GetPosition(), 39);
    Slide(SettingsDialog::kMusicVolume, 60);
    Slide(SettingsDialog::kMusicVolume, 39);
    EXPECT_EQ(settings->Working().bgmVolume, 40u) << "moved and back, the value stays";
    Click(SettingsDialog::kVoiceOn);
    EXPECT_EQ(Posted(), (std::vector<PostedEvent>{{SetVolume, 0, 61, 0}, {SetVolume, 0, 40, 0}, {EnableSoundChannel, 2, 0, 0}}));

    Slide(SettingsDialog::kBrightness, 70);
    EXPECT_EQ(settings->Working().gamma, 121u);
    EXPECT_EQ(settings->BrightnessLabel()->GetText(), u"121 %");
    ASSERT_EQ(settingsRequests->brightnesses.size(), 1u);
    EXPECT_FLOAT_EQ(settingsRequests->brightnesses[0], 1.21f);
    Slide(SettingsDialog::kShotSensitivity, 2);
    EXPECT_EQ(settings->Working().shotSensitivity, 10u) << "at least 10";
    EXPECT_EQ(settings->ShotSensitivityLabel()->GetText(), u"10%");

    Press(SettingsDialog::kClose);
    EXPECT_EQ(app.GetSettings().gamma, 100u) << "the stored settings change only on Apply";
    Open();
    EXPECT_EQ(settings->Slider(SettingsDialog::kBrightness)->GetPosition(), 49);
}

TEST_F(SettingsDialogTest, TheMaskStaysOnBelowLevelSevenAndTheStrokeModeIsExplained) {
    Player().level = 6;
    Open();
    Click(SettingsDialog::kMask);
    EXPECT_TRUE(settings->Control(SettingsDialog::kMask)->IsChecked());
    EXPECT_EQ(Box().Line(0).GetText(), u"This feature allowed to level 7 over");
    EXPECT_EQ(settings->Working().chatFilter, 1);
    Player().level = 7;
    Click(SettingsDialog::kMask);
    EXPECT_EQ(settings->Working().chatFilter, 0);
    Pick(SettingsDialog::kShotStroke);
    EXPECT_EQ(settings->Working().schoolGuideState, 2u);
    EXPECT_EQ(Box().Line(0).GetText(), u"수동 모드는 기존방식의 샷 방법입니다.");
}

TEST_F(SettingsDialogTest, ApplyWithoutChangesOnlyWritesTheFile) {
    Open();
    Press(SettingsDialog::kApply);
    EXPECT_FALSE(settings->IsVisible());
    EXPECT_TRUE(Posted().empty());
    EXPECT_TRUE(Sent(MessageId::SettingsText).empty());
    EXPECT_TRUE(settingsRequests->gameOptions.empty());
    EXPECT_EQ(settingsRequests->optionsSent, 0);
    EXPECT_NE(fixture.folder.Read("config.ini").find("width= 1280"), std::string::npos);
}

TEST_F(SettingsDialogTest, ApplyPostsItsChangesSendsTheTextsAndWritesAFileThatReadsBackEqual) {
    Open();
    Choose(settings->ResolutionList(), 0);
    Click(SettingsDialog::kWaterEffect);
    Click(SettingsDialog::kChatFont);
    Pick(SettingsDialog::kFirstCamera + 2);
    Slide(SettingsDialog::kEffectsVolume, 49);
    settings->ChatSlot(1)->SetText(u"");
    settings->ChatSlot(4)->SetText(quill::WString(50, u'x'));
    Press(SettingsDialog::kApply);

    const std::vector<PostedEvent> posted = Posted();
    ASSERT_EQ(posted.size(), 3u);
    EXPECT_EQ(posted[1], (PostedEvent{WindowPlacement, 0x110, 0, 0})) << "reflections and the display mode";
    EXPECT_EQ(posted[2], (PostedEvent{ApplyTableSettings, 0, 0, 0}));
    EXPECT_EQ(settingsRequests->gameOptions, (std::vector<uint8_t>{1}));
    EXPECT_EQ(settingsRequests->optionsSent, 0) << "nothing the server keeps changed";
    EXPECT_EQ(app.GetSettings().width, 1024u);
    EXPECT_EQ(app.GetSettings().cameraMode, 3u);
    EXPECT_EQ(Player().chatTexts[1], u" ");
    EXPECT_EQ(Player().chatTexts[4], quill::WString(40, u'x')) << "cut to the field, the program goes on";
    const auto texts = Sent(MessageId::SettingsText);
    ASSERT_EQ(texts.size(), 1u);
    quill::Packet packet;
    ASSERT_TRUE(packet.LoadReceived(texts[0]));
    EXPECT_EQ(packet.ReadWString(), u"hi");
    EXPECT_EQ(packet.ReadWString(), u" ");

    Settings reread;
    reread.LoadFile(app.GetConfigPath());
    EXPECT_EQ(reread.width, 1024u);
    EXPECT_EQ(reread.height, 768u);
    EXPECT_EQ(reread.waterEffect, app.GetSettings().waterEffect);
    EXPECT_EQ(reread.largeChatFont, 1);
    EXPECT_EQ(reread.fxVolume, 50u);
    EXPECT_EQ(reread.cameraMode, 3u);
}

TEST_F(SettingsDialogTest, ShotModeAndServerOptionsGoToTheServer) {
    app.GetSettingsMutable().serverOptionsKnown = 0;
    Open();
    Pick(SettingsDialog::kShotGauge);
    Pick(SettingsDialog::kShotStroke);
    Click(SettingsDialog::kServerOption2);
    Press(SettingsDialog::kApply);
    EXPECT_EQ(app.GetSettings().serverOptionsKnown, 1);
    EXPECT_EQ(app.GetSettings().extraOptionB, 0);
    EXPECT_EQ(app.GetSettings().EncodeExtraOptions(), 1);
    EXPECT_EQ(settingsRequests->optionsSent, 1);
}

TEST_F(SettingsDialogTest, TheFrameRateShowsItsColourOnceASecondAndAltEnterReachesAHiddenDialog) {
    const auto label = [this](int32_t rate, uint32_t now) {
        settingsRequests->frameRate = rate;
        settings->Tick(now);
        return settings->FrameRateLabel()->GetText();
    };
    EXPECT_EQ(label(58, 5000), u"58 fps (normal)");
    EXPECT_EQ(settings->FrameRateLabel()->GetTextColor(), 0xFF00FF00u);
    EXPECT_EQ(label(20, 5500), u"58 fps (normal)") << "once a second";
    EXPECT_EQ(label(57, 6000), u"57 fps (slow)");
    EXPECT_EQ(settings->FrameRateLabel()->GetTextColor(), 0xFFFFFF00u);
    EXPECT_EQ(label(29, 7000), u"29 fps (slow)");
    EXPECT_EQ(label(28, 8000), u"28 fps (slow,bad)");
    EXPECT_EQ(settings->FrameRateLabel()->GetTextColor(), 0xFFFF0000u);

    Open();
    Press(SettingsDialog::kClose);
    ASSERT_FALSE(settings->IsVisible());
    for (int flip = 0; flip < 2; ++flip) {
        const bool wasFullScreen = app.IsFullScreen();
        app.ToggleFullScreen();
        const uint8_t now = wasFullScreen ? 0 : 1;
        EXPECT_EQ(app.IsFullScreen(), now != 0);
        EXPECT_EQ(settings->Control(SettingsDialog::kFullScreen)->IsChecked(), now != 0);
        EXPECT_EQ(settings->Working().fullScreen, now);
        EXPECT_EQ(app.GetSettings().fullScreen, now);
        EXPECT_EQ(Caption(settings->ResolutionList()) == u"Windowed", now == 0);
    }
}

}  // namespace
}  // namespace kestrovan::test
