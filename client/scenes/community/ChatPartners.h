#pragma once
// The messenger's open chats in the order they were opened, which of them is current, and the two windows
// over them that the messenger shows: three tabs from the first shown tab on (which stops at count - 2),
// and seven lines of the current chat from the first shown line on (which stops at line count - 6). Both
// indices count from 1, as the scroll bars report them.
//
// Partners keep their address while they are open.
#include <cstdint>
#include <list>
#include <memory>
#include <vector>

#include "client/scenes/common/ListPager.h"
#include "client/scenes/community/ChatPartner.h"

namespace kestrovan {

class ChatPartners {
public:
    static constexpr int32_t kTabs = 3;
    static constexpr int32_t kLinesShown = 7;

    struct TabView {
        int32_t firstTab = 1;
        int32_t range = 1;                // scroll positions: count - 2, at least 1
        std::vector<ChatPartner*> shown;  // at most kTabs
    };
    struct LineView {
        int32_t firstLine = 1;
        std::vector<ChatLine> shown;  // at most kLinesShown
    };

    // The chat with the member, opened (appended, with its first line) when there is none. With select it
    // becomes current; without, only when there is no current chat. opened tells whether it is new.
    ChatPartner& Open(const MemberSnapshot& member, uint8_t kind, bool select, bool* opened = nullptr);
    ChatPartner* Find(uint32_t memberId) const;
    ChatPartner* Current() const { return current_; }
    // A partner of this list, or null.
    void SetCurrent(ChatPartner* partner);
    int32_t Count() const { return static_cast<int32_t>(partners_.size()); }
    // The partners in opening order (for walking).
    std::vector<ChatPartner*> All() const;

    // Closes the current chat; the first remaining one becomes current. False when there was none.
    bool CloseCurrent();

    // --- Tabs ---
    void SetFirstTab(int32_t firstTab) { tabs_.ScrollTo(firstTab, Count()); }
    int32_t FirstTab() const { return tabs_.First(); }
    // Clamps the first shown tab to the chats open now and lists the shown partners.
    TabView Tabs();

    // --- Lines of the current chat ---
    // The first shown line is kept as the bar reported it, unclamped: FollowNewest compares it with the
    // bar's previous range, so it is no pager's clamped row.
    void SetFirstLine(int32_t firstLine) { firstLine_ = firstLine; }
    int32_t FirstLine() const { return firstLine_; }
    // The line scroll bar's range for the current chat: line count - 6, at least 1.
    int32_t LineRange() const;
    // A new range for the bar: the view jumps to the newest lines, unless the first shown line is already
    // beyond the range the bar had (previousRange). Returns the first shown line.
    int32_t FollowNewest(int32_t previousRange);
    // Up to seven lines of the current chat from the first shown line on (none without a current chat).
    LineView Lines() const;

private:
    std::list<std::unique_ptr<ChatPartner>> partners_;
    ChatPartner* current_ = nullptr;
    ListPager tabs_{kTabs};
    int32_t firstLine_ = 1;
};

}  // namespace kestrovan
