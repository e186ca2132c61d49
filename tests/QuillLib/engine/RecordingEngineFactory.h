#pragma once
// An engine factory whose subsystems write every Initialize, Shutdown and deletion into one call log
// ("Graphics.Initialize", "Sound.Delete", ...), with switches for failing or missing subsystems.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "QuillLib/engine/AppFrame.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/engine/EngineFactory.h"
#include "QuillLib/engine/SubsystemHolder.h"
#include "QuillLib/render/Graphics.h"
#include "QuillLib/render/RenderSceneManager.h"
#include "QuillLib/resource/ResourceManager.h"
#include "QuillLib/sound/SoundManager.h"

namespace quill {

using CallLog = std::vector<std::string>;

// A Base whose Initialize (answering starts), Shutdown and destruction are written into the log under name.
template <class Base>
class Recording : public Base {
public:
    template <class... BaseArgs>
    Recording(CallLog& log, std::string name, bool starts, BaseArgs&&... baseArgs)
        : Base(std::forward<BaseArgs>(baseArgs)...), log_(log), name_(std::move(name)), starts_(starts) {}
    ~Recording() override { log_.push_back(name_ + ".Delete"); }
    bool Initialize() override {
        log_.push_back(name_ + ".Initialize");
        return starts_;
    }
    void Shutdown() override { log_.push_back(name_ + ".Shutdown"); }

private:
    CallLog& log_;
    std::string name_;
    bool starts_;
};

class RecordingGraphics : public Recording<Graphics> {
public:
    using Recording::Recording;
    bool HasDevice() const override { return hasDevice; }
    void SetDeviceFramesActive(bool active) override { deviceFramesActive.push_back(active); }

    bool hasDevice = false;
    std::vector<bool> deviceFramesActive;
};

class RecordingFactory : public EngineFactory {
public:
    std::unique_ptr<RenderSceneManager> CreateRenderSceneManager(Engine& engine) override {
        return Make<Recording<RenderSceneManager>>("RenderScenes", true, engine);
    }
    std::unique_ptr<ResourceManager> CreateResourceManager(Engine&) override {
        return Make<Recording<ResourceManager>>("Resources", resourcesStart);
    }
    std::unique_ptr<Graphics> CreateGraphics(Engine&) override {
        auto graphics = Make<RecordingGraphics>("Graphics", true);
        lastGraphics = graphics.get();
        return graphics;
    }
    std::unique_ptr<SoundManager> CreateSoundManager(Engine& engine) override {
        if (!buildSound) {
            return nullptr;
        }
        return Make<Recording<SoundManager>>("Sound", soundStarts, &engine, nullptr, SoundManager::DeviceOpener());
    }
    std::unique_ptr<SubsystemHolder> CreateSubsystemHolder(Engine& engine) override {
        return Make<Recording<SubsystemHolder>>("Holder", true, engine);
    }
    std::unique_ptr<AppFrame> CreateAppFrame(Engine& engine) override {
        return Make<Recording<AppFrame>>("Frame", true, engine, nullptr);
    }

    CallLog log;
    bool resourcesStart = true;
    bool soundStarts = true;
    bool buildSound = true;
    RecordingGraphics* lastGraphics = nullptr;

private:
    template <class Subsystem, class... BaseArgs>
    std::unique_ptr<Subsystem> Make(const std::string& name, bool starts, BaseArgs&&... baseArgs) {
        log.push_back("Create." + name);
        return std::make_unique<Subsystem>(log, name, starts, std::forward<BaseArgs>(baseArgs)...);
    }
};

}  // namespace quill
