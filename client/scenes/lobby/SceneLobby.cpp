// The lobby's life (build, load, activation, leave), its layout and its controls.
#include "client/scenes/lobby/SceneLobby.h"

#include <algorithm>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/AssertBreak.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/net/MessageId.h"
#include "client/app/AppCursor.h"
#include "client/app/MessengerPopup.h"
#include "client/app/ProfilePopup.h"
#include "client/app/SceneId.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/Settings.h"
#include "client/app/SharedPopups.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ItemPreviews.h"
#include "client/scenes/common/RoomListRow.h"
#include "client/scenes/common/RoomPasswordPopup.h"
#include "client/scenes/common/RoomSettingDialog.h"
#include "client/scenes/common/TitleWindows.h"
#include "client/scenes/common/UserLocation.h"
#include "client/scenes/common/WebPages.h"
#include "client/scenes/lobby/LobbyWidgets.h"
#include "client/scenes/lobby/RoomCreateDialog.h"
#include "client/scenes/lobby/TournamentPopups.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "client/ui/WidgetToolkit.h"
#include "client/ui/Window.h"
#include "platform/system/Clock.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace Vk = platform::Vk;
using quill::MessageId;

SceneLobby::SceneLobby(ScreenServices& app)
    : Scene(SceneId::Lobby),
      app_(app),
      connection_(*app.Connection()),
      requests_(connection_),
      awaited_(requests_, [this](quill::WStringView line) { app_.Scenes().ShowNoticeBox(this, line); }),
      titleBarButtons_(*this, app.Scenes(),
                       {.leave = [this] { LeaveFor(MessageId::LeaveChannel, SceneId::Login); },
                        .help = [this] { dialogs_.OpenHelp(); }}),
      rooms_(connection_),
      users_(connection_),
      chat_(connection_, app.GetSettings()),
      dialogs_(app, connection_),
      background_(app, connection_) {}

SceneLobby::~SceneLobby() = default;

// --- Layout -------------------------------------------------------------------------------------------------

void SceneLobby::Init() {
    if (built_) quill::AssertBreak("SceneLobby", 113);
    built_ = true;
    const ScreenSize screen = app_.GetScreenSize();
    SetRect(0, 0, screen.width, screen.height);
    corner_ = CreateImage(0, 0, 290, 115, kCommonTexture, 0, 521);
    corner_->SetAnchor(AnchorMode::Right, -300, AnchorMode::Bottom, -130);
    rooms_.Build(*this);
    chat_.Build(*this, kChatScroll);
    users_.Build(*this);
    BuildTitleAndButtons();
    users_.BuildMenu(*this);
    rooms_.BuildDetail(*this);
    dialogs_.Build(*this);
    ApplyChildAnchors(screen.width, screen.height);
    OnResize(screen.width, screen.height);
}

void SceneLobby::BuildTitleAndButtons() {
    titleBar_ = CreateImage(10, 4, 392, 30, kCommonTexture, 0, 416);
    titleBar_->SetAlpha(0.5f);
    titleLabel_ = titleBar_->CreateTextLabel(130, 6, 220, 20, &UiFontAt(UiFont::Bold14), 0, 0);
    titleBar_->Show(false);
    // The title bar's buttons wear the pictograms of the interface's common texture, as on the other screens.
    titleBarButtons_.Add(TitleBarButtons::Role::ToLobby, kChannelList, u"To channel list");
    titleBarButtons_.Add(TitleBarButtons::Role::Settings, kSettings);
    titleBarButtons_.Add(TitleBarButtons::Role::Help, kHelp);
    titleBarButtons_.Add(TitleBarButtons::Role::MyInfo, kMyInfo);
    titleBarButtons_.Add(TitleBarButtons::Role::Messenger, kMessenger);
    struct Side {
        int32_t id, right, y, w, h, srcX, srcY;
        const char16_t* caption;
    };
    const Side sides[] = {{kShotGallery, 206, 380, 156, 34, 0, 450, u"Shot Gallery"},
                          {kPractice, 188, 410, 114, 32, 0, 590, u"Practice alone"},
                          {kSchool, 180, 440, 98, 32, 0, 720, u"Tutor / School"},
                          {kItemShop, 186, 470, 114, 32, 500, 470, u"Item Shop"},
                          {kTournamentInfo, 206, 500, 156, 34, 500, 600, u"Tournament Info"}};
    for (const Side& s : sides) {
        Button* button =
            AddLobbyButton(*this, 0, s.y, s.w, s.h, s.id, -1, lobby_texture::kLobby, s.srcX, s.srcY, s.caption);
        button->SetAnchor(AnchorMode::Right, -s.right, 0, 0);
    }
    background_.BuildCaption(*this);
}

void SceneLobby::OnResize(uint32_t width, uint32_t height) {
    Scene::OnResize(width, height);
    const LobbyLayout layout = LobbyLayoutFor(height);
    chat_.Anchor();
    users_.Anchor();
    corner_->SetAnchor(AnchorMode::Right, -300, AnchorMode::Bottom, -130);
    rooms_.Layout(layout);
    ApplyChildAnchors(static_cast<int32_t>(width), static_cast<int32_t>(height));
    rooms_.Place(layout);
    corner_->Show(layout.cornerShown);
    WriteTitles();
    if (resourcesLoaded_) rooms_.Refresh();
}

void SceneLobby::WriteTitles() {
    const int32_t channel = connection_.CurrentChannel();
    titleLabel_->SetTextF(app_.IsFullScreen() ? u"- channel %d-%d  (FullScreen)" : u"- channel %d-%d  (Windowed)", 1,
                          channel);
    chat_.ShowChannel(channel, ChannelKindSuffix(connection_.GetChannelType(-1)));
}

void SceneLobby::ShowTitleBar(bool shown) {
    titleBar_->Show(shown);
}

void SceneLobby::OnActivate(bool active) {
    if (!active) background_.ReleaseHeldKeys();
}

void SceneLobby::OnSettingsChanged(const Settings& settings) {
    background_.ApplySettings();
    chat_.ApplyFont(settings);
}

// --- Life ---------------------------------------------------------------------------------------------------

int SceneLobby::LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) {
    if (resourcesLoaded_) quill::AssertBreak("SceneLobby", 356);
    resourcesLoaded_ = true;
    if (resources == nullptr || device == nullptr) return 1;
    if (!background_.Load(*resources, *device)) return 1;
    LoadGraphics(0);
    background_.StartMusic();
    ResetSceneNodes(background_.RenderScene());
    return 0;
}

void SceneLobby::Activate() {
    app_.Cursor().ShowCursor(true);
    chat_.Enter();
    joinPending_ = false;
    connection_.LocalPlayer().position = UserPlace::Lobby;
    background_.Enter();
    chat_.ApplyFont(app_.GetSettings());
    ResetSceneNodes(background_.RenderScene());
    users_.Enter();
    WriteTitles();
    if (activationCount_ == 0) chat_.FocusInput();
    rooms_.Enter();
    WriteEntryLines();
    ++activationCount_;
    dialogs_.HidePasswordPopup();
    StartFadeIn();
    connection_.SendBytePacket(MessageId::LobbyEnter, &kZero);
    background_.ShowYesterdayBest();
    // Just entered a tournament channel: its race schedule first.
    if (app_.Scenes().PreviousId() == SceneId::Login && connection_.GetChannelType(-1) == ChannelKind::Tournament)
        dialogs_.Tournament().ShowRanking();
}

// The lines the chat opens with: the aiming guideline, the gold limit, a running race tournament.
void SceneLobby::WriteEntryLines() {
    const quill::PlayerState& player = connection_.LocalPlayer();
    if (player.level < 10) chat_.AddLine(u"** the aiming guideline is displayed up to level 10", kYellow);
    const int64_t limit = player.GetLevelMoneyLimit();
    if (player.membershipGrade > 0) {
        const int64_t factor = player.membershipGrade >= 3 ? 50 : 20;
        chat_.AddLine(quill::Format(u"** Max gold applied to the membership is %s won.", app_.FormatMoney(limit * factor)),
                      kGreen);
    } else {
        chat_.AddLine(quill::Format(u"** Gold limit of this level : %s", app_.FormatMoney(limit)), kGreen);
    }
    if (connection_.Tournament().running != 0)
        chat_.AddLine(u"** Race Tournament is taking place. (Tournament Info -> Race)", kGreen);
}

void SceneLobby::Render(D3D9RenderDevice* device, bool draw) {
    // The lobby's clock runs through the first 48 seconds past midnight, ten seconds at a time.
    UpdateAmbientLight(static_cast<uint32_t>(static_cast<double>(platform::TimeGetTime() / 1000 % 10) * 4.8));
    background_.Draw(device, draw);
    dialogs_.OpenQueuedPages();
    if (!draw) return;
    // The creation and practice dialogs' table and ball previews are built here, before the widgets draw.
    quill::Engine* engine = app_.GetEngine();
    if (device != nullptr && engine != nullptr && engine->GetResourceManager() != nullptr)
        LoadShownItemPreviews(*this, *engine->GetResourceManager(), *device);
    DrawWidgets(device);
}

void SceneLobby::Update(uint32_t, int64_t clockTenthMs, const MouseMotion&) {
    background_.Update(clockTenthMs);
    chat_.Tick();
}

bool SceneLobby::OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) {
    Scene::OnLeave(resources, renderScenes);
    background_.Release();
    dialogs_.ReleasePreviews();
    users_.Clear();
    resourcesLoaded_ = false;
    return true;
}

// --- Into a room --------------------------------------------------------------------------------------------

void SceneLobby::JoinRoom(int32_t room) {
    if (joinPending_) return;
    ClearJoinTarget();
    // Only rooms 1 to 120 have a record to check; any other number (a "/go" command) is ignored.
    if (room < 1 || room > LobbyRoomTable::kLastRoom) return;
    const quill::RoomInfo listed = rooms_.Listed(room);
    const quill::PlayerState& player = connection_.LocalPlayer();
    if (player.age < quill::PlayerState::kAdultAge && (listed.gameType == 5 || listed.gameType == 6)) {
        ShowNotice(u"청소년은 참여할 수 없는 종목입니다.");
        return;
    }
    if (listed.passwordFlag != 0) {
        dialogs_.PasswordPopup()->SetRoom(static_cast<uint16_t>(room));
        dialogs_.PasswordPopup()->Open();
        return;
    }
    awaited_.Send(
        [room](quill::Packet& packet) {
            packet.Init(MessageId::JoinRoom).WriteU16(static_cast<uint16_t>(room)).WriteU8(0);
        },
        [&] {
            NoteAskedRoom(listed);
            joinPending_ = true;
        });
}

void SceneLobby::JoinRoomWithPassword(int32_t room, quill::WStringView password) {
    if (room < 1 || room > LobbyRoomTable::kLastRoom) return;
    // A password from an invitation comes from the server: it is cut to what the popup lets a player type.
    const quill::WStringView typed =
        password.substr(0, std::min<size_t>(password.size(), RoomPasswordPopup::kMaxLength));
    quill::RoomInfo asked = rooms_.Listed(room);
    asked.password = quill::WString(typed);
    asked.passwordFlag = 1;
    awaited_.Send(
        [&](quill::Packet& packet) {
            packet.Init(MessageId::JoinRoomWithPassword).WriteU16(static_cast<uint16_t>(room)).WriteU8(0);
            packet.WriteWString(typed);
        },
        [&] { NoteAskedRoom(asked); });
}

void SceneLobby::QuickJoin() {
    if (joinPending_) return;
    if (const int32_t room = rooms_.QuickJoinRoom(); room != 0) JoinRoom(room);
}

void SceneLobby::NoteAskedRoom(const quill::RoomInfo& room) {
    WidgetToolkit::CheckTreeAccess("SceneLobby::NoteAskedRoom");
    askedRoom_ = room;
}

JoinWithTarget SceneLobby::ReadJoinTarget() const {
    return connection_.JoinTarget();
}

void SceneLobby::WriteJoinTarget(const JoinWithTarget& target) {
    WidgetToolkit::CheckTreeAccess("SceneLobby::WriteJoinTarget");
    connection_.JoinTarget() = target;
}

void SceneLobby::ClearJoinTarget() {
    WidgetToolkit::CheckTreeAccess("SceneLobby::ClearJoinTarget");
    connection_.JoinTarget().Clear();
}

// --- Controls -----------------------------------------------------------------------------------------------

bool SceneLobby::OnEvent(Widget* source, int32_t kind, int32_t) {
    if (source == nullptr) return true;
    if (source == chat_.Input()) {
        OnChatInput(kind);
        return true;
    }
    if (RoomListRow* row = rooms_.RowOf(source)) {
        OnRoomRowEvent(*row, kind);
        return true;
    }
    if (PlayerListRow* row = users_.RowOf(source)) {
        users_.OnRowEvent(*row, kind);
        return true;
    }
    const int32_t id = source->GetId();
    if (LobbyRoomList::IsFilterId(id)) {
        rooms_.SetFilter(id, static_cast<Button*>(source)->IsChecked());
        return true;
    }
    if (LobbyUserList::IsMenuEntry(id)) {
        OnContextEntry(id);
        return true;
    }
    if (titleBarButtons_.OnControl(id)) return true;
    switch (id) {
        case kRoomScroll:
            rooms_.ScrollTo(kind);
            break;
        case kUserScroll:
            users_.ScrollTo(kind);
            break;
        case kChatScroll:
            chat_.ScrollTo(kind);
            break;
        default:
            OnControl(id);
            break;
    }
    return true;
}

// The lobby's own buttons; most wait while a join is pending.
bool SceneLobby::OnControl(int32_t id) {
    const bool pending = joinPending_;
    switch (id) {
        case kQuit:
            app_.PostQuit();
            break;
        case kLobbyUsersTab:
        case kFriendsTab:
            if (!pending) users_.SelectTab(id == kFriendsTab ? 1 : 0);
            break;
        case kListAll:
            rooms_.SetOrder(LobbyRoomTable::Order::AllRooms);
            break;
        case kWaitingFirst:
            rooms_.SetOrder(LobbyRoomTable::Order::WaitingFirst);
            break;
        case kCreateRoom:
            if (!pending && (connection_.GetChannelType(-1) != ChannelKind::Tournament || CheckTournamentEntry()))
                dialogs_.CreateDialog()->SetVisible(true);
            break;
        case kQuickJoin:
            QuickJoin();
            break;
        case kShotGallery:
            if (!pending) RequestSceneChange(SceneId::ShotGallery);
            break;
        case kItemShop:
            if (!pending) GoToShop();
            break;
        case kTournamentInfo:
            ShowNotice(u"Comming soon!");
            break;
        case kPractice:
            if (!pending) dialogs_.PracticeDialog()->SetVisible(true);
            break;
        case kSchool:
            LeaveFor(MessageId::EnterSchool, SceneId::School);
            break;
        case kWebPage:
            dialogs_.OpenWebPage(WebPages::kMainPage);
            break;
        default:
            return false;
    }
    return true;
}

void SceneLobby::LeaveFor(MessageId request, int32_t scene) {
    if (joinPending_) return;
    connection_.SendBytePacket(request, &kZero);
    RequestSceneChange(scene);
}

void SceneLobby::OnRoomRowEvent(RoomListRow& row, int32_t kind) {
    if (kind == Button::kEnterEvent) {
        ShowRoomDetail(row);
    } else if (kind == Button::kLeaveEvent) {
        rooms_.HideDetail();
    } else if (!joinPending_ && row.GetRoomNumber() > 0) {
        JoinRoom(row.GetRoomNumber());
    }
}

void SceneLobby::ShowRoomDetail(const RoomListRow& row) {
    if (row.GetRoomNumber() < 0) return;
    rooms_.ShowDetail(row, users_.PlayersIn(row.GetRoomNumber()));
}

void SceneLobby::OnContextEntry(int32_t id) {
    const std::optional<ShownPlayer> chosen = users_.TakeMenuChoice();
    if (!chosen) return;
    const ShownPlayer& target = *chosen;
    const bool self = target.accountId == connection_.LocalPlayer().accountId;
    switch (id) {
        case kViewInfo:
            // One's own profile needs no request.
            if (!self) {
                SendUserInfoRequest(target);
            } else if (ProfilePopup* profile = app_.Scenes().GetProfilePopup()) {
                profile->ShowLocal(*this, connection_.LocalPlayer());
            }
            break;
        case kJoinWithEntry:
            if (target.location.channel >= 1) {
                JoinWithTarget join;
                join.Clear();
                join.pending = 1;
                join.channel = static_cast<uint8_t>(target.location.channel);
                join.place = target.location.place;
                WriteJoinTarget(join);
                app_.PostEvent(quill::AppEventId::JoinWith, 0, 0, 0);
            }
            break;
        case kFriendEntry:
        case kInviteClan:
            if (!self) AskMessengerAbout(target, id);
            break;
        default:
            break;
    }
}

void SceneLobby::SendUserInfoRequest(const ShownPlayer& target) {
    connection_.SendWritten([&](quill::Packet& packet) {
        packet.Init(MessageId::UserInfoRequest).WriteU8(0xFF).WriteI64(target.accountId).WriteWString(target.nickname);
    });
}

void SceneLobby::OnChatInput(int32_t kind) {
    switch (kind) {
        case EditBox::kSubmitEvent:
            chat_.SubmitInput();
            break;
        case Vk::F8:
            OpenTitleWindow(app_.Scenes(), *this, TitleWindow::Messenger);
            break;
        case Vk::F4:
            OpenTitleWindow(app_.Scenes(), *this, TitleWindow::MyInfo);
            break;
        case Vk::Tab:
            if (MessengerPopup* messenger = app_.Scenes().GetMessenger(); messenger != nullptr && messenger->IsOpen())
                messenger->FocusChatEntry();
            break;
        case Vk::F1:
            dialogs_.OpenHelp();
            break;
        default:
            break;
    }
}

// The friend and clan questions about a player of the lists are the messenger's: deleting a friend whose row
// the friends tab shows, else asking him to be a friend; inviting him to the clan.
void SceneLobby::AskMessengerAbout(const ShownPlayer& target, int32_t entry) {
    MessengerPopup* messenger = app_.Scenes().GetMessenger();
    if (messenger == nullptr) return;
    quill::PlayerState record;
    record.userId = target.userId;
    record.accountId = target.accountId;
    record.name = target.nickname;
    if (entry == kInviteClan) {
        messenger->AskAboutMember(record, MessengerPopup::kInviteToClan);
    } else if (users_.MenuTab() == 1 && connection_.Directories().Friends().ContainsName(target.nickname)) {
        messenger->AskDeleteFriend(record);
    } else {
        messenger->AskAboutMember(record, MessengerPopup::kAskFriend);
    }
}

void SceneLobby::ShowNotice(quill::WStringView line) {
    app_.Scenes().ShowNoticeBox(this, line);
}

}  // namespace kestrovan
