#include "client/connection/MessageQueue.h"

#include "QuillLib/core/ScopedLock.h"

namespace kestrovan {

void MessageQueue::Push(quill::Packet* packet) {
    if (packet == nullptr) {
        return;
    }
    {
        quill::ScopedLock hold(lock_);
        packet->SetNextInQueue(nullptr);
        if (tail_ != nullptr) {
            tail_->SetNextInQueue(packet);
        } else {
            head_ = packet;
        }
        tail_ = packet;
        ++count_;
    }
    pushed_.Set();
}

quill::Packet* MessageQueue::Pop() {
    quill::ScopedLock hold(lock_);
    quill::Packet* packet = head_;
    if (packet != nullptr) {
        head_ = packet->NextInQueue();
        if (head_ == nullptr) {
            tail_ = nullptr;
        }
        packet->SetNextInQueue(nullptr);
        --count_;
    }
    return packet;
}

uint32_t MessageQueue::Count() const {
    quill::ScopedLock hold(lock_);
    return count_;
}

bool MessageQueue::Wait(uint32_t timeoutMs) {
    return pushed_.Wait(timeoutMs);
}

void MessageQueue::Signal() {
    pushed_.Set();
}

}  // namespace kestrovan
