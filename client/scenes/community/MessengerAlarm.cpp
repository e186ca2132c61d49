#include "client/scenes/community/MessengerAlarm.h"

namespace kestrovan {

MessengerAlarm::LineEffects MessengerAlarm::OnLine(int32_t view, bool isCurrent) {
    LineEffects effects;
    if (!open_) {
        unread_ = true;
        effects.partnerUnread = true;
        effects.redrawTabs = true;
        effects.showIcon = true;
        effects.playSound = alarm_;
    } else if (view == MessengerView::Chat) {
        effects.redrawLines = isCurrent;
        effects.partnerUnread = !isCurrent;
        effects.redrawTabs = !isCurrent;
    } else {
        effects.partnerUnread = true;
        effects.showChatTabMark = true;
        effects.playSound = alarm_;
        effects.redrawTabs = true;
    }
    return effects;
}

bool MessengerAlarm::OnOpen() {
    open_ = true;
    return unread_.exchange(false);
}

MessengerAlarm::SceneEntry MessengerAlarm::OnSceneEnter() const {
    SceneEntry entry;
    if (open_) {
        entry.reopen = true;
    } else if (unread_) {
        entry.showIcon = true;
        entry.playSound = alarm_;
    }
    return entry;
}

}  // namespace kestrovan
