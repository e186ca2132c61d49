#include "client/scenes/community/ClanDialog.h"

#include <algorithm>
#include <memory>

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/Scene.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/DialogCombo.h"
#include "client/scenes/common/TextEntry.h"
#include "client/scenes/community/CommunityHost.h"
#include "client/scenes/community/CommunityRequests.h"
#include "client/scenes/community/CommunityRules.h"
#include "client/ui/Button.h"
#include "client/ui/ComboBox.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

Button* AddDialogButton(Window& window, int32_t id, int32_t x, int32_t key, int32_t tileX, quill::WStringView caption) {
    Button* button = window.CreateButton(x, 185, 85, 32, id, key, kCommonTexture, tileX, 0);
    SetCentredCaption(*button, caption, kWhite);
    return button;
}

}  // namespace

ClanDialog::ClanDialog(CommunityHost& host, CommunityRequests& requests) : host_(host), requests_(requests) {
    Create(200, 200, kWidth, kHeight, -1, -1);
    SetImage(kCommonSecondTexture, 0, 480, kWidth, kHeight, 1.0f, 1.0f);
    SetSounds(sound_id::kWindowOpen, 0);
    TextLabel* title = CreateTextLabel(14, 7, 200, 20, &UiFontAt(UiFont::Bold14), 0, 1);
    title->SetColors(kWhite, 0xFF000000);
    title->SetText(u"Clan");
    const struct {
        int32_t y;
        const char16_t* text;
    } captions[] = {{98, u"Clan name"}, {123, u"Members"}, {151, u"Cost (gold)"}};
    for (const auto& caption : captions) {
        TextLabel* label = CreateTextLabel(20, caption.y, 100, 18, &UiFontAt(UiFont::Bold12), 0, 0);
        label->SetColors(kWhite, 0);
        label->SetText(caption.text);
    }
    name_ = AddTextEntry(*this, 136, 98, 150, 17, kMaxNameBytes, 0xFF000000, kLightEntryField);
    capacity_ = CreateDialogCombo(*this, 131, 121, 139, 20, kCapacityList, kCapacityRows);
    for (int32_t step = 1; step <= kCapacityRows; ++step)
        capacity_->AddItem(quill::Format(u"%d0 %s", static_cast<int>(step), u"Players"));
    cost_ = CreateTextLabel(170, 151, 110, 18, &UiFontAt(UiFont::Bold12), 0, 0);
    cost_->SetColors(0xFFFFFF00, 0);
    AddDialogButton(*this, PopupWindow::kOk, 40, platform::Vk::Return, 85, u"OK");
    AddDialogButton(*this, PopupWindow::kCancel, 170, platform::Vk::Escape, 255, u"Cancel");
    Show(false);
}

void ClanDialog::SetClan(const std::optional<ClanRecord>& clan) {
    clan_ = clan;
    if (clan) {
        name_->SetText(clan->name);
        name_->SetEnabled(false);
        for (int32_t row = 0; row < kCapacityRows; ++row)
            capacity_->GetRow(row)->SetEnabled((row + 1) * kClanPlayersPerStep > clan->capacity);
        capacity_->Select(std::clamp(clan->capacity / kClanPlayersPerStep - 1, 0, kCapacityRows - 1));
        capacity_->SetEnabled(true);
    } else {
        name_->SetEnabled(true);
        for (int32_t row = 0; row < kCapacityRows; ++row)
            capacity_->GetRow(row)->SetEnabled(true);
        capacity_->Select(0);
        capacity_->SetEnabled(false);
    }
    RefreshCost();
}

std::optional<ClanRecord> ClanDialog::Clan() const {
    return clan_;
}

int32_t ClanDialog::ChosenCapacity() const {
    return (std::max(capacity_->GetSelected(), 0) + 1) * kClanPlayersPerStep;
}

void ClanDialog::RefreshCost() {
    const std::optional<ClanRecord> clan = Clan();
    const int32_t start = clan ? clan->capacity / kClanPlayersPerStep : 0;
    const int32_t target = ChosenCapacity() / kClanPlayersPerStep;
    cost_->SetText(host_.FormatMoney(ClanCapacityCost(start, target)));
}

void ClanDialog::CreateClan() {
    if (host_.Connection().LocalPlayer().cueMoney < ClanCreationCost()) {
        host_.ShowErrorBox(u"insufficient gold..");
        return;
    }
    const quill::WString name = name_->GetText();
    if (!IsNameLengthValid(name)) {
        host_.ShowErrorBox(u"Clan name is 4 bytes to 12 bytes.");
        return;
    }
    requests_.SendClanCreate(name, static_cast<uint8_t>(ChosenCapacity()));
    SetVisible(false);
}

void ClanDialog::ChangeCapacity() {
    Scene* scene = host_.CurrentScene();
    if (scene == nullptr || scene->GetSceneId() != kLobbySceneId) {
        host_.ShowErrorBox(u"Changing setting is allowed in only lobby.");
        return;
    }
    const std::optional<ClanRecord> clan = Clan();
    const int32_t present = clan ? clan->capacity : 0;
    const int32_t capacity = ChosenCapacity();
    if (capacity <= present) {
        host_.ShowErrorBox(u"No changed.");
        return;
    }
    const int64_t cost = ClanCapacityCost(present / kClanPlayersPerStep, capacity / kClanPlayersPerStep);
    if (host_.Connection().Directories().Clan().money < cost) {
        host_.ShowErrorBox(u"insufficient money..");
        return;
    }
    SetVisible(false);
    requests_.SendClanSettings(static_cast<uint8_t>(capacity));
}

void ClanDialog::OnShow() {
    Window::OnShow();
    RefreshCost();
}

bool ClanDialog::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == capacity_) {
        capacity_->Select(a);
        RefreshCost();
        return true;
    }
    switch (source != nullptr ? source->GetId() : -1) {
        case PopupWindow::kOk:
            if (Clan())
                ChangeCapacity();
            else
                CreateClan();
            return true;
        case PopupWindow::kCancel:
            SetVisible(false);
            return true;
        default:
            return Window::OnEvent(source, a, b);
    }
}

}  // namespace kestrovan
