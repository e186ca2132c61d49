#include "client/scenes/common/PlayerListRow.h"

#include <algorithm>

#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/UiFonts.h"
#include "client/scenes/common/LevelBadge.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

uint32_t ChannelByte(float fraction) {
    const float value = fraction * 255.0f;
    return static_cast<uint32_t>(std::clamp(static_cast<int32_t>(value), 0, 255));
}

}  // namespace

NameShade NameShadeOf(uint8_t shade) {
    if (shade == 0) return {kYellow, kBlack};
    const float f = std::min(static_cast<float>(shade) / 100.0f, 1.0f);
    const uint32_t a = ChannelByte(f);
    const uint32_t b = ChannelByte(1.0f - f);
    return {0xFF000000u | (b << 16) | (b << 8), 0xFF000000u | (a << 16)};
}

PlayerListRow::PlayerListRow(int32_t controlId) {
    Create(0, 0, kWidth, kHeight, controlId, -1);
    button_ = CreateButton(0, 0, kWidth, kHeight, controlId, -1, kTexture, 0, 196);
    button_->SetHoverEvents(true);
    button_->SetTooltip(u"Click to view player menu");
    levelIcon_ = LevelBadge::AddTo(*this, 5, -2);
    nickname_ = CreateTextLabel(36, 4, 110, 14, &UiFontAt(UiFont::Regular12), 0, 0);
    markIcon_ = CreateImage(100, 2, 24, 15, kTexture, 704, 856);
    location_ = CreateTextLabel(150, 4, 54, 14, &UiFontAt(UiFont::Regular12), TextLabel::kAlignRight, 0);
    clanBadge_ = CreateImage(-115, -5, 122, 27, kTexture, 526, 439);
    // The clan's name lies on its badge, left of the row: the badge holds it.
    clanName_ = clanBadge_->CreateTextLabel(5, 6, 112, 14, &UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, 0);
    clanName_->SetColors(kCyan, 0);
    clanBadge_->Show(false);
    clanName_->Show(false);
    Show(false);
}

void PlayerListRow::SetPlayer(const quill::PlayerState& record, int32_t listKind, int32_t ownChannel) {
    player_ = ShownPlayer{record.accountId, record.userId, record.name, UserLocation::Of(record),
                          record.level,     record.clanId, record.clanId != 0 ? record.clanName : quill::WString{}};
    listKind_ = listKind;
    hasPlayer_ = true;
    ShowClanBadge(button_->GetState() == WidgetState::Hover);
    const NameShade shade = NameShadeOf(record.nameShade);
    nickname_->SetColors(shade.text, shade.shadow);
    nickname_->SetText(record.name);
    markIcon_->Show(record.markValue > kMarkThreshold);
    location_->SetText(LobbyLocationText(player_.location, ownChannel));
    LevelBadge::ShowLevel(*levelIcon_, record.level);
    if (player_.location.channel < 0)
        levelIcon_->Show(false);
    nickname_->Show(true);
    location_->Show(true);
    SetEnabled(true);
    Show(true);
}

void PlayerListRow::ShowClanBadge(bool show) {
    if (!hasPlayer_) return;
    const bool hasClan = player_.clanId != 0;
    clanName_->SetText(hasClan ? player_.clanName : quill::WString{});
    clanBadge_->Show(hasClan && show);
    clanName_->Show(hasClan && show);
}

void PlayerListRow::Clear() {
    hasPlayer_ = false;
    player_ = ShownPlayer{};
    clanBadge_->Show(false);
    clanName_->Show(false);
    Show(false);
}

void PlayerListRow::PlaceAndShow(int32_t x, int32_t y) {
    SetPosition(x, y);
    Show(true);
}

bool PlayerListRow::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source != button_) return Widget::OnEvent(source, a, b);
    if (a == Button::kEnterEvent) ShowClanBadge(true);
    if (a == Button::kLeaveEvent) ShowClanBadge(false);
    return GetParent() != nullptr && GetParent()->OnEvent(this, a, b);
}

}  // namespace kestrovan
