#pragma once
// The friend requests that wait for the player's answer, first come first answered: one request per member
// id, each in a record of a pool of 72 (taken with the tries the owner gives, one millisecond apart; a request
// that finds none free is dropped). The dialog always shows the queue's head, and an answer always goes to the
// head, so the reply names the requester the player saw.
//
// Threads: see the table in client/app/Scene.h. The messenger takes a record with one try: its requests are added under
// the widget-tree lock, where no answer can free a record meanwhile.
#include <cstdint>
#include <deque>
#include <optional>

#include "QuillLib/core/WString.h"
#include "client/connection/ObjectPool.h"
#include "client/scenes/common/TextFields.h"

namespace kestrovan {

struct FriendRequestRecord {
    int64_t userId = 0;
    uint32_t memberId = 0;
    quill::WString nickname;  // cut to 63 units
};

class FriendRequestQueue {
public:
    static constexpr uint32_t kCapacity = 72;
    static constexpr uint32_t kTries = 5000;

    enum class Added {
        Queued,     // appended
        Duplicate,  // a request of that member waits already: ignored
        Dropped,    // no record became free
    };

    explicit FriendRequestQueue(uint32_t capacity = kCapacity, uint32_t tries = kTries);
    ~FriendRequestQueue();
    FriendRequestQueue(const FriendRequestQueue&) = delete;
    FriendRequestQueue& operator=(const FriendRequestQueue&) = delete;

    Added Add(int64_t userId, uint32_t memberId, quill::WStringView nickname);
    // A copy of the head, or nothing when no request waits.
    std::optional<FriendRequestRecord> Head() const;
    // Takes the head out (its record goes back to the pool) and returns it.
    std::optional<FriendRequestRecord> TakeHead();
    size_t Count() const;
    int32_t RecordsInUse() const { return pool_.InUse(); }

private:
    bool Contains(uint32_t memberId) const;

    ObjectPool<FriendRequestRecord> pool_;
    const uint32_t tries_;
    std::deque<FriendRequestRecord*> queue_;
};

}  // namespace kestrovan
