#include "client/scenes/common/AwaitedRequest.h"

#include "client/scenes/common/RequestSender.h"

namespace kestrovan {

bool AwaitedRequest::Send(const std::function<void(quill::Packet&)>& write, const std::function<void()>& wait) {
    return Wait(sender_.Send(write), wait);
}

bool AwaitedRequest::SendByte(quill::MessageId id, uint8_t value, const std::function<void()>& wait) {
    return Wait(sender_.SendByte(id, value), wait);
}

bool AwaitedRequest::Wait(bool sent, const std::function<void()>& wait) {
    if (!sent) {
        if (notice_) notice_(kNotSent);
        return false;
    }
    if (wait) wait();
    return true;
}

}  // namespace kestrovan
