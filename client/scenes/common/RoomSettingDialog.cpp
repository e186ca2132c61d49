#include "client/scenes/common/RoomSettingDialog.h"

#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/GameDescriptionPanel.h"
#include "client/scenes/common/GameTypeButton.h"
#include "client/scenes/common/GameTypeNames.h"
#include "client/scenes/common/ItemPreviews.h"
#include "client/scenes/common/RoomOptions.h"
#include "client/scenes/common/TableBallSelector.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kCaromColumnX = 193;
constexpr int32_t kPocketColumnX = 20;
constexpr int32_t kFirstRowY = 72;
constexpr int32_t kRowStep = 22;
// OK and Cancel wear the shared dialog buttons of the common texture.
constexpr uint8_t kTitleShadow = 1;

}  // namespace

RoomSettingDialog::RoomSettingDialog(GameConnection& connection, AppEventPoster poster)
    : connection_(connection), poster_(std::move(poster)) {
    Create(100, 100, kWidth, kHeight, -1, -1);
    SetImage(kPopupTexture, 427, 0, kWidth, kHeight, 1.0f, 1.0f);
    SetSounds(sound_id::kWindowOpen, sound_id::kPopup);
    TextLabel* title = CreateTextLabel(14, 7, 200, 20, &UiFontAt(UiFont::Bold14), 0, kTitleShadow);
    title->SetColors(0xFFFFFFFF, 0xFF000000);
    title->SetText(u"Room setting");
    room_.gameType = static_cast<uint8_t>(quill::game_type::kEightBall);
    AddTypeButtons();
    auto selector = std::make_unique<TableBallSelector>(connection_.LocalPlayer());
    selector_ = static_cast<TableBallSelector*>(AddChild(std::move(selector), true));
    selector_->SetPosition(-9, 214);
    for (const auto& [id, x, key, tileX, caption] : {std::tuple{kOk, 80, platform::Vk::Return, 85, u"OK"},
                                                     std::tuple{kCancel, 210, platform::Vk::Escape, 170, u"Cancel"}}) {
        Button* button = CreateButton(x, 344, 85, 32, id, key, kCommonTexture, tileX, 0);
        SetCentredCaption(*button, caption, kWhite);
    }
    auto description = std::make_unique<GameDescriptionPanel>();
    description_ = static_cast<GameDescriptionPanel*>(AddChild(std::move(description), false));
    description_->SetPosition(-155, 160);
    Show(false);
}

// Carom types in the right column, pocket types in the left, each in type order.
void RoomSettingDialog::AddTypeButtons() {
    int32_t caromCount = 0;
    int32_t pocketCount = 0;
    for (quill::GameType type = 0; type < quill::kGameTypeCount; ++type) {
        if (!GameTypeOffered(type)) continue;
        const bool carom = quill::IsCaromGame(type);
        const int32_t y = kFirstRowY + kRowStep * (carom ? caromCount++ : pocketCount++);
        Button* button = CreateGameTypeButton(*this, type, carom ? kCaromColumnX : kPocketColumnX, y);
        typeButtons_[static_cast<size_t>(type)] = button;
    }
}

Button* RoomSettingDialog::TypeButton(quill::GameType type) const {
    return quill::IsGameTypeIndex(type) ? typeButtons_[static_cast<size_t>(type)] : nullptr;
}

void RoomSettingDialog::SetSelectedType(quill::GameType type) {
    if (TypeButton(type) == nullptr) return;
    selectedType_ = type;
    room_.gameType = static_cast<uint8_t>(type);
}

bool RoomSettingDialog::GambleTypesAllowed() const {
    return connection_.GetChannelType(-1) != kTeensChannel &&
           connection_.LocalPlayer().age >= quill::PlayerState::kAdultAge;
}

void RoomSettingDialog::OnShow() {
    Window::OnShow();
    CentreOnScreen(*this);
    const bool gamble = GambleTypesAllowed();
    for (quill::GameType type = 0; type < quill::kGameTypeCount; ++type) {
        if (Button* button = TypeButton(type); button != nullptr && IsGambleType(type)) button->Show(gamble);
    }
    ApplyGameType();
}

void RoomSettingDialog::TickSelectedType() {
    for (quill::GameType type = 0; type < quill::kGameTypeCount; ++type) {
        if (Button* button = TypeButton(type)) button->SetChecked(type == selectedType_);
    }
}

void RoomSettingDialog::ApplyGameType() {
    selector_->Fill(selectedType_, true, 0, 0);
    TickSelectedType();
    description_->SetGameType(selectedType_);
}

bool RoomSettingDialog::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (source != nullptr && source->GetParent() == this) {
        const bool typeButton = id >= kFirstTypeId && id < kFirstTypeId + quill::kGameTypeCount;
        if (typeButton && source == TypeButton(id - kFirstTypeId)) {
            OnTypeEvent(id - kFirstTypeId, a);
            return true;
        }
        if (id == kCancel) {
            SetVisible(false);
            return true;
        }
        if (id == kOk) {
            Confirm();
            return true;
        }
    }
    return Window::OnEvent(source, a, b);
}

void RoomSettingDialog::OnTypeEvent(quill::GameType type, int32_t code) {
    if (code == Button::kEnterEvent) {
        description_->SetGameType(type);
        description_->SetPosition(quill::IsCaromGame(type) ? 368 : -224, 60);
        description_->Show(true);
    } else if (code == Button::kLeaveEvent) {
        description_->Show(false);
    } else if (code != Button::kDoubleClickEvent) {
        SetSelectedType(type);
        ApplyGameType();
    }
}

void RoomSettingDialog::Confirm() {
    room_.tableItem = selector_->TableItem();
    room_.ballItem = selector_->BallSetItem();
    quill::RoomInfo& connectionRoom = connection_.GetRoomInfo();
    connectionRoom.tableItem = room_.tableItem;
    connectionRoom.ballItem = room_.ballItem;
    SetVisible(false);
    if (poster_) poster_(quill::AppEventId::RoomSettingConfirm, 0, 0, 0);
}

void RoomSettingDialog::OnHide() {
    Window::OnHide();
    ReleaseItemPreviews(*selector_);
}

}  // namespace kestrovan
