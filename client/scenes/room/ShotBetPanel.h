#pragma once
// The panel on which the players of a room bet, shot by shot, whether the shooter will score: "친다" (makes
// it), "못친다" (misses) or no bet. It checks the limits the client knows (one change per shot, the money a
// bet needs, bets only while open, no bet on one's own miss) and sends ShotBet (1174, the choice); the server
// settles. It keeps the last 200 lines of the room's bets and shows the newest three. Lines are shown as they
// stand: a nickname may hold any character.
//
// Threads: only a screen's entries call it (client/app/Scene.h); the bet state is atomic.
#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>

#include "QuillLib/core/WString.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Button;
class GameConnection;
class Image;
class RequestSender;
class TextLabel;

class ShotBetPanel : public Window {
public:
    static constexpr int32_t kFoldId = 2049;
    static constexpr int32_t kMakesIt = 2052;
    static constexpr int32_t kMisses = 2053;
    static constexpr int32_t kNoBet = 2051;
    static constexpr int32_t kDefaultBet = 1000;
    static constexpr size_t kMaxLines = 200;
    static constexpr size_t kShownLines = 3;
    static constexpr uint32_t kRulesColour = 0xFFA0A0A0;
    static constexpr uint32_t kShotColour = 0xFFA0A0FF;

    struct Line {
        uint32_t colour = 0;
        quill::WString text;
    };

    ShotBetPanel(GameConnection& connection, RequestSender& sender, std::function<void(quill::WStringView)> notice);

    void SetBetAmount(int32_t amount);
    int32_t BetAmount() const { return betAmount_; }
    void SetBetOpen(bool open) { betOpen_ = open; }
    bool BetOpen() const { return betOpen_; }
    // Everything back for a new game: no bet, 1000 to bet, no lines.
    void Reset();
    // A new shot on offer: the bets start over, and on the first shot shown the rules follow.
    void NewShot(quill::WStringView shooter, bool ownTurn);
    // A bet the room reports: 1 makes it, 2 misses, 0 no bet; other values add nothing.
    void AddBetLine(quill::WStringView nickname, uint8_t choice);
    void AddLine(quill::WStringView text, uint32_t colour);

    uint8_t Choice() const { return choice_; }
    int32_t ViewMode() const { return viewMode_; }
    size_t LineCount() const;
    Line LineAt(size_t index) const;
    TextLabel* ShownLine(size_t n) const { return shownLines_[n]; }
    TextLabel* Title() const { return title_; }
    Button* BetButton(int32_t id) const;
    Button* FoldButton() const { return fold_; }
    Image* Unfolded() const { return unfolded_; }
    Image* Folded() const { return folded_; }

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    void AddRules();
    void PressOnly(int32_t id);
    void Refuse(Button& button, quill::WStringView text);
    void Bet(Button& button, uint8_t choice);
    void ShowLines();
    void ApplyViewMode();

    GameConnection& connection_;
    RequestSender& sender_;
    std::function<void(quill::WStringView)> notice_;
    Button* fold_ = nullptr;
    TextLabel* title_ = nullptr;
    std::array<TextLabel*, kShownLines> shownLines_{};
    Button* makesIt_ = nullptr;
    Button* misses_ = nullptr;
    Button* noBet_ = nullptr;
    Image* unfolded_ = nullptr;
    Image* folded_ = nullptr;

    std::atomic<bool> ownTurn_{false};
    std::atomic<bool> betOpen_{false};
    std::atomic<int32_t> viewMode_{1};
    std::atomic<int32_t> changeCount_{0};
    std::atomic<int32_t> shotCount_{0};
    std::atomic<uint8_t> choice_{0};
    std::atomic<int32_t> betAmount_{kDefaultBet};
    std::deque<Line> lines_;
};

}  // namespace kestrovan
