#include "client/scenes/room/OpponentRequestAcceptPopup.h"

#include "QuillLib/net/MessageId.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/connection/GameConnection.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

OpponentRequestAcceptPopup::OpponentRequestAcceptPopup(GameConnection& connection)
    : PopupWindow(0, 0, 400, 250, Face{}, sound_id::kDialogOpen, sound_id::kDialogClose), connection_(connection) {
    SetModal(false);
    AddTitle(60, 9, 200, u"Notice");
    for (size_t n = 0; n < kLineCount; ++n) {
        lines_[n] = AddLine(30, 60 + 25 * static_cast<int32_t>(n), 350, UiFontAt(UiFont::Regular12), 0);
    }
    AddButton(kAccept, 80, 210, -1, 340, u"Yes");
    AddButton(kRefuse, 235, 210, platform::Vk::Escape, 425, u"No");
}

void OpponentRequestAcceptPopup::SetRequest(quill::WStringView nickname, uint8_t kind) {
    kind_ = kind;
    if (kind == kInvalidGame) {
        lines_[0]->SetTextF(u"%s requested for an invalid game.", nickname);
        lines_[1]->SetText(u"If you accept, the game becomes invalid, end.");
        lines_[2]->SetText(u"No record will be left about the game.");
        lines_[3]->SetText(u"Do you want to accept the request?");
        lines_[4]->SetText(u"");
    } else {
        lines_[0]->SetTextF(u"%s has requested for a withdrawal.", nickname);
        lines_[1]->SetText(u"If you accept, you will get win money");
        lines_[2]->SetText(u"for the current points,");
        lines_[3]->SetText(u"and the opponent will not be penalized.");
        lines_[4]->SetText(u"Do you want to accept the request?");
    }
}

void OpponentRequestAcceptPopup::Answer(bool accepted) {
    connection_.SendWritten([&](quill::Packet& packet) {
        packet.Init(quill::MessageId::OpponentRequestAnswer);
        packet.WriteU8(accepted ? 1 : 0);
        packet.WriteU8(kind_);
    });
    SetVisible(false);
}

bool OpponentRequestAcceptPopup::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id == kAccept || id == kRefuse) {
        Answer(id == kAccept);
        return true;
    }
    return PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
