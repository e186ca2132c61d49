#include "client/scenes/shop/PersonalCueWindow.h"

#include <memory>

#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/UiFonts.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/scenes/shop/CuePartsWindow.h"
#include "client/scenes/shop/CueRepairWindow.h"
#include "client/scenes/shop/CueRetuneWindow.h"
#include "client/scenes/shop/CueUpgradeWindow.h"
#include "client/scenes/shop/CueOptionUpgradeWindow.h"
#include "client/scenes/shop/PersonalCueSlot.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

using quill::Format;

PersonalCueWindow::PersonalCueWindow(WorkshopHost& host, Windows windows)
    : WorkshopWindow(host, 541, 448), windows_(windows) {
    SetModal(true);
    AddTitle(14, 7, 300, u"개인큐 관리");
    for (size_t i = 0; i < kSlots; ++i) {
        const int32_t x = 51 + 77 * static_cast<int32_t>(i) + (i >= 2 ? 152 : 0);
        auto slot = std::make_unique<PersonalCueSlot>(x, 123, kFirstSlot + static_cast<int32_t>(i));
        slots_[i] = static_cast<PersonalCueSlot*>(AddChild(std::move(slot), false));
    }
    empty_ = AddText(0, 220, 541, u"- 보유중인 개인큐가 없습니다 -");
    empty_->SetAlignment(TextLabel::kAlignCentre);
    const char16_t* guide[] = {u"큐를 클릭하면 관리", u"메뉴를 사용할 수", u"있습니다."};
    for (int32_t n = 0; n < 3; ++n) AddText(205, 80 + 18 * n, 140, guide[n])->SetAlignment(TextLabel::kAlignCentre);
    BuildInfoPanel();
    AddCommand(kClose, 230, 410, u"닫기");
    BuildMenu();
}

void PersonalCueWindow::BuildInfoPanel() {
    info_ = CreatePanel(200, 140, 145, 220, kCommonTexture, 0, 0, 0, 0);
    info_->Show(false);
    auto text = [this](int32_t x, int32_t y, int32_t w, quill::WStringView value, uint32_t colour) {
        TextLabel* label = info_->CreateTextLabel(x, y, w, 18, &UiFontAt(UiFont::Bold12), 0, 0);
        label->SetColors(colour, 0);
        label->SetText(value);
        return label;
    };
    infoTitle_ = text(0, 0, 145, u"", kYellow);
    for (size_t i = 0; i < kCueOptionCount; ++i) {
        const int32_t y = 30 + 22 * static_cast<int32_t>(i);
        text(0, y, 95, quill::GetItemStatName(static_cast<uint32_t>(i)), kWhite);
        effects_[i] = text(95, y, 50, u"", kYellow);
    }
    pointsCaption_ = text(0, 150, 95, u"포인트", kWhite);
    points_ = text(95, 150, 50, u"", kYellow);
    text(0, 172, 95, u"내구", kWhite);
    durability_ = text(95, 172, 50, u"", kYellow);
}

void PersonalCueWindow::BuildMenu() {
    menu_ = CreatePanel(0, 0, 80, 60, kCommonTexture, 0, 0, 0, 0);
    StretchBoxFace(*menu_);
    menu_->Show(false);
    const char16_t* entries[] = {u"수      리", u"파츠  구입", u"업그레이드"};
    for (int32_t n = 0; n < 3; ++n) {
        Button* entry = menu_->CreateButton(0, 20 * n, 80, 20, kRepairEntry + n, -1, kCommonTexture, 85, 0, 82, 22,
                                            80 / 82.0f, 20 / 22.0f);
        entry->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kWhite, 0, 0);
        entry->SetCaption(entries[n]);
        if (n == 2) third_ = entry;
    }
}

void PersonalCueWindow::OnShow() {
    CentreOnScreen(*this);
    FillSlots();
    RefreshInfo();
    if (!selected_ && count_ > 0) {
        selected_ = 0;
        RefreshInfo();
    }
    WorkshopWindow::OnShow();
}

void PersonalCueWindow::FillSlots() {
    count_ = 0;
    size_t filled = 0;
    {
        quill::PlayerState& player = host_.Player();
        quill::ScopedLock hold(player.GetLock());
        for (uint32_t n = player.ItemCount(); n-- > 0;) {
            const quill::InventoryItem* item = player.ItemAt(n);
            if (item == nullptr || !CueRules::IsPersonalCue(*item)) continue;
            ++count_;
            if (filled < kSlots) slots_[filled++]->SetCue(*item);
        }
    }
    for (size_t n = filled; n < kSlots; ++n) slots_[n]->Clear();
    if (selected_ && *selected_ >= filled) selected_.reset();
    empty_->Show(count_ == 0);
}

std::optional<quill::InventoryItem> PersonalCueWindow::SelectedCue() const {
    if (!selected_) return std::nullopt;
    return slots_[*selected_]->Cue();
}

void PersonalCueWindow::RefreshInfo() {
    for (PersonalCueSlot* slot : slots_) slot->Preview()->SetRotationSpeed(0.0f);
    const std::optional<quill::InventoryItem> cue = SelectedCue();
    if (!cue) {
        info_->Show(false);
        return;
    }
    infoTitle_->SetText(CueRules::NameOf(*cue));
    for (size_t i = 0; i < kCueOptionCount; ++i) effects_[i]->SetText(CueRules::EffectText(i, cue->statistics[i]));
    points_->SetText(Format(u"%d", static_cast<int32_t>(cue->upgradePoints / 1000)));
    durability_->SetText(Format(u"%d/%d", cue->durabilityCurrent / 1000, cue->durabilityTotal / 1000));
    const bool tuning = CueRules::IsTuningCue(cue->typeCode);
    pointsCaption_->Show(tuning);
    points_->Show(tuning);
    info_->Show(true);
}

bool PersonalCueWindow::OnClick(int32_t id) {
    if (id >= kFirstSlot && id < kFirstSlot + static_cast<int32_t>(kSlots)) {
        OnSlot(static_cast<size_t>(id - kFirstSlot));
        return true;
    }
    if (id >= kRepairEntry && id <= kUpgradeEntry) {
        OnMenu(id);
        return true;
    }
    if (id == kClose) {
        menu_->Show(false);
        SetVisible(false);
        return true;
    }
    return false;
}

void PersonalCueWindow::OnSlot(size_t n) {
    if (!slots_[n]->Cue()) return;
    selected_ = n;
    for (size_t i = 0; i < kSlots; ++i) slots_[i]->GetButton()->SetChecked(i == n);
    RefreshInfo();
    // The menu opens where the slot's button was clicked.
    const WidgetRect window = GetRect();
    Button* button = slots_[n]->GetButton();
    menu_->SetPosition(button->GetLastX() - window.left, button->GetLastY() - window.top);
    third_->SetCaption(CueRules::IsCustomCue(slots_[n]->Cue()->typeCode) ? u"성능재설정" : u"업그레이드");
    BringChildToFront(menu_);
    menu_->Show(true);
}

void PersonalCueWindow::OnMenu(int32_t id) {
    menu_->Show(false);
    const std::optional<quill::InventoryItem> cue = SelectedCue();
    if (!cue) return;
    if (id == kRepairEntry) {
        windows_.repair.SetCue(*cue);
        CentreOnScreen(windows_.repair);
        host_.Raise(windows_.repair);
    } else if (id == kPartsEntry) {
        windows_.parts.Open(*cue);
        const WidgetRect at = GetRect();
        windows_.parts.SetPosition(at.left - 40, at.top + 70);
        host_.Raise(windows_.parts);
    } else if (CueRules::IsCustomCue(cue->typeCode)) {
        windows_.retune.SetCue(*cue);
        CentreOnScreen(windows_.retune);
        windows_.retune.Offset(0, 44);
        host_.Raise(windows_.retune);
    } else {
        windows_.upgrade.SetCue(*cue);
        CentreOnScreen(windows_.upgrade);
        host_.Raise(windows_.upgrade);
    }
}

// --- Confirmations and answers ---

void PersonalCueWindow::ConfirmRepair() {
    windows_.repair.SendRepair();
}

void PersonalCueWindow::ConfirmParts() {
    windows_.parts.SendPartsBuy();
}

void PersonalCueWindow::ConfirmOption(uint32_t value) {
    if (value == 1) windows_.retune.SendRetune();
    else windows_.upgrade.OptionWindow().SendUpgrade();
}

void PersonalCueWindow::OnRepaired() {
    FillSlots();
    RefreshInfo();
    windows_.repair.SetVisible(false);
}

void PersonalCueWindow::OnPartsBought() {
    FillSlots();
    RefreshInfo();
    windows_.parts.SetVisible(false);
}

void PersonalCueWindow::OnRetuned() {
    FillSlots();
    RefreshInfo();
    if (const std::optional<quill::InventoryItem> cue = SelectedCue()) windows_.retune.SetCue(*cue);
    windows_.retune.SetVisible(false);
}

void PersonalCueWindow::OnUpgraded() {
    FillSlots();
    RefreshInfo();
    const std::optional<quill::InventoryItem> cue = SelectedCue();
    if (!cue) return;
    windows_.upgrade.SetCue(*cue);
    CueOptionUpgradeWindow& option = windows_.upgrade.OptionWindow();
    option.SetOption(*cue, option.Option());
}

}  // namespace kestrovan
