#include "client/scenes/lobby/LobbyUserTable.h"

#include <algorithm>

#include "client/scenes/common/ListPager.h"
#include "client/scenes/common/messages/LobbyMessages.h"

namespace kestrovan {

LobbyUserTable::LobbyUserTable() = default;

LobbyUserTable::~LobbyUserTable() {
    Clear();
}

bool LobbyUserTable::Add(const LobbyUserMessage& user, uint8_t channel) {
    quill::PlayerState* record = pool_.Alloc(kRecordTries);
    if (record == nullptr) return false;
    record->accountId = user.userId;
    record->name = user.nickname;
    record->clanId = user.clanId;
    record->clanName = user.clanName;
    record->position = user.place;
    record->sortValue = user.sortValue;
    record->level = user.level;
    record->rankCode = user.rankCode;
    record->memberFlag = user.further;
    record->channel = channel;
    // A multimap keeps equal keys in insertion order, so equal sort values keep their arrival order.
    records_.emplace(user.sortValue, record);
    return true;
}

bool LobbyUserTable::Remove(int64_t userId) {
    const auto it = std::find_if(records_.begin(), records_.end(),
                                 [&](const auto& entry) { return entry.second->accountId == userId; });
    if (it == records_.end()) return false;
    quill::PlayerState* record = it->second;
    records_.erase(it);
    pool_.Free(record);
    return true;
}

void LobbyUserTable::Clear() {
    for (auto& [sortValue, record] : records_) pool_.Free(record);
    records_.clear();
}

quill::PlayerState* LobbyUserTable::Find(int64_t userId) {
    for (auto& [sortValue, record] : records_)
        if (record->accountId == userId) return record;
    return nullptr;
}

UserPage MakeUserPage(const std::vector<const quill::PlayerState*>& source, int32_t position, int32_t rows) {
    UserPage page;
    page.count = static_cast<int32_t>(source.size());
    ListPager pager(rows);
    pager.ScrollTo(position, page.count);
    page.position = pager.First();
    page.range = pager.Range(page.count);
    int32_t skip = page.position - 1;
    auto take = [&](bool ranked) {
        for (const quill::PlayerState* user : source) {
            if ((user->rankCode >= LobbyUserTable::kFirstRankCode) != ranked) continue;
            if (static_cast<int32_t>(page.users.size()) >= rows) return;
            if (skip > 0) {
                --skip;
                continue;
            }
            page.users.push_back(user);
        }
    };
    take(true);
    take(false);
    return page;
}

}  // namespace kestrovan
