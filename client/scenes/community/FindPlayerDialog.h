#pragma once
// "Find Player": the player types a nickname (at most 12 bytes of the code page) and searches with Enter or
// the search button; a nickname of 4 to 12 bytes goes to the server as FindPlayer and the dialog stays open
// for the answer, a shorter one is refused in the error box. The close button (Esc) hides it.
//
// Threads: see the table in client/app/Scene.h.
#include "client/scenes/common/CommunityDialog.h"

namespace kestrovan {

class CommunityHost;
class CommunityRequests;
class EditBox;

class FindPlayerDialog : public CommunityDialog {
public:
    static constexpr int32_t kSearch = 11;
    static constexpr int32_t kMaxNicknameBytes = 12;

    FindPlayerDialog(CommunityHost& host, CommunityRequests& requests);

    // Checks the nickname and asks the server; false when it was refused.
    bool Search();
    EditBox* Entry() const { return entry_; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    // The window's show, then the entry takes the keyboard.
    void OnShow() override;

private:
    CommunityHost& host_;
    CommunityRequests& requests_;
    EditBox* entry_ = nullptr;
};

}  // namespace kestrovan
