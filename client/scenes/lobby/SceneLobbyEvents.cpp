// The lobby's application events (main thread): the room dialogs' confirmations, following a player into a
// room or another channel, the tutorial gate, the expired items and the way to the shop, the tournament
// entry check, and the articles forwarded to the lobby, which Render opens from the dialogs' page queue.
#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/ItemCatalogue.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/SceneId.h"
#include "client/connection/ConnectionNotice.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/common/RoomPasswordPopup.h"
#include "client/scenes/common/RoomSettingDialog.h"
#include "client/scenes/common/WebPages.h"
#include "client/scenes/lobby/CreateRoomRequest.h"
#include "client/scenes/lobby/RoomCreateDialog.h"
#include "client/scenes/lobby/SceneLobby.h"
#include "client/scenes/lobby/TournamentPopups.h"
#include "client/scenes/lobby/TournamentTexts.h"
#include "platform/window/MessageIds.h"

namespace kestrovan {

using quill::MessageId;

namespace {

constexpr uint8_t kExpired = 4;
constexpr size_t kNamedExpiredItems = 3;
constexpr uint32_t kLeaveForChannelList = 2;
constexpr uint32_t kTournamentRegistration = 3;
constexpr size_t kChatSlots = 6;

}  // namespace

int SceneLobby::OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) {
    switch (id) {
        case platform::Msg::Char:
            if (wParam == 13) chat_.FocusInput();
            break;
        case quill::AppEventId::TournamentInfoOpen:
            dialogs_.Tournament().ShowInfo();
            break;
        case quill::AppEventId::TournamentPopupClose:
            if (wParam == kTournamentRegistration) dialogs_.OpenWebPage(WebPages::kChampionRegistration);
            else if (wParam == 1) dialogs_.Tournament().ShowRanking();
            break;
        case quill::AppEventId::TutorialGateOk:
            connection_.SendBytePacket(MessageId::EnterSchool, &kZero);
            RequestSceneChange(SceneId::School);
            break;
        case quill::AppEventId::CreateRoomConfirm:
            SendCreateRoom();
            break;
        case quill::AppEventId::RoomSettingConfirm:
            OnRoomSettingConfirm();
            break;
        case quill::AppEventId::GoToRoom:
            JoinRoom(static_cast<int32_t>(wParam));
            break;
        case quill::AppEventId::ChatSubmit:
            // Only the six chat slots exist; any other number sends nothing.
            if (wParam < kChatSlots) SendChat(connection_.LocalPlayer().chatTexts[wParam]);
            break;
        case quill::AppEventId::RoomPasswordEntered:
            JoinRoomWithPassword(dialogs_.PasswordPopup()->Room(), dialogs_.PasswordPopup()->Password());
            break;
        case quill::AppEventId::MessengerListChanged:
            if (users_.Tab() == 1) users_.Refresh();
            break;
        case quill::AppEventId::JoinWith:
            FollowJoinTarget();
            break;
        case quill::AppEventId::ExpiredItemsCheck:
        // The lobby's first activation with the tutorial done (LobbyEvent1073) is when the player first sees
        // the lobby: the time to tell of items that expired while he was away.
        case quill::AppEventId::LobbyEvent1073:
            ShowExpiredItems();
            break;
        case quill::AppEventId::EventPageOpen:
            if (wParam == kLeaveForChannelList) {
                connection_.SendBytePacket(MessageId::LeaveChannel, &kZero);
                RequestSceneChange(SceneId::Login);
            } else {
                TutorialGate();
            }
            break;
        case quill::AppEventId::LobbyListRequest:
            GoToShop();
            break;
        case quill::AppEventId::LobbyListRequest2:
            connection_.SendBytePacket(MessageId::ExpiredItemsSeen, &kZero);
            if (wParam == NoticeBox::kYes) CarryOut(JoinStep::EnterShop);
            break;
        case quill::AppEventId::LobbyQueueForward:
            dialogs_.QueueArticle(id, static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
            break;
        case quill::AppEventId::BallsStopped:
            background_.OnBallsStopped();
            break;
        case quill::AppEventId::WebWindowClosed:
            dialogs_.OnWebWindowClosed();
            break;
        default:
            break;
    }
    return 0;
}

// The shop from the lobby's own way there (its button, the page window): expired items the player still
// owns are told seen first. The dispatch thread may be filling the inventory: it is read under its lock.
void SceneLobby::GoToShop() {
    bool anyExpired = false;
    {
        quill::PlayerState& player = connection_.LocalPlayer();
        quill::ScopedLock hold(player.GetLock());
        for (uint32_t k = 0; k < player.ItemCount(); ++k)
            if (const quill::InventoryItem* item = player.ItemAt(k); item != nullptr && item->inUse == kExpired)
                anyExpired = true;
    }
    if (anyExpired) connection_.SendBytePacket(MessageId::ExpiredItemsSeen, &kZero);
    CarryOut(JoinStep::EnterShop);
}

void SceneLobby::CarryOut(JoinStep step) {
    switch (step) {
        case JoinStep::LeaveChannel:
            connection_.SendBytePacket(MessageId::LeaveChannel, &kZero);
            RequestSceneChange(SceneId::Login);
            break;
        case JoinStep::EnterPractice:
            connection_.SendBytePacket(MessageId::EnterPractice, &kZero);
            RequestSceneChange(SceneId::RoomPractice);
            break;
        case JoinStep::EnterShop:
            connection_.SendBytePacket(MessageId::EnterShop, &kZero);
            RequestSceneChange(SceneId::Shop);
            break;
        case JoinStep::ClearTarget:
            ClearJoinTarget();
            break;
        case JoinStep::TutorialGate:
            TutorialGate();
            break;
        default:
            break;
    }
}

void SceneLobby::FollowJoinTarget() {
    const JoinWithTarget target = ReadJoinTarget();
    const JoinStep step = PlanJoinWith(target, connection_.CurrentChannel(), joinPending_);
    switch (step) {
        case JoinStep::JoinRoom:
            JoinRoom(target.place);
            break;
        case JoinStep::JoinRoomWithPassword:
            ClearJoinTarget();
            JoinRoomWithPassword(target.place, target.password);
            break;
        case JoinStep::EnterPractice:
            ClearJoinTarget();
            if (target.targetKind == 1) connection_.GetRoomInfo().gameType = static_cast<uint8_t>(target.targetValue);
            CarryOut(step);
            break;
        case JoinStep::EnterShop:
            ClearJoinTarget();
            CarryOut(step);
            break;
        default:
            CarryOut(step);
            break;
    }
}

void SceneLobby::TutorialGate() {
    const bool firstActivation = activationCount_ <= 1;
    if (connection_.LocalPlayer().tutorialDone == 0) {
        if (firstActivation) {
            connection_.SendBytePacket(MessageId::EnterSchool, &kZero);
            RequestSceneChange(SceneId::School);
            return;
        }
        app_.Scenes().ShowBox(this,
                              {u"Notice",
                               {u"Other features cannot be used unless the tutorial is done.", u"Please try again.",
                                u"Please contact the customer service",
                                u"if you have problems with running the tutorial."},
                               quill::AppEventId::TutorialGateOk},
                              NoticeBox::kLayoutOk);
        return;
    }
    if (firstActivation) app_.PostEvent(quill::AppEventId::LobbyEvent1073, 0, 0, 0);
}

// Expired items leave the profile and are told in the second message box. The dispatch thread may be filling
// the inventory: the items are taken out under the player's lock and go back to the pool after it.
void SceneLobby::ShowExpiredItems() {
    std::vector<quill::WString> names;
    std::vector<quill::InventoryItem*> expired;
    {
        quill::PlayerState& player = connection_.LocalPlayer();
        quill::ScopedLock hold(player.GetLock());
        for (uint32_t k = 0; k < player.ItemCount();) {
            quill::InventoryItem* item = player.ItemAt(k);
            // A removed item's place is taken by another one, which is looked at next.
            if (item == nullptr || item->inUse != kExpired || !player.RemoveItemPtr(item)) {
                ++k;
                continue;
            }
            if (names.size() < kNamedExpiredItems) {
                const quill::ItemRecord* record = quill::TheItemCatalogue().FindById(item->typeCode);
                names.push_back(record != nullptr ? record->name : quill::WString{});
            }
            expired.push_back(item);
        }
    }
    // The items leave the profile for good: their records go back to the connection's pool.
    for (quill::InventoryItem* item : expired) connection_.FreeItem(item);
    const auto count = static_cast<int32_t>(expired.size());
    if (count == 0) return;
    if (count > static_cast<int32_t>(kNamedExpiredItems)) names.back() += u" ...";
    NoticeBox* box = app_.Scenes().GetSecondMessageBox();
    if (box == nullptr) return;
    AddChild(box, box->IsVisible());
    box->Reset();
    box->SetButtons(NoticeBox::kLayoutYesNo);
    box->SetTitle(u"Notice");
    size_t line = 0;
    box->SetLine(quill::Format(u"There are %d expired items.", count), line++);
    for (const quill::WString& name : names) box->SetLine(name, line++);
    box->SetLine(u"Do you want to go to the item mall?", line);
    box->SetEvent(static_cast<int32_t>(quill::AppEventId::LobbyListRequest2), 0);
    box->Open();
}

bool SceneLobby::CheckTournamentEntry() {
    const quill::WString refusal =
        TournamentEntryRefusal(TournamentView::From(connection_.Tournament()), connection_.LocalPlayer());
    if (refusal.empty()) return true;
    ShowNotice(refusal);
    return false;
}

void SceneLobby::OnRoomSettingConfirm() {
    connection_.GetRoomInfo().gameType = static_cast<uint8_t>(dialogs_.PracticeDialog()->SelectedType());
    connection_.SendBytePacket(MessageId::EnterPractice, &kZero);
    RequestSceneChange(SceneId::RoomPractice);
}

void SceneLobby::SendCreateRoom() {
    // The new room's number comes with no answer: the room screen learns it from the server.
    quill::RoomInfo asked = dialogs_.CreateDialog()->Room();
    asked.playerCount = 1;
    awaited_.Send([&asked](quill::Packet& packet) { WriteCreateRoom(packet, asked); },
                  [&] { NoteAskedRoom(asked); });
}

}  // namespace kestrovan
