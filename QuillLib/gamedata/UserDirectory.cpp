#include "QuillLib/gamedata/UserDirectory.h"

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/PlayerState.h"

namespace quill {

bool UserDirectory::Insert(PlayerState* record) {
    if (record == nullptr) {
        return false;
    }
    ScopedLock hold(lock_);
    return records_.emplace(record->userId, record).second;
}

PlayerState* UserDirectory::Find(uint32_t userId) {
    ScopedLock hold(lock_);
    const auto found = records_.find(userId);
    return found != records_.end() ? found->second : nullptr;
}

PlayerState* UserDirectory::FindByName(WStringView name) {
    ScopedLock hold(lock_);
    for (const auto& [id, record] : records_) {
        if (record->name == name) {
            return record;
        }
    }
    return nullptr;
}

bool UserDirectory::ContainsName(WStringView name) {
    ScopedLock hold(lock_);
    return FindByName(name) != nullptr;
}

void UserDirectory::Erase(uint32_t userId) {
    ScopedLock hold(lock_);
    records_.erase(userId);
}

size_t UserDirectory::Count() {
    ScopedLock hold(lock_);
    return records_.size();
}

}  // namespace quill
