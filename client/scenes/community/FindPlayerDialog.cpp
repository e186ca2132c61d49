#include "client/scenes/community/FindPlayerDialog.h"

#include <memory>

#include "client/app/UiFonts.h"
#include "client/scenes/common/TextEntry.h"
#include "client/scenes/community/CommunityHost.h"
#include "client/scenes/community/CommunityRequests.h"
#include "client/scenes/community/CommunityRules.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kSearchTile = 85;
constexpr int32_t kCloseTile = 255;

}  // namespace

FindPlayerDialog::FindPlayerDialog(CommunityHost& host, CommunityRequests& requests)
    : CommunityDialog(u"Find Player", true), host_(host), requests_(requests) {
    TextLabel* prompt = AddLine(20, 100, 360, UiFontAt(UiFont::Bold12), 0);
    prompt->SetColors(0xFFFFFFFF, 0);
    prompt->SetText(u"Enter nickname you want to find.");
    CreateImage(20, 130, 130, 20, kCommonTexture, 0, 446);
    entry_ = AddTextEntry(*this, 25, 134, 130, 18, kMaxNicknameBytes, 0xFFFFFFFF);
    AddButton(kSearch, 200, 130, platform::Vk::Return, kSearchTile, u"Search", kCommonTexture, 0, 88, 24);
    AddButton(kClose, 150, 200, platform::Vk::Escape, kCloseTile, u"Close");
}

void FindPlayerDialog::OnShow() {
    CommunityDialog::OnShow();
    entry_->SetFocus(true);
}

bool FindPlayerDialog::Search() {
    const quill::WString nickname = entry_->GetText();
    if (!IsNameLengthValid(nickname)) {
        host_.ShowErrorBox(u"Nickname length is 4 bytes to 12 bytes");
        return false;
    }
    requests_.SendFindPlayer(nickname);
    return true;
}

bool FindPlayerDialog::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == entry_) {
        if (a == EditBox::kSubmitEvent && !entry_->GetText().empty())
            Search();
        return true;
    }
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id == kSearch) {
        if (entry_->GetText().empty())
            entry_->SetFocus(true);
        else
            Search();
        return true;
    }
    if (id == kClose) {
        SetVisible(false);
        return true;
    }
    return CommunityDialog::OnEvent(source, a, b);
}

}  // namespace kestrovan
