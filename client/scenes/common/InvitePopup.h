#pragma once
// Another player's invitation: who invites from where (a room, or the lobby of a channel), the game's type,
// handicap and player count when the invitation carries them, and Yes (2052, Enter: the player will join;
// the connection keeps the target and JoinWith (1070) is posted) or No (2053, Esc: nothing is answered).
// The scene manager keeps one for all screens; the connection fills and opens it.
//
// Threads: see the table in client/app/Scene.h.
#include <array>

#include "QuillLib/core/AppEventId.h"
#include "client/connection/Invitation.h"
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

struct JoinWithTarget;

class InvitePopup : public PopupWindow {
public:
    // Yes writes target (the connection's pending move) and posts through poster.
    InvitePopup(JoinWithTarget& target, EventPoster poster);

    void SetInvitation(const Invitation& invitation);
    TextLabel* Line(size_t n) const { return lines_[n]; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    // Centres the popup and writes where the invitation comes from and, when it has them, the game's details.
    void OnShow() override;

private:
    void Accept();

    JoinWithTarget& target_;
    EventPoster poster_;
    Invitation invitation_;
    std::array<TextLabel*, 3> lines_{};
};

}  // namespace kestrovan
