#pragma once
// The small popup list beside the purchase dialog's recipient box: the nicknames of the player's friends or
// clan members, twenty rows at a time with a scroll bar and, for longer lists, an up and a down button. A row
// clicked becomes the selected member: the list hides and tells its parent (event 0xFFFF), which copies the
// nickname.
//
// The rows hold copies of the members' ids and nicknames, taken under the directory's lock: the connection's
// dispatch thread may take a member out of the list (and give its record back to the pool) at any time.
//
// Threads: see the table in client/app/Scene.h; a directory's lock is taken only while its members are copied.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "QuillLib/core/WString.h"
#include "client/scenes/common/ListPager.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Button;
class MemberDirectories;
class ScrollBar;

class GiftRecipientList : public Window {
public:
    static constexpr size_t kRows = 20;
    static constexpr int32_t kFirstRowId = 100;
    static constexpr int32_t kScrollBarId = 97;
    static constexpr int32_t kUpId = 98;
    static constexpr int32_t kDownId = 99;
    static constexpr int32_t kChosenEvent = 0xFFFF;
    static constexpr int32_t kRowWidth = 84;
    static constexpr int32_t kRowHeight = 20;
    static constexpr uint8_t kFriends = 1;
    static constexpr uint8_t kClanMembers = 2;

    // A member as a row shows it.
    struct Member {
        uint32_t id = 0;
        quill::WString nickname;
    };

    // showEmpty tells the player that the list has nobody ("목록이 없습니다.").
    GiftRecipientList(MemberDirectories& members, std::function<void()> showEmpty);

    // Which list the next show lists: kFriends or kClanMembers.
    void SetKind(uint8_t kind) { kind_ = kind; }
    uint8_t Kind() const { return kind_; }
    std::optional<Member> Selected() const;
    int32_t FirstRow() const { return pager_.First(); }
    int32_t MemberCount() const { return count_; }
    // The nickname row n shows, empty for a hidden row.
    quill::WString RowNickname(size_t row) const;
    Button* Row(size_t row) const { return rows_[row]; }
    Button* UpButton() const { return up_; }
    Button* DownButton() const { return down_; }
    ScrollBar* Scroll() const { return scrollBar_; }

    // Showing: nothing selected, the first row at the top; an empty list is not shown but told of.
    void SetVisible(bool visible) override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    // Copies the members from the first row on into the rows, under the list's lock.
    void Refresh();

private:
    void Scroll(int32_t first);

    MemberDirectories& members_;
    std::function<void()> showEmpty_;
    std::array<Button*, kRows> rows_{};
    std::array<Member, kRows> shown_{};
    Button* up_ = nullptr;
    Button* down_ = nullptr;
    ScrollBar* scrollBar_ = nullptr;
    uint8_t kind_ = kFriends;
    ListPager pager_{static_cast<int32_t>(kRows)};
    int32_t count_ = 0;
    std::optional<Member> selected_;
};

}  // namespace kestrovan
