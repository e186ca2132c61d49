#include "client/scenes/player/SkillSaveConfirmPopup.h"

#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/scenes/common/RequestSender.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

SkillSaveConfirmPopup::SkillSaveConfirmPopup(RequestSender& requests, Window& myInfo)
    : PopupWindow(0, 0, kWidth, kHeight, Face{}, sound_id::kPopup, 0), requests_(requests), myInfo_(myInfo) {
    AddTitle(50, 7, 140, u"Warning");
    const quill::WStringView lines[] = {u"Once saved, skills cannot be dropped or deleted.",
                                        u"Do you want to save the current skill level?"};
    int32_t y = 76;
    for (quill::WStringView text : lines) {
        TextLabel* line = AddLine(18, y, 375, UiFontAt(UiFont::Bold14), TextLabel::kAlignCentre);
        line->SetColors(kWhite, 0);
        line->SetText(text);
        y += 30;
    }
    AddButton(kYes, 85, 180, platform::Vk::Return, 340, u"Yes");
    AddButton(kNo, 215, 180, platform::Vk::Escape, 425, u"No");
}

bool SkillSaveConfirmPopup::OnEvent(Widget* source, int32_t a, int32_t b) {
    const auto save = [this] {
        myInfo_.SetVisible(false);
        requests_.Send([this](quill::Packet& packet) {
            packet.Init(quill::MessageId::SkillPointsSave);
            for (uint8_t raise : raises_) packet.WriteU8(raise);
        });
        SetVisible(false);
    };
    return Answers(source, kYes, kNo, save) || PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
