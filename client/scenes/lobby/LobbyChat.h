#pragma once
// The lobby's channel chat: the panel with the channel's name, the six lines over the chat log and its
// scroll bar, the input box; the checks a typed line passes before it is sent (the chat ban, the flood
// guard, the word filter, slash commands), the lines and notices from the server and the lines the lobby
// writes itself. The log survives leaving and re-entering the lobby.
//
// Threads: see the table in client/app/Scene.h; the flood guard is the main thread's alone.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "QuillLib/core/WString.h"
#include "client/scenes/common/ChatRateGuard.h"
#include "client/scenes/common/ChatRefresh.h"
#include "client/scenes/lobby/LobbyChatLog.h"

namespace quill {
class Packet;
}

namespace kestrovan {

class EditBox;
class GameConnection;
class Image;
class ScrollBar;
class Settings;
class TextLabel;
class Widget;

class LobbyChat {
public:
    static constexpr size_t kLines = 6;
    static constexpr int32_t kInputLength = 58;

    // settings: the player's, read for the word filter.
    LobbyChat(GameConnection& connection, const Settings& settings);

    // Lays the panel into the screen; the scroll bar sends scrollId.
    void Build(Widget& screen, int32_t scrollId);
    void Anchor();
    void ApplyFont(const Settings& settings);
    // The channel's number and kind over the lines.
    void ShowChannel(int32_t channel, quill::WStringView kindSuffix);
    // A new stay in the lobby: the view from the first line, the flood guard forgets.
    void Enter();

    // True when the input may be cleared: sent, taken as a command, or refused for a ban.
    bool Send(quill::WStringView text);
    // Enter in the input box: its line goes, and the box empties once it went.
    void SubmitInput();
    void FocusInput();
    // A line, kept and followed by the scroll bar at once; the next Tick shows it and rings the chat sound.
    void AddLine(quill::WStringView text, uint32_t colour);
    // The update's refresh: the lines that came since the last one shown, and the chat sound played, once.
    void Tick();
    // The player scrolled the view to the line at position (from 1).
    void ScrollTo(int32_t position);

    // The server's lines and notices (dispatch thread).
    void OnLobbyChat(quill::Packet& packet);
    void OnChatBanned(quill::Packet& packet);
    void OnSystemNotice(quill::Packet& packet);
    void OnLobbyNotice(quill::Packet& packet);

    // Copies.
    std::vector<LobbyChatLine> Lines() const;
    EditBox* Input() const { return input_; }
    TextLabel* Line(size_t k) const { return labels_[k]; }
    TextLabel* ChannelLabel() const { return channel_; }

private:
    quill::WString Censored(quill::WStringView text);
    void RefreshView();

    GameConnection& connection_;
    const Settings& settings_;
    LobbyChatLog log_;
    ChatRefresh refresh_;
    ChatRateGuard flood_{ChatRateGuard::Edge::Excluded};  // main thread only

    // Widgets, owned by the tree.
    Image* panel_ = nullptr;
    TextLabel* channel_ = nullptr;
    std::array<TextLabel*, kLines> labels_{};
    EditBox* input_ = nullptr;
    ScrollBar* scroll_ = nullptr;
};

}  // namespace kestrovan
