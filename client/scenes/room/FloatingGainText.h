#pragma once
// An amount that rises from where something was gained and fades: "+%s %s" (with the plus sign when asked
// and the amount above 0) or "%s %s", with a coin icon when asked.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

class Image;

class FloatingGainText : public TextLabel {
public:
    static constexpr float kRise = 0.8f;
    static constexpr float kFade = 0.012f;

    FloatingGainText(bool withPlus, bool withIcon);

    void ShowAt(int64_t amount, quill::WStringView unit, int32_t x, int32_t y, uint32_t colour);
    float Rise() const { return rise_; }
    float Opacity() const { return opacity_; }

    void Tick(uint32_t now) override;

private:
    bool withPlus_;
    Image* icon_ = nullptr;
    int32_t x_ = 0;
    int32_t y_ = 0;
    float rise_ = 0.0f;
    float opacity_ = 1.0f;
};

}  // namespace kestrovan
