#pragma once
// The question the shop asks before it acts on one owned item (deleting it, putting it into use): a 400 x 250
// modal popup with a title, centred lines and an accept and a cancel (Escape) button, which keeps the item's
// whole key while it is open. The item leaving the inventory forgets it and closes the question; what the
// buttons do is the question's own.
//
// Threads: only a screen's entries call it (client/app/Scene.h); the key is atomic.
#include <atomic>
#include <cstdint>
#include <initializer_list>

#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class OwnedItemQuestion : public PopupWindow {
public:
    int64_t ItemKey() const { return key_; }
    // Forgets the item and closes, when the question is about that key.
    void Forget(int64_t key);

protected:
    // The question's face and words; the lines stand 24 pixels apart from firstLineY on.
    struct Wording {
        Face face;
        uint32_t openSound = 0;
        const char16_t* title = u"";
        std::initializer_list<const char16_t*> lines;
        int32_t firstLineY = 0;
        int32_t acceptId = 0;
        const char16_t* acceptCaption = u"";
        int32_t cancelId = 0;
    };

    explicit OwnedItemQuestion(const Wording& wording);

    // Keeps the item of that key pair and opens.
    void AskAbout(uint32_t key, uint32_t subKey);

    std::atomic<int64_t> key_{0};
};

}  // namespace kestrovan
