// SceneRoomPractice: the server's messages on the dispatch thread: notices into the text list, the gold
// charge and the challenge's reward into the player's gold, and the answer to an item use. A message that
// ends before its fields is dropped with one warning.
#include "QuillLib/core/Format.h"
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/ItemQuickBar.h"
#include "client/scenes/common/WaitingPopup.h"
#include "client/scenes/common/messages/ShopMessages.h"
#include "client/scenes/practice/PracticeMessages.h"
#include "client/scenes/practice/SceneRoomPractice.h"
#include "client/table/GameTable.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"

namespace kestrovan {

namespace {

void WarnShort(quill::MessageId id) {
    quill::TheLog().Log(u"WARNING: practice room dropped message %d: too short\n", static_cast<int>(id));
}

}  // namespace

int SceneRoomPractice::OnPacket(quill::MessageId id, quill::Packet& packet) {
    WidgetToolkit::CheckTreeAccess("SceneRoomPractice::OnPacket");
    switch (id) {
        case quill::MessageId::SystemNotice:
            if (const auto text = ReadPracticeNotice(packet)) {
                lines_.Add(*text, kNoticeColour, platform::TimeGetTime());
                ShowLines();
            } else {
                WarnShort(id);
            }
            break;
        case quill::MessageId::ShotRegistered:
            app_.Scenes().ShowNoticeBox(this, u"It is registered to the Shot gallery.");
            break;
        case quill::MessageId::GoldCharged:
            OnGoldCharged(packet);
            break;
        case quill::MessageId::ItemUseResult:
            if (const auto result = ShopAnswers::ReadItemUse(packet)) {
                OnItemUseResult(*result);
            } else {
                WarnShort(id);
            }
            break;
        case quill::MessageId::ChallengeReward:
            OnChallengeReward(packet);
            break;
        default:
            break;
    }
    return 0;
}

void SceneRoomPractice::OnGoldCharged(quill::Packet& packet) {
    const auto charged = ReadGoldCharged(packet);
    if (!charged) {
        WarnShort(quill::MessageId::GoldCharged);
        return;
    }
    waiting_->SetVisible(false);
    if (charged->result != 0) {
        app_.Scenes().ShowNoticeBox(this, u"DB error.", u"Contact admin.");
        return;
    }
    Player().money = charged->gold;
    Player().dailyChargeCount = charged->chargesLeft;
    app_.Scenes().ShowNoticeBox(this, quill::Format(u"%s gold has charged.", FormatMoney(charged->amount)));
    if (quill::SoundManager* sounds = quill::SoundManager::Current()) sounds->Play(kChargedSound, 1.0f, 0, false);
}

void SceneRoomPractice::OnChallengeReward(quill::Packet& packet) {
    const auto reward = ReadChallengeReward(packet);
    if (!reward) {
        WarnShort(quill::MessageId::ChallengeReward);
        return;
    }
    Player().money = reward->gold;
    waiting_->SetVisible(false);
    app_.Scenes().ShowNoticeBox(this, quill::Format(u"You earned %s gold for rewards.", FormatMoney(reward->amount)));
}

// The server's answer to an item use: the item takes its new status (and name); a cue is played with from
// the next update on and told to the server, a chalk is chalked with.
void SceneRoomPractice::OnItemUseResult(const ItemUseResult& result) {
    if (result.result != 0) {
        waiting_->SetVisible(false);
        app_.Scenes().ShowErrorBox(this, u"Failed to use item.", u"Please reconnect to check the result..");
        return;
    }
    ApplyItemUse(result);
    // Last: the player waits no longer once the item is ready.
    waiting_->SetVisible(false);
}

void SceneRoomPractice::ApplyItemUse(const ItemUseResult& result) {
    const auto key = static_cast<uint32_t>(static_cast<uint64_t>(result.key));
    const auto subKey = static_cast<uint32_t>(static_cast<uint64_t>(result.key) >> 32);
    quill::InventoryItem* item = Player().FindItem(key, subKey);
    if (item == nullptr) return;
    item->inUse = result.status;
    if (result.key != 0) item->name = result.text;
    if (item->kind == 1) {
        cueToEquip_ = std::pair{key, subKey};
        const uint32_t type = item->typeCode;
        sender_.Send([&](quill::Packet& packet) {
            packet.Init(quill::MessageId::ItemUseAlt).WriteU32(type).WriteU8(1).WriteU32(key).WriteU32(subKey);
        });
    } else if (item->kind == quill::InventoryItem::kKindChalk) {
        Player().SelectItem(key, subKey);
        chalkSlot_->Reload();
    }
    itemBar_->Refresh();
}

}  // namespace kestrovan
