#include "client/scenes/common/CueStatPanel.h"

#include "QuillLib/gamedata/ItemCatalogue.h"
#include "QuillLib/gamedata/ItemRecord.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

constexpr uint32_t kUpPointColour = 0xFFA0A0FF;
constexpr uint32_t kCustomCueModel = 3100;
constexpr const char16_t* kStatNames[] = {u"Shot Power", u"Power Bal.", u"Spin up", u"Miscue dec.", u"Squirt dec."};
constexpr const char16_t* kStatFormats[] = {u"+%d", u"%d%%", u"+%d", u"%d%%", u"%d%%"};

}  // namespace

CueStatPanel::CueStatPanel() {
    Create(0, 0, 150, 180, -1, -1);
    SetImage(kGameSecondTexture, 0, 440, 150, 180, 1.0f, 1.0f);
    const FontDesc* font = &UiFontAt(UiFont::Regular12);
    name_ = CreateTextLabel(1, 10, 116, 16, &UiFontAt(UiFont::Bold12), 0, 0);
    name_->SetColors(kYellow, 0);
    for (size_t k = 0; k < kStats; ++k) {
        const int32_t y = 34 + 20 * static_cast<int32_t>(k);
        statNames_[k] = CreateTextLabel(5, y, 80, 16, font, 0, 0);
        statValues_[k] = CreateTextLabel(88, y, 50, 16, font, 0, 0);
    }
    upPointCaption_ = CreateTextLabel(5, 138, 75, 16, font, 0, 0);
    upPointCaption_->SetColors(kUpPointColour, 0);
    upPointCaption_->SetText(u"Up Point");
    upPointValue_ = CreateTextLabel(80, 138, 60, 16, font, 0, 0);
    enduranceCaption_ = CreateTextLabel(5, 160, 50, 16, font, 0, 0);
    enduranceCaption_->SetColors(kCyan, 0);
    enduranceValue_ = CreateTextLabel(55, 160, 90, 16, font, 0, 0);
    Widget::Show(false);
}

quill::WString CueStatPanel::CueName(const quill::InventoryItem& item) {
    if (item.customFlag != 0) return item.customText.empty() ? item.name : item.customText;
    const quill::ItemRecord* record = quill::TheItemCatalogue().FindById(item.typeCode);
    return record != nullptr ? record->name : item.name;
}

void CueStatPanel::Show(const quill::InventoryItem& item) {
    name_->SetText(CueName(item));
    ShowStatistics(item);
    ShowEndurance(item);
    Widget::Show(true);
}

void CueStatPanel::ShowStatistics(const quill::InventoryItem& item) {
    const ItemModelRecord* model = TheItemModelCatalogue().FindById(item.typeCode);
    for (size_t k = 0; k < kStats; ++k) {
        const bool shown = item.kind == quill::ItemRecord::kCue;
        statNames_[k]->Show(shown);
        statValues_[k]->Show(shown);
        if (!shown) continue;
        statNames_[k]->SetText(kStatNames[k]);
        statValues_[k]->SetTextF(kStatFormats[k], model != nullptr ? static_cast<int32_t>(model->stats[k]) : 0);
    }
}

// A tuned personal cue wears out and collects upgrade points; any other item lasts a time.
void CueStatPanel::ShowEndurance(const quill::InventoryItem& item) {
    const bool tuned = item.kind == quill::ItemRecord::kCue && item.customFlag != 0 && item.typeCode != kCustomCueModel;
    upPointCaption_->Show(tuned);
    upPointValue_->Show(tuned);
    if (tuned) {
        upPointValue_->SetTextF(u"%I64d", item.upgradePoints / 1000);
        enduranceCaption_->SetText(u"Endurance");
        enduranceValue_->SetTextF(u"%d/%d", static_cast<int32_t>(item.durabilityCurrent / 1000),
                                  static_cast<int32_t>(item.durabilityTotal / 1000));
    } else {
        enduranceCaption_->SetText(u"Limited time");
        enduranceValue_->SetText(u" ");
    }
}

}  // namespace kestrovan
