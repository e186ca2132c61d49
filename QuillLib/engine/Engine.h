#pragma once
// The one object through which the game reaches the engine's services. It owns six subsystems, built by the
// factory it is given: Graphics, ResourceManager, RenderSceneManager, SoundManager, a SubsystemHolder and the
// AppFrame.
//
// Start (Initialize) initialises them in the order Graphics, ResourceManager, RenderSceneManager,
// SoundManager, SubsystemHolder, AppFrame, after shutting all six down. Shutting down goes RenderSceneManager,
// SoundManager, ResourceManager, Graphics, SubsystemHolder, AppFrame; when a start fails, all six are shut
// down again and the subsystems stay built. The destructor shuts them down once more and deletes them in the
// reverse of the shutdown order.
//
// The engine is created, started and destroyed on the main thread; the accessors are read from any thread
// without a lock, since the subsystems do not change between start and stop.
#include <array>
#include <cstdint>
#include <memory>

#include "QuillLib/render/GraphicsOwner.h"

namespace quill {

class AppFrame;
class EngineFactory;
class EngineSubsystem;
class Graphics;
class RenderSceneManager;
class ResourceManager;
class SoundManager;
class SubsystemHolder;

class Engine : public GraphicsOwner {
public:
    // Builds the subsystems through the factory (not initialised yet). The factory must outlive the engine.
    explicit Engine(EngineFactory& factory);
    virtual ~Engine();

    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Starts the subsystems. False when one of them (other than the sound manager, whose failure only
    // leaves the game silent) failed or is missing; every subsystem is then shut down again.
    bool Initialize();

    // Stores whether frames are running and passes it on to the graphics device when the device exists.
    void SetFramesActive(bool active);
    bool GetFramesActive() const { return framesActive_; }

    RenderSceneManager* GetRenderSceneManager() const { return renderSceneManager_.get(); }
    ResourceManager* GetResourceManager() const { return resourceManager_.get(); }
    Graphics* GetGraphics() const override { return graphics_.get(); }
    SoundManager* GetSoundManager() const { return soundManager_.get(); }
    SubsystemHolder* GetSubsystemHolder() const { return subsystemHolder_.get(); }
    AppFrame* GetAppFrame() const { return appFrame_.get(); }

    uint32_t GetDisplayWidth() const { return displayWidth_; }
    uint32_t GetDisplayHeight() const { return displayHeight_; }
    uint32_t GetDisplayBitsPerPixel() const { return displayBitsPerPixel_; }
    uint32_t GetDisplayRefreshRate() const { return displayRefreshRate_; }

private:
    void CreateSubsystems();
    bool StartSubsystems();
    void StopSubsystems();
    void ShutdownAll();

    std::array<EngineSubsystem*, 6> StartOrder() const;
    std::array<EngineSubsystem*, 6> ShutdownOrder() const;

    EngineFactory& factory_;
    std::unique_ptr<RenderSceneManager> renderSceneManager_;
    std::unique_ptr<ResourceManager> resourceManager_;
    std::unique_ptr<Graphics> graphics_;
    std::unique_ptr<SoundManager> soundManager_;
    std::unique_ptr<SubsystemHolder> subsystemHolder_;
    std::unique_ptr<AppFrame> appFrame_;

    uint32_t displayWidth_ = 1024;
    uint32_t displayHeight_ = 768;
    uint32_t displayBitsPerPixel_ = 32;
    uint32_t displayRefreshRate_ = 60;
    bool framesActive_ = true;
};

}  // namespace quill
