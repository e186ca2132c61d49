#include "client/scenes/common/ScenePopups.h"

#include "client/connection/ConnectionNotice.h"

namespace kestrovan {

ScenePopups::ScenePopups(PopupWindow::EventPoster poster, JoinWithTarget& target)
    : first_(std::make_unique<NoticeBox>(poster)),
      second_(std::make_unique<NoticeBox>(poster)),
      invite_(std::make_unique<InvitePopup>(target, poster)),
      featureNotice_(std::make_unique<FeatureNoticePopup>()) {}

ScenePopups::~ScenePopups() = default;

void ScenePopups::LoadGraphics(uint32_t arg) {
    first_->LoadGraphics(arg);
    second_->LoadGraphics(arg);
    invite_->LoadGraphics(arg);
    featureNotice_->LoadGraphics(arg);
    if (messenger_)
        messenger_->LoadWindowGraphics(arg);
    if (profile_)
        profile_->LoadWindowGraphics(arg);
    if (settings_)
        settings_->LoadWindowGraphics(arg);
    if (myInfo_)
        myInfo_->LoadWindowGraphics(arg);
}

void ScenePopups::SetCommunityWindows(std::unique_ptr<MessengerPopup> messenger, std::unique_ptr<ProfilePopup> profile) {
    messenger_ = std::move(messenger);
    profile_ = std::move(profile);
}

void ScenePopups::SetPlayerWindows(std::unique_ptr<SettingsPopup> settings, std::unique_ptr<SkillPopup> myInfo) {
    settings_ = std::move(settings);
    myInfo_ = std::move(myInfo);
}

void ScenePopups::ShowBox(NoticeBox& box, Widget& parent, quill::WStringView title,
                          std::initializer_list<quill::WStringView> lines) {
    parent.AddChild(&box, false);
    box.Reset();
    box.SetButtons(NoticeBox::kLayoutOk);
    box.SetTitle(title);
    size_t n = 0;
    for (quill::WStringView line : lines) {
        if (!line.empty())
            box.SetLine(line, n);
        ++n;
    }
    box.Open();
}

void ScenePopups::ShowErrorBox(Widget& parent, quill::WStringView line0, quill::WStringView line1,
                               quill::WStringView line2) {
    ShowBox(*first_, parent, u"Error", {line0, line1, line2});
}

void ScenePopups::ShowNoticeBox(Widget& parent, quill::WStringView line0, quill::WStringView line1,
                                quill::WStringView line2, quill::WStringView line3) {
    ShowBox(*first_, parent, u"Notice", {line0, line1, line2, line3});
}

void ScenePopups::ShowSecondNoticeBox(Widget& parent, quill::WStringView line0, quill::WStringView line1,
                                      quill::WStringView line2) {
    ShowBox(*second_, parent, u"Notice", {line0, line1, line2});
}

void ScenePopups::HideMessageBoxes() {
    first_->Show(false);
    second_->Show(false);
}

void ScenePopups::ShowBox(Widget& parent, const ConnectionNotice& notice, uint32_t layout) {
    parent.AddChild(first_.get(), false);
    first_->Reset();
    first_->SetButtons(layout);
    first_->SetTitle(notice.title);
    for (size_t n = 0; n < notice.lines.size(); ++n)
        first_->SetLine(notice.lines[n], n);
    first_->SetEvent(static_cast<int32_t>(notice.event), notice.value);
    first_->Open();
}

void ScenePopups::ShowInvitation(Widget& parent, const Invitation& invitation) {
    parent.AddChild(invite_.get(), invite_->IsVisible());
    invite_->SetInvitation(invitation);
    invite_->Open();
}

void ScenePopups::ShowFeatureNotice(Widget& parent) {
    parent.AddChild(featureNotice_.get(), featureNotice_->IsVisible());
    featureNotice_->Open();
}

}  // namespace kestrovan
