// The messenger's friend and clan dialogs: friend requests and their answers, the questions about a player,
// clan invitations, the player search, the clan dialog, and the server's results, each shown in its box.
#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/UserDirectory.h"
#include "client/app/Scene.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/PacketRoutes.h"
#include "client/scenes/common/TextFields.h"
#include "client/scenes/community/ClanDialog.h"
#include "client/scenes/community/ClanInviteDialog.h"
#include "client/scenes/community/CommunityRules.h"
#include "client/scenes/community/DeleteFriendDialog.h"
#include "client/scenes/community/FindPlayerDialog.h"
#include "client/scenes/community/FoundPlayerDialog.h"
#include "client/scenes/community/FriendRequestDialog.h"
#include "client/scenes/community/MemberQuestionDialog.h"
#include "client/scenes/community/Messenger.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {

using quill::MessageId;
using quill::Packet;

namespace {

constexpr int32_t kRoomSceneId = 5;
constexpr int32_t kLobbySceneId = 4;

}  // namespace

void Messenger::OnServerMessage(MessageId id, Packet& packet) {
    if (const PacketHandler handler = FindPacketHandler(id)) (this->*handler)(packet);
}

// The messenger's one table from message id to handler.
Messenger::PacketHandler Messenger::FindPacketHandler(MessageId id) {
    static constexpr PacketRoute<PacketHandler> kRoutes[] = {
        {MessageId::FriendRequestResult, &Messenger::OnFriendRequestResult},
        {MessageId::FriendRequestReceived, &Messenger::OnFriendRequestReceived},
        {MessageId::FriendRequestAnswer, &Messenger::OnFriendRequestAnswer},
        {MessageId::ClanInviteResult, &Messenger::OnClanInviteResult},
        {MessageId::ClanMemberStatus, &Messenger::OnClanStatus},
        {MessageId::ClanLeaveResult, &Messenger::OnClanLeaveResult},
        {MessageId::ClanInvitation, &Messenger::OnClanInvitation},
        {MessageId::FindPlayerResult, &Messenger::OnFindPlayerResult},
    };
    static_assert(EachIdRoutedOnce(kRoutes), "each message id has one handler");
    return FindPacketRoute(kRoutes, id);
}

void Messenger::ShowDialog(Window& dialog) {
    if (Scene* scene = host_->CurrentScene())
        ShowWindowOn(dialog, *scene);
}

// Dialogs the player has open go along to the screen he enters.
void Messenger::MoveOpenDialogs(Widget& screen) {
    for (Window* dialog : std::initializer_list<Window*>{question_.get(), deleteFriend_.get(), clanInvite_.get(),
                                                         findPlayer_.get(), foundPlayer_.get(), clanDialog_.get()}) {
        if (dialog->IsVisible())
            screen.AddChild(dialog, true);
    }
}

// --- Friend requests ----------------------------------------------------------------------------------------

void Messenger::OnFriendRequestReceived(Packet& packet) {
    WidgetToolkit::CheckTreeAccess("Messenger::OnFriendRequestReceived");
    const FriendRequestMessage request = FriendRequestMessage::Read(packet);
    if (requestQueue_.Add(request.userId, request.memberId, request.nickname) != FriendRequestQueue::Added::Queued)
        return;
    if (requestQueue_.Count() > 1 && friendRequest_->IsVisible())
        return;
    if (Scene* scene = host_->CurrentScene(); scene != nullptr && scene->GetSceneId() == kRoomSceneId) {
        lastAnnounced_ = request.nickname;
        if (alarm_.AlarmOn())
            host_->PlaySound(kAlarmSound);
        host_->PostEvent(quill::AppEventId::ChatNotify, 0, 0, 0);
        return;
    }
    Defer(kPendingRequest);
}

void Messenger::ShowPending() {
    RefreshChat();
    const uint32_t windows = pending_.exchange(0);
    if (windows == 0)
        return;
    if ((windows & kPendingFriendsView) != 0) {
        view_ = MessengerView::Friends;
        ApplyView();
        RefreshMemberList();
    }
    if ((windows & kPendingRequest) != 0)
        ShowNextRequest();
    if ((windows & kPendingClanInvitation) != 0)
        ShowDialog(*clanInvite_);
    if ((windows & kPendingFoundPlayer) != 0) {
        findPlayer_->SetVisible(false);
        ShowDialog(*foundPlayer_);
    }
    if ((windows & kPendingBox) != 0) {
        std::array<quill::WString, 3> box;
        box = pendingBox_;
        ShowBox(box[0], box[1], box[2]);
    }
}

void Messenger::ShowNextRequest() {
    const std::optional<FriendRequestRecord> head = requestQueue_.Head();
    if (!head)
        return;
    friendRequest_->SetRequest(*head);
    ShowDialog(*friendRequest_);
}

void Messenger::AnswerFriendRequest(bool accept) {
    WidgetToolkit::CheckTreeAccess("Messenger::AnswerFriendRequest");
    const std::optional<FriendRequestRecord> head = requestQueue_.TakeHead();
    if (!head)
        return;
    requests_.SendFriendRequestReply(accept, head->memberId, head->nickname);
    ShowNextRequest();
}

void Messenger::OnFriendRequestResult(Packet& packet) {
    const FriendResultMessage result = FriendResultMessage::ReadRequestResult(packet);
    quill::WString line;
    switch (result.result) {
        case 0:
            line = u"Add friend is requested.";
            break;
        case 2:
            line = quill::Format(u"%s has refused to become a friend.", result.nickname);
            break;
        case 3:
            line = u"You can no longer add more friends.";
            break;
        case 4:
            line = u"The opponent can no longer add more friends.";
            break;
        default:
            line = u"Already registered or the request has failed.";
            break;
    }
    DeferBox(u"Ask Friend", line);
}

void Messenger::OnFriendRequestAnswer(Packet& packet) {
    const FriendResultMessage answer = FriendResultMessage::ReadAnswer(packet);
    DeferBox(u"Ask Friend", quill::Format(u"%s %s", answer.nickname,
                                          answer.result != 0 ? u"has been registered as a friend."
                                                             : u"has rejected your friend request."));
}

// --- Questions about a player -------------------------------------------------------------------------------

void Messenger::AskAboutMember(const quill::PlayerState& record, int32_t kind) {
    question_->Ask(MemberSnapshot::Of(record), kind);
    ShowDialog(*question_);
}

void Messenger::AskDeleteFriend(const quill::PlayerState& record) {
    MemberSnapshot friendMember = MemberSnapshot::Of(record);
    if (friendMember.memberId == 0) {
        quill::UserDirectory& friends = host_->Connection().Directories().Friends();
        quill::ScopedLock hold(friends.GetLock());
        const quill::PlayerState* listed = friends.FindByName(record.name);
        if (listed == nullptr)
            return;
        friendMember = MemberSnapshot::Of(*listed);
    }
    deleteFriend_->Ask(friendMember);
    ShowDialog(*deleteFriend_);
}

// --- Clans --------------------------------------------------------------------------------------------------

void Messenger::OnClanInviteResult(Packet& packet) {
    switch (packet.ReadU8()) {
        case 2:
            DeferBox(u"Invite Clan", u"This user is already registered to the other clan.");
            break;
        case 3:
            DeferBox(u"Invite Clan", u"The clan has exceeded its max capacity allowed.");
            break;
        default:
            DeferBox(u"Invite Clan", {});
            break;
    }
}

void Messenger::OnClanInvitation(Packet& packet) {
    clanInvite_->SetInvitation(ClanInvitation::Read(packet));
    Defer(kPendingClanInvitation);
}

void Messenger::OpenClanDialog() {
    Scene* scene = host_->CurrentScene();
    if (scene == nullptr || scene->GetSceneId() != kLobbySceneId) {
        host_->ShowErrorBox(u"Clan setting change can only be done", u"at the lobby.");
        return;
    }
    if (host_->Connection().LocalPlayer().cueMoney < ClanCreationCost()) {
        host_->ShowErrorBox(u"100,000 gold is required to create a clan.");
        return;
    }
    SetVisible(false);
    clanDialog_->SetClan(std::nullopt);
    ShowWindowOn(*clanDialog_, *scene);
}

// --- Finding a player ---------------------------------------------------------------------------------------

void Messenger::OnFindPlayerResult(Packet& packet) {
    const FoundPlayerRecord found = FoundPlayerRecord::Read(packet);
    if (!found.found) {
        DeferBox(u"Error", u"The relevant user does not exist or is offline.");
        return;
    }
    foundPlayer_->SetFound(found, FoundLocation(found.channel, found.place));
    Defer(kPendingFoundPlayer);
}

}  // namespace kestrovan
