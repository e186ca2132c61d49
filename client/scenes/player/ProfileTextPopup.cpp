#include "client/scenes/player/ProfileTextPopup.h"

#include <algorithm>
#include <memory>

#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/PlayerHost.h"
#include "client/scenes/common/RequestSender.h"
#include "client/scenes/common/TextFields.h"
#include "client/ui/EditBox.h"
#include "client/ui/UiColours.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

// The player's record keeps a line in 62 units with its terminator.
constexpr size_t kStoredUnits = 61;
constexpr int32_t kUp = 38;
constexpr int32_t kDown = 40;

}  // namespace

ProfileTextPopup::ProfileTextPopup(PlayerHost& host)
    : PopupWindow(0, 0, kWidth, kHeight, Face{kPopupThirdTexture, 597, 504}, 0, 0), host_(host) {
    for (size_t n = 0; n < kLines; ++n) {
        const int32_t y = 57 + 19 * static_cast<int32_t>(n);
        CreateImage(46, y, 350, 18, kPopupTexture, 5, 40);
        auto box = std::make_unique<EditBox>();
        box->Create(46, y, 350, 18);
        box->SetSkin(kCommonTexture, 609, 68, 2, 14);
        box->SetFont(&UiFontAt(UiFont::Regular12), EditBox::kDefaultMaxBytes, kWhite);
        box->SetMaxCharacters(kLineCharacters);
        boxes_[n] = box.get();
        AddChild(std::move(box), true);
    }
    AddButton(kOk, 35, 150, platform::Vk::Return, 85, u"OK");
    AddButton(kCancel, 165, 150, platform::Vk::Escape, 170, u"Cancel");
}

void ProfileTextPopup::OnShow() {
    const quill::PlayerState& player = host_.Player();
    for (size_t n = 0; n < kLines; ++n) boxes_[n]->SetText(player.profileLines[n]);
    PopupWindow::OnShow();
    CentreOnScreen(*this);
    boxes_[0]->SetFocus(true);
}

size_t ProfileTextPopup::IndexOf(const Widget* source) const {
    for (size_t n = 0; n < kLines; ++n) {
        if (boxes_[n] == source) return n;
    }
    return kLines;
}

void ProfileTextPopup::MoveFocus(size_t from, size_t to) {
    if (from == to) return;
    const int32_t caret = boxes_[from]->GetCaret();
    boxes_[to]->SetFocus(true);
    boxes_[to]->SetCaret(caret);
}

void ProfileTextPopup::Send() {
    std::array<quill::WString, kLines> lines;
    for (size_t n = 0; n < kLines; ++n) lines[n] = CutToLength(boxes_[n]->GetText(), kStoredUnits);
    host_.Requests().Send([&lines](quill::Packet& packet) {
        packet.Init(quill::MessageId::ProfileTextUpdate);
        for (const quill::WString& line : lines) packet.WriteWString(line.empty() ? quill::WStringView(u" ") : line);
    });
    SetVisible(false);
    quill::PlayerState& player = host_.Player();
    for (size_t n = 0; n < kLines; ++n) player.profileLines[n] = lines[n];
}

bool ProfileTextPopup::OnEvent(Widget* source, int32_t a, int32_t b) {
    const size_t box = IndexOf(source);
    if (box < kLines && (a == kUp || a == kDown)) {
        MoveFocus(box, a == kUp ? (box == 0 ? 0 : box - 1) : std::min(box + 1, kLines - 1));
        return true;
    }
    return Answers(source, kOk, kCancel, [this] { Send(); }) || PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
