#include "client/scenes/community/FriendRequestQueue.h"

#include <algorithm>

#include "QuillLib/core/ScopedLock.h"
#include "client/scenes/common/TextFields.h"

namespace kestrovan {

namespace {

constexpr uint32_t kSleepMs = 1;

}  // namespace

FriendRequestQueue::FriendRequestQueue(uint32_t capacity, uint32_t tries) : pool_(capacity, kSleepMs), tries_(tries) {}

FriendRequestQueue::~FriendRequestQueue() {
    quill::ScopedLock hold(lock_);
    for (FriendRequestRecord* record : queue_)
        pool_.Free(record);
}

bool FriendRequestQueue::Contains(uint32_t memberId) const {
    return std::any_of(queue_.begin(), queue_.end(),
                       [memberId](const FriendRequestRecord* record) { return record->memberId == memberId; });
}

FriendRequestQueue::Added FriendRequestQueue::Add(int64_t userId, uint32_t memberId, quill::WStringView nickname) {
    {
        quill::ScopedLock hold(lock_);
        if (Contains(memberId))
            return Added::Duplicate;
    }
    FriendRequestRecord* record = pool_.Alloc(tries_);
    if (record == nullptr)
        return Added::Dropped;
    record->userId = userId;
    record->memberId = memberId;
    record->nickname = CutToLength(nickname, kNicknameLength);
    quill::ScopedLock hold(lock_);
    // Only the dispatch thread adds, but the check is cheap and keeps the rule whatever the caller.
    if (Contains(memberId)) {
        pool_.Free(record);
        return Added::Duplicate;
    }
    queue_.push_back(record);
    return Added::Queued;
}

std::optional<FriendRequestRecord> FriendRequestQueue::Head() const {
    quill::ScopedLock hold(lock_);
    if (queue_.empty())
        return std::nullopt;
    return *queue_.front();
}

std::optional<FriendRequestRecord> FriendRequestQueue::TakeHead() {
    quill::ScopedLock hold(lock_);
    if (queue_.empty())
        return std::nullopt;
    FriendRequestRecord* record = queue_.front();
    queue_.pop_front();
    FriendRequestRecord head = std::move(*record);
    pool_.Free(record);
    return head;
}

size_t FriendRequestQueue::Count() const {
    quill::ScopedLock hold(lock_);
    return queue_.size();
}

}  // namespace kestrovan
