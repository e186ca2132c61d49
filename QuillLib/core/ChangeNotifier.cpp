#include "QuillLib/core/ChangeNotifier.h"

namespace quill {

void ChangeNotifier::AddListener(ChangeListener* listener) {
    listeners_.push_back(listener);
}

void ChangeNotifier::RemoveListener(ChangeListener* listener) {
    listeners_.remove(listener);
}

void ChangeNotifier::Notify(uint32_t code, uint16_t sceneId, const void* value) const {
    for (ChangeListener* listener : listeners_) {
        listener->OnChange(code, sceneId, value);
    }
}

}  // namespace quill
