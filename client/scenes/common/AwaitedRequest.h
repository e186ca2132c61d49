#pragma once
// A request whose answer the screen waits for. The request goes first; only once it has gone does the screen start
// to wait (its waiting box, the controls that the answer gives back). A request that did not go (no packet free, or
// one its writer overflowed) would leave the player waiting for an answer that never comes: the shared "Notice" box
// says so instead, and the screen stays as it was, so that the player can try again.
//
// Threads: a screen's entries (client/app/Scene.h). The answer's handler holds the same widget-tree lock, so it
// cannot run between the send and the start of the wait.
#include <cstdint>
#include <functional>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/MessageId.h"
#include "QuillLib/net/Packet.h"

namespace kestrovan {

class RequestSender;

class AwaitedRequest {
public:
    static constexpr quill::WStringView kNotSent = u"Your request could not be sent. Please try again.";
    // Shows the line in the shared notice box.
    using Notice = std::function<void(quill::WStringView line)>;

    AwaitedRequest(RequestSender& sender, Notice notice) : sender_(sender), notice_(std::move(notice)) {}

    // Sends the message that write builds, then runs wait; false, after the notice, when it did not go.
    bool Send(const std::function<void(quill::Packet&)>& write, const std::function<void()>& wait = {});
    bool SendByte(quill::MessageId id, uint8_t value, const std::function<void()>& wait = {});

private:
    bool Wait(bool sent, const std::function<void()>& wait);

    RequestSender& sender_;
    Notice notice_;
};

}  // namespace kestrovan
