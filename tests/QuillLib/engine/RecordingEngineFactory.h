#pragma once
// An engine factory whose subsystems write every Initialize, Shutdown and deletion into one call log
// ("Graphics.Initialize", "Sound.Delete", ...), with switches for failing or missing subsystems.
#include <memory>
#include <string>
#include <vector>

#include "QuillLib/engine/Engine.h"
#include "QuillLib/engine/EngineFactory.h"

namespace quill {

using CallLog = std::vector<std::string>;

// Writes "<name>.Initialize", "<name>.Shutdown" and "<name>.Delete" into the shared log.
class SubsystemRecorder {
public:
    SubsystemRecorder(CallLog& log, std::string name, bool initializeResult)
        : log_(log), name_(std::move(name)), initializeResult_(initializeResult) {}
    ~SubsystemRecorder() { log_.push_back(name_ + ".Delete"); }

    bool Initialize() {
        log_.push_back(name_ + ".Initialize");
        return initializeResult_;
    }
    void Shutdown() { log_.push_back(name_ + ".Shutdown"); }

private:
    CallLog& log_;
    std::string name_;
    bool initializeResult_;
};

template <class Base>
class Recording : public Base {
public:
    Recording(CallLog& log, std::string name, bool initializeResult)
        : recorder_(log, std::move(name), initializeResult) {}
    bool Initialize() override { return recorder_.Initialize(); }
    void Shutdown() override { recorder_.Shutdown(); }

private:
    SubsystemRecorder recorder_;
};

class RecordingGraphics : public Recording<Graphics> {
public:
    using Recording::Recording;
    bool HasDevice() const override { return hasDevice; }
    void SetDeviceFramesActive(bool active) override { deviceFramesActive.push_back(active); }

    bool hasDevice = false;
    std::vector<bool> deviceFramesActive;
};

class RecordingHolder : public SubsystemHolder {
public:
    RecordingHolder(Engine& engine, CallLog& log) : SubsystemHolder(engine), recorder_(log, "Holder", true) {}
    bool Initialize() override { return recorder_.Initialize(); }
    void Shutdown() override {
        recorder_.Shutdown();
        SubsystemHolder::Shutdown();
    }

private:
    SubsystemRecorder recorder_;
};

class RecordingFrame : public AppFrame {
public:
    RecordingFrame(Engine& engine, CallLog& log) : AppFrame(engine, nullptr), recorder_(log, "Frame", true) {}
    bool Initialize() override { return recorder_.Initialize(); }
    void Shutdown() override { recorder_.Shutdown(); }

private:
    SubsystemRecorder recorder_;
};

class RecordingFactory : public EngineFactory {
public:
    std::unique_ptr<RenderSceneManager> CreateRenderSceneManager(Engine& engine) override {
        Created("RenderScenes", engine);
        return std::make_unique<Recording<RenderSceneManager>>(log, "RenderScenes", true);
    }
    std::unique_ptr<ResourceManager> CreateResourceManager(Engine& engine) override {
        Created("Resources", engine);
        return std::make_unique<Recording<ResourceManager>>(log, "Resources", resourcesStart);
    }
    std::unique_ptr<Graphics> CreateGraphics(Engine& engine) override {
        Created("Graphics", engine);
        auto graphics = std::make_unique<RecordingGraphics>(log, "Graphics", true);
        lastGraphics = graphics.get();
        return graphics;
    }
    std::unique_ptr<SoundManager> CreateSoundManager(Engine& engine) override {
        Created("Sound", engine);
        if (!buildSound) {
            return nullptr;
        }
        return std::make_unique<Recording<SoundManager>>(log, "Sound", soundStarts);
    }
    std::unique_ptr<SubsystemHolder> CreateSubsystemHolder(Engine& engine) override {
        Created("Holder", engine);
        return std::make_unique<RecordingHolder>(engine, log);
    }
    std::unique_ptr<AppFrame> CreateAppFrame(Engine& engine) override {
        Created("Frame", engine);
        return std::make_unique<RecordingFrame>(engine, log);
    }

    void Created(const std::string& name, Engine& engine) {
        log.push_back("Create." + name);
        engines.push_back(&engine);
    }

    CallLog log;
    std::vector<Engine*> engines;
    bool resourcesStart = true;
    bool soundStarts = true;
    bool buildSound = true;
    RecordingGraphics* lastGraphics = nullptr;
};

}  // namespace quill
