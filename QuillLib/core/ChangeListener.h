#pragma once
#include <cstdint>

namespace quill {

// Receives the change notifications of a ChangeNotifier. Render scenes send code 2 after a scene setting
// changed and code 8 after an item was added or removed.
class ChangeListener {
public:
    virtual ~ChangeListener() = default;
    virtual void OnChange(uint32_t code, uint16_t sceneId, const void* value) = 0;
};

}  // namespace quill
