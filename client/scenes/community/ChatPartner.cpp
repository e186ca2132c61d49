#include "client/scenes/community/ChatPartner.h"

#include <utility>

#include "client/scenes/common/TextFields.h"

namespace kestrovan {

ChatPartner::ChatPartner(MemberSnapshot member, uint8_t kind) : member_(std::move(member)), kind_(kind) {
    AddLine(FirstLineText(kind, member_.memberId), kFirstLineColour);
}

const char16_t* ChatPartner::FirstLineText(uint8_t kind, uint32_t memberId) {
    if (kind % 10 == ChatKind::Friend)
        return u"- Friend Chat";
    return memberId != 0 ? u"- Clan Member Chat" : u"- Clan Chat";
}

void ChatPartner::AddLine(quill::WStringView text, uint32_t colour) {
    lines_.push_back(ChatLine{CutToLength(text, ChatLine::kLength), colour});
    if (lines_.size() > kMaxLines)
        lines_.pop_front();
}

void ChatPartner::MarkUnread(uint32_t nowMs) {
    if (!unread_)
        firstUnreadMs_ = nowMs;
    unread_ = true;
}

}  // namespace kestrovan
