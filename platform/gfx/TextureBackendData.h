#pragma once
// What a device keeps with a memory texture (a hardware copy). Destroyed with the texture, on any thread.

namespace platform::gfx {

class TextureBackendData {
public:
    virtual ~TextureBackendData() = default;
};

}  // namespace platform::gfx
