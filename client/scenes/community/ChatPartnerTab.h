#pragma once
// A tab over the messenger's chat lines: a checkable button captioned with the partner's nickname (yellow on
// a red shadow; the clan chat shows the clan's name in cyan), checked while its chat is the current one, and
// a blinking mark while the chat holds a line the player has not seen.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/ui/Button.h"

namespace kestrovan {

class BlinkingIcon;
class TextLabel;

class ChatPartnerTab : public Button {
public:
    static constexpr int32_t kWidth = 76;
    static constexpr int32_t kHeight = 18;
    static constexpr uint32_t kNicknameColour = 0xFFFFFF00;
    static constexpr uint32_t kClanColour = 0xFF00FFFF;
    static constexpr uint32_t kShadowColour = 0xFFFF0000;

    ChatPartnerTab(int32_t x, int32_t y, int32_t id);

    // Caption, colour and whether it is the current chat; shows the tab.
    void SetPartner(quill::WStringView caption, bool clanChat, bool current, uint32_t blinkStart);
    // Stores the flag; when it changes the mark shows or hides. True when it turned on: the messenger then
    // plays its alarm sound when the alarm is on.
    bool SetUnread(bool unread);
    bool IsUnread() const { return unread_; }
    // Hides the tab and its mark.
    void Clear();

    TextLabel* Caption() const { return GetCaption(); }
    BlinkingIcon* Mark() const { return mark_; }

private:
    BlinkingIcon* mark_ = nullptr;
    bool unread_ = false;
};

}  // namespace kestrovan
