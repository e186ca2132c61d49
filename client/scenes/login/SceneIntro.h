#pragma once
// The first screen of a run: two logos, one after the other, each fading in and out over a background
// colour the screen drives itself, then the login screen. Escape shortens it. No network, no 3D scene.
//
// Threads: see the table in client/app/Scene.h; the fade's counter and the background colour, which Update and
// Render share, are atomic.
#include <atomic>

#include "client/app/Scene.h"
#include "client/scenes/login/IntroFade.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

class Image;
class ScreenServices;

class SceneIntro : public Scene {
public:
    static constexpr int32_t kLogoTexture = 4;

    explicit SceneIntro(ScreenServices& app);

    void Init() override;
    void Activate() override;
    int LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) override;
    void Render(D3D9RenderDevice* device, bool draw) override;
    int OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) override;
    bool OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) override;
    void Update(uint32_t timeMs, int64_t clockTenthMs, const MouseMotion& motion) override;

    Image* Logo() const { return logo_; }
    uint32_t Background() const { return background_; }
    const IntroFade& Fade() const { return fade_; }

private:
    void ShowSecondLogo();

    ScreenServices& app_;
    Image* logo_ = nullptr;
    IntroFade fade_;
    std::atomic<uint32_t> background_{kWhite};
    bool built_ = false;
};

}  // namespace kestrovan
