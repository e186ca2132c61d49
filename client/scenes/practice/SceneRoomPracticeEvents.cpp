// SceneRoomPractice: the player's side on the main thread: the screen's buttons, the keys and application
// events after the table's own input handling, the challenge (choice, start, the judging of each shot, the
// end), the gold charge asked for, and the items of the quick bar.
#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/ItemCatalogue.h"
#include "QuillLib/gamedata/ItemRecord.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/MessengerPopup.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/Settings.h"
#include "client/app/SoundIds.h"
#include "client/app/SoundQueue.h"
#include "client/connection/ConnectionNotice.h"
#include "client/connection/GameConnection.h"
#include "client/rules/TablePhysics.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/HelpWindow.h"
#include "client/scenes/common/ItemQuickBar.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/common/ReplayPanel.h"
#include "client/scenes/common/TableOptionsFromSettings.h"
#include "client/scenes/common/WaitingPopup.h"
#include "client/scenes/practice/ChallengeSelectWindow.h"
#include "client/scenes/practice/PracticeMessages.h"
#include "client/scenes/practice/PracticeOptionsWindow.h"
#include "client/scenes/practice/SceneRoomPractice.h"
#include "client/table/CameraController.h"
#include "client/table/GameTable.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/table/SharedUtilities.h"
#include "client/table/TableAim.h"
#include "client/table/TableAmbient.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableInput.h"
#include "client/table/TableRack.h"
#include "client/table/TableRenderStep.h"
#include "client/table/TableShotRecords.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"
#include "platform/system/Rand.h"
#include "platform/window/MessageIds.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr uint32_t kPracticeAidKind = 4;
constexpr uint32_t kBoostKind = 6;
constexpr uint32_t kTimedNotStarted = 1;
constexpr uint32_t kInUse = 1;
constexpr uint32_t kReplayKey = 'R';

void QueueSound(uint32_t id) {
    SoundQueue::Instance().Push(quill::SoundManager::Current(), id, 1.0f);
}

}  // namespace

// --- the screen's buttons ---

bool SceneRoomPractice::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    WidgetToolkit::CheckTreeAccess("SceneRoomPractice::OnEvent");
    if (titleBarButtons_.OnControl(id))
        return true;
    switch (id) {
        case kChallenge:
            if (!PracticeChallenge::HasChallenge(gameType_)) {
                app_.Scenes().ShowNoticeBox(this, u"Try other game type..",
                                            u"Earning gold isn't available for this game.");
                return true;
            }
            selection_->Fill(gameType_, connection_.MembershipState(), Player().dailyChargeCount, Player().money);
            selection_->Open();
            return true;
        case kOptions:
            if (options_->IsVisible()) {
                options_->SetVisible(false);
            } else {
                options_->SetGameType(gameType_);
                options_->Open();
            }
            return true;
        default:
            break;
    }
    Scene::OnEvent(source, a, b);
    return false;
}

// --- keys and application events ---

int SceneRoomPractice::OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return 0;
    if (id < quill::AppEventId::EventNone) {
        table->Input().HandleInput(id, static_cast<platform::WParam>(wParam), static_cast<platform::LParam>(lParam));
    }
    WidgetToolkit::CheckTreeAccess("SceneRoomPractice::OnMessage");
    if (id == platform::Msg::KeyUp && wParam == kReplayKey) ToggleReplay();
    if (id == platform::Msg::KeyUp && wParam == platform::Vk::F2) textArea_->Show(!textArea_->IsVisible());
    if (id == platform::Msg::LButtonDown || id == platform::Msg::RButtonDown) {
        if (MessengerPopup* messenger = app_.Scenes().GetMessenger()) messenger->ReleaseChatFocus();
    }
    switch (id) {
        case quill::AppEventId::ChallengeChoice:
            if (wParam == 1) {
                StartChallenge();
            } else {
                EndChallenge();
            }
            break;
        case quill::AppEventId::ApplyTableSettings:
            table->ApplyAppOptions(TableOptionsFromSettings(app_.GetSettings()));
            break;
        case quill::AppEventId::RoomWindowsToggle:
            replayPanel_->SetVisible(false);
            replayShown_ = false;
            textArea_->Show(true);
            break;
        case quill::AppEventId::ReplayLastShotRequest:
            if ((table->Records().GetCommittedRecord().valid & ShotRecord::kValidFilled) != 0) {
                replayPanel_->LoadShot(table->Records().GetCommittedRecord());
            }
            break;
        case quill::AppEventId::JoinWith:
            LeaveToLobby();
            break;
        case quill::AppEventId::UseChalk:
            table->Aim().SetChalkLevel(chalkSlot_->Level());
            break;
        case quill::AppEventId::QuickSlotA:
        case quill::AppEventId::QuickSlotB:
            UseQuickItem();
            break;
        case quill::AppEventId::ItemUseConfirm:
            if (wParam == NoticeBox::kYes && pendingItem_) {
                if (const quill::InventoryItem* item = Player().FindItem(pendingItem_->first, pendingItem_->second)) {
                    SendItemUse(*item);
                }
            }
            break;
        case quill::AppEventId::PracticeOption:
            selection_->SetVisible(false);
            awaited_.SendByte(quill::MessageId::GoldChargeRequest, 0, [this] { waiting_->Open(); });
            break;
        case quill::AppEventId::ShotFired:
            connection_.ClearActiveItems();
            itemBar_->Refresh();
            break;
        case quill::AppEventId::BallsStopped:
            OnBallsStopped();
            break;
        default:
            break;
    }
    return 0;
}

// 'R': the replay panel with the table's last shot, or back to the text list.
void SceneRoomPractice::ToggleReplay() {
    GameTable& table = *stage_.Table();
    if (replayPanel_->IsVisible()) {
        replayPanel_->SetVisible(false);
        textArea_->Show(true);
        return;
    }
    if ((table.Records().GetCommittedRecord().valid & ShotRecord::kValidFilled) == 0) return;
    replayPanel_->SetVisible(true);
    textArea_->Show(false);
    replayPanel_->LoadShot(table.Records().GetCommittedRecord());
}

// --- the challenge ---

void SceneRoomPractice::ChooseLevel(int32_t level) {
    WidgetToolkit::CheckTreeAccess("SceneRoomPractice::ChooseLevel");
    if (!PracticeChallenge::LevelAllowed(level, Player().level)) {
        app_.Scenes().ShowNoticeBox(this, u"Check the game level for try.");
        return;
    }
    chosenLevel_ = level;
    if (Player().money >= PracticeChallenge::kExperienceOnlyGold) {
        app_.Scenes().ShowNoticeBox(this, u"Because your owned gold is over 3000 won,", u"you can only experience the game.");
    }
    app_.PostEvent(quill::AppEventId::ChallengeChoice, 1, 0, 0);
    selection_->SetVisible(false);
}

void SceneRoomPractice::AskGoldCharge() {
    WidgetToolkit::CheckTreeAccess("SceneRoomPractice::AskGoldCharge");
    using Refusal = PracticeChallenge::ChargeRefusal;
    switch (PracticeChallenge::CheckGoldCharge(connection_.MembershipState(), Player().dailyChargeCount, Player().money)) {
        case Refusal::kMembershipOnly:
            app_.Scenes().ShowNoticeBox(this, u"Membership only.");
            return;
        case Refusal::kNoChargesLeft:
            app_.Scenes().ShowNoticeBox(this, u"No more change. (once a day)");
            return;
        case Refusal::kTooMuchGold:
            app_.Scenes().ShowNoticeBox(this, u"It is not available", u"because your owned gold is over 30000.");
            return;
        case Refusal::kAllowed:
            break;
    }
    app_.PostEvent(quill::AppEventId::PracticeOption, 0, 0, 0);
    selection_->SetVisible(false);
}

void SceneRoomPractice::StartChallenge() {
    if (!PracticeChallenge::HasChallenge(gameType_)) return;
    GameTable& table = *stage_.Table();
    table.SetState(7);
    challengeButton_->Show(false);
    challenge_.Start(gameType_, chosenLevel_);
    ShowBoard();
    board_->Show(true);
    table.Reset(static_cast<uint32_t>(platform::Rand()));
    if (table.Cameras().GetCamera().Mode() != CameraController::kTopViewMode) table.Rack().ResetCamera();
    table.Cameras().MoveCamera(0.5f, CameraController::kKeep, CameraController::kKeep, false);
    table.RenderStep().SetVisible(true);
    table.Turn().SetControlEnabled(true);
    QueueSound(kStartSound);
    if (!quill::IsCaromGame(gameType_)) QueueSound(sound_id::kRackChime);
}

void SceneRoomPractice::EndChallenge() {
    challengeButton_->Show(true);
    board_->Show(false);
    challenge_.End();
    stage_.Table()->SetState(5);
}

void SceneRoomPractice::OnBallsStopped() {
    GameTable& table = *stage_.Table();
    table.Rack().ReRackIfNeeded(static_cast<uint32_t>(platform::Rand()), false);
    if (challenge_.IsActive()) {
        JudgeShot();
    } else {
        table.Rack().SetCueBall(0, false);
    }
    table.RenderStep().SetVisible(true);
    table.Turn().SetControlEnabled(true);
}

// The balls of a challenge shot stopped: success, a failed inning, or the end at the twentieth.
void SceneRoomPractice::JudgeShot() {
    GameTable& table = *stage_.Table();
    const int32_t counter = table.GetClampedCounter();
    const auto pocketed = static_cast<int32_t>(table.Physics().GetReferee().Analysis().Pocketed().size());
    const int32_t level = challenge_.LevelNumber();
    const PracticeChallenge::Judgement judgement = challenge_.Judge(counter, pocketed);
    // The referee has its word on every challenge shot: the inning's run, and the shot that reached the target.
    const int32_t target = PracticeChallenge::LevelFor(level, gameType_).target;
    const int32_t score = challenge_.Points();
    const bool deciding = judgement.success && score >= target && score - judgement.points < target;
    const auto run = static_cast<uint16_t>(judgement.success ? challenge_.ShotsOfInning() : 0);
    table.Physics().AnnounceChallengeShot(PracticeChallenge::TargetCode(gameType_), run, deciding);
    const uint32_t now = platform::TimeGetTime();
    if (judgement.success) {
        QueueSound(kSuccessSound);
        lines_.Add(u"Success !!", kSuccessColour, now);
    } else if (judgement.finished) {
        lines_.Add(u"Finish... Wait for rewards.", kItemColour, now);
        table.Rack().SetCueBall(0, false);
        const auto points = static_cast<uint16_t>(challenge_.Points());
        EndChallenge();
        awaited_.Send(
            [&](quill::Packet& packet) {
                packet.Init(quill::MessageId::ChallengeResult)
                    .WriteU8(static_cast<uint8_t>(gameType_))
                    .WriteU8(static_cast<uint8_t>(level))
                    .WriteU16(points);
            },
            [this] {
                ++resultsSent_;
                waiting_->Open();
            });
    } else {
        lines_.Add(u"Failed... OTL", kNoticeColour, now);
        if (judgement.switchCueBall) table.Rack().SetCueBall(table.Physics().CueBall() == 0 ? 1 : 0, false);
    }
    ShowBoard();
    ShowLines();
}

void SceneRoomPractice::ShowBoard() {
    const PracticeChallenge::Level level = PracticeChallenge::LevelFor(challenge_.LevelNumber(), gameType_);
    boardLines_[0]->SetTextF(u"Inning (%d/20)", challenge_.Innings());
    boardLines_[1]->SetTextF(u"Point %d", challenge_.Points());
    boardLines_[2]->SetTextF(u"Average %.1f", static_cast<double>(challenge_.Average()));
    boardLines_[3]->SetTextF(u"Target Pts. %d", level.target);
    boardLines_[4]->SetTextF(u"Rewards %s", FormatMoney(level.reward));
}

// --- items ---

// The clicked item of the quick bar, by its kind: a cue to play with, a boost switched on or off, a chalk
// to chalk with; practice aids are for the game room.
void SceneRoomPractice::UseQuickItem() {
    const quill::InventoryItem* item = itemBar_->ClickedItem();
    if (item == nullptr) return;
    const uint32_t now = platform::TimeGetTime();
    const quill::ItemRecord* record = quill::TheItemCatalogue().FindById(item->typeCode);
    if (item->kind == quill::ItemRecord::kCue && record != nullptr && record->requiredLevel > Player().level) {
        lines_.Add(quill::Format(u"This item allowed to use level %d", static_cast<int>(record->requiredLevel)),
                   kItemColour, now);
        ShowLines();
        return;
    }
    if (item->state == kTimedNotStarted && item->inUse != kInUse) {
        pendingItem_ = std::pair{item->key, item->subKey};
        app_.Scenes().ShowBox(this,
                              ConnectionNotice::WithLines(u"Notice",
                                                          {u"This item is for limited time use, bur not used.",
                                                           u"The status should be changed to use the item,",
                                                           u"if it is used, the time will begin counting.",
                                                           u"Do you want to use the item?"},
                                                          quill::AppEventId::ItemUseConfirm),
                              3);
        return;
    }
    switch (item->kind) {
        case quill::ItemRecord::kCue:
            UseCue(*item);
            break;
        case kBoostKind:
            ToggleActiveItem(*item);
            break;
        case quill::InventoryItem::kKindChalk:
            Player().SelectItem(item->key, item->subKey);
            chalkSlot_->Reload();
            stage_.Table()->Ambient().RequestAmbientRebuild();
            lines_.Add(quill::Format(u"Chalk is changed to %s", item->name), kItemColour, now);
            break;
        case kPracticeAidKind:
            lines_.Add(u"You cannot use this item for 'practice'.", kItemColour, now);
            break;
        default:
            break;
    }
    itemBar_->Refresh();
    ShowLines();
}

void SceneRoomPractice::UseCue(const quill::InventoryItem& item) {
    const quill::InventoryItem* current = Player().GetEquippedItem(static_cast<uint8_t>(gameType_));
    if (current == &item) return;
    const bool custom = item.customFlag != 0 && item.typeCode >= quill::InventoryItem::kCustomCueType;
    const auto type = static_cast<uint16_t>(item.typeCode);
    Player().equipped[static_cast<size_t>(gameType_ % quill::kGameTypeCount)] = {item.key, item.subKey, type};
    stage_.EquipCue(type, custom ? item.statValues : TableSceneStage::kStockParts);
    const uint32_t now = platform::TimeGetTime();
    if (custom) {
        lines_.Add(quill::Format(u"Cue is chaned to %s.", item.name), kItemColour, now);
    } else {
        lines_.Add(quill::Format(u"Cue is changed to %s", item.name), kItemColour, now);
    }
}

void SceneRoomPractice::ToggleActiveItem(const quill::InventoryItem& item) {
    const uint32_t slot = ItemCategoryToSlot(static_cast<int32_t>(item.typeCode));
    const uint32_t now = platform::TimeGetTime();
    if (connection_.IsItemActive(slot) &&
        connection_.GetActiveItemKey(slot) == static_cast<int64_t>(uint64_t{item.subKey} << 32 | item.key)) {
        connection_.SetActiveItem(slot, 0, 0, 0);
        lines_.Add(quill::Format(u"%s : Canceled", item.name), kItemColour, now);
        return;
    }
    if (item.remaining == 0) {
        app_.Scenes().ShowErrorBox(this, u"This item is exhausted.");
        return;
    }
    connection_.SetActiveItem(slot, item.key, item.subKey, 1);
    lines_.Add(quill::Format(u"Use item : %s", item.name), kItemColour, now);
}

void SceneRoomPractice::SendItemUse(const quill::InventoryItem& item) {
    awaited_.Send(
        [&](quill::Packet& packet) {
            packet.Init(quill::MessageId::ItemUse)
                .WriteU32(item.typeCode)
                .WriteU8(static_cast<uint8_t>(item.kind))
                .WriteU32(item.key)
                .WriteU32(item.subKey);
        },
        [this] { waiting_->Open(); });
}

}  // namespace kestrovan
