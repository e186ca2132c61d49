#pragma once
// The screens of the intro, login and offline ids until the screens themselves are in the tree: a scene
// that loads nothing, draws nothing and, once it has been updated, moves on to the next screen of the
// offline road (intro, then login, then the offline screen), where the program waits for the user to quit.
#include <atomic>

#include "client/app/Scene.h"

namespace kestrovan {

class App;

class PlaceholderScene : public Scene {
public:
    // next 0: the scene stays.
    PlaceholderScene(int32_t id, int32_t next) : Scene(id), next_(next) {}

    void Init() override {}
    void Activate() override;
    int LoadResources(quill::ResourceManager*, D3D9RenderDevice*) override { return 0; }
    void Render(D3D9RenderDevice*, bool) override {}
    void Update(uint32_t timeMs, int64_t clockTenthMs, const MouseMotion& motion) override;

private:
    const int32_t next_;
    std::atomic<bool> moved_{false};
};

// The placeholder of an id in a mode: intro, login and the offline screen; null for every other id.
std::unique_ptr<Scene> CreatePlaceholderScene(int32_t id, App& app);

}  // namespace kestrovan
