#include "QuillLib/engine/EngineFactory.h"

#include "QuillLib/engine/Engine.h"
#include "QuillLib/engine/SubsystemHolder.h"
#include "QuillLib/resource/ResourceManager.h"

namespace quill {

std::unique_ptr<Engine> EngineFactory::CreateEngine() {
    return std::make_unique<Engine>(*this);
}

std::unique_ptr<ResourceManager> EngineFactory::CreateResourceManager(Engine&) {
    return std::make_unique<ResourceManager>();
}

std::unique_ptr<SubsystemHolder> EngineFactory::CreateSubsystemHolder(Engine& engine) {
    return std::make_unique<SubsystemHolder>(engine);
}

}  // namespace quill
