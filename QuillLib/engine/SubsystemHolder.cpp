#include "QuillLib/engine/SubsystemHolder.h"

#include <utility>

namespace quill {

SubsystemHolder::SubsystemHolder(Engine& engine) : engine_(engine) {}

SubsystemHolder::~SubsystemHolder() {
    Shutdown();
}

void SubsystemHolder::Shutdown() {
    if (!active_) {
        return;
    }
    if (held_) {
        held_->Shutdown();
        held_.reset();
    }
    active_ = false;
}

void SubsystemHolder::Hold(std::unique_ptr<EngineSubsystem> subsystem, bool active) {
    held_ = std::move(subsystem);
    active_ = active;
}

}  // namespace quill
