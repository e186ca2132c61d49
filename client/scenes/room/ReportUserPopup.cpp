#include "client/scenes/room/ReportUserPopup.h"

#include "QuillLib/core/AppEventId.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

ReportUserPopup::ReportUserPopup(EventPoster poster)
    : PopupWindow(200, 200, 400, 250, Face{}, sound_id::kPopup, 0), poster_(std::move(poster)) {
    AddTitle(14, 7, 140, u"Report bad");
    TextLabel* caption = AddLine(18, 44, 360, UiFontAt(UiFont::Regular12), 0);
    caption->SetText(u"Bad user : ");
    caption->SetColors(kYellow, 0);
    target_ = AddLine(110, 44, 360, UiFontAt(UiFont::Regular12), 0);
    target_->SetColors(kYellow, 0);
    const quill::WStringView lines[5] = {
        u"Report recent chatting messages (bad nickname included)",
        u"If the report is forged or the reporter induced the language abuse",
        u"from the reported user, the reporter will also be punished.",
        u"Reporting a user who has withdrawn cannot be processed.",
        u"Do you want to report this current chatting message?",
    };
    for (int32_t n = 0; n < 5; ++n) {
        AddLine(18, 74 + 22 * n, 360, UiFontAt(UiFont::Small10), 0)->SetText(lines[n]);
    }
    AddButton(kYes, 77, 200, platform::Vk::Return, 340, u"Yes");
    AddButton(kNo, 237, 200, platform::Vk::Return, 425, u"No");
}

void ReportUserPopup::SetTarget(uint32_t idLow, uint32_t idHigh, quill::WStringView nickname) {
    idLow_ = idLow;
    idHigh_ = idHigh;
    WidgetToolkit::CheckTreeAccess("ReportUserPopup::SetTarget");
    if (!nickname.empty()) nickname_ = nickname;
}

quill::WString ReportUserPopup::TargetNickname() const {
    return nickname_;
}

void ReportUserPopup::OnShow() {
    target_->SetText(idLow_ == 0 && idHigh_ == 0 ? quill::WString(u"Entire message") : TargetNickname());
    Window::OnShow();
    CentreOnScreen(*this);
}

bool ReportUserPopup::OnEvent(Widget* source, int32_t a, int32_t b) {
    const auto submit = [this] {
        SetVisible(false);
        if (poster_)
            poster_(quill::AppEventId::ReportSubmit, 0, 0, 0);
    };
    return Answers(source, kYes, kNo, submit) || PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
