#pragma once
// The windows every screen shares: the two message boxes, the invitation popup, the notice that a function
// is not available, the messenger, the profile window, the settings dialog and the My Info window. The screens' modules build them
// (AppPlatform::createPopups); the scene manager keeps them, hidden, from the scene registration to the end
// of the program and shows them for the screens and the connection.
//
// Every show operation attaches the box to the given parent, resets it, fills it, centres it on the screen
// and shows it; an empty line is not shown. A box reports its button by hiding and posting its event.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace kestrovan {

class MessengerPopup;
class NoticeBox;
class ProfilePopup;
class SettingsPopup;
class SkillPopup;
class Widget;
struct ConnectionNotice;
struct Invitation;

class SharedPopups {
public:
    virtual ~SharedPopups() = default;

    // The popups' textures and fonts, once the device and the interface packs are there.
    virtual void LoadGraphics(uint32_t arg) = 0;

    // The first box, titled "Error", with one OK button.
    virtual void ShowErrorBox(Widget& parent, quill::WStringView line0, quill::WStringView line1,
                              quill::WStringView line2) = 0;
    // The first box, titled "Notice", with one OK button.
    virtual void ShowNoticeBox(Widget& parent, quill::WStringView line0, quill::WStringView line1,
                               quill::WStringView line2, quill::WStringView line3) = 0;
    // The second box, titled "Notice", for where the first may be open already.
    virtual void ShowSecondNoticeBox(Widget& parent, quill::WStringView line0, quill::WStringView line1,
                                     quill::WStringView line2) = 0;
    // The first box filled with the notice (title, six lines, event and value) and shown with the
    // NoticeBox's button layout (0 OK, 1 OK and Cancel, 2 Cancel, 3 Yes and No).
    virtual void ShowBox(Widget& parent, const ConnectionNotice& notice, uint32_t layout) = 0;
    // The invitation popup, filled and shown.
    virtual void ShowInvitation(Widget& parent, const Invitation& invitation) = 0;
    // "Upgrading this function.." for a control whose window the program does not have.
    virtual void ShowFeatureNotice(Widget& parent) = 0;

    // Hides both boxes: a screen that finished loading starts without the boxes of the one before.
    virtual void HideMessageBoxes() = 0;
    // The boxes themselves (never null), for callers that fill them as they need.
    virtual NoticeBox* GetMessageBox() = 0;
    virtual NoticeBox* GetSecondMessageBox() = 0;
    // The messenger and the profile window; null where a program has none.
    virtual MessengerPopup* GetMessenger() = 0;
    virtual ProfilePopup* GetProfilePopup() = 0;
    // The settings dialog and the My Info window; null where a program has none.
    virtual SettingsPopup* GetSettingsDialog() { return nullptr; }
    virtual SkillPopup* GetSkillPopup() { return nullptr; }
};

}  // namespace kestrovan
