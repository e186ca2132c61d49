#pragma once
// One of the engine's six subsystems, started and stopped by the Engine in its fixed orders. Shutdown must be
// safe on a subsystem that was never initialised or is already shut down: the engine calls it before every
// start and on all six when a start fails.

namespace quill {

class EngineSubsystem {
public:
    virtual ~EngineSubsystem() = default;

    virtual bool Initialize() = 0;
    virtual void Shutdown() = 0;

protected:
    EngineSubsystem() = default;
    EngineSubsystem(const EngineSubsystem&) = delete;
    EngineSubsystem& operator=(const EngineSubsystem&) = delete;
};

}  // namespace quill
