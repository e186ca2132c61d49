#pragma once
// The lobby's windows over its panels: the room password popup, the practice room's setting dialog, the
// room creation dialog, the help window, the in-progress dialog, the event coupon popup, the two picture
// windows, the tournament's popups (the status window, the ranking chart, the alarm) and the web pages,
// which open on the main thread from the lobby's page queue.
//
// Threads: see the table in client/app/Scene.h; the page queue is an event queue with a lock of its own.
#include <cstdint>
#include <memory>

#include "QuillLib/core/EventQueue.h"
#include "QuillLib/core/WString.h"
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class EventPagePopup;
class GameConnection;
class HelpWindow;
class InProgressDialog;
class LobbyImageWindow;
class LobbyPageWindow;
class RoomCreateDialog;
class RoomPasswordPopup;
class RoomSettingDialog;
class Scene;
class ScreenServices;
class TournamentPopups;
class WebPages;

class LobbyDialogs {
public:
    static constexpr uint32_t kPageQueueSize = 32;

    // app: the windows' events, the site, the browser, the help pages and the notice boxes.
    LobbyDialogs(ScreenServices& app, GameConnection& connection);
    ~LobbyDialogs();
    LobbyDialogs(const LobbyDialogs&) = delete;
    LobbyDialogs& operator=(const LobbyDialogs&) = delete;

    // Adds the windows, hidden, to the screen.
    void Build(Scene& screen);
    void OpenHelp();
    // A dialog still open when the screen changes keeps no device resources in its previews.
    void ReleasePreviews();
    // Hidden on entering the lobby.
    void HidePasswordPopup();

    void OpenWebPage(quill::WStringView path);
    // An article forwarded to the lobby (wParam 1 a notice, else a board article), opened by the frame.
    void QueueArticle(uint32_t id, uint32_t wParam, uint32_t lParam);
    // Main thread: the queued articles open here; any other queued entry is dropped.
    void OpenQueuedPages();
    void OnWebWindowClosed();
    bool IsWebWindowOpen() const;
    int32_t WebWindowsOpened() const { return webWindowsOpened_; }
    const quill::WString& LastWebPage() const { return lastWebPage_; }

    RoomPasswordPopup* PasswordPopup() const { return passwordPopup_; }
    RoomSettingDialog* PracticeDialog() const { return practiceDialog_; }
    RoomCreateDialog* CreateDialog() const { return createDialog_; }
    InProgressDialog* InProgress() const { return inProgress_; }
    TournamentPopups& Tournament() const { return *tournament_; }

private:
    void BuildPictureWindows(Scene& screen, const PopupWindow::EventPoster& poster);

    ScreenServices& app_;
    GameConnection& connection_;
    quill::EventQueue pageQueue_{kPageQueueSize};
    std::unique_ptr<WebPages> webPages_;
    std::unique_ptr<TournamentPopups> tournament_;
    int32_t webWindowsOpened_ = 0;
    quill::WString lastWebPage_;

    // Windows, owned by the tree.
    RoomPasswordPopup* passwordPopup_ = nullptr;
    RoomSettingDialog* practiceDialog_ = nullptr;
    RoomCreateDialog* createDialog_ = nullptr;
    HelpWindow* help_ = nullptr;
    InProgressDialog* inProgress_ = nullptr;
    EventPagePopup* eventPopup_ = nullptr;
    LobbyImageWindow* imageWindow_ = nullptr;
    LobbyPageWindow* pageWindow_ = nullptr;
};

}  // namespace kestrovan
