#pragma once
// The popups the scene manager keeps for all screens: the two message boxes (and, as they are built, the
// invitation and feature popups). Each show operation attaches the popup to the given parent and fills,
// centres and shows it; the boxes post their events through the App.
//
// Threads: as SharedPopups.
#include <memory>

#include "client/app/SharedPopups.h"
#include "client/scenes/NoticeBox.h"

namespace kestrovan {

class App;

class ScenePopups : public SharedPopups {
public:
    explicit ScenePopups(NoticeBox::EventPoster poster);
    ~ScenePopups() override;

    void LoadGraphics(uint32_t arg) override;
    void ShowErrorBox(Widget& parent, quill::WStringView line0, quill::WStringView line1,
                      quill::WStringView line2) override;
    void ShowNoticeBox(Widget& parent, quill::WStringView line0, quill::WStringView line1, quill::WStringView line2,
                       quill::WStringView line3) override;
    void ShowSecondNoticeBox(Widget& parent, quill::WStringView line0, quill::WStringView line1,
                             quill::WStringView line2) override;
    void ShowConnectionNotice(Widget& parent, const ConnectionNotice& notice) override;
    void ShowInvitation(Widget& parent, const Invitation& invitation) override;
    NoticeBox* GetMessageBox() override { return first_.get(); }
    NoticeBox* GetSecondMessageBox() override { return second_.get(); }

private:
    // Attaches, resets (layout 0, event 1024), titles and fills the box with its non-empty lines in order
    // from line 0, then opens it.
    static void ShowBox(NoticeBox& box, Widget& parent, quill::WStringView title,
                        std::initializer_list<quill::WStringView> lines);

    std::unique_ptr<NoticeBox> first_;
    std::unique_ptr<NoticeBox> second_;
};

// The popups of the program, posting their events to the App.
std::unique_ptr<SharedPopups> CreateScenePopups(App& app);

}  // namespace kestrovan
