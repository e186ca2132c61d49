#pragma once
// The in-game help: four tabs ("Interface", "Game rules", "Skills", "Community") over the controls and
// shortcuts (for a game room or for the lobby-like screens, by the context it was opened with), the rules
// of a game type, the skill points and the community features, and the frame rate. The "Game rules" tab
// refers the player to the homepage, which opens in the system browser. Each screen that offers help makes
// its own (CreateHelpWindow) and opens it with OpenPage.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "client/scenes/common/HelpTexts.h"
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class Button;
class Panel;
class ScreenServices;

class HelpWindow : public PopupWindow {
public:
    static constexpr int32_t kWidth = 427;
    static constexpr int32_t kHeight = 547;
    static constexpr int32_t kFirstTab = 7;          // 7 interface, 8 game rules, 9 skills, 10 community
    static constexpr int32_t kFirstTypeButton = 20;  // + GameType
    static constexpr int32_t kRoomContext = 2;
    static constexpr size_t kRuleLines = RulesPage::kSummaryLines + RulesPage::kDetailLines;
    static constexpr uint32_t kFrameRateEveryMs = 1000;

    // What the window needs of the application.
    struct Services {
        std::function<int32_t()> frameRate;     // the frame clock's measured rate
        std::function<void()> referToHomepage;  // the notice "Refer to homepage." and the homepage opened
        HelpLanguage language = HelpLanguage::Korean;
    };

    explicit HelpWindow(Services services);

    // Context 2 (a game room) fills the rules page for the room's game type and keeps the page shown;
    // any other context (the lobby-like screens) fills it for the type chosen last and shows page 0.
    void OpenPage(int32_t context, int32_t gameType);
    // Opens the window on the rules of a room's game type: what a room's Help button does.
    void OpenRoomPage(int32_t gameType);

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    // Centres the window and shows the current page.
    void OnShow() override;
    // At most once a second: the frame rate and how it is (red below 29, yellow below 58, green).
    void Tick(uint32_t now) override;

    int32_t CurrentPage() const { return page_; }
    int32_t RulesGameType() const { return gameType_; }
    Panel* PagePanel(size_t page) const { return pages_[page]; }
    Panel* RoomControlsPanel() const { return roomControls_; }
    Button* Tab(size_t page) const { return tabs_[page]; }
    Button* TypeButton(int32_t gameType) const;
    TextLabel* RulesTitle() const { return rulesTitle_; }
    TextLabel* RuleLine(size_t n) const { return ruleLines_[n]; }
    TextLabel* FrameRateLabel() const { return frameRate_; }

private:
    void BuildTabs();
    void BuildInterfacePages();
    void BuildSkillsPage();
    void BuildCommunityPage();
    void BuildRulesPage();
    Panel* AddPage();
    TextLabel* AddText(Panel& page, int32_t x, int32_t y, int32_t w, quill::WStringView text);
    // A key cap at the left of the page's line at y, with the key's name.
    void AddKeyCap(Panel& page, int32_t y, quill::WStringView key);
    void ShowPage();
    void FillRulesPage(int32_t gameType);

    Services services_;
    std::array<Button*, 4> tabs_{};
    std::array<Panel*, 4> pages_{};
    Panel* roomControls_ = nullptr;  // page 0 as a game room shows it
    std::array<Button*, 17> typeButtons_{};
    TextLabel* rulesTitle_ = nullptr;
    std::array<TextLabel*, kRuleLines> ruleLines_{};
    TextLabel* frameRate_ = nullptr;
    std::atomic<int32_t> context_{0};
    std::atomic<int32_t> gameType_{0};
    std::atomic<int32_t> page_{0};
    uint32_t lastRateTick_ = 0;
};

// A help window of the program: the App's frame clock, the shared notice box and the system browser.
std::unique_ptr<HelpWindow> CreateHelpWindow(ScreenServices& app);

}  // namespace kestrovan
