#pragma once
// The one tooltip of the program: a caption that fades in over a second where the mouse came to rest on a
// widget with tooltip text, and hides itself three seconds after it appeared. Routing places it; a scene
// root ticks it and draws it last while the widget under the mouse has tooltip text.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

#include "client/ui/Widget.h"

namespace kestrovan {

class Tooltip : public Widget {
public:
    static constexpr uint32_t kFadeMs = 1000;
    static constexpr uint32_t kShowMs = 3000;

    Tooltip();

    // The single tooltip, made on first use.
    static Tooltip& Get();

    // The widget and its caption: 200 x 18 in the application's default font, white with a black shadow.
    using Widget::Create;
    void Create(int32_t x, int32_t y, int32_t w, int32_t h);
    // Advances the fade on every second call while visible; hides after kShowMs.
    void Tick(uint32_t now) override;

    // The tooltip's face: its left part, as wide as the tooltip, is the tooltip's picture; the face's right end
    // closes the tooltip's frame wherever the fitted width ends.
    void SetFace(int32_t texture, int32_t srcX, int32_t srcY, int32_t faceWidth);
    // The caption's text; the tooltip is fitted to it before it is shown next.
    void SetText(platform::WStringView text);
    bool NeedsFit() const { return fit_; }
    // Width := the caption's width plus its margins on both sides; the face's right end moves to the new end.
    void FitToText();
    void FadeIn();
    bool IsFading() const { return fading_; }
    TextLabel* GetCaption() const { return caption_; }

private:
    TextLabel* caption_ = nullptr;
    Image* edge_ = nullptr;
    bool fit_ = false;
    float alpha_ = 1.0f;
    bool fading_ = false;
    uint32_t startTime_;
};

}  // namespace kestrovan
