#pragma once
// What the connection needs of a screen: its number, whether it can take messages now, and its packet
// slot. The application shell's Scene implements it; the connection reaches the current one through
// ConnectionHost::CurrentScene. Every call comes on the connection's dispatch thread.
#include <cstdint>

#include "QuillLib/net/MessageId.h"
#include "QuillLib/net/Packet.h"

namespace kestrovan {

class ConnectionScene {
public:
    static constexpr int32_t kLoginSceneId = 1;

    virtual ~ConnectionScene() = default;

    virtual int32_t GetSceneId() const = 0;

    // The scene's switch flags: a change is pending, its resources are loading, it is ready to be shown.
    virtual bool IsChangePending() const = 0;
    virtual bool IsLoading() const = 0;
    virtual bool IsReady() const = 0;

    // A server message for the screen, the packet's cursor on the first payload byte. The result is not used.
    virtual int OnPacket(quill::MessageId id, quill::Packet& packet) = 0;
};

// A scene takes messages once no change is pending and it is either not loading or already ready.
inline bool CanTakePackets(const ConnectionScene& scene) {
    return !scene.IsChangePending() && (!scene.IsLoading() || scene.IsReady());
}

}  // namespace kestrovan
