#pragma once
// The room's windows over the table: help (F1, F2 and on entry for new players), the room menu (Escape), the
// replay view of the last shot (Control+R), the withdrawal questions and the requests to the opponent (each
// kind once a game), the report of bad language, the room's options, invitations, the new-message window,
// the level-up window, the one-hour notice and the results board.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/scenes/room/RoomPart.h"

namespace quill {
class Packet;
}

namespace kestrovan {

class Button;
class GameOptionDialog;
class GameTable;
class HelpWindow;
class InviteWindow;
class LevelUpPopup;
class OpponentRequestAcceptPopup;
class OpponentRequestPopup;
class PacketRouter;
class ReplayPanel;
class ReportUserPopup;
class ResultBoard;
class RoomChat;
class RoomGameFlow;
class RoomItems;
class RoomMenu;
class TimeLimitNotice;
class Widget;
class WithdrawMenuPopup;
class WithdrawPopup;
class WithdrawQuestion;

class RoomDialogs : private RoomPart {
public:
    RoomDialogs(const Context& room, RoomChat& chat, RoomItems& items, RoomGameFlow& flow);

    // The screen lays its widgets out in one order; these are the windows' places in it.
    void BuildNewMessageWindow(Widget& screen);
    void BuildReplayPanel(Widget& screen);
    void BuildWindows(Widget& screen);
    void BuildReport(Widget& screen);
    void BuildGameOption(Widget& screen);

    // A new room: each request to the opponent may go again; help opens for a player below 300 experience.
    void Enter(uint32_t experience, uint8_t gameType);
    // A new game: each request to the opponent may go again.
    void ResetRequests() { requestsSent_.fill(0); }

    void OpenHelp(uint8_t gameType);
    // Key presses of the room: Control+R toggles the replay view, F2 help (not over the replay view).
    void OnKeyDown(uint64_t key, bool control);
    void OnKeyUp(uint64_t key);
    // Escape's character shows the room's menu; its own Close (Escape its hot key) closes it. Showing, never
    // toggling, leaves the menu as a tap of Escape does however many repeats a held key types.
    void ShowRoomMenu();
    void ToggleReplayView();
    void CloseReplayView();
    // The replay panel shows the table's last shot again, when there is one.
    void ReplayLastShot(GameTable* table);

    void OpenWithdrawConfirm();
    void OnWithdrawDialogClosed(uint64_t yes, int64_t confirmValue);
    void OpenWithdrawMenu();
    void OpenWithdrawChoice(int32_t choice);
    void SendOpponentRequest();
    void OpenReport(uint64_t targetId, bool named, const quill::WString& nickname);
    void SendReport();
    void SendGameOption();
    void OpenRoomSettings();
    // Joining a running game: only on its first turn, and only with the money for it.
    void AskParticipation();
    void ShowNewMessage();
    void OpenNextFriendRequest();

    // The routes of the server's questions and answers, and of the invitable users for the invitation window.
    void AddRoutes(PacketRouter& routes);
    // The server's questions and answers.
    void OnOpponentRequest(quill::Packet& packet);
    void OnRequestRefused(quill::Packet& packet);
    void OnWithdrawPrompt(quill::Packet& packet);

    bool HelpShownOnEntry() const { return helpOnEntry_; }
    HelpWindow* Help() const { return help_; }
    RoomMenu* Menu() const { return roomMenu_; }
    ReplayPanel* Replay() const { return replayPanel_; }
    InviteWindow* Invite() const { return invite_; }
    ResultBoard* Results() const { return resultBoard_; }
    LevelUpPopup* LevelUp() const { return levelUp_; }
    WithdrawPopup* WithdrawConfirmWindow() const { return withdraw_; }
    OpponentRequestPopup* OpponentRequestWindow() const { return opponentRequest_; }
    WithdrawQuestion* TurnsExceededQuestion() const { return withdrawQuestion_; }
    Button* NewMessageWindow() const { return newMessage_; }
    TimeLimitNotice* ContinueWindow() const { return timeLimit_; }

private:
    // In a gamble game, whether the local shooter would end it before its last turn (and lose half the gain).
    bool WithdrawingBeforeLastTurn() const;

    RoomChat& chat_;
    RoomItems& items_;
    RoomGameFlow& flow_;
    uint32_t lastKeyDown_ = 0;
    bool helpShown_ = false;
    bool helpOnEntry_ = false;
    bool replayView_ = false;
    std::array<uint32_t, 2> requestsSent_{};  // the requests to the opponent this game: a loss, an invalid game

    // Widgets, owned by the tree.
    Button* newMessage_ = nullptr;
    ReplayPanel* replayPanel_ = nullptr;
    HelpWindow* help_ = nullptr;
    RoomMenu* roomMenu_ = nullptr;
    WithdrawQuestion* withdrawQuestion_ = nullptr;
    ResultBoard* resultBoard_ = nullptr;
    TimeLimitNotice* timeLimit_ = nullptr;
    LevelUpPopup* levelUp_ = nullptr;
    InviteWindow* invite_ = nullptr;
    WithdrawPopup* withdraw_ = nullptr;
    WithdrawMenuPopup* withdrawMenu_ = nullptr;
    OpponentRequestPopup* opponentRequest_ = nullptr;
    OpponentRequestAcceptPopup* opponentAnswer_ = nullptr;
    ReportUserPopup* report_ = nullptr;
    GameOptionDialog* gameOption_ = nullptr;
};

}  // namespace kestrovan
