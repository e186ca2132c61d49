#include "client/scenes/lobby/LobbyDialogs.h"

#include "QuillLib/core/AppEventId.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/SiteConfig.h"
#include "client/app/Scene.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/AppPlayerHost.h"
#include "client/scenes/common/HelpWindow.h"
#include "client/scenes/common/InProgressDialog.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/common/ItemPreviews.h"
#include "client/scenes/common/RoomPasswordPopup.h"
#include "client/scenes/common/RoomSettingDialog.h"
#include "client/scenes/common/WebPages.h"
#include "client/scenes/lobby/EventPagePopup.h"
#include "client/scenes/lobby/LobbyImageWindow.h"
#include "client/scenes/lobby/LobbyPageWindow.h"
#include "client/scenes/lobby/RoomCreateDialog.h"
#include "client/scenes/lobby/TournamentPopups.h"
#include "platform/browser/Browser.h"

namespace kestrovan {

LobbyDialogs::LobbyDialogs(ScreenServices& app, GameConnection& connection) : app_(app), connection_(connection) {}

LobbyDialogs::~LobbyDialogs() = default;

void LobbyDialogs::Build(Scene& screen) {
    const PopupWindow::EventPoster poster = PosterOf(app_);
    passwordPopup_ =
        static_cast<RoomPasswordPopup*>(screen.AddChild(std::make_unique<RoomPasswordPopup>(poster), false));
    practiceDialog_ = static_cast<RoomSettingDialog*>(
        screen.AddChild(std::make_unique<RoomSettingDialog>(connection_, poster), false));
    auto create = std::make_unique<RoomCreateDialog>(
        connection_, poster, [this, &screen](quill::WStringView line) { app_.Scenes().ShowNoticeBox(&screen, line); },
        [this, &screen](quill::WStringView line) { app_.Scenes().ShowErrorBox(&screen, line); });
    createDialog_ = static_cast<RoomCreateDialog*>(screen.AddChild(std::move(create), false));
    webPages_ = std::make_unique<WebPages>(app_, poster);
    help_ = static_cast<HelpWindow*>(screen.AddChild(CreateHelpWindow(app_), false));
    inProgress_ = static_cast<InProgressDialog*>(
        screen.AddChild(std::make_unique<InProgressDialog>([this] { app_.PostQuit(); }), false));
    BuildPictureWindows(screen, poster);
    tournament_ = std::make_unique<TournamentPopups>(std::make_unique<AppPlayerHost>(app_), screen);
}

// The event coupon popup and the two large picture windows, hidden until something shows them.
void LobbyDialogs::BuildPictureWindows(Scene& screen, const PopupWindow::EventPoster& poster) {
    auto event = std::make_unique<EventPagePopup>(
        app_.Site(), [this] { return connection_.LocalPlayer().accountKind; },
        [this](quill::WStringView address) {
            if (platform::Browser* browser = app_.Browser()) browser->Open(address);
        },
        poster, [this] { app_.PostQuit(); });
    eventPopup_ = static_cast<EventPagePopup*>(screen.AddChild(std::move(event), false));
    imageWindow_ = static_cast<LobbyImageWindow*>(screen.AddChild(std::make_unique<LobbyImageWindow>(poster), false));
    pageWindow_ = static_cast<LobbyPageWindow*>(screen.AddChild(std::make_unique<LobbyPageWindow>(poster), false));
}

void LobbyDialogs::OpenHelp() {
    help_->OpenPage(1, quill::game_type::kFourBall);
    help_->Open();
}

void LobbyDialogs::ReleasePreviews() {
    ReleaseItemPreviews(*createDialog_);
    ReleaseItemPreviews(*practiceDialog_);
}

void LobbyDialogs::HidePasswordPopup() {
    passwordPopup_->Show(false);
}

// --- Web pages ------------------------------------------------------------------------------------------------

void LobbyDialogs::OpenWebPage(quill::WStringView path) {
    if (!webPages_->HasWindow()) {
        ++webWindowsOpened_;
        lastWebPage_ = quill::WString(path);
    }
    webPages_->Open(path);
}

bool LobbyDialogs::IsWebWindowOpen() const {
    return webPages_->HasWindow();
}

void LobbyDialogs::QueueArticle(uint32_t id, uint32_t wParam, uint32_t lParam) {
    pageQueue_.Post(id, wParam, lParam, 0);
}

void LobbyDialogs::OpenQueuedPages() {
    while (quill::AppEvent* event = pageQueue_.Pop()) {
        if (event->id == quill::AppEventId::LobbyQueueForward) {
            const auto article = static_cast<int32_t>(event->lParam);
            OpenWebPage(event->wParam == 1 ? WebPages::NoticePath(article) : WebPages::BoardPath(article));
        }
        pageQueue_.Release(event);
    }
}

void LobbyDialogs::OnWebWindowClosed() {
    webPages_->OnWindowClosed();
}

}  // namespace kestrovan
