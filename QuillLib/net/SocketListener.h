#pragma once
// What a ClSocket reports to its owner. The calls come on the socket's own threads: OnConnect on the
// connect thread, OnReceive and OnClose on the receive thread (OnClose also on a thread whose send failed).
namespace quill {

class ClSocket;

class SocketListener {
public:
    virtual ~SocketListener() = default;

    // code 0: connected. Otherwise the connect failed: -1 when the server refused or did not answer in
    // time, else the socket error of creating the socket or resolving the host.
    virtual void OnConnect(ClSocket* socket, int code) = 0;

    // One frame was taken from the stream. result >= 0: the socket's incoming packet holds the message and
    // result bytes are still buffered. Negative: the frame was bad (-2) or did not decipher (-3).
    virtual void OnReceive(ClSocket* socket, int result) = 0;

    // The connection ended: the peer closed it, a receive or send failed, or the stream went bad.
    // Reported once per connection, and never for a Close the owner asked for.
    virtual void OnClose(ClSocket* socket, int reason) = 0;
};

}  // namespace quill
