// The messenger's member lists and its clan: the rows of the list shown, the header of each list, the notices
// of members who log in or out, join or leave, and the clan's status and leaving.
#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/UserDirectory.h"
#include "client/app/Scene.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/common/TextFields.h"
#include "client/scenes/common/UserLocation.h"
#include "client/scenes/community/BlinkingIcon.h"
#include "client/scenes/community/MemberListPage.h"
#include "client/scenes/community/MemberListRow.h"
#include "client/scenes/community/Messenger.h"
#include "client/scenes/community/MessengerMessages.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {

using quill::Packet;
using quill::PlayerState;

// --- The list -----------------------------------------------------------------------------------------------

void Messenger::RefreshMemberList() {
    GameConnection& connection = host_->Connection();
    WidgetToolkit::CheckTreeAccess("Messenger::RefreshMemberList");
    const uint8_t kind = listKind_;
    quill::UserDirectory& directory =
        kind == kFriendList ? connection.Directories().Friends() : connection.Directories().ClanMembers();
    const MemberListPage page = MemberListPage::Read(directory, firstRow_);
    firstRow_ = page.firstRow;
    memberCount_ = page.count;
    memberScroll_->SetRange(page.scrollRange);
    memberScroll_->SetPosition(firstRow_ - 1, false);
    for (size_t n = 0; n < rows_.size(); ++n) {
        if (n < page.rows.size())
            rows_[n]->SetMember(page.rows[n], kind, RowLocation(page.rows[n]));
        else
            rows_[n]->Clear();
    }
    FillHeader(page.count);
}

void Messenger::FillHeader(int32_t count) {
    const bool clanList = listKind_ != kFriendList;
    for (Widget* header : std::initializer_list<Widget*>{coinIcon_, clanMoneyLabel_, clanNameButton_})
        header->Show(clanList);
    if (!clanList) {
        countLabel_->SetTextF(u"[%2d/%2d]", static_cast<int>(count), static_cast<int>(kFriendCapacity));
        leaveClanButton_->Show(false);
        return;
    }
    const ClanRecord clan = host_->Connection().Directories().Clan();
    countLabel_->SetTextF(u"[%2d/%2d]", static_cast<int>(count), static_cast<int>(clan.capacity));
    clanNameLabel_->SetText(clan.name);
    clanMoneyLabel_->SetText(host_->FormatMoney(clan.money));
    leaveClanButton_->Show(OwnClanRank() < kMasterRank || count == 1);
}

uint8_t Messenger::OwnClanRank() {
    GameConnection& connection = host_->Connection();
    PlayerState& player = connection.LocalPlayer();
    quill::UserDirectory& clan = connection.Directories().ClanMembers();
    quill::ScopedLock hold(clan.GetLock());
    const PlayerState* own = clan.Find(player.userId);
    return own != nullptr ? own->clanRank : player.clanRank;
}

bool Messenger::HasClan() {
    GameConnection& connection = host_->Connection();
    return connection.LocalPlayer().clanId != 0 || connection.Directories().Clan().id != 0;
}

OwnLocation Messenger::Own() {
    const PlayerState& player = host_->Connection().LocalPlayer();
    return OwnLocation{player.accountId, static_cast<int8_t>(player.channel), player.position};
}

quill::WString Messenger::RowLocation(const MemberSnapshot& member) {
    const int8_t ownChannel = static_cast<int8_t>(host_->Connection().LocalPlayer().channel);
    return MessengerLocationText(UserLocation{member.channel, member.place}, ownChannel);
}

quill::WString Messenger::FoundLocation(uint8_t channel, uint16_t place) {
    return FoundPlayerLocationText(UserLocation{static_cast<int8_t>(channel), static_cast<int16_t>(place)});
}

// --- Notices ------------------------------------------------------------------------------------------------

void Messenger::AddSceneNotice(quill::WStringView text) {
    if (Scene* scene = host_->CurrentScene())
        scene->AddChatLine(text, kNoticeColour);
}

void Messenger::ShowBox(quill::WStringView title, quill::WStringView line0, quill::WStringView line1,
                        uint32_t yesNoEvent) {
    NoticeBox* box = host_->MessageBox();
    Scene* scene = host_->CurrentScene();
    if (box == nullptr || scene == nullptr)
        return;
    box->Show(false);
    scene->AddChild(box, false);
    box->Reset();
    box->SetButtons(yesNoEvent != 0 ? NoticeBox::kLayoutYesNo : NoticeBox::kLayoutOk);
    box->SetTitle(title);
    if (!line0.empty())
        box->SetLine(line0, 0);
    if (!line1.empty())
        box->SetLine(line1, 1);
    if (yesNoEvent != 0)
        box->SetEvent(static_cast<int32_t>(yesNoEvent), 0);
    box->Open();
}

void Messenger::DeferBox(quill::WStringView title, quill::WStringView line0, quill::WStringView line1) {
    pendingBox_ = {quill::WString(title), quill::WString(line0), quill::WString(line1)};
    Defer(kPendingBox);
}

void Messenger::OnMemberPresence(uint8_t listKind, const PlayerState& record, bool online) {
    const quill::WString nickname = CutToLength(record.name, kNicknameLength);
    const quill::WStringView ending = online ? u"has logged in." : u"has logged out.";
    const quill::WString line = quill::Format(u"%s %s", nickname, ending);
    std::vector<ChatPartner*> told;
    if (ChatPartner* partner = chats_.Find(record.userId)) {
        partner->SetOnline(online);
        told.push_back(partner);
    }
    if (listKind != kFriendList) {
        if (ChatPartner* clanChat = chats_.Find(0))
            told.push_back(clanChat);
    }
    for (ChatPartner* partner : told)
        partner->AddLine(line, kPresenceColour);
    for (ChatPartner* partner : told) {
        if (partner == chats_.Current()) {
            RefreshChatScroll();
            RefreshChatLines();
        }
    }
    AddSceneNotice(quill::Format(u"[%s] %s %s", listKind == kFriendList ? u"Messanger" : u"Clan", nickname, ending));
    RefreshMemberList();
}

void Messenger::OnClanMemberJoined(const PlayerState& record) {
    AddSceneNotice(
        quill::Format(u"[%s] %s %s", u"Clan", CutToLength(record.name, kNicknameLength), u"has joined the clan."));
    RefreshMemberList();
}

void Messenger::OnClanMemberLeft(const PlayerState& record) {
    AddSceneNotice(quill::Format(u"[%s] %s has left the clan.", u"Clan", CutToLength(record.name, kNicknameLength)));
    RefreshMemberList();
}

void Messenger::OnFriendRemoved(uint8_t quiet, const PlayerState& record) {
    if (quiet == 0) {
        DeferBox(u"Ask Friend", quill::Format(u"%s %s", CutToLength(record.name, kNicknameLength),
                                              u"has been deleted from your friends list."));
    }
    RefreshMemberList();
}

// --- The clan -----------------------------------------------------------------------------------------------

void Messenger::OnClanStatus(Packet& packet) {
    const ClanStatusMessage status = ClanStatusMessage::Read(packet);
    GameConnection& connection = host_->Connection();
    if (status.clanId == 0 ||
        (status.clanId != connection.LocalPlayer().clanId && status.clanId != connection.Directories().Clan().id))
        return;
    connection.Directories().SetClanStatus(status.capacity, status.value, status.money);
    RefreshMemberList();
    host_->PostEvent(quill::AppEventId::ShopRefresh1067, 0, 0, 0);
}

void Messenger::OnClanLeaveResult(Packet& packet) {
    if (packet.ReadU8() == 1) {
        DeferBox(u"Error", u"The Clan master cannot leave the clan unless all members have left.");
        return;
    }
    GameConnection& connection = host_->Connection();
    connection.Directories().LeaveClan();
    PlayerState& player = connection.LocalPlayer();
    player.clanId = 0;
    player.clanRank = 0;
    player.clanName.clear();
    Defer(kPendingFriendsView);
    DeferBox(u"Notice", u"You've left the clan.");
}

void Messenger::OnClanCreateResult(Packet& packet) {
    const ClanCreatedMessage created = ClanCreatedMessage::Read(packet);
    switch (created.result) {
        case 0: {
            // The record first: the box tells the main thread that it is there.
            PlayerState& player = host_->Connection().LocalPlayer();
            player.clanId = created.clanId;
            player.clanName = created.clanName;
            player.clanRank = kMasterRank;
            player.cueMoney -= created.cost;
            DeferBox(u"Notice", u"The clan is created. You are a clan master.");
            break;
        }
        case 1:
            DeferBox(u"Error", u"Failed to create clan..", u"Try later or contact customer center.");
            break;
        case 2:
            DeferBox(u"Error", u"You are already a member of a clan.");
            break;
        case 3:
            DeferBox(u"Error", u"There is already a clan using the same name.");
            break;
        case 4:
            DeferBox(u"Error", u"Clan creation gold is running short.");
            break;
        default:
            break;
    }
}

}  // namespace kestrovan
