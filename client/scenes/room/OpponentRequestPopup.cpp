#include "client/scenes/room/OpponentRequestPopup.h"

#include "QuillLib/core/AppEventId.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

OpponentRequestPopup::OpponentRequestPopup(EventPoster poster)
    : PopupWindow(0, 0, 400, 250, Face{}, sound_id::kDialogOpen, sound_id::kDialogClose), poster_(std::move(poster)) {
    title_ = AddTitle(40, 9, 200, u"");
    const quill::WStringView texts[3] = {u"Request for an invalid game",
                                         u"A request to invalidate a game is only allowed once per game.",
                                         u"Do you want to make a request?"};
    for (size_t n = 0; n < lines_.size(); ++n) {
        lines_[n] = AddLine(30, 60 + 25 * static_cast<int32_t>(n), 350, UiFontAt(UiFont::Regular12), 0);
        lines_[n]->SetText(texts[n]);
    }
    AddButton(kRequest, 30, 200, platform::Vk::Return, 340, u"Request")->SetTooltip(u"Request to opponent");
    AddButton(kCancel, 285, 200, platform::Vk::Escape, 255, u"Cancel")->SetTooltip(u"Cancel");
}

void OpponentRequestPopup::SetKind(int32_t kind) {
    kind_ = kind;
    if (kind == kInvalidGame) {
        lines_[0]->SetText(u"Request for an invalid game");
        title_->SetText(u"Invalid game");
    } else {
        lines_[0]->SetText(u"Request for withdrawal");
        title_->SetText(u"Request withdrawal");
    }
    lines_[1]->SetText(u"A request is only allowed once per game.");
}

bool OpponentRequestPopup::OnEvent(Widget* source, int32_t a, int32_t b) {
    const auto request = [this] {
        if (poster_)
            poster_(quill::AppEventId::RoomEvent1091, static_cast<uint32_t>(kind_.load()), 0, 0);
        SetVisible(false);
    };
    return Answers(source, kRequest, kCancel, request) || PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
