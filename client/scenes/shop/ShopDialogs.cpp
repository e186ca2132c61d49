#include "client/scenes/shop/ShopDialogs.h"

#include <memory>
#include <utility>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/ItemCatalogue.h"
#include "client/app/SceneManager.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/InProgressDialog.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/common/messages/ShopMessages.h"
#include "client/scenes/shop/DeleteItemConfirm.h"
#include "client/scenes/shop/ItemUseConfirmWindow.h"
#include "client/scenes/shop/NicknameChangeDialog.h"
#include "client/scenes/shop/PictureWindow.h"
#include "client/scenes/shop/SceneShop.h"
#include "client/scenes/shop/ShopDecisions.h"
#include "client/scenes/shop/ShopItemKeys.h"
#include "client/scenes/shop/ShopWidgets.h"

namespace kestrovan {

using quill::MessageId;
using quill::Packet;
using quill::ScopedLock;

ShopDialogs::ShopDialogs(SceneShop& screen, GameConnection& connection, SceneManager& scenes, AppEventPoster poster)
    : screen_(screen), connection_(connection), scenes_(scenes), poster_(std::move(poster)) {}

// --- Layout -------------------------------------------------------------------------------------------------

void ShopDialogs::BuildQuestions(Widget& screen, std::function<void()> quit) {
    useQuestion_ = AttachShopWidget(screen, std::make_unique<ItemUseConfirmWindow>(poster_), false);
    inProgress_ = AttachShopWidget(screen, std::make_unique<InProgressDialog>(std::move(quit)), false);
    deleteQuestion_ = AttachShopWidget(screen, std::make_unique<DeleteItemConfirm>(poster_), false);
    NicknameChangeDialog::Services nick;
    nick.nickname = [this] { return connection_.Nickname(); };
    nick.showError = [this](quill::WStringView line) { scenes_.ShowErrorBox(nullptr, line); };
    nick.poster = poster_;
    nickname_ = AttachShopWidget(screen, std::make_unique<NicknameChangeDialog>(std::move(nick)), false);
}

void ShopDialogs::BuildPicture(Widget& screen) {
    picture_ = AttachShopWidget(screen, std::make_unique<PictureWindow>(), false);
}

// --- Using and deleting -------------------------------------------------------------------------------------

void ShopDialogs::UseSelected(std::optional<int64_t> selected) {
    if (!selected) return;
    const std::optional<quill::InventoryItem> item = screen_.FindOwned(*selected);
    if (!item) return;
    quill::PlayerState& player = connection_.LocalPlayer();
    bool sameTypeInUse = false;
    {
        ScopedLock playerHold(player.GetLock());
        for (uint32_t n = 0; n < player.ItemCount(); ++n) {
            const quill::InventoryItem* other = player.ItemAt(n);
            if (other != nullptr && other->typeCode == item->typeCode &&
                other->inUse == quill::InventoryItem::kStatusInUse &&
                !(other->key == item->key && other->subKey == item->subKey))
                sameTypeInUse = true;
        }
    }
    const UseDecision decision = ShopDecisions::Use(*item, quill::TheItemCatalogue().FindById(item->typeCode),
                                                    player.level, sameTypeInUse);
    const auto line = [&](size_t n) { return n < decision.lines.size() ? quill::WStringView(decision.lines[n]) : u""; };
    if (decision.action == UseDecision::Action::kNicknameDialog || decision.action == UseDecision::Action::kPostUse ||
        decision.action == UseDecision::Action::kConfirm)
        offeredForUse_ = ShopItemKey(item->key, item->subKey);
    switch (decision.action) {
        case UseDecision::Action::kNotice:
            screen_.ShowNotice(line(0), line(1));
            break;
        case UseDecision::Action::kError:
            screen_.ShowError(line(0));
            break;
        case UseDecision::Action::kNicknameDialog:
            nickname_->SetItem(item->key, item->subKey);
            nickname_->Open();
            break;
        case UseDecision::Action::kPostUse:
            poster_(quill::AppEventId::ShopItemUse, item->key, decision.requestKind, item->subKey);
            break;
        case UseDecision::Action::kConfirm:
            if (!decision.lines.empty()) screen_.ShowNotice(line(0));
            useQuestion_->OpenFor(item->key, item->subKey, decision.requestKind);
            break;
    }
}

void ShopDialogs::UseItem(uint32_t key, uint32_t requestKind) {
    // The item is found by both halves of its key: an item whose sub-key is not 0 is never mistaken for
    // another with the same low half.
    const uint32_t subKey = LowOf(offeredForUse_) == key ? HighOf(offeredForUse_) : 0;
    const std::optional<quill::InventoryItem> item = screen_.FindOwned(ShopItemKey(key, subKey));
    if (!item) {
        screen_.ShowError(u"아이템 정보가 맞지 않습니다.", u"다시 로그인 하세요.");
        return;
    }
    ItemUseRequest request{item->typeCode, static_cast<uint8_t>(item->kind), ShopItemKey(key, subKey), {}};
    if (item->typeCode == ShopRequests::kNicknameItem) request.nickname = nickname_->NewNickname();
    const bool alt = requestKind == kUseRequestAlt;
    screen_.SendAwaited([&](quill::Packet& packet) { ShopRequests::WriteItemUse(packet, request, alt); });
}

void ShopDialogs::DeleteSelected(std::optional<int64_t> selected) {
    if (!selected) return;
    const std::optional<quill::InventoryItem> item = screen_.FindOwned(*selected);
    if (!item) return;
    DeleteDecision decision;
    {
        quill::PlayerState& player = connection_.LocalPlayer();
        ScopedLock playerHold(player.GetLock());
        decision = ShopDecisions::Delete(*item, player);
    }
    switch (decision.action) {
        case DeleteDecision::Action::kNotice:
            screen_.ShowNotice(decision.line);
            break;
        case DeleteDecision::Action::kError:
            screen_.ShowError(decision.line);
            break;
        case DeleteDecision::Action::kConfirm:
            deleteQuestion_->OpenFor(item->key, item->subKey);
            break;
    }
}

void ShopDialogs::SendDelete() {
    const int64_t key = deleteQuestion_->ItemKey();
    if (key == 0) return;
    screen_.SendAwaited([key](quill::Packet& packet) { ShopRequests::WriteItemDelete(packet, key); });
}

void ShopDialogs::OpenPicture() {
    picture_->Open();
}

void ShopDialogs::ShowInProgress() {
    inProgress_->Open();
}

void ShopDialogs::HideInProgress() {
    inProgress_->SetVisible(false);
}

// --- Answers ------------------------------------------------------------------------------------------------

bool ShopDialogs::ApplyUse(const ItemUseResult& answer) {
    quill::PlayerState& player = connection_.LocalPlayer();
    ScopedLock playerHold(player.GetLock());
    quill::InventoryItem* item = player.FindItem(LowOf(answer.key), HighOf(answer.key));
    if (item == nullptr) return false;
    item->inUse = answer.status;
    if (answer.key != 0) item->name = answer.text;
    return true;
}

void ShopDialogs::SetDefaults(const ItemUseResult& answer, int32_t onlyType) {
    quill::PlayerState& player = connection_.LocalPlayer();
    const quill::EquippedItem binding{LowOf(answer.key), HighOf(answer.key), static_cast<uint16_t>(answer.typeCode)};
    const quill::ItemRecord* record = quill::TheItemCatalogue().FindById(answer.typeCode);
    ScopedLock playerHold(player.GetLock());
    for (size_t type = 0; type < quill::PlayerState::kTypes; ++type) {
        if (onlyType >= 0 ? static_cast<int32_t>(type) != onlyType : record == nullptr || record->usableIn[type] == 0)
            continue;
        switch (answer.defaultKind) {
            case 1:
            case 2: player.equipped[type] = binding; break;
            case 3: player.equippedTable[type] = binding; break;
            case 4: player.equippedBallSet[type] = binding; break;
            default: break;
        }
    }
}

void ShopDialogs::OnItemUseResult(MessageId id, Packet& packet) {
    std::optional<ItemUseResult> m;
    if (id == MessageId::ItemUseResult) m = ShopAnswers::ReadItemUse(packet);
    else if (id == MessageId::DefaultItemResult) m = ShopAnswers::ReadDefaultItem(packet);
    else m = ShopAnswers::ReadGameDefaultItem(packet);
    if (!m) return SceneShop::WarnDropped(u"item use answer");
    if (screen_.ShowFailure(id, m->result)) return;
    ApplyUse(*m);
    if (id == MessageId::DefaultItemResult) {
        const quill::ItemRecord* record = quill::TheItemCatalogue().FindById(m->typeCode);
        bool anyType = false;
        for (size_t type = 0; record != nullptr && type < quill::PlayerState::kTypes; ++type)
            anyType = anyType || record->usableIn[type] != 0;
        SetDefaults(*m, -1);
        const char16_t* text = u"아이템을 사용하였습니다.(오류-1)";
        if (anyType && m->defaultKind == 1) text = u"기본큐로 지정되었습니다.";
        if (anyType && m->defaultKind == 3) text = u"해당 종목에 기본당구대로 지정되었습니다.";
        if (anyType && m->defaultKind == 4) text = u"해당 종목에 기본공으로 지정되었습니다.";
        scenes_.ShowSecondNoticeBox(&screen_, text);
    } else if (id == MessageId::GameDefaultItemResult) {
        if (m->gameType < quill::PlayerState::kTypes) SetDefaults(*m, m->gameType);
    }
    screen_.RefreshAfterItemChange(id != MessageId::GameDefaultItemResult);
}

void ShopDialogs::OnReconnectResult(MessageId id, Packet& packet) {
    const std::optional<uint8_t> result = ShopAnswers::ReadResult(packet);
    if (!result) return SceneShop::WarnDropped(u"item use answer");
    if (screen_.ShowFailure(id, *result)) return;
    nickname_->SetVisible(false);
    useQuestion_->SetVisible(false);
    NoticeBox* box = scenes_.GetMessageBox();
    if (box == nullptr) return;
    screen_.AddChild(box, box->IsVisible());
    box->Reset();
    box->SetButtons(NoticeBox::kLayoutOk);
    box->SetTitle(u"Notice");
    box->SetLine(u"아이템을 사용하였습니다.", 0);
    box->SetLine(u"적용을 위해 재접속하여야 합니다.", 1);
    // The player reconnects: the box's OK ends the program.
    box->SetEvent(static_cast<int32_t>(quill::AppEventId::AppQuit), 0);
    box->Open();
}

// --- Deleting and counting down -----------------------------------------------------------------------------

void ShopDialogs::RemoveOwned(int64_t key) {
    // Every binding to the item goes first: the selection, the panel, the questions and the player's equipment.
    screen_.Selection().ForgetOwned(key);
    deleteQuestion_->Forget(key);
    useQuestion_->Forget(key);
    quill::PlayerState& player = connection_.LocalPlayer();
    quill::InventoryItem* removed = nullptr;
    {
        ScopedLock playerHold(player.GetLock());
        quill::InventoryItem* item = player.FindItem(LowOf(key), HighOf(key));
        if (item == nullptr) return;
        const bool current = player.GetCurrentCue() == item;
        for (auto* bindings : {&player.equipped, &player.equippedTable, &player.equippedBallSet})
            for (quill::EquippedItem& bound : *bindings)
                if (bound.key == item->key && bound.subKey == item->subKey) bound = quill::EquippedItem{};
        removed = player.RemoveItem(LowOf(key), HighOf(key));
        if (current) player.ChooseDefaultCue();
    }
    connection_.FreeItem(removed);
}

void ShopDialogs::OnItemDeleteResult(Packet& packet) {
    const std::optional<ItemDeleteResult> m = ShopAnswers::ReadItemDelete(packet);
    if (!m) return SceneShop::WarnDropped(u"delete answer");
    if (screen_.ShowFailure(MessageId::ItemDeleteResult, m->result)) return;
    RemoveOwned(m->key);
    screen_.RefreshAfterItemChange(true);
}

void ShopDialogs::OnItemQuantity(Packet& packet) {
    const std::optional<ItemQuantity> m = ShopAnswers::ReadItemQuantity(packet);
    if (!m) return SceneShop::WarnDropped(u"item count");
    if (m->result != 0) return;
    if (m->remaining == 0) {
        RemoveOwned(m->key);
    } else {
        quill::PlayerState& player = connection_.LocalPlayer();
        ScopedLock playerHold(player.GetLock());
        if (quill::InventoryItem* item = player.FindItem(LowOf(m->key), HighOf(m->key)))
            item->remaining = static_cast<int16_t>(m->remaining);
    }
    screen_.RefreshAfterItemChange(false);
}

}  // namespace kestrovan
