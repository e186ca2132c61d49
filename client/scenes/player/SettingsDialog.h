#pragma once
// The one shared options dialog: four pages (video, sound, control, game) that edit a working copy of the
// application's settings, and the six chat-slot texts of the player. Every showing reloads the controls and
// the working copy from the application's settings; the mode, colour and anisotropy lists are filled on the
// first showing. Volumes, sound on/off and brightness take effect at once and stay after Close; the rest
// takes effect on "apply & save", which stores the working copy in the application's settings, posts the
// display and table changes (1054, 1057) for the App, writes "config.ini", and sends the options the server
// keeps (68) and the changed chat-slot texts (69).
//
// The dialog changes the display only through the events it posts: its handlers run while the widget tree
// is routed, under locks that the App's display change must not wait for.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "client/app/Settings.h"
#include "client/app/SettingsPopup.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Button;
class ComboBox;
class EditBox;
class Panel;
class PlayerHost;
class ScrollBar;
class TextLabel;

class SettingsDialog : public Window, public SettingsPopup {
public:
    static constexpr int32_t kWidth = 427;
    static constexpr int32_t kHeight = 547;
    static constexpr size_t kPages = 4;
    static constexpr size_t kChatSlots = 6;
    static constexpr int32_t kChatSlotUnits = 40;
    static constexpr int32_t kMaskLevel = 7;

    // Control ids.
    enum : int32_t {
        kClose = 0, kApply = 1, kFirstTab = 5,
        kPresetHigh = 20, kPresetMid = 21, kPresetLow = 22,
        kFullScreen = 101, kVsync = 102, kTableEffect = 107, kWaterEffect = 108,
        kFirstQuality = 110, kFirstFilter = 130, kFirstFsaa = 140,
        kMusicVolume = 201, kEffectsVolume = 202, kVoiceVolume = 203,
        kMusicOn = 205, kEffectsOn = 206, kVoiceOn = 207,
        kShotSensitivity = 301, kVerticalSensitivity = 302, kHorizontalSensitivity = 303,
        kVerticalInverse = 304, kHorizontalInverse = 305, kShotGauge = 306, kShotStroke = 307,
        kShotZoom = 309, kTurnZoom = 310, kMouseFix = 311, kFirstCamera = 320,
        kTraceAll = 401, kChatFont = 402, kMask = 403, kGreeting = 404, kBrightness = 410,
        kServerOption1 = 452, kServerOption2 = 453,
    };
    static constexpr size_t kQualities = 3;
    static constexpr size_t kFilters = 3;
    static constexpr size_t kFsaaLevels = 5;
    static constexpr size_t kCameras = 3;

    explicit SettingsDialog(std::unique_ptr<PlayerHost> host);
    ~SettingsDialog() override;

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    void Tick(uint32_t now) override;

    // SettingsPopup.
    void LoadWindowGraphics(uint32_t arg) override;
    void Open(Widget& screen) override;
    void SetFullScreen(bool fullScreen) override;

    void FillRefreshRates(uint32_t width, uint32_t height, uint32_t depth);
    void SetColourDepth(uint32_t bits);
    void SetImageQuality(size_t index);
    void SetTextureFilter(size_t index);
    void SetFsaa(size_t index);
    void SetShotMode(uint32_t mode);
    void UpdateResolutionList();
    void ApplyPresetHigh();
    void ApplyPresetMid();
    void ApplyPresetLow();
    void Apply();

    // What tests read.
    const Settings& Working() const { return working_; }
    int32_t CurrentPage() const { return currentPage_; }
    const std::vector<uint32_t>& RefreshRates() const { return rates_; }
    Button* Control(int32_t id) const;
    ScrollBar* Slider(int32_t id) const;
    ComboBox* ResolutionList() const { return resolution_; }
    ComboBox* RefreshList() const { return refresh_; }
    ComboBox* ColourList() const { return colour_; }
    ComboBox* AnisotropyList() const { return anisotropy_; }
    EditBox* ChatSlot(size_t n) const { return chatSlots_[n]; }
    TextLabel* FrameRateLabel() const { return frameRate_; }
    TextLabel* BrightnessLabel() const { return brightnessLabel_; }
    TextLabel* ShotSensitivityLabel() const { return shotLabel_; }
    Panel* Page(size_t n) const { return pages_[n]; }

private:
    // Layout (SettingsDialogLayout.cpp).
    void BuildFrame();
    void BuildVideoPage(Panel& page);
    void BuildSoundPage(Panel& page);
    void BuildControlPage(Panel& page);
    void BuildGamePage(Panel& page);
    // Where a control's caption lies in the page's picture, from the control's left edge (negative: left of
    // it), and how wide it is; 0 wide for none.
    struct CaptionArea {
        int32_t left = 0;
        int32_t width = 0;
    };
    static constexpr int32_t kBoxWidth = 31;
    static constexpr int32_t kBoxHeight = 18;
    Button* AddCheckBox(Panel& page, int32_t x, int32_t y, int32_t id, quill::WStringView tooltip, CaptionArea caption);
    Button* AddRadio(Panel& page, int32_t x, int32_t y, int32_t id, quill::WStringView tooltip, CaptionArea caption);
    ScrollBar* AddSlider(Panel& page, int32_t x, int32_t y, int32_t w, int32_t id, int32_t positions, bool large);
    ComboBox* AddList(Panel& page, int32_t x, int32_t y, int32_t w, int32_t rows, quill::WStringView tooltip,
                      quill::WStringView caption);

    // Showing (SettingsDialog.cpp).
    void ShowPage(int32_t page);
    void LoadControls();
    void LoadSoundAndControlPages();
    void FillListsOnce();
    void UpdateAnisotropyList();
    static void CheckOne(const std::vector<Button*>& group, size_t index);
    static void SetCaption(ComboBox& list, quill::WStringView caption);
    void SetSlider(int32_t id, int32_t value);

    // Events (SettingsDialogEvents.cpp).
    bool OnListChosen(Widget* source, int32_t row);
    bool OnCheckBox(int32_t id, bool down);
    bool OnSlider(int32_t id, int32_t value);
    bool OnChoice(int32_t id);
    void ChooseResolution(int32_t row);
    void SetMask(bool down);
    uint32_t ChangeBits() const;
    bool OptionsToSend() const;
    void SendChatSlots();

    std::unique_ptr<PlayerHost> host_;
    Settings working_;
    Settings previous_;
    std::vector<uint32_t> rates_;
    int32_t currentPage_ = 0;
    bool listsToFill_ = true;
    bool shotModeTouched_ = false;
    bool sendOptionsAnyway_ = false;
    int32_t resolutionRow_ = 0;
    uint32_t lastTick_ = 0;
    bool ticked_ = false;

    std::array<Button*, kPages> tabs_{};
    std::array<Panel*, kPages> pages_{};
    TextLabel* frameRate_ = nullptr;
    std::vector<Button*> controls_;
    std::vector<ScrollBar*> sliders_;
    std::vector<Button*> qualities_;
    std::vector<Button*> filters_;
    std::vector<Button*> fsaa_;
    std::vector<Button*> cameras_;
    std::vector<Button*> shotModes_;
    ComboBox* resolution_ = nullptr;
    ComboBox* refresh_ = nullptr;
    ComboBox* colour_ = nullptr;
    ComboBox* anisotropy_ = nullptr;
    TextLabel* brightnessLabel_ = nullptr;
    TextLabel* shotLabel_ = nullptr;
    std::array<EditBox*, kChatSlots> chatSlots_{};
};

}  // namespace kestrovan
