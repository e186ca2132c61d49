#pragma once
// An engine subsystem that keeps one other subsystem on behalf of the engine. While active, shutting the
// holder down shuts the held subsystem down and deletes it.
#include <memory>

#include "QuillLib/core/EngineSubsystem.h"

namespace quill {

class Engine;

class SubsystemHolder : public EngineSubsystem {
public:
    explicit SubsystemHolder(Engine& engine);
    // Does what Shutdown does, then deletes a held subsystem that is still there (without shutting it down,
    // since it was never made active).
    ~SubsystemHolder() override;

    bool Initialize() override { return true; }
    // When active: shuts the held subsystem down, deletes it and becomes inactive.
    void Shutdown() override;

    // Takes the subsystem over, replacing (and deleting) a held one.
    void Hold(std::unique_ptr<EngineSubsystem> subsystem, bool active);

    bool IsActive() const { return active_; }
    EngineSubsystem* GetHeld() const { return held_.get(); }
    Engine& GetEngine() const { return engine_; }

private:
    Engine& engine_;
    bool active_ = false;
    std::unique_ptr<EngineSubsystem> held_;
};

}  // namespace quill
