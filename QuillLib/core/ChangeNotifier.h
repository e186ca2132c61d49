#pragma once
#include <cstdint>
#include <list>

#include "QuillLib/core/ChangeListener.h"

namespace quill {

// A list of listeners told, in list order, of each change. The notifier does not own its listeners; they
// are added and removed outside Notify and must outlive their membership.
class ChangeNotifier {
public:
    void AddListener(ChangeListener* listener);
    void RemoveListener(ChangeListener* listener);
    void Notify(uint32_t code, uint16_t sceneId, const void* value) const;

private:
    std::list<ChangeListener*> listeners_;
};

}  // namespace quill
