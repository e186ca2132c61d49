#pragma once
// Builds the Engine and its six subsystems. The engine library builds what needs no window (the engine
// itself, the resource manager and the subsystem holder); the application supplies the others (render
// scenes, graphics, sound and the application frame), so a program derives its own factory from this one. Every creator receives the engine the subsystem belongs to; a creator that
// returns null leaves the engine's slot empty.
#include <memory>

namespace quill {

class AppFrame;
class Engine;
class Graphics;
class RenderSceneManager;
class ResourceManager;
class SoundManager;
class SubsystemHolder;

class EngineFactory {
public:
    virtual ~EngineFactory() = default;

    // An engine built from this factory; the factory must outlive it.
    virtual std::unique_ptr<Engine> CreateEngine();
    virtual std::unique_ptr<RenderSceneManager> CreateRenderSceneManager(Engine& engine) = 0;
    virtual std::unique_ptr<ResourceManager> CreateResourceManager(Engine& engine);
    virtual std::unique_ptr<Graphics> CreateGraphics(Engine& engine) = 0;
    virtual std::unique_ptr<SoundManager> CreateSoundManager(Engine& engine) = 0;
    virtual std::unique_ptr<SubsystemHolder> CreateSubsystemHolder(Engine& engine);
    virtual std::unique_ptr<AppFrame> CreateAppFrame(Engine& engine) = 0;

protected:
    EngineFactory() = default;
    EngineFactory(const EngineFactory&) = delete;
    EngineFactory& operator=(const EngineFactory&) = delete;
};

}  // namespace quill
