#pragma once
// The room's chat: the eight lines of the chat box over the room's chat log, its scroll bar, the input box
// and the mute button; the players' lines as they came (what a bad-language report quotes, the last 20);
// the local player's lines sent with the spam guard, team chat ('@') and slash commands.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "QuillLib/core/WString.h"
#include "client/scenes/common/ChatRateGuard.h"
#include "client/scenes/common/ChatRefresh.h"
#include "client/scenes/room/RoomChatLog.h"

namespace quill {
class Packet;
}

namespace kestrovan {

class Button;
class ConnectionRequestSender;
class EditBox;
class GameConnection;
class Image;
class PacketRouter;
class SceneRoomGame;
class ScreenServices;
class ScrollBar;
class TextLabel;
class Widget;

class RoomChat {
public:
    static constexpr size_t kLines = 8;
    static constexpr size_t kReceivedLines = 20;

    RoomChat(SceneRoomGame& screen, ScreenServices& app, GameConnection& connection, ConnectionRequestSender& sender);

    // Lays the chat area, its lines, the mute button, the scroll bar and the input box into the screen.
    void Build(Widget& screen);

    // A new room's chat: the last room's lines would otherwise hold the view at their top.
    void Clear();
    // The line is kept and the scroll bar follows at once; the box shows it with the next layout of the
    // update (ChatRefresh).
    void AddLine(quill::WStringView text, uint32_t colour);
    // Lays the chat records into the eight lines of the chat box (with refill: texts and colours too).
    void Layout(uint32_t nowMs, bool refill);
    // The update's layout: the fading every time, texts only when lines came since the last one; the chat
    // sound once when one of them rang.
    void Tick(uint32_t nowMs);
    // The player scrolled the box to the record at position.
    void ScrollTo(int32_t position, uint32_t nowMs);
    // Lines written before the room was shown are filled in by the first layout, not by the next tick.
    void MarkShown() { refresh_.Take(); }

    // A line from the local player; false only when it is refused as spam.
    bool Send(quill::WStringView text, bool rejectSpam);
    // Enter in the input box: its line goes, and the box empties once it went.
    void SubmitInput();
    void ClearInput();
    // The input box writes in the colour of the local player's seat.
    void ColourInputForSeat(uint8_t seat);
    void ToggleSound() { soundOn_ = !soundOn_; }

    // The route of the players' lines.
    void AddRoutes(PacketRouter& routes);
    // RoomChat from the server: kept for reports as said, shown through the word filter.
    void OnRoomChat(quill::Packet& packet);
    // The received lines for a report: send is given their block, and the lines are taken (a report sends them
    // once) only when it went. False when it did not.
    bool HasReceived() const { return !received_.empty(); }
    bool ReportReceived(const std::function<bool(const std::string& block)>& send);
    void ForgetReceived() { received_.clear(); }

    const RoomChatLog& Log() const { return log_; }
    const std::deque<quill::WString>& Received() const { return received_; }
    Widget* Area() const { return area_; }
    Image* Line(size_t n) const { return lines_[n]; }
    TextLabel* Text(size_t n) const { return texts_[n]; }
    Button* MuteButton() const { return mute_; }
    ScrollBar* Scroll() const { return scroll_; }
    Image* Input() const { return input_; }
    EditBox* Box() const { return box_; }

private:
    // The text as the chat box shows it: through the word filter when the player keeps the filter on.
    quill::WString Filtered(quill::WStringView text);

    SceneRoomGame& screen_;
    ScreenServices& app_;
    GameConnection& connection_;
    ConnectionRequestSender& sender_;
    RoomChatLog log_;
    ChatRefresh refresh_;
    std::deque<quill::WString> received_;
    ChatRateGuard spamGuard_{ChatRateGuard::Edge::Included};
    bool soundOn_ = true;

    // Widgets, owned by the tree.
    Widget* area_ = nullptr;
    std::array<Image*, kLines> lines_{};
    std::array<TextLabel*, kLines> texts_{};
    Button* mute_ = nullptr;
    ScrollBar* scroll_ = nullptr;
    Image* input_ = nullptr;
    EditBox* box_ = nullptr;
};

}  // namespace kestrovan
