#pragma once
// The connection's locked map from user id to the profile record of every user the client knows (a friend
// or clan list). The records come from the connection's pool; the directory does not own them.
#include <cstdint>
#include <map>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/WString.h"

namespace quill {

class PlayerState;

class UserDirectory {
public:
    UserDirectory() = default;
    UserDirectory(const UserDirectory&) = delete;
    UserDirectory& operator=(const UserDirectory&) = delete;

    // Inserts the record under its user id unless that id is present; whether it was inserted.
    bool Insert(PlayerState* record);
    PlayerState* Find(uint32_t userId);
    // The first record in id order whose name equals the text exactly; null when none.
    PlayerState* FindByName(WStringView name);
    bool ContainsName(WStringView name);
    void Erase(uint32_t userId);
    size_t Count();

    // For walking the records in id order under the lock.
    CriticalSectionLock& GetLock() { return lock_; }
    const std::map<uint32_t, PlayerState*>& Records() const { return records_; }

private:
    CriticalSectionLock lock_;
    std::map<uint32_t, PlayerState*> records_;
};

}  // namespace quill
