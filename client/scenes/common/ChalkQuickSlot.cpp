#include "client/scenes/common/ChalkQuickSlot.h"

#include <algorithm>
#include <memory>

#include "QuillLib/core/ScopedLock.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiServices.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {

namespace {

constexpr int32_t kButtonSourceX = 457;
constexpr int32_t kButtonSourceY = 884;
constexpr int32_t kFillSourceX = 524;
constexpr float kButtonOpacity = 0.7f;
constexpr float kRestingOpacity = 0.5f;
constexpr float kBlinkLow = 0.3f;
constexpr float kBlinkHigh = 0.7f;
constexpr uint32_t kTimedState = 1;
constexpr int32_t kLabelWidth = ChalkQuickSlot::kSize - 4;
constexpr int32_t kLabelHeight = 14;
constexpr int32_t kCountLabelY = ChalkQuickSlot::kSize - kLabelHeight;
constexpr int32_t kLevelLabelY = kCountLabelY - kLabelHeight;
// The level is outlined in its second colour, so that its red or white reads on the chalk's picture and on the
// slot's face alike.
constexpr uint8_t kOutlined = 2;

}  // namespace

// 2.55 x level + 0.5, truncated, in integers: the same on every thread whatever its rounding mode.
ChalkQuickSlot::LevelColours ChalkQuickSlot::ColoursOf(int32_t level) {
    const auto g = static_cast<uint32_t>((255 * level + 50) / 100);
    const auto b = static_cast<uint32_t>((255 * (kFullLevel - level) + 50) / 100);
    return {0xFFFF0000u | (g << 8) | g, 0xFFFFFF00u | b};
}

int32_t ChalkQuickSlot::EmptyHeightOf(int32_t level) {
    return (kFullLevel - level) * kFillSize / kFullLevel;
}

ChalkQuickSlot::ChalkQuickSlot(quill::PlayerState& player, AppEventPoster poster, NoticeShower notice)
    : player_(player), poster_(std::move(poster)), notice_(std::move(notice)) {
    Create(0, 0, kSize, kSize, -1, -1);
    button_ = CreateButton(0, 0, kSize, kSize, kButtonId, kHotKey, kHudTexture, kButtonSourceX, kButtonSourceY);
    button_->SetFrameCount(2);
    button_->SetHorizontalFrames(true);
    button_->SetAlpha(kButtonOpacity);
    button_->SetTooltip(u"usage : 'C' or click");
    preview_ = static_cast<ItemPreview*>(AddChild(std::make_unique<ItemPreview>(9, 7, 48, 48, false), true));
    preview_->SetCameraDistance(kPreviewDistance);
    fillOverlay_ = CreateImage(1, 0, kFillSize, kFillSize, kHudTexture, kFillSourceX, kFillSourceBottom - kFillSize);
    fillOverlay_->SetAlpha(kRestingOpacity);
    fillOverlay_->SetAcceptsMouse(false);
    // The level under the chalk's picture and the uses left under it, both inside the slot's face: a count as
    // long as "(1000/1000)" ends at the slot's foot instead of running past it.
    levelLabel_ = CreateTextLabel(2, kLevelLabelY, kLabelWidth, kLabelHeight, &UiFontAt(UiFont::Bold12),
                                  TextLabel::kAlignCentre, kOutlined);
    countLabel_ = CreateTextLabel(2, kCountLabelY, kLabelWidth, kLabelHeight, &UiFontAt(UiFont::Regular12),
                                  TextLabel::kAlignCentre, 0);
}

quill::InventoryItem* ChalkQuickSlot::CurrentChalk() const {
    return hasChalk_ ? player_.FindItem(chalkKey_, chalkSubKey_) : nullptr;
}

void ChalkQuickSlot::Reload() {
    const quill::InventoryItem* chalk = player_.GetCurrentCue();
    hasChalk_ = chalk != nullptr;
    if (chalk != nullptr) {
        chalkKey_ = chalk->key;
        chalkSubKey_ = chalk->subKey;
    }
    preview_->SetItemId(chalk != nullptr ? chalk->typeCode : 0);
    Refresh();
}

void ChalkQuickSlot::Reset() {
    level_ = 0;
    active_ = false;
    Reload();
}

void ChalkQuickSlot::Refresh() {
    level_ = std::min(level_, kFullLevel);
    const quill::InventoryItem* chalk = CurrentChalk();
    if (chalk != nullptr) {
        levelLabel_->SetTextF(u"%d%%", level_);
        if (chalk->state == 2 || chalk->state == 3) {
            countLabel_->SetTextF(u"(%d/%d)", static_cast<int32_t>(chalk->remaining),
                                  static_cast<int32_t>(chalk->secondCount));
        } else {
            countLabel_->SetText(u" ");
        }
        countLabel_->Show(true);
    } else {
        levelLabel_->SetText(u"No Chalk");
        countLabel_->Show(false);
    }
    const LevelColours colours = ColoursOf(level_);
    levelLabel_->SetColors(colours.text, colours.outline);
    const int32_t empty = EmptyHeightOf(level_);
    fillOverlay_->SetPosition(1, kFillSize - empty);
    fillOverlay_->SetSize(kFillSize, empty);
    fillOverlay_->SetSourceRect(kFillSourceX, kFillSourceBottom - empty, kFillSize, empty);
    fillOverlay_->Show(empty > 0);
}

void ChalkQuickSlot::UseChalk(int32_t amount) {
    level_ = std::max(level_ - amount, 0);
    Refresh();
}

bool ChalkQuickSlot::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == button_ && a != Button::kEnterEvent && a != Button::kLeaveEvent) {
        Chalk();
        return true;
    }
    return Widget::OnEvent(source, a, b);
}

bool ChalkQuickSlot::UsedUp(const quill::InventoryItem& item) {
    return (item.state == 2 || item.state == 3) && item.remaining <= 0;
}

void ChalkQuickSlot::Chalk() {
    const quill::InventoryItem* chalk = CurrentChalk();
    if (chalk == nullptr) {
        ExplainMissingChalk();
        return;
    }
    if (UsedUp(*chalk) || level_ >= kFullLevel) return;
    level_ = std::min(level_ + kRefill, kFullLevel);
    if (WidgetToolkit* toolkit = WidgetToolkit::Current()) toolkit->Services().PlaySound(kChalkSound);
    Refresh();
    if (poster_) poster_(quill::AppEventId::UseChalk, 0, 0, 0);
}

void ChalkQuickSlot::ExplainMissingChalk() {
    if (!notice_ || player_.GetCurrentCue() != nullptr) return;
    quill::ScopedLock hold(player_.GetLock());
    for (uint32_t i = 0; i < player_.ItemCount(); ++i) {
        const quill::InventoryItem* item = player_.ItemAt(i);
        if (item != nullptr && item->kind == quill::InventoryItem::kKindChalk && item->state == kTimedState &&
            item->inUse == 0) {
            notice_(u"There is a limited time use chalk only.", u"Please change the use status from the item slot.");
            return;
        }
    }
}

// Every second tick: resting, or blinking while the level is low.
void ChalkQuickSlot::Tick(uint32_t now) {
    Widget::Tick(now);
    if ((++ticks_ & 1) != 0) return;
    if (!active_) {
        fillOverlay_->SetAlpha(kRestingOpacity);
        return;
    }
    if (CurrentChalk() == nullptr || level_ >= kBlinkBelow) return;
    const uint32_t period = static_cast<uint32_t>(level_ + 25) * 100;
    fillOverlay_->SetAlpha(now % period < period / 2 ? kBlinkLow : kBlinkHigh);
}

}  // namespace kestrovan
