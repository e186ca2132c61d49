// The messenger's life: its layout, its dialogs, how it opens, closes and follows the player from screen to
// screen, and its views.
#include "client/scenes/community/Messenger.h"

#include "client/app/Scene.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/CommunityDialog.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/TextEntry.h"
#include "client/scenes/community/BlinkingIcon.h"
#include "client/scenes/community/ChatPartnerTab.h"
#include "client/scenes/community/ClanDialog.h"
#include "client/scenes/community/ClanInviteDialog.h"
#include "client/scenes/community/DeleteFriendDialog.h"
#include "client/scenes/community/FindPlayerDialog.h"
#include "client/scenes/community/FoundPlayerDialog.h"
#include "client/scenes/community/FriendRequestDialog.h"
#include "client/scenes/community/MemberListRow.h"
#include "client/scenes/community/MemberQuestionDialog.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"
#include "client/ui/Panel.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "client/ui/UiServices.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/gfx/TextFormat.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

// The messenger's pictures are on the interface's second common texture.
constexpr int32_t kStartX = 100;
constexpr int32_t kStartY = 100;
// A window placed this far off the screen's right or bottom edge comes back to 50 pixels from it.
constexpr int32_t kOffScreenMargin = 20;
constexpr int32_t kOnScreenMargin = 50;
constexpr int32_t kIconX = 4;
constexpr int32_t kIconY = 20;
constexpr int32_t kBarWidth = 15;

// The member list's and the chat lines' bars: step buttons and a thumb.
ScrollBar* AddLineBar(Widget& parent, int32_t x, int32_t y, int32_t h, int32_t id) {
    return ScrollBar::AddTo(parent, ScrollBarPlace{x, y, kBarWidth, h, id},
                            ScrollBarArt{kCommonSecondTexture,
                                         {900, 400, kBarWidth, h},
                                         {920, 400, kBarWidth, 15},
                                         {940, 400, kBarWidth, 15},
                                         {960, 400, kBarWidth, 20},
                                         0});
}

// The tabs' bar: a thin track and a thumb, no step buttons.
ScrollBar* AddTabBar(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t id) {
    auto bar = std::make_unique<ScrollBar>();
    bar->Create(x, y, w, h, id, 0, 1, true);
    auto* raw = static_cast<ScrollBar*>(parent.AddChild(std::move(bar), true));
    raw->SetImage(kCommonSecondTexture, 650, 560, w, h, 1.0f, 1.0f);
    raw->AddThumb(650, 570, 24, h, 0);
    return raw;
}

}  // namespace

Messenger::Messenger(std::unique_ptr<CommunityHost> host) : host_(std::move(host)), requests_(host_->Connection()) {
    Create(kStartX, kStartY, kWidth, kHeight, -1, -1);
    SetImage(kCommonSecondTexture, 0, 0, kWidth, kHeight, 1.0f, 1.0f);
    SetSounds(sound_id::kWindowOpen, sound_id::kPopup);
    SetModal(false);
    BuildFrame();
    BuildMemberPanel();
    BuildChatPanel();
    BuildMenus();
    BuildDialogs();
    ApplyView();
    Show(false);
}

Messenger::~Messenger() = default;

// --- Layout -------------------------------------------------------------------------------------------------

Button* Messenger::AddButton(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t key,
                             int32_t srcX, int32_t srcY, quill::WStringView caption) {
    Button* button = parent.CreateButton(x, y, w, h, id, key, kCommonSecondTexture, srcX, srcY);
    if (!caption.empty()) {
        SetCentredCaption(*button, caption, kWhite, UiFont::Regular12);
    }
    return button;
}

void Messenger::BuildFrame() {
    TextLabel* title = CreateTextLabel(8, 4, 70, 16, &UiFontAt(UiFont::Bold12), 0, 1);
    title->SetColors(kWhite, 0xFF000000);
    title->SetText(u"Messanger");
    const quill::WStringView captions[] = {u"Friend", u"Clan", u"Chat"};
    for (size_t n = 0; n < viewTabs_.size(); ++n) {
        const auto id = kFriendsTab + static_cast<int32_t>(n);
        viewTabs_[n] = AddButton(*this, 103 + 65 * static_cast<int32_t>(n), 5, 64, 17, id, -1, 650, 130, captions[n]);
        viewTabs_[n]->SetCheckBox();
    }
    auto mark = std::make_unique<BlinkingIcon>();
    mark->Create(44, -8, 20, 14, -1, -1);
    mark->SetImage(kCommonSecondTexture, 800, 130, 20, 14, 1.0f, 1.0f);
    chatTabMark_ = mark.get();
    viewTabs_[2]->AddChild(std::move(mark), false);
    Button* alarm = AddButton(*this, 80, 6, 18, 14, kAlarmToggle, -1, 880, 130, {});
    alarm->SetCheckBox();
    alarm->SetChecked(true);
    alarm->SetTooltip(u"On/off alarm sound.");
    AddButton(*this, 304, 4, 11, 11, kClose, platform::Vk::Escape, 910, 130, {});
    findPlayerButton_ = AddButton(*this, 5, 50, 88, 24, kFindPlayer, -1, 930, 130, u"Find Player");
    newMessageIcon_ = std::make_unique<BlinkingIcon>();
    newMessageIcon_->Create(kIconX, kIconY, 44, 40, -1, -1);
    newMessageIcon_->SetImage(kCommonSecondTexture, 830, 130, 44, 40, 1.0f, 1.0f);
    newMessageIcon_->SetTooltip(u"New message (F8)");
    newMessageIcon_->Show(false);
}

void Messenger::BuildMemberPanel() {
    memberPanel_ = CreatePanel(94, 22, 219, 145, kCommonSecondTexture, 330, 160);
    for (size_t n = 0; n < rows_.size(); ++n) {
        const auto k = static_cast<int32_t>(n);
        auto row = std::make_unique<MemberListRow>(1, 2 + 18 * k, kFirstRow + k);
        rows_[n] = row.get();
        memberPanel_->AddChild(std::move(row), false);
    }
    memberScroll_ = AddLineBar(*memberPanel_, 206, 5, 133, kMemberScroll);
    countLabel_ = memberPanel_->CreateTextLabel(-89, 131, 80, 16, &UiFontAt(UiFont::Bold12), 0, 0);
    countLabel_->SetColors(kYellow, 0);
    coinIcon_ = memberPanel_->CreateImage(-84, 58, 14, 14, kCommonSecondTexture, 1000, 240);
    clanMoneyLabel_ = memberPanel_->CreateTextLabel(-66, 58, 64, 16, &UiFontAt(UiFont::Regular12), 0, 0);
    clanMoneyLabel_->SetColors(kWhite, 0);
    clanNameButton_ = AddButton(*memberPanel_, -114, 0, 114, 27, kClanName, -1, 650, 280, {});
    clanNameButton_->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kCyan, 0, 0);
    clanNameButton_->GetCaption()->AddStyle(platform::gfx::TextFormat::VCenter, 0, 0);
    clanNameLabel_ = clanNameButton_->GetCaption();
    leaveClanButton_ = AddButton(*memberPanel_, -84, 85, 79, 17, kLeaveClan, -1, 770, 280, u"Leave clan");
    for (Widget* header : std::initializer_list<Widget*>{coinIcon_, clanMoneyLabel_, clanNameButton_, leaveClanButton_})
        header->Show(false);
}

void Messenger::BuildChatPanel() {
    chatPanel_ = CreatePanel(6, 22, 307, 150, kCommonSecondTexture, 330, 0);
    for (size_t n = 0; n < partnerTabs_.size(); ++n) {
        const auto k = static_cast<int32_t>(n);
        auto tab = std::make_unique<ChatPartnerTab>(6 + 78 * k, 2, kFirstPartnerTab + k);
        partnerTabs_[n] = tab.get();
        chatPanel_->AddChild(std::move(tab), false);
    }
    AddButton(*chatPanel_, 240, 2, 28, 18, kMoreTabs, -1, 860, 280, u"...");
    tabScroll_ = AddTabBar(*chatPanel_, 6, 20, 232, 4, kTabScroll);
    for (size_t n = 0; n < lineLabels_.size(); ++n) {
        lineLabels_[n] = chatPanel_->CreateTextLabel(6, 24 + 16 * static_cast<int32_t>(n), 286, 15,
                                                     &UiFontAt(UiFont::Regular12), 0, 0);
    }
    lineScroll_ = AddLineBar(*chatPanel_, 294, 25, 104, kLineScroll);
    AddButton(*chatPanel_, 280, 24, 11, 11, kCloseChat, platform::Vk::Delete, 910, 130, {});
    // Thirty-six characters of any script (two code-page bytes each at most).
    chatEntry_ = AddTextEntry(*chatPanel_, 15, 136, 300, 17, static_cast<int32_t>(kChatLength) * 2, kWhite,
                              EntryBackground{kCommonSecondTexture, 330, 310});
    chatEntry_->SetMaxCharacters(static_cast<int32_t>(kChatLength));
}

void Messenger::BuildMenus() {
    const auto addMenu = [this](int32_t w, int32_t h, int32_t srcY) {
        auto menu = std::make_unique<Window>();
        menu->Create(0, 0, w, h, -1, -1);
        menu->SetImage(kCommonSecondTexture, 650, srcY, w, h, 1.0f, 1.0f);
        menu->MakePopup();
        Window* raw = menu.get();
        AddChild(std::move(menu), false);
        return raw;
    };
    memberMenu_ = addMenu(80, 100, 400);
    const std::pair<int32_t, const char16_t*> memberEntries[] = {{kChatWith, u"Chat With"},
                                                                 {kViewInfo, u"View Info"},
                                                                 {kInvite, u"Invite"},
                                                                 {kJoinWith, u"Join with"},
                                                                 {kDelFriend, u"Del Friend"}};
    int32_t y = 0;
    for (const auto& [id, caption] : memberEntries) {
        AddButton(*memberMenu_, 0, y, 80, 20, id, -1, 740, 400, caption);
        y += 20;
    }
    clanMenu_ = addMenu(80, 40, 510);
    AddButton(*clanMenu_, 0, 0, 80, 20, kEditInfo, -1, 740, 400, u"Edit Info");
    AddButton(*clanMenu_, 0, 20, 80, 20, kClanChat, -1, 740, 400, u"Clan Chat");
}

void Messenger::BuildDialogs() {
    friendRequest_ = std::make_unique<FriendRequestDialog>([this](bool accept) { AnswerFriendRequest(accept); });
    question_ = std::make_unique<MemberQuestionDialog>(requests_);
    deleteFriend_ = std::make_unique<DeleteFriendDialog>(requests_);
    clanInvite_ = std::make_unique<ClanInviteDialog>(requests_);
    findPlayer_ = std::make_unique<FindPlayerDialog>(*host_, requests_);
    foundPlayer_ = std::make_unique<FoundPlayerDialog>(*host_, requests_);
    clanDialog_ = std::make_unique<ClanDialog>(*host_, requests_);
}

Button* Messenger::MenuButton(int32_t id) const {
    for (Window* menu : {memberMenu_, clanMenu_}) {
        for (Widget* child : menu->GetChildren()) {
            if (child->GetId() == id)
                return static_cast<Button*>(child);
        }
    }
    return nullptr;
}

void Messenger::LoadWindowGraphics(uint32_t arg) {
    LoadGraphics(arg);
    newMessageIcon_->LoadGraphics(arg);
    for (Window* dialog :
         std::initializer_list<Window*>{friendRequest_.get(), question_.get(), deleteFriend_.get(), clanInvite_.get(),
                                        findPlayer_.get(), foundPlayer_.get(), clanDialog_.get()}) {
        dialog->LoadGraphics(arg);
    }
}

// --- Showing and hiding --------------------------------------------------------------------------------------

void Messenger::OnShow() {
    Window::OnShow();
    const UiServices& services = WidgetToolkit::Get().Services();
    if (firstShow_.exchange(false))
        CentreOnScreen(*this);
    const WidgetRect rect = GetRect();
    const int32_t width = services.GetScreenWidth();
    const int32_t height = services.GetScreenHeight();
    if (rect.left + kOffScreenMargin > width || rect.top + kOffScreenMargin > height) {
        const WidgetRect parent = GetParent() != nullptr ? GetParent()->GetRect() : WidgetRect{};
        SetPosition((rect.left + kOffScreenMargin > width ? width - kOnScreenMargin : rect.left) - parent.left,
                    (rect.top + kOffScreenMargin > height ? height - kOnScreenMargin : rect.top) - parent.top);
    }
    if (alarm_.OnOpen()) {
        newMessageIcon_->Show(false);
        view_ = MessengerView::Chat;
        RefreshChatScroll();
        RefreshChatLines();
    }
    ApplyView();
    RefreshMemberList();
}

void Messenger::SetVisible(bool visible) {
    if (!visible)
        chatEntry_->SetFocus(false);
    Window::SetVisible(visible);
    if (!visible)
        alarm_.OnClose();
}

void Messenger::ApplyView() {
    memberPanel_->Show(false);
    chatPanel_->Show(false);
    for (Button* tab : viewTabs_)
        tab->SetChecked(false);
    switch (view_) {
        case MessengerView::Friends:
        case MessengerView::Clan: {
            const bool friends = view_ == MessengerView::Friends;
            listKind_ = friends ? kFriendList : kClanList;
            memberPanel_->Show(true);
            viewTabs_[friends ? 0 : 1]->SetChecked(true);
            chatEntry_->SetFocus(false);
            findPlayerButton_->Show(friends);
            break;
        }
        default:
            chatPanel_->Show(true);
            viewTabs_[2]->SetChecked(true);
            findPlayerButton_->Show(false);
            FocusChatEntry();
            break;
    }
}

Widget* Messenger::AlarmIcon() const {
    return newMessageIcon_.get();
}

void Messenger::ReleaseChatFocus() {
    chatEntry_->SetFocus(false);
}

void Messenger::FocusChatEntry() {
    if (view_ == MessengerView::Chat && IsVisible())
        chatEntry_->SetFocus(true);
}

// --- Following the player -----------------------------------------------------------------------------------

void Messenger::AttachToScreen(Widget& screen) {
    const bool wasVisible = IsVisible();
    Show(false);
    screen.AddChild(this, false);
    screen.AddChild(newMessageIcon_.get(), false);
    newMessageIcon_->SetPosition(kIconX, kIconY);
    MoveOpenDialogs(screen);
    const MessengerAlarm::SceneEntry entry = alarm_.OnSceneEnter();
    if (entry.reopen || wasVisible) {
        SetVisible(true);
    } else if (entry.showIcon) {
        newMessageIcon_->Show(true);
        if (entry.playSound)
            host_->PlaySound(kAlarmSound);
    }
    ShowNextRequest();
}

void Messenger::Toggle(Widget& screen) {
    if (IsVisible()) {
        SetVisible(false);
        return;
    }
    if (GetParent() != &screen)
        screen.AddChild(this, false);
    SetVisible(true);
}

// --- What tests read ----------------------------------------------------------------------------------------

int32_t Messenger::FirstRow() const {
    return firstRow_;
}

int32_t Messenger::FirstTab() const {
    return chats_.FirstTab();
}

int32_t Messenger::FirstLine() const {
    return chats_.FirstLine();
}

std::vector<uint32_t> Messenger::ChatMembers() const {
    std::vector<uint32_t> members;
    for (const ChatPartner* partner : chats_.All())
        members.push_back(partner->MemberId());
    return members;
}

int64_t Messenger::CurrentChatMember() const {
    return chats_.Current() != nullptr ? static_cast<int64_t>(chats_.Current()->MemberId()) : -1;
}

std::vector<ChatLine> Messenger::ChatLinesOf(uint32_t memberId) const {
    const ChatPartner* partner = chats_.Find(memberId);
    if (partner == nullptr)
        return {};
    return {partner->Lines().begin(), partner->Lines().end()};
}

bool Messenger::ChatIsUnread(uint32_t memberId) const {
    const ChatPartner* partner = chats_.Find(memberId);
    return partner != nullptr && partner->IsUnread();
}

quill::WString Messenger::LastAnnouncedRequester() const {
    return lastAnnounced_;
}

}  // namespace kestrovan
