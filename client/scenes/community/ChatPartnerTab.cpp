#include "client/scenes/community/ChatPartnerTab.h"

#include <memory>

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/community/BlinkingIcon.h"
#include "client/ui/TextLabel.h"
#include "platform/gfx/TextFormat.h"

namespace kestrovan {

namespace {

constexpr int32_t kTabSourceX = 720;
constexpr int32_t kTabSourceY = 130;
constexpr int32_t kMarkSourceX = 800;
constexpr int32_t kMarkSourceY = 130;

}  // namespace

ChatPartnerTab::ChatPartnerTab(int32_t x, int32_t y, int32_t id) {
    Create(x, y, kWidth, kHeight, id, -1);
    SetImage(kCommonSecondTexture, kTabSourceX, kTabSourceY, kWidth, kHeight, 1.0f, 1.0f);
    SetCheckBox();
    AddLabel(&UiFontAt(UiFont::Regular12), 0, kNicknameColour, kShadowColour, 0);
    GetCaption()->AddStyle(platform::gfx::TextFormat::VCenter, 2, 0);
    auto mark = std::make_unique<BlinkingIcon>();
    mark->Create(55, -8, 20, 14, -1, -1);
    mark->SetImage(kCommonSecondTexture, kMarkSourceX, kMarkSourceY, 20, 14, 1.0f, 1.0f);
    mark_ = mark.get();
    AddChild(std::move(mark), false);
    Show(false);
}

void ChatPartnerTab::SetPartner(quill::WStringView caption, bool clanChat, bool current, uint32_t blinkStart) {
    SetCaption(caption);
    GetCaption()->SetColors(clanChat ? kClanColour : kNicknameColour, kShadowColour);
    SetChecked(current);
    mark_->SetBlinkStart(blinkStart);
    Show(true);
}

bool ChatPartnerTab::SetUnread(bool unread) {
    if (unread == unread_)
        return false;
    unread_ = unread;
    mark_->Show(unread);
    return unread;
}

void ChatPartnerTab::Clear() {
    unread_ = false;
    mark_->Show(false);
    Show(false);
}

}  // namespace kestrovan
