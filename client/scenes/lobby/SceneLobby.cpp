// The lobby's life (build, load, activation, leave), its layout, its lists and its controls.
#include "client/scenes/lobby/SceneLobby.h"

#include <algorithm>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/AssertBreak.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/net/MessageId.h"
#include "client/app/App.h"
#include "client/app/MessengerPopup.h"
#include "client/app/ProfilePopup.h"
#include "client/app/SceneId.h"
#include "client/app/Settings.h"
#include "client/app/SharedPopups.h"
#include "client/app/UiFonts.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/AppPlayerHost.h"
#include "client/scenes/common/AppTableHost.h"
#include "client/scenes/common/GameTypeNames.h"
#include "client/scenes/common/HelpWindow.h"
#include "client/scenes/common/InProgressDialog.h"
#include "client/scenes/common/ItemPreviews.h"
#include "client/scenes/common/RoomDetailPanel.h"
#include "client/scenes/common/RoomListRow.h"
#include "client/scenes/common/RoomPasswordPopup.h"
#include "client/scenes/common/RoomSettingDialog.h"
#include "client/scenes/common/TitleWindows.h"
#include "client/scenes/common/UserLocation.h"
#include "client/scenes/common/WebPages.h"
#include "client/scenes/lobby/EventPagePopup.h"
#include "client/scenes/lobby/LobbyImageWindow.h"
#include "client/scenes/lobby/LobbyPageWindow.h"
#include "client/scenes/lobby/RoomCreateDialog.h"
#include "client/scenes/lobby/TournamentPopups.h"
#include "client/table/GameTable.h"
#include "client/table/RenderSceneCameras.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/Window.h"
#include "platform/browser/Browser.h"
#include "platform/gfx/TextFormat.h"
#include "platform/system/Clock.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace Vk = platform::Vk;
using quill::MessageId;
using quill::ScopedLock;

namespace {

constexpr int32_t kCommonTexture = 0;
constexpr int32_t kLobbyTexture = 5;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint8_t kZero = 0;
constexpr int32_t kFilterStep = 26;
constexpr int32_t kIconRow = 856;
constexpr int32_t kIconCell = 24;
constexpr uint16_t kAdultAge = 18;

// The filter buttons' icon index: the mode's slot, pocket slots lowered by 4 to follow the carom ones.
int32_t FilterIconIndex(quill::GameType mode) {
    const int32_t slot = GameTypeSlot(mode);
    return slot >= 10 ? slot - 4 : slot;
}

}  // namespace

SceneLobby::SceneLobby(App& app)
    : Scene(SceneId::Lobby),
      app_(app),
      connection_(*app.Connection()),
      titleBarButtons_(*this, app.Scenes(),
                       {.leave = [this] { LeaveFor(MessageId::LeaveChannel, SceneId::Login); },
                        .help =
                            [this] {
                                help_->OpenPage(1, quill::game_type::kFourBall);
                                help_->Open();
                            }}) {}

SceneLobby::~SceneLobby() {
    ScopedLock hold(lock_);
    users_.Clear();
}

// --- Layout -------------------------------------------------------------------------------------------------

void SceneLobby::Init() {
    if (built_) quill::AssertBreak("SceneLobby", 113);
    built_ = true;
    const ScreenSize screen = app_.GetScreenSize();
    SetRect(0, 0, screen.width, screen.height);
    corner_ = CreateImage(0, 0, 290, 115, kCommonTexture, 0, 521);
    corner_->SetAnchor(AnchorMode::Right, -300, AnchorMode::Bottom, -130);
    BuildRoomPanel();
    BuildChatPanel();
    BuildUserPanel();
    BuildTitleAndButtons();
    BuildContextMenu();
    BuildPopups();
    ApplyChildAnchors(screen.width, screen.height);
    OnResize(screen.width, screen.height);
}

Button* SceneLobby::AddButton(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t key,
                              int32_t texture, int32_t srcX, int32_t srcY, const char16_t* caption) {
    Button* button = parent.CreateButton(x, y, w, h, id, key, texture, srcX, srcY);
    // Our pictures carry no words: a caption says what the button does.
    button->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kWhite, 0, 0);
    button->GetCaption()->AddStyle(platform::gfx::TextFormat::VCenter, 0, 0);
    button->SetCaption(caption);
    return button;
}

ScrollBar* SceneLobby::AddScrollBar(Widget& parent, int32_t x, int32_t y, int32_t h, int32_t id) {
    auto bar = std::make_unique<ScrollBar>();
    bar->Create(x, y, 16, h, id, ScrollBar::kVertical, 1, true);
    auto* raw = static_cast<ScrollBar*>(parent.AddChild(std::move(bar), true));
    raw->SetImage(kLobbyTexture, 736, 32, 16, h, 1.0f, 1.0f);
    raw->AddDecButton(736, 282, 16, 16, -1);
    raw->AddIncButton(752, 282, 16, 16, -1);
    raw->AddThumb(768, 282, 16, 28, 0);
    return raw;
}

void SceneLobby::BuildChatPanel() {
    chatPanel_ = CreateImage(0, 610, 476, 165, kLobbyTexture, 0, 0);
    chatPanel_->SetAnchor(AnchorMode::Left, 20, AnchorMode::Bottom, -180);
    channelLabel_ = chatPanel_->CreateTextLabel(120, 8, 200, 18, &UiFontAt(UiFont::Bold12), 0, 0);
    for (size_t k = 0; k < kChatLines; ++k)
        chatLabels_[k] = chatPanel_->CreateTextLabel(15, 32 + 18 * static_cast<int32_t>(k), 430, 18,
                                                     &UiFontAt(UiFont::Regular12), 0, 0);
    auto input = std::make_unique<EditBox>();
    input->Create(17, 140, 375, 18);
    input->SetSkin(kCommonTexture, 609, 68, 2, 14);
    input->SetImage(kCommonTexture, 0, 446, -1, -1, 1.0f, 1.0f);
    input->SetFont(&UiFontAt(UiFont::Regular12), kChatInputLength * 2, kWhite);
    chatInput_ = static_cast<EditBox*>(chatPanel_->AddChild(std::move(input), true));
    chatScroll_ = AddScrollBar(*chatPanel_, 447, 27, 108, kChatScroll);
    chatScroll_->SetSecondRect(4, 30, 466, 130);
}

void SceneLobby::BuildUserPanel() {
    userPanel_ = CreateImage(0, 60, 242, 282, kLobbyTexture, 0, 165);
    userPanel_->SetAnchor(AnchorMode::Right, -257, AnchorMode::Top, 70);
    tabs_[0] = AddButton(*userPanel_, 65, -1, 79, 31, kLobbyUsersTab, -1, kLobbyTexture, 800, 32, u"Lobby");
    tabs_[1] = AddButton(*userPanel_, 130, -1, 79, 30, kFriendsTab, -1, kLobbyTexture, 880, 32, u"Friends");
    for (Button* tab : tabs_) tab->SetRadio();
    for (size_t k = 0; k < userRows_.size(); ++k) {
        auto row = std::make_unique<PlayerListRow>(kFirstUserRow + static_cast<int32_t>(k));
        row->SetPosition(2, 45 + 19 * static_cast<int32_t>(k));
        userRows_[k] = static_cast<PlayerListRow*>(userPanel_->AddChild(std::move(row), false));
    }
    userScroll_ = AddScrollBar(*userPanel_, 213, 26, 243, kUserScroll);
    userScroll_->SetSecondRect(4, 30, 230, 240);
}

void SceneLobby::BuildRoomPanel() {
    roomPanel_ = CreateImage(0, 4, 1, 1, kLobbyTexture, 0, 0);
    roomPanel_->SetAnchor(AnchorMode::Left, 20, AnchorMode::Top, 40);
    for (size_t k = 0; k < kRoomRows; ++k) {
        auto row = std::make_unique<RoomListRow>(kFirstRoomRow + 2 * static_cast<int32_t>(k));
        row->SetPosition(10, 80 * static_cast<int32_t>(k));
        roomRows_[k] = static_cast<RoomListRow*>(roomPanel_->AddChild(std::move(row), true));
    }
    roomBar_ = roomPanel_->CreateImage(502, 122, 33, 262, kLobbyTexture, 736, 32);
    roomScroll_ = AddScrollBar(*roomBar_, 3, 5, 239, kRoomScroll);
    roomScroll_->SetSecondRect(-500, -130, 530, 470);
    orderButtons_[0] =
        AddButton(*roomPanel_, 38, 486, 114, 28, kListAll, -1, kLobbyTexture, 820, 160, u"List all room");
    orderButtons_[1] =
        AddButton(*roomPanel_, 170, 486, 114, 28, kWaitingFirst, -1, kLobbyTexture, 820, 160, u"Waiting room first");
    for (Button* order : orderButtons_) order->SetCheckBox();
    BuildFilterButtons();
    createButton_ = AddButton(*roomPanel_, 286, 450, 122, 122, kCreateRoom, -1, kLobbyTexture, 780, 390,
                              u"Create New Game");
    quickJoinButton_ =
        AddButton(*roomPanel_, 380, 450, 122, 122, kQuickJoin, -1, kLobbyTexture, 902, 390, u"Quick Join");
    quickJoinButton_->SetPosition(410, 450);
}

void SceneLobby::BuildFilterButtons() {
    int32_t j = 0;
    for (quill::GameType mode = 0; mode < quill::kGameTypeCount; ++mode) {
        if (!GameTypeOffered(mode)) continue;
        Button* button = roomPanel_->CreateButton(38 + kFilterStep * j, 516, kIconCell, kIconCell,
                                                  kFirstFilter + mode, -1, kLobbyTexture,
                                                  kIconCell * FilterIconIndex(mode), kIconRow);
        button->SetCheckBox();
        button->SetTooltip(GameTypeLongName(mode));
        filterButtons_.push_back(button);
        ++j;
    }
}

Button* SceneLobby::FilterButton(int32_t mode) const {
    for (Button* button : filterButtons_)
        if (button->GetId() == kFirstFilter + mode) return button;
    return nullptr;
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
    messengerButton_ = titleBarButtons_.Add(TitleBarButtons::Role::Messenger, kMessenger);
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
        Button* button = AddButton(*this, 0, s.y, s.w, s.h, s.id, -1, kLobbyTexture, s.srcX, s.srcY, s.caption);
        button->SetAnchor(AnchorMode::Right, -s.right, 0, 0);
    }
    bestShotLabel_ = CreateTextLabel(540, 590, 280, 20, &UiFontAt(UiFont::Bold12), 0, 0);
    bestShotLabel_->SetColors(kGreen, 0);
    bestShotLabel_->SetAnchor(0, 0, AnchorMode::Bottom, -160);
    bestShotLabel_->Show(false);
}

void SceneLobby::BuildContextMenu() {
    auto menu = std::make_unique<Window>();
    menu->Create(0, 0, 80, 60, -1, -1);
    menu->SetImage(kCommonTexture, 0, 136, 80, 80, 1.0f, 1.0f);
    menu->SetModal(false);
    contextMenu_ = static_cast<Window*>(AddChild(std::move(menu), false));
    const char16_t* captions[] = {u"View Info", u"Join with", u"Ask Friend", u"Invite Clan"};
    for (size_t k = 0; k < contextEntries_.size(); ++k)
        contextEntries_[k] = AddButton(*contextMenu_, 0, 20 * static_cast<int32_t>(k), 80, 20,
                                       kViewInfo + static_cast<int32_t>(k), -1, kCommonTexture, 0, 941, captions[k]);
}

void SceneLobby::BuildPopups() {
    auto detail = std::make_unique<RoomDetailPanel>();
    detailPanel_ = static_cast<RoomDetailPanel*>(AddChild(std::move(detail), false));
    detailPanel_->SetAcceptsMouse(false);
    auto poster = [this](uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) {
        app_.PostEvent(id, wParam, lParam, extra);
    };
    passwordPopup_ = static_cast<RoomPasswordPopup*>(AddChild(std::make_unique<RoomPasswordPopup>(poster), false));
    practiceDialog_ =
        static_cast<RoomSettingDialog*>(AddChild(std::make_unique<RoomSettingDialog>(connection_, poster), false));
    auto create = std::make_unique<RoomCreateDialog>(
        connection_, poster, [this](quill::WStringView line) { ShowNotice(line); },
        [this](quill::WStringView line) { app_.Scenes().ShowErrorBox(this, line); });
    createDialog_ = static_cast<RoomCreateDialog*>(AddChild(std::move(create), false));
    webPages_ = std::make_unique<WebPages>(app_, poster);
    help_ = static_cast<HelpWindow*>(AddChild(CreateHelpWindow(app_), false));
    inProgress_ = static_cast<InProgressDialog*>(
        AddChild(std::make_unique<InProgressDialog>([this] { app_.PostQuit(); }), false));
    BuildPictureWindows(poster);
    tournament_ = std::make_unique<TournamentPopups>(std::make_unique<AppPlayerHost>(app_), *this);
}

// The event coupon popup and the two large picture windows, hidden until something shows them.
void SceneLobby::BuildPictureWindows(const PopupWindow::EventPoster& poster) {
    auto event = std::make_unique<EventPagePopup>(
        app_.Site(), [this] { return connection_.LocalPlayer().accountKind; },
        [this](quill::WStringView address) {
            if (platform::Browser* browser = app_.Browser()) browser->Open(address);
        },
        poster, [this] { app_.PostQuit(); });
    eventPopup_ = static_cast<EventPagePopup*>(AddChild(std::move(event), false));
    imageWindow_ = static_cast<LobbyImageWindow*>(AddChild(std::make_unique<LobbyImageWindow>(poster), false));
    pageWindow_ = static_cast<LobbyPageWindow*>(AddChild(std::make_unique<LobbyPageWindow>(poster), false));
}

void SceneLobby::OnResize(uint32_t width, uint32_t height) {
    Scene::OnResize(width, height);
    const LobbyLayout layout = LobbyLayoutFor(height);
    roomRowsShown_ = layout.roomRows;
    chatPanel_->SetAnchor(AnchorMode::Left, 20, AnchorMode::Bottom, -180);
    userPanel_->SetAnchor(AnchorMode::Right, -257, AnchorMode::Top, 70);
    corner_->SetAnchor(AnchorMode::Right, -300, AnchorMode::Bottom, -130);
    roomPanel_->SetAnchor(AnchorMode::Left, layout.panelX, AnchorMode::Top, layout.panelY);
    ApplyChildAnchors(static_cast<int32_t>(width), static_cast<int32_t>(height));
    const WidgetRect panel = roomPanel_->GetRect();
    roomBar_->SetPosition(layout.barX, layout.barY);
    roomScroll_->SetSecondRect(panel.left + layout.barX - 500, panel.top + layout.barY - 130, 530,
                               layout.wheelHeight);
    createButton_->SetPosition(286, layout.buttonsY);
    quickJoinButton_->SetPosition(410, layout.buttonsY);
    for (Button* order : orderButtons_) order->SetPosition(order->GetRect().left - panel.left, layout.orderY);
    for (Button* filter : filterButtons_) filter->SetPosition(filter->GetRect().left - panel.left, layout.orderY + 30);
    corner_->Show(layout.cornerShown);
    for (size_t k = 0; k < kRoomRows; ++k)
        if (static_cast<int32_t>(k) >= layout.roomRows) roomRows_[k]->Show(false);
    WriteTitles();
    if (resourcesLoaded_) RefreshRoomList();
}

void SceneLobby::WriteTitles() {
    const int32_t channel = connection_.CurrentChannel();
    titleLabel_->SetTextF(app_.IsFullScreen() ? u"- channel %d-%d  (FullScreen)" : u"- channel %d-%d  (Windowed)", 1,
                          channel);
    channelLabel_->SetTextF(u"Ch-%d %s", channel, ChannelKindSuffix(connection_.GetChannelType(-1)));
}

void SceneLobby::ShowTitleBar(bool shown) {
    titleBar_->Show(shown);
}

void SceneLobby::OnActivate(bool active) {
    if (!active && table_) table_->Input().ReleaseHeldKeys(false);
}

void SceneLobby::OnSettingsChanged(const Settings& settings) {
    if (table_) table_->Models().SetEnvironmentFlag(0);
    ApplyChatFont(settings);
}

void SceneLobby::ApplyChatFont(const Settings& settings) {
    const FontDesc* font = &UiFontAt(settings.largeChatFont != 0 ? UiFont::Bold14 : UiFont::Regular12);
    for (TextLabel* label : chatLabels_) label->SetFontDesc(font);
}

// --- Life ---------------------------------------------------------------------------------------------------

void SceneLobby::Activate() {
    app_.Cursor().ShowCursor(true);
    orbitPitch_ = 18.0f;
    orbitDistance_ = 300.0f;
    orbitSpeed_ = 2.0f;
    {
        ScopedLock hold(lock_);
        roomPosition_ = 1;
        userPosition_ = 1;
        chat_.SetPosition(1);
        rooms_.EmptyAll();
    }
    contextTarget_.reset();
    joinPending_ = false;
    reloadPending_ = false;
    bestShotIndex_ = 0;
    connection_.LocalPlayer().position = UserPlace::Lobby;
    PrepareBackgroundTable();
    ResetSceneNodes(renderScene_);
    SelectUserTab(0);
    WriteTitles();
    if (activationCount_ == 0) chatInput_->SetFocus(true);
    SetListOrder(rooms_.GetOrder());
    const quill::PlayerState& player = connection_.LocalPlayer();
    if (player.level < 10) AddNoticeLine(u"** the aiming guideline is displayed up to level 10", 0xFFFFFF00);
    const int64_t limit = player.GetLevelMoneyLimit();
    if (player.membershipGrade > 0) {
        const int64_t factor = player.membershipGrade >= 3 ? 50 : 20;
        AddNoticeLine(quill::Format(u"** Max gold applied to the membership is %s won.", app_.FormatMoney(limit * factor)),
                      kGreen);
    } else {
        AddNoticeLine(quill::Format(u"** Gold limit of this level : %s", app_.FormatMoney(limit)), kGreen);
    }
    if (connection_.Tournament().running != 0)
        AddNoticeLine(u"** Race Tournament is taking place. (Tournament Info -> Race)", kGreen);
    ++activationCount_;
    detailPanel_->Show(false);
    passwordPopup_->Show(false);
    bestShotLabel_->Show(false);
    for (quill::GameType mode = 0; mode < quill::kGameTypeCount; ++mode)
        if (Button* button = FilterButton(mode)) button->SetChecked(rooms_.Filter(mode));
    StartFadeIn();
    flood_.Clear();
    SendLobbyEnter();
    ShowYesterdayBest();
    // Just entered a tournament channel: its race schedule first.
    if (app_.Scenes().PreviousId() == SceneId::Login && connection_.GetChannelType(-1) == ChannelKind::Tournament)
        tournament_->ShowRanking();
}

void SceneLobby::SendLobbyEnter() {
    connection_.SendBytePacket(MessageId::LobbyEnter, &kZero);
}

bool SceneLobby::OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) {
    Scene::OnLeave(resources, renderScenes);
    ReleaseBackgroundTable();
    // A dialog still open when the screen changes keeps no device resources in its previews.
    ReleaseItemPreviews(*createDialog_);
    ReleaseItemPreviews(*practiceDialog_);
    {
        ScopedLock hold(lock_);
        users_.Clear();
    }
    resourcesLoaded_ = false;
    return true;
}

// --- The room list ------------------------------------------------------------------------------------------

void SceneLobby::RefreshRoomList() {
    ScopedLock hold(lock_);
    const LobbyRoomTable::Page page = rooms_.MakePage(roomPosition_, roomRowsShown_);
    roomPosition_ = page.position;
    FillRoomRows(page);
    roomScroll_->SetRange(page.range);
    roomScroll_->SetPosition(page.position - 1, false);
}

void SceneLobby::FillRoomRows(const LobbyRoomTable::Page& page) {
    const bool tournament = connection_.GetChannelType(-1) == ChannelKind::Tournament;
    for (size_t k = 0; k < kRoomRows; ++k) {
        RoomListRow& row = *roomRows_[k];
        if (k < page.rooms.size()) {
            row.SetRoom(*rooms_.Room(page.rooms[k]), tournament);
        } else {
            row.Clear();
        }
        row.Show(static_cast<int32_t>(k) < roomRowsShown_);
    }
}

void SceneLobby::SetListOrder(LobbyRoomTable::Order order) {
    {
        ScopedLock hold(lock_);
        rooms_.SetOrder(order);
    }
    orderButtons_[0]->SetChecked(order == LobbyRoomTable::Order::AllRooms);
    orderButtons_[1]->SetChecked(order == LobbyRoomTable::Order::WaitingFirst);
    RefreshRoomList();
}

void SceneLobby::JoinRoom(int32_t room) {
    if (joinPending_) return;
    ClearJoinTarget();
    // Only rooms 1 to 120 have a record to check; any other number (a "/go" command) is ignored.
    if (room < 1 || room > LobbyRoomTable::kLastRoom) return;
    const quill::RoomInfo listed = ListedRoom(room);
    const quill::PlayerState& player = connection_.LocalPlayer();
    if (player.age < kAdultAge && (listed.gameType == 5 || listed.gameType == 6)) {
        ShowNotice(u"청소년은 참여할 수 없는 종목입니다.");
        return;
    }
    if (listed.passwordFlag != 0) {
        passwordPopup_->SetRoom(static_cast<uint16_t>(room));
        passwordPopup_->Open();
        return;
    }
    quill::Packet* packet = connection_.AllocPacket();
    if (packet == nullptr) return;
    NoteAskedRoom(listed);
    joinPending_ = true;
    packet->Init(MessageId::JoinRoom).WriteU16(static_cast<uint16_t>(room)).WriteU8(0);
    connection_.SendPacket(packet);
    connection_.FreePacket(packet);
}

void SceneLobby::JoinRoomWithPassword(int32_t room, quill::WStringView password) {
    if (room < 1 || room > LobbyRoomTable::kLastRoom) return;
    quill::Packet* packet = connection_.AllocPacket();
    if (packet == nullptr) return;
    // A password from an invitation comes from the server: it is cut to what the popup lets a player type.
    const quill::WStringView typed =
        password.substr(0, std::min<size_t>(password.size(), RoomPasswordPopup::kMaxLength));
    quill::RoomInfo asked = ListedRoom(room);
    asked.password = quill::WString(typed);
    asked.passwordFlag = 1;
    NoteAskedRoom(asked);
    packet->Init(MessageId::JoinRoomWithPassword).WriteU16(static_cast<uint16_t>(room)).WriteU8(0);
    packet->WriteWString(typed);
    connection_.SendPacket(packet);
    connection_.FreePacket(packet);
}

quill::RoomInfo SceneLobby::ListedRoom(int32_t room) const {
    ScopedLock hold(lock_);
    quill::RoomInfo record = *rooms_.Room(room);
    record.roomNumber = static_cast<int16_t>(room);
    return record;
}

void SceneLobby::NoteAskedRoom(const quill::RoomInfo& room) {
    ScopedLock hold(lock_);
    askedRoom_ = room;
}

JoinWithTarget SceneLobby::ReadJoinTarget() const {
    ScopedLock hold(lock_);
    return connection_.JoinTarget();
}

void SceneLobby::WriteJoinTarget(const JoinWithTarget& target) {
    ScopedLock hold(lock_);
    connection_.JoinTarget() = target;
}

void SceneLobby::ClearJoinTarget() {
    ScopedLock hold(lock_);
    connection_.JoinTarget().Clear();
}

void SceneLobby::QuickJoin() {
    if (joinPending_) return;
    int32_t room = 0;
    {
        ScopedLock hold(lock_);
        room = rooms_.QuickJoin();
    }
    if (room != 0) JoinRoom(room);
}

// --- The user list ------------------------------------------------------------------------------------------

void SceneLobby::SelectUserTab(int32_t tab) {
    userTab_ = tab;
    tabs_[0]->SetChecked(tab == 0);
    tabs_[1]->SetChecked(tab == 1);
    {
        ScopedLock hold(lock_);
        userPosition_ = 1;
    }
    RefreshUserList();
}

void SceneLobby::RefreshUserList() {
    const int32_t tab = userTab_;
    const int32_t channel = connection_.CurrentChannel();
    ScopedLock hold(lock_);
    std::vector<const quill::PlayerState*> source;
    if (tab == 1) {
        quill::UserDirectory& friends = connection_.Directories().Friends();
        ScopedLock friendsHold(friends.GetLock());
        for (const auto& [id, record] : friends.Records()) source.push_back(record);
        const UserPage page = MakeUserPage(source, userPosition_, LobbyUserTable::kRows);
        for (size_t k = 0; k < userRows_.size(); ++k) {
            if (k < page.users.size()) userRows_[k]->SetPlayer(*page.users[k], tab, channel);
            else userRows_[k]->Clear();
        }
        userPosition_ = page.position;
        userScroll_->SetRange(page.range);
        userScroll_->SetPosition(page.position - 1, false);
        return;
    }
    for (const auto& [sortValue, record] : users_.All()) source.push_back(record);
    const UserPage page = MakeUserPage(source, userPosition_, LobbyUserTable::kRows);
    for (size_t k = 0; k < userRows_.size(); ++k) {
        if (k < page.users.size()) userRows_[k]->SetPlayer(*page.users[k], tab, channel);
        else userRows_[k]->Clear();
    }
    userPosition_ = page.position;
    userScroll_->SetRange(page.range);
    userScroll_->SetPosition(page.position - 1, false);
}

int32_t SceneLobby::UserCount() const {
    ScopedLock hold(lock_);
    return users_.Count();
}

int32_t SceneLobby::UserRecordsInUse() const {
    ScopedLock hold(lock_);
    return users_.RecordsInUse();
}

int32_t SceneLobby::QuickJoinCursor() const {
    ScopedLock hold(lock_);
    return rooms_.QuickJoinCursor();
}

// --- Controls -----------------------------------------------------------------------------------------------

bool SceneLobby::OnEvent(Widget* source, int32_t kind, int32_t) {
    if (source == nullptr) return true;
    if (source == chatInput_) {
        OnChatInput(kind);
        return true;
    }
    for (RoomListRow* row : roomRows_)
        if (source == row) return OnRoomRowEvent(*row, kind);
    for (PlayerListRow* row : userRows_)
        if (source == row) return OnUserRowEvent(*row, kind);
    const int32_t id = source->GetId();
    if (id >= kFirstFilter && id < kFirstFilter + quill::kGameTypeCount) {
        {
            ScopedLock hold(lock_);
            rooms_.SetFilter(id - kFirstFilter, static_cast<Button*>(source)->IsChecked());
        }
        RefreshRoomList();
        return true;
    }
    if (id >= kViewInfo && id <= kInviteClan) {
        OnContextEntry(id);
        return true;
    }
    if (titleBarButtons_.OnControl(id))
        return true;
    const bool pending = joinPending_;
    switch (id) {
        case kQuit:
            app_.PostQuit();
            break;
        case kLobbyUsersTab:
        case kFriendsTab:
            if (!pending) SelectUserTab(id == kFriendsTab ? 1 : 0);
            break;
        case kListAll:
            SetListOrder(LobbyRoomTable::Order::AllRooms);
            break;
        case kWaitingFirst:
            SetListOrder(LobbyRoomTable::Order::WaitingFirst);
            break;
        case kCreateRoom:
            if (!pending && (connection_.GetChannelType(-1) != ChannelKind::Tournament || CheckTournamentEntry()))
                createDialog_->SetVisible(true);
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
            ShowComingSoon();
            break;
        case kPractice:
            if (!pending) practiceDialog_->SetVisible(true);
            break;
        case kSchool:
            LeaveFor(MessageId::EnterSchool, SceneId::School);
            break;
        case kWebPage:
            OpenWebPage(WebPages::kMainPage);
            break;
        case kRoomScroll: {
            {
                ScopedLock hold(lock_);
                roomPosition_ = kind;
            }
            RefreshRoomList();
            break;
        }
        case kUserScroll: {
            {
                ScopedLock hold(lock_);
                userPosition_ = kind;
            }
            RefreshUserList();
            break;
        }
        case kChatScroll: {
            {
                ScopedLock hold(lock_);
                chat_.SetPosition(kind);
            }
            RefreshChatView();
            break;
        }
        default:
            break;
    }
    return true;
}

void SceneLobby::LeaveFor(MessageId request, int32_t scene) {
    if (joinPending_) return;
    connection_.SendBytePacket(request, &kZero);
    RequestSceneChange(scene);
}

bool SceneLobby::OnRoomRowEvent(RoomListRow& row, int32_t kind) {
    if (kind == Button::kEnterEvent) {
        ShowRoomDetail(row);
    } else if (kind == Button::kLeaveEvent) {
        detailPanel_->Show(false);
    } else if (!joinPending_ && row.GetRoomNumber() > 0) {
        JoinRoom(row.GetRoomNumber());
    }
    return true;
}

void SceneLobby::ShowRoomDetail(const RoomListRow& row) {
    if (row.GetRoomNumber() < 0) return;
    std::vector<RoomDetailPanel::PlayerLine> players;
    {
        ScopedLock hold(lock_);
        detailPanel_->SetRoom(row.Room(), platform::TimeGetTime());
        for (const auto& [sortValue, user] : users_.All())
            if (user->position == row.GetRoomNumber()) players.push_back({user->name, user->level});
    }
    detailPanel_->SetPlayers(players);
    const WidgetRect at = row.GetRect();
    detailPanel_->SetPosition(at.left + 460, at.top + 10);
    detailPanel_->Show(true);
}

bool SceneLobby::OnUserRowEvent(PlayerListRow& row, int32_t kind) {
    if (kind == Button::kEnterEvent || kind == Button::kLeaveEvent) return true;
    if (row.HasPlayer()) OpenContextMenu(row);
    return true;
}

void SceneLobby::OpenContextMenu(const PlayerListRow& row) {
    contextTarget_ = row.Player();
    contextTab_ = userTab_;
    const quill::PlayerState& player = connection_.LocalPlayer();
    const bool self = contextTarget_->accountId == player.accountId;
    const ContextMenuEntries entries = MakeContextMenu(contextTab_, self, player, inviteClanShown_);
    inviteClanShown_ = entries.inviteClan;
    contextEntries_[1]->Show(entries.joinWith);
    contextEntries_[2]->Show(entries.askFriend);
    contextEntries_[2]->SetCaption(entries.friendCaption);
    contextEntries_[3]->Show(entries.inviteClan);
    const WidgetRect at = row.GetRect();
    contextMenu_->SetPosition(at.left + row.GetButton()->GetLastX() - at.left, at.top + row.GetButton()->GetLastY() - at.top);
    contextMenu_->Show(true);
}

void SceneLobby::OnContextEntry(int32_t id) {
    contextMenu_->Show(false);
    if (!contextTarget_) return;
    const ShownPlayer target = *contextTarget_;
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
    quill::Packet* packet = connection_.AllocPacket();
    if (packet == nullptr) return;
    packet->Init(MessageId::UserInfoRequest).WriteU8(0xFF).WriteI64(target.accountId).WriteWString(target.nickname);
    connection_.SendPacket(packet);
    connection_.FreePacket(packet);
}

void SceneLobby::OnChatInput(int32_t kind) {
    switch (kind) {
        case EditBox::kSubmitEvent: {
            const quill::WString text = chatInput_->GetText();
            if (!text.empty() && SendChat(text)) chatInput_->SetText(u"");
            break;
        }
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
            help_->OpenPage(1, quill::game_type::kFourBall);
            help_->Open();
            break;
        default:
            break;
    }
}

void SceneLobby::ShowComingSoon() {
    ShowNotice(u"Comming soon!");
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
    } else if (contextTab_ == 1 && connection_.Directories().Friends().ContainsName(target.nickname)) {
        messenger->AskDeleteFriend(record);
    } else {
        messenger->AskAboutMember(record, MessengerPopup::kAskFriend);
    }
}

void SceneLobby::ShowNotice(quill::WStringView line) {
    app_.Scenes().ShowNoticeBox(this, line);
}

}  // namespace kestrovan
