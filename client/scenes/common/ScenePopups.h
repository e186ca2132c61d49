#pragma once
// The popups the scene manager keeps for all screens: the two message boxes, the invitation, the feature
// notice and, once the community and player modules have given them, the messenger and the profile window,
// the settings dialog and the My Info window. Each show
// operation attaches the popup to the given parent and fills, centres and shows it; the popups post their
// events through the App.
//
// Threads: see the table in client/app/Scene.h.
#include <memory>

#include "client/app/MessengerPopup.h"
#include "client/app/ProfilePopup.h"
#include "client/app/SettingsPopup.h"
#include "client/app/SharedPopups.h"
#include "client/app/SkillPopup.h"
#include "client/scenes/common/FeatureNoticePopup.h"
#include "client/scenes/common/InvitePopup.h"
#include "client/scenes/common/NoticeBox.h"

namespace kestrovan {

class ScenePopups : public SharedPopups {
public:
    // An accepted invitation becomes target, the connection's pending move.
    ScenePopups(PopupWindow::EventPoster poster, JoinWithTarget& target);
    ~ScenePopups() override;

    void LoadGraphics(uint32_t arg) override;
    void ShowErrorBox(Widget& parent, quill::WStringView line0, quill::WStringView line1,
                      quill::WStringView line2) override;
    void ShowNoticeBox(Widget& parent, quill::WStringView line0, quill::WStringView line1, quill::WStringView line2,
                       quill::WStringView line3) override;
    void ShowSecondNoticeBox(Widget& parent, quill::WStringView line0, quill::WStringView line1,
                             quill::WStringView line2) override;
    void ShowBox(Widget& parent, const ConnectionNotice& notice, uint32_t layout) override;
    void ShowInvitation(Widget& parent, const Invitation& invitation) override;
    void ShowFeatureNotice(Widget& parent) override;
    void HideMessageBoxes() override;
    NoticeBox* GetMessageBox() override { return first_.get(); }
    NoticeBox* GetSecondMessageBox() override { return second_.get(); }
    MessengerPopup* GetMessenger() override { return messenger_.get(); }
    ProfilePopup* GetProfilePopup() override { return profile_.get(); }
    SettingsPopup* GetSettingsDialog() override { return settings_.get(); }
    SkillPopup* GetSkillPopup() override { return myInfo_.get(); }
    // Takes the messenger and the profile window for the life of the popups.
    void SetCommunityWindows(std::unique_ptr<MessengerPopup> messenger, std::unique_ptr<ProfilePopup> profile);
    // Takes the settings dialog and the My Info window for the life of the popups.
    void SetPlayerWindows(std::unique_ptr<SettingsPopup> settings, std::unique_ptr<SkillPopup> myInfo);
    InvitePopup& Invite() { return *invite_; }
    FeatureNoticePopup& FeatureNotice() { return *featureNotice_; }

private:
    // Attaches, resets (layout 0, event 1024), titles and fills the box with its non-empty lines in order
    // from line 0, then opens it.
    static void ShowBox(NoticeBox& box, Widget& parent, quill::WStringView title,
                        std::initializer_list<quill::WStringView> lines);

    std::unique_ptr<NoticeBox> first_;
    std::unique_ptr<NoticeBox> second_;
    std::unique_ptr<InvitePopup> invite_;
    std::unique_ptr<FeatureNoticePopup> featureNotice_;
    std::unique_ptr<MessengerPopup> messenger_;
    std::unique_ptr<ProfilePopup> profile_;
    std::unique_ptr<SettingsPopup> settings_;
    std::unique_ptr<SkillPopup> myInfo_;
};

}  // namespace kestrovan
