#pragma once
// A part to choose in the workshop's part rows: a toggle button (79 x 124) naming the part, a small turning
// preview of the part on it, and the part it shows (-1 when none). Hidden until given a part.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "client/ui/Widget.h"

namespace kestrovan {

class Button;
class CuePartPreview;

class CuePartThumbnail : public Widget {
public:
    static constexpr int32_t kWidth = 79;
    static constexpr int32_t kHeight = 124;

    CuePartThumbnail(int32_t x, int32_t y, int32_t id);

    void SetPart(int32_t type, int16_t partId, bool chosen);
    void Clear();
    void SetChosen(bool chosen);

    int16_t PartId() const { return partId_; }
    Button* GetButton() const { return button_; }
    CuePartPreview* Preview() const { return preview_; }

private:
    Button* button_ = nullptr;
    CuePartPreview* preview_ = nullptr;
    int16_t partId_ = -1;
};

}  // namespace kestrovan
