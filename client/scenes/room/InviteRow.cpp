#include "client/scenes/room/InviteRow.h"

#include <algorithm>

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

namespace {

constexpr int32_t kLevelIconSize = 22;
constexpr int32_t kLevelIconY = 941;

}  // namespace

InviteRow::InviteRow(int32_t x, int32_t y, int32_t id) {
    Create(x, y, 1, 1, -1, -1);
    toggle_ = CreateButton(0, -3, 31, 18, id, -1, kCommonTexture, 668, 0);
    toggle_->SetCheckBox();
    // The whole row takes the click.
    toggle_->SetSecondRect(0, -3, 300, 20);
    icon_ = CreateImage(35, -2, kLevelIconSize, kLevelIconSize, kCommonTexture, 0, kLevelIconY);
    nickname_ = CreateTextLabel(120, 4, 83, 16, &UiFontAt(UiFont::Regular12), 0, 1);
    nickname_->SetColors(0xFFFFFF00, 0xFF000000);
    number_ = CreateTextLabel(230, 4, 44, 16, &UiFontAt(UiFont::Regular12), 0, 0);
    number_->SetColors(0xFFFFFFFF, 0);
}

void InviteRow::SetUser(const InvitableUser& user) {
    Show(true);
    nickname_->SetTextF(u"%s", user.nickname);
    number_->SetTextF(u"%d", static_cast<int32_t>(user.number));
    // Level 0 would cut left of the strip: the first icon stands in.
    const int32_t level = std::max<int32_t>(user.level, 1);
    icon_->SetSourceRect(level * kLevelIconSize - kLevelIconSize, kLevelIconY, kLevelIconSize, kLevelIconSize);
    toggle_->SetChecked(user.selected);
    toggle_->SetEnabled(user.enabled);
    const float opacity = user.enabled ? 1.0f : kFaint;
    for (Widget* part : {static_cast<Widget*>(toggle_), static_cast<Widget*>(icon_), static_cast<Widget*>(nickname_)}) {
        part->SetAlpha(opacity);
    }
}

}  // namespace kestrovan
