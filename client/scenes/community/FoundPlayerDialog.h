#pragma once
// The player the search found: nickname and where he is, with "View Info" (asks for his profile and stays
// open), "Join with" (for a player in a channel: the connection's pending move goes to his place and
// JoinWith is posted) and "Ask Friend" (FriendRequest); neither of the last two for the player himself. The
// close button (Esc) hides it.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/scenes/common/PopupWindow.h"
#include "client/scenes/community/MessengerMessages.h"
#include "client/ui/Window.h"

namespace kestrovan {

class CommunityHost;
class CommunityRequests;
class TextLabel;

class FoundPlayerDialog : public Window {
public:
    static constexpr int32_t kWidth = 335;
    static constexpr int32_t kHeight = 183;
    static constexpr int32_t kViewInfo = 10;
    static constexpr int32_t kJoinWith = 11;
    static constexpr int32_t kAskFriend = 12;

    FoundPlayerDialog(CommunityHost& host, CommunityRequests& requests);

    // The player and the text of where he is.
    void SetFound(const FoundPlayerRecord& found, quill::WStringView location);
    FoundPlayerRecord Found() const;
    TextLabel* NicknameLabel() const { return nickname_; }
    TextLabel* LocationLabel() const { return location_; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    bool IsPlayerHimself(const FoundPlayerRecord& found);
    void JoinWith(const FoundPlayerRecord& found);

    CommunityHost& host_;
    CommunityRequests& requests_;
    FoundPlayerRecord found_;
    TextLabel* nickname_ = nullptr;
    TextLabel* location_ = nullptr;
};

}  // namespace kestrovan
