#include "client/scenes/community/FriendRequestQueue.h"

#include <algorithm>

#include "client/scenes/common/TextFields.h"

namespace kestrovan {

namespace {

constexpr uint32_t kSleepMs = 1;

}  // namespace

FriendRequestQueue::FriendRequestQueue(uint32_t capacity, uint32_t tries) : pool_(capacity, kSleepMs), tries_(tries) {}

FriendRequestQueue::~FriendRequestQueue() {
    for (FriendRequestRecord* record : queue_)
        pool_.Free(record);
}

bool FriendRequestQueue::Contains(uint32_t memberId) const {
    return std::any_of(queue_.begin(), queue_.end(),
                       [memberId](const FriendRequestRecord* record) { return record->memberId == memberId; });
}

FriendRequestQueue::Added FriendRequestQueue::Add(int64_t userId, uint32_t memberId, quill::WStringView nickname) {
    if (Contains(memberId))
        return Added::Duplicate;
    FriendRequestRecord* record = pool_.Alloc(tries_);
    if (record == nullptr)
        return Added::Dropped;
    record->userId = userId;
    record->memberId = memberId;
    record->nickname = CutToLength(nickname, kNicknameLength);
    queue_.push_back(record);
    return Added::Queued;
}

std::optional<FriendRequestRecord> FriendRequestQueue::Head() const {
    if (queue_.empty())
        return std::nullopt;
    return *queue_.front();
}

std::optional<FriendRequestRecord> FriendRequestQueue::TakeHead() {
    if (queue_.empty())
        return std::nullopt;
    FriendRequestRecord* record = queue_.front();
    queue_.pop_front();
    FriendRequestRecord head = std::move(*record);
    pool_.Free(record);
    return head;
}

size_t FriendRequestQueue::Count() const {
    return queue_.size();
}

}  // namespace kestrovan
