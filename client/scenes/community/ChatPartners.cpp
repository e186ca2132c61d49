#include "client/scenes/community/ChatPartners.h"

#include <algorithm>

namespace kestrovan {

ChatPartner& ChatPartners::Open(const MemberSnapshot& member, uint8_t kind, bool select, bool* opened) {
    ChatPartner* partner = Find(member.memberId);
    if (opened != nullptr)
        *opened = partner == nullptr;
    if (partner == nullptr) {
        partners_.push_back(std::make_unique<ChatPartner>(member, kind));
        partner = partners_.back().get();
    }
    if (select || current_ == nullptr)
        current_ = partner;
    return *partner;
}

ChatPartner* ChatPartners::Find(uint32_t memberId) const {
    for (const auto& partner : partners_) {
        if (partner->MemberId() == memberId)
            return partner.get();
    }
    return nullptr;
}

void ChatPartners::SetCurrent(ChatPartner* partner) {
    const auto listed = std::find_if(partners_.begin(), partners_.end(),
                                     [partner](const auto& candidate) { return candidate.get() == partner; });
    current_ = listed != partners_.end() ? partner : nullptr;
}

std::vector<ChatPartner*> ChatPartners::All() const {
    std::vector<ChatPartner*> all;
    for (const auto& partner : partners_)
        all.push_back(partner.get());
    return all;
}

bool ChatPartners::CloseCurrent() {
    const auto listed = std::find_if(partners_.begin(), partners_.end(),
                                     [this](const auto& candidate) { return candidate.get() == current_; });
    if (listed == partners_.end())
        return false;
    partners_.erase(listed);
    current_ = partners_.empty() ? nullptr : partners_.front().get();
    return true;
}

ChatPartners::TabView ChatPartners::Tabs() {
    TabView view;
    tabs_.ScrollTo(tabs_.First(), Count());
    view.range = tabs_.Range(Count());
    view.firstTab = tabs_.First();
    int32_t index = 0;
    for (const auto& partner : partners_) {
        ++index;
        if (index >= view.firstTab && static_cast<int32_t>(view.shown.size()) < kTabs)
            view.shown.push_back(partner.get());
    }
    return view;
}

int32_t ChatPartners::LineRange() const {
    const int32_t lines = current_ != nullptr ? current_->LineCount() : 0;
    return ListPager(kLinesShown).Range(lines);
}

int32_t ChatPartners::FollowNewest(int32_t previousRange) {
    if (previousRange >= firstLine_)
        firstLine_ = LineRange();
    return firstLine_;
}

ChatPartners::LineView ChatPartners::Lines() const {
    LineView view;
    view.firstLine = firstLine_;
    if (current_ == nullptr)
        return view;
    const std::deque<ChatLine>& lines = current_->Lines();
    for (size_t index = static_cast<size_t>(std::max(firstLine_, 1) - 1);
         index < lines.size() && static_cast<int32_t>(view.shown.size()) < kLinesShown; ++index) {
        view.shown.push_back(lines[index]);
    }
    return view;
}

}  // namespace kestrovan
