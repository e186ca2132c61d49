// The login screen's life (build, load, activation, leave), its controls and its application events.
#include "client/scenes/login/SceneLogin.h"

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/AssertBreak.h"
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/net/MessageId.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceManager.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/ResourcePackCatalog.h"
#include "client/app/SceneId.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/Settings.h"
#include "client/app/UiFonts.h"
#include "client/connection/ConnectionNotice.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/DemoShots.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/common/TextEntry.h"
#include "client/scenes/login/NicknameDialog.h"
#include "client/table/GameTable.h"
#include "client/table/TableModels.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "client/ui/Window.h"
#include "platform/gfx/TextFormat.h"
#include "platform/window/MessageIds.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace Vk = platform::Vk;

namespace {

// The login screen's pictures are on the interface pack's "Login" texture.
constexpr int32_t kTexture = 4;
constexpr uint32_t kLoginMusic = 2;
constexpr int32_t kWindowTop = 60;
constexpr int32_t kLoginWindowWidth = 235;
constexpr int32_t kChannelWindowWidth = 334;
constexpr uint32_t kRowCaptionColour = 0xFF808080;
constexpr uint32_t kRowCountColour = 0xFF707070;
constexpr uint32_t kSelectedRowColour = 0xFFFFFF00;

// The process-wide flag of the demo's first cycle: only the first cycle after the program started moves the
// camera instead of loading a shot.
std::atomic<bool> g_firstDemoMove{true};

}  // namespace

SceneLogin::SceneLogin(ScreenServices& app)
    : Scene(SceneId::Login),
      app_(app),
      connection_(*app.Connection()),
      requests_(connection_),
      awaited_(requests_, [this](quill::WStringView line) { app_.Scenes().ShowNoticeBox(this, line); }),
      titleBarButtons_(*this, app.Scenes(), {.leave = [this] { app_.PostQuit(); }}),
      stage_(app, {}),
      demo_(DemoShots(), g_firstDemoMove) {}

SceneLogin::~SceneLogin() = default;

// --- Layout -------------------------------------------------------------------------------------------------

void SceneLogin::Init() {
    if (built_)
        quill::AssertBreak(".\\SceneLogin", 72);
    built_ = true;
    const ScreenSize screen = app_.GetScreenSize();
    SetRect(0, 0, screen.width, screen.height);
    BuildFrame();
    if (app_.Mode() == AppMode::Online)
        BuildLoginWindow();
    BuildChannelWindow();
    auto nickname = std::make_unique<NicknameDialog>(awaited_, [this] { app_.PostQuit(); });
    nicknameDialog_ = nickname.get();
    AddChild(std::move(nickname), false);
    ApplyChildAnchors(screen.width, screen.height);
    PlaceLetterbox(screen.width, screen.height);
}

Button* SceneLogin::AddButton(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t key,
                              int32_t srcX, int32_t srcY, const char16_t* caption) {
    Button* button = parent.CreateButton(x, y, w, h, id, key, kTexture, srcX, srcY);
    if (caption == nullptr) {
        return button;  // its picture says what it does
    }
    // Pictures with no words of their own: a caption says what the button does.
    SetCentredCaption(*button, caption, kWhite);
    return button;
}

void SceneLogin::BuildFrame() {
    topBar_ = CreateImage(0, 0, 20, 200, kTexture, 970, 0);
    bottomBar_ = CreateImage(0, 0, 20, 200, kTexture, 970, 0);
    titleBar_ = CreateImage(10, 4, 392, 30, kTexture, 0, 0);
    titleBar_->SetAlpha(0.5f);
    titleLabel_ = titleBar_->CreateTextLabel(130, 6, 200, 20, &UiFontAt(UiFont::Bold14), 0, 0);
    titleLabel_->SetAlpha(0.5f);
    titleBar_->Show(false);
    roleLabel_ = CreateTextLabel(80, 30, 400, 50, &UiFontAt(UiFont::Bold16), 0, 1);
    roleLabel_->SetColors(0xBBBB00, 0xFFFFFF);
    roleLabel_->SetText(u"Producer");
    nameLabel_ = CreateTextLabel(80, 55, 400, 50, &UiFontAt(UiFont::BoldItalic20), 0, 1);
    nameLabel_->SetColors(0xFFFF00, 0xFFFFFF);
    shotByLabel_ = CreateTextLabel(80, 100, 400, 20, &UiFontAt(UiFont::Regular12), 0, 0);
    shotByLabel_->Show(false);

    const int32_t corners[3][6] = {{290, 115, 305, 160, 0, 40}, {297, 15, 307, 38, 0, 160}, {320, 15, 330, 20, 0, 180}};
    for (const auto& c : corners) {
        CreateImage(0, 0, c[0], c[1], kTexture, c[4], c[5])
            ->SetAnchor(AnchorMode::Right, -c[2], AnchorMode::Bottom, -c[3]);
    }
    const int32_t logos[3][4] = {{15, 105, 123, 520}, {165, 105, 123, 630}, {280, 109, 126, 740}};
    for (const auto& l : logos) {
        CreateImage(l[0], 0, l[1], l[2], kTexture, l[3], 210)->SetAnchor(0, 0, AnchorMode::Bottom, -140);
    }

    Button* exit = AddButton(*this, 0, 0, 33, 34, kExitButton, -1, 400, 0, nullptr);
    exit->SetAnchor(AnchorMode::Right, -35, 0, 0);
    exit->SetTooltip(u"Exit Kestrovan");
    Button* settings = AddButton(*this, 0, 0, 33, 34, kSettingsButton, Vk::F3, 440, 0, nullptr);
    settings->SetAnchor(AnchorMode::Right, -68, 0, 0);
    settings->SetTooltip(u"Settings(F3)");
    messengerButton_ = AddButton(*this, 0, 0, 33, 34, kMessengerButton, Vk::F8, 480, 0, nullptr);
    messengerButton_->SetAnchor(AnchorMode::Right, -167, 0, 0);
    messengerButton_->SetTooltip(u"Messanger(F8)");
    messengerButton_->Show(false);
    // The login screen's buttons wear its own pictures; the title bar handles them as on every screen.
    titleBarButtons_.Register(TitleBarButtons::Role::Exit, kExitButton);
    titleBarButtons_.Register(TitleBarButtons::Role::Settings, kSettingsButton);
    titleBarButtons_.Register(TitleBarButtons::Role::Messenger, kMessengerButton);

    if (app_.Mode() == AppMode::Offline) {
        offlineButton_ = AddButton(*this, 0, 4, 114, 32, kOfflineButton, -1, 330, 200, u"Offline");
        offlineButton_->SetAnchor(AnchorMode::Right, -210, 0, 0);
        offlineButton_->Show(false);
    }
}

void SceneLogin::BuildLoginWindow() {
    auto window = std::make_unique<Window>();
    window->Create(0, kWindowTop, kLoginWindowWidth, 287, -1, -1);
    window->SetImage(kTexture, 0, 200, -1, -1, 1.0f, 1.0f);
    window->SetDragHandle(0, 0, 166, 31);
    window->SetModal(false);
    window->SetAnchor(AnchorMode::Right, -245, 0, 0);
    loginWindow_ = window.get();
    AddChild(std::move(window), false);
    loginWindow_->SetAlpha(0.8f);

    // Each caption stands right-aligned just left of its box, and the box on the field its window's face
    // paints for it, inside the window: as wide as the window leaves it (166 from x 118 would reach 49
    // pixels past the window's edge, and past the screen's, anchored as the window is).
    const auto addBox = [this](int32_t y, int32_t maxBytes, const char16_t* caption) {
        TextLabel* label =
            loginWindow_->CreateTextLabel(6, y, 64, 18, &UiFontAt(UiFont::Bold12), TextLabel::kAlignRight, 0);
        label->SetText(caption);
        return AddTextEntry(*loginWindow_, 76, y, 149, 18, maxBytes, 0xFFFFFFFF);
    };
    idBox_ = addBox(54, 15, u"ID");
    passwordBox_ = addBox(78, 12, u"Password");
    passwordBox_->SetMasked(true);
    loginButton_ = AddButton(*loginWindow_, 73, 217, 87, 34, kLoginButton, Vk::Return, 240, 200, u"Login");
}

void SceneLogin::BuildChannelWindow() {
    auto window = std::make_unique<Window>();
    window->Create(0, kWindowTop, kChannelWindowWidth, 477, -1, -1);
    window->SetImage(kTexture, 660, 340, -1, -1, 1.0f, 1.0f);
    window->SetDragHandle(0, 0, 166, 31);
    window->SetModal(false);
    window->SetAnchor(AnchorMode::Right, -344, 0, 0);
    channelWindow_ = window.get();
    AddChild(std::move(window), false);
    channelWindow_->SetAlpha(0.75f);

    for (size_t i = 0; i < kChannelRows; ++i) {
        RowWidgets& row = rows_[i];
        const auto id = kFirstRow + static_cast<int32_t>(i);
        row.button =
            channelWindow_->CreateButton(42, 152 + 22 * static_cast<int32_t>(i), 247, 20, id, -1, kTexture, 240, 370);
        row.button->AddLabel(&UiFontAt(UiFont::Bold12), 0, kRowCaptionColour, 0, 0);
        row.caption = row.button->GetCaption();
        row.caption->AddStyle(platform::gfx::TextFormat::VCenter, 6, 0);
        row.caption->SetText(u"reading");
        row.count = row.button->CreateTextLabel(170, 4, 110, 20, &UiFontAt(UiFont::Bold12), 0, 0);
        row.count->SetColors(kRowCountColour, 0);
    }
    enterButton_ = AddButton(*channelWindow_, 122, 75, 87, 34, kEnterButton, Vk::Return, 240, 200, u"Enter");
    refreshButton_ = AddButton(*channelWindow_, 122, 410, 87, 34, kRefreshButton, -1, 240, 200, u"Refresh");
}

// The bars frame the 3D view as 16:9; a screen as wide as that or wider shows none.
void SceneLogin::PlaceLetterbox(uint32_t width, uint32_t height) {
    const int32_t w = static_cast<int32_t>(width);
    const int32_t h = static_cast<int32_t>(height);
    const int32_t barHeight = (h - w / 16 * 9) / 2;
    for (Image* bar : {topBar_, bottomBar_}) {
        bar->Show(barHeight > 0);
        bar->SetScale(static_cast<float>(w) / 20.0f, static_cast<float>(std::max(barHeight, 0)) / 200.0f);
    }
    topBar_->SetPosition(0, 0);
    bottomBar_->SetPosition(0, h - std::max(barHeight, 0));
    demoBand_.reset();
    if (barHeight > 0)
        demoBand_ = platform::gfx::Rect{0, barHeight, w, h - barHeight};
}

void SceneLogin::RefreshTitle() {
    titleLabel_->SetText(app_.IsFullScreen() ? u"(Fullscreen)" : u"(Windowed)");
}

void SceneLogin::OnResize(uint32_t width, uint32_t height) {
    if (!built_)
        return;
    PlaceLetterbox(width, height);
    RefreshTitle();
}

// The table follows the effect settings: textures and reflections, and the detail on the rail.
void SceneLogin::OnSettingsChanged(const Settings& settings) {
    if (GameTable* table = stage_.Table())
        table->Models().SetEnvironmentSettings(settings.tableEffect != 0, settings.meshDetail != 0);
}

void SceneLogin::OnCaptionHover(bool overDragBand) {
    if (built_)
        titleBar_->Show(overDragBand);
}

void SceneLogin::SetLoginControlsEnabled(bool enabled) {
    if (loginWindow_ == nullptr)
        return;
    loginButton_->SetEnabled(enabled);
    idBox_->SetEnabled(enabled);
    passwordBox_->SetEnabled(enabled);
}

void SceneLogin::SetChannelControlsEnabled(bool enabled) {
    enterButton_->SetEnabled(enabled);
    for (RowWidgets& row : rows_)
        row.button->SetEnabled(enabled);
}

void SceneLogin::HideRows() {
    for (RowWidgets& row : rows_)
        row.button->Show(false);
}

// The selected row is shown checked with a bright caption; every other one plain.
void SceneLogin::SelectRow(int32_t row) {
    selectedRow_ = row;
    for (size_t i = 0; i < kChannelRows; ++i) {
        const bool selected = static_cast<int32_t>(i) == row;
        rows_[i].button->SetChecked(selected);
        rows_[i].caption->SetColors(selected ? kSelectedRowColour : kRowCaptionColour, 0);
    }
}

ChannelRow SceneLogin::Row(size_t index) const {
    return index < kChannelRows ? channelRows_[index] : ChannelRow{};
}

// --- Life -------------------------------------------------------------------------------------------------

int SceneLogin::LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) {
    if (resourcesLoaded_)
        quill::AssertBreak(".\\SceneLogin", 258);
    resourcesLoaded_ = true;
    if (resources == nullptr || device == nullptr)
        return 1;
    quill::Engine* engine = app_.GetEngine();
    quill::SoundManager* sounds = engine != nullptr ? engine->GetSoundManager() : nullptr;
    ResourcePackCatalog* catalog = app_.Catalog();
    if (sounds != nullptr && catalog != nullptr) {
        if (auto music = catalog->GetSound(kLoginMusic)) {
            sounds->LoadStreamingSound(music, kLoginMusic, quill::SoundManager::kMusicCategory);
            sounds->Play(kLoginMusic, 1.0f, 0, true);
        }
    }
    if (!CreateDemoTable(*resources, *device))
        return 1;
    LoadGraphics(0);
    return 0;
}

void SceneLogin::Activate() {
    ResetDemo();
    loggedIn_ = false;
    loginFailure_ = false;
    connection_.LocalPlayer().room = 0xFFFF;
    HideRows();
    refreshButton_->SetEnabled(false);
    listTimer_.Disarm();
    entryTimer_.Disarm();
    if (firstActivation_) {
        if (loginWindow_ != nullptr) {
            ApplyCommandLineLogin();
            loginWindow_->SetVisible(true);
        }
        if (offlineButton_ != nullptr)
            offlineButton_->Show(true);
    } else if (!SendChannelListRequest()) {
        refreshButton_->SetEnabled(true);  // the list can be asked for again
    }
    firstActivation_ = false;
    if (loginWindow_ != nullptr && loginWindow_->IsVisible())
        idBox_->SetFocus(true);
    RefreshTitle();
}

bool SceneLogin::OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) {
    Scene::OnLeave(resources, renderScenes);
    ReleaseDemoTable();
    resourcesLoaded_ = false;
    quill::Engine* engine = app_.GetEngine();
    if (quill::SoundManager* sounds = engine != nullptr ? engine->GetSoundManager() : nullptr) {
        sounds->Stop(kLoginMusic);
        sounds->RemoveSound(kLoginMusic);
    }
    return true;
}

void SceneLogin::Update(uint32_t, int64_t clockTenthMs, const MouseMotion&) {
    RunTimers();
    UpdateDemo(clockTenthMs);
}

// The refresh button comes back some seconds after a list arrived, the rows and the enter button some
// seconds after a list or an entry request that got no answer.
void SceneLogin::RunTimers() {
    const uint32_t now = platform::TimeGetTime();
    if (!refreshButton_->IsEnabled() && listTimer_.Due(now)) {
        listTimer_.Disarm();
        refreshButton_->SetEnabled(true);
    }
    if (!enterButton_->IsEnabled() && entryTimer_.Due(now)) {
        entryTimer_.Disarm();
        SetChannelControlsEnabled(true);
    }
}

// --- Operations -------------------------------------------------------------------------------------------

// The command line a launcher gives carries the account as its third and fourth words.
void SceneLogin::ApplyCommandLineLogin() {
    const std::vector<quill::WString>& words = app_.Words();
    if (words.size() < 4 || loginWindow_ == nullptr)
        return;
    idBox_->SetText(words[2]);
    passwordBox_->SetText(words[3]);
    idBox_->SetEnabled(false);
    passwordBox_->SetEnabled(false);
}

void SceneLogin::TryLogin() {
    // A connection that is up is left alone, unless its login failed: a new attempt then starts over.
    if (connection_.IsConnected() && !loginFailure_)
        return;
    const quill::WString id = idBox_->GetText();
    const quill::WString password = passwordBox_->GetText();
    if (id.empty() || id.size() > kMaximumLength) {
        app_.Scenes().ShowNoticeBox(this, u"ID length is 1 ~ 50 bytes..");
        return;
    }
    if (password.empty() || password.size() > kMaximumLength) {
        app_.Scenes().ShowNoticeBox(this, u"Password length is 1 ~ 50 bytes..");
        return;
    }
    app_.Scenes().ShowBox(this, {u"Notice", {u"Connecting to Server.. Please wait.."}}, NoticeBox::kLayoutCancel);
    loginId_ = id;
    password_ = password;
    connection_.SetLoginId(id);
    connection_.SetPassword(password);
    connection_.SetLoginKind(2);
    loginFailure_ = false;
    SetLoginControlsEnabled(false);
    Connect();
}

void SceneLogin::Connect() {
    quill::TheLog().LogError(u"TRY CONNECT..\n");
    connection_.Connect();
}

void SceneLogin::EnterChannel(int32_t row) {
    const ChannelRow channel = Row(static_cast<size_t>(row < 0 ? kChannelRows : row));
    const quill::PlayerState& player = connection_.LocalPlayer();
    const std::vector<quill::WString> refusal =
        ChannelEntryRefusal(player.grade, player.age, channel.kind, connection_.MembershipState());
    if (!refusal.empty()) {
        app_.Scenes().ShowNoticeBox(this, refusal[0], refusal.size() > 1 ? refusal[1] : quill::WString());
        return;
    }
    awaited_.Send(
        [row](quill::Packet& packet) {
            packet.Init(quill::MessageId::ChannelEnter);
            packet.WriteU16(static_cast<uint16_t>(row));
        },
        [this] {
            entryTimer_.Arm(platform::TimeGetTime());
            SetChannelControlsEnabled(false);
        });
}

// A request that did not go leaves the rows and the refresh button as they were, for another try.
void SceneLogin::RequestChannelList() {
    if (!SendChannelListRequest()) return;
    HideRows();
    listTimer_.Disarm();
    refreshButton_->SetEnabled(false);
}

bool SceneLogin::SendChannelListRequest() {
    return awaited_.SendByte(quill::MessageId::ChannelListRequest, 1);
}

void SceneLogin::ShowFeatureNotice() {
    if (SharedPopups* popups = app_.Scenes().Popups())
        popups->ShowFeatureNotice(*this);
}

// --- Control events and application events -----------------------------------------------------------------

bool SceneLogin::OnEvent(Widget* source, int32_t kind, int32_t) {
    if (source == nullptr)
        return true;
    const int32_t id = source->GetId();
    if (source == idBox_ || source == passwordBox_) {
        const bool enter = kind == EditBox::kSubmitEvent;
        if (!enter && kind != Vk::Tab)
            return true;
        if (source == idBox_) {
            if (!enter || idBox_->GetText().size() >= kMinimumLength)
                passwordBox_->SetFocus(true);
        } else if (enter && passwordBox_->GetText().size() >= kMinimumLength) {
            TryLogin();
        } else {
            idBox_->SetFocus(true);
        }
        return true;
    }
    if (id >= kFirstRow && id < kFirstRow + static_cast<int32_t>(kChannelRows)) {
        if (kind == Button::kDoubleClickEvent) {
            EnterChannel(id - kFirstRow);
        } else if (kind != Button::kEnterEvent && kind != Button::kLeaveEvent) {
            SelectRow(id - kFirstRow);
        }
        return true;
    }
    if (titleBarButtons_.OnControl(id))
        return true;
    switch (id) {
        case kPictureWindow:
            ShowFeatureNotice();
            break;
        case kLoginButton:
            if (idBox_->GetText().size() >= kMinimumLength && passwordBox_->GetText().size() >= kMinimumLength) {
                TryLogin();
            }
            break;
        case kEnterButton:
            EnterChannel(selectedRow_);
            break;
        case kRefreshButton:
            RequestChannelList();
            break;
        case kOfflineButton:
            RequestSceneChange(SceneId::Alone);
            break;
        case NoticeBox::kOk:
        case NoticeBox::kCancel:
            if (kind != Button::kEnterEvent && kind != Button::kLeaveEvent)
                OnBoxButton(id);
            break;
        default:
            break;
    }
    return true;
}

// The shared box's buttons on this screen: OK gives the login's controls back; Cancel (of "Connecting to
// Server..", the one box here that has it) ends the attempt, quietly, and the player may try again at once.
void SceneLogin::OnBoxButton(int32_t button) {
    if (button == NoticeBox::kCancel && !loggedIn_)
        connection_.CancelConnect();
    SetLoginControlsEnabled(true);
    if (button == NoticeBox::kOk && passwordBox_ != nullptr)
        passwordBox_->SetFocus(true);
}

int SceneLogin::OnMessage(uint32_t id, uint64_t wParam, int64_t) {
    switch (id) {
        case quill::AppEventId::EventNone:
            // A box without an event of its own posts its button with the empty event.
            if (wParam == NoticeBox::kOk || wParam == NoticeBox::kCancel)
                OnBoxButton(static_cast<int32_t>(wParam));
            return 1;
        case quill::AppEventId::LoginAccepted:
            nicknameOpenQueued_ = false;
            nicknameDialog_->Open();
            return 1;
        case quill::AppEventId::JoinWith:
            // A target without a channel (a place reached from the lobby) is not a channel to enter here.
            if (connection_.JoinTarget().channel >= 1)
                EnterChannel(connection_.JoinTarget().channel - 1);
            return 1;
        case quill::AppEventId::BallsStopped:
            demo_.Restart();
            return 1;
        case platform::Msg::Char:
            if (wParam != Vk::Tab && wParam != Vk::Return)
                return 0;
            if (loginWindow_ != nullptr && loginWindow_->IsVisible())
                idBox_->SetFocus(true);
            return 1;
        default:
            return 0;
    }
}

}  // namespace kestrovan
