#include "client/scenes/room/RoomMenu.h"

#include <algorithm>
#include <iterator>

#include "QuillLib/core/AppEventId.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr const char16_t* kCaptions[] = {u"Help(F1)", u"Report bad", u"Withdraw", u"Setting(F3)", u"Close"};
constexpr int32_t kKeys[] = {platform::Vk::F1, -1, -1, platform::Vk::F3, platform::Vk::Escape};

}  // namespace

RoomMenu::RoomMenu(AppEventPoster poster) : poster_(std::move(poster)) {
    Create(0, 0, kWidth, kHeight, -1, -1);
    SetImage(kHudTexture, 839, 102, kWidth, kHeight, 1.0f, 1.0f);
    for (int32_t i = 0; i < 5; ++i) {
        Button* button = CreateButton(50, 70 + 23 * i, 86, 20, i, kKeys[i], kHudTexture, 753, 102);
        button->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, 0xFFFFFFFF, 0, 0);
        button->SetCaption(kCaptions[i]);
        entries_[static_cast<size_t>(i)] = button;
    }
    Show(false);
}

void RoomMenu::OnShow() {
    Window::OnShow();
    CentreOnScreen(*this);
}

bool RoomMenu::OnEvent(Widget* source, int32_t a, int32_t b) {
    const auto found = std::find(entries_.begin(), entries_.end(), source);
    if (found == entries_.end()) return Window::OnEvent(source, a, b);
    SetVisible(false);
    static constexpr uint32_t kEvents[] = {quill::AppEventId::HelpMenuChosen, quill::AppEventId::RoomMenuReport,
                                           quill::AppEventId::WithdrawMenuChosen, quill::AppEventId::RoomMenuSettings};
    const auto entry = static_cast<size_t>(found - entries_.begin());
    if (entry < std::size(kEvents) && poster_) poster_(kEvents[entry], 0, 0, 0);
    return true;
}

}  // namespace kestrovan
