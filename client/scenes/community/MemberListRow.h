#pragma once
// One row of the messenger's friend or clan list: a button with the member's nickname (yellow on a red
// shadow), where the member is (right-aligned) and, in the clan list, the member's rank mark (the master's
// for rank 10 and above, an officer's for 3 to 9). A click reaches the messenger with the row's control id.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/scenes/community/MemberSnapshot.h"
#include "client/ui/Button.h"

namespace kestrovan {

class Image;
class TextLabel;

class MemberListRow : public Button {
public:
    static constexpr int32_t kWidth = 201;
    static constexpr int32_t kHeight = 15;
    static constexpr uint8_t kClanList = 2;
    static constexpr uint8_t kMasterRank = 10;
    static constexpr uint8_t kOfficerRank = 3;

    // The row at (x, y) of its parent with the control id.
    MemberListRow(int32_t x, int32_t y, int32_t id);

    // Shows the member: nickname, the location text and, in the clan list, the rank mark; enables and shows
    // the row.
    void SetMember(const MemberSnapshot& member, uint8_t listKind, quill::WStringView location);
    // Forgets the member and hides the row.
    void Clear();
    bool HasMember() const { return hasMember_; }
    const MemberSnapshot& Member() const { return member_; }

    TextLabel* NicknameLabel() const { return nickname_; }
    TextLabel* LocationLabel() const { return location_; }
    Image* RankMark() const { return rank_; }

private:
    TextLabel* nickname_ = nullptr;
    TextLabel* location_ = nullptr;
    Image* rank_ = nullptr;
    MemberSnapshot member_;
    uint8_t listKind_ = 1;
    bool hasMember_ = false;
};

}  // namespace kestrovan
