#pragma once
// The graphics layer: the engine subsystem that owns the render device the scenes draw with. The
// application's device layer implements it; the application's factory hands it to the engine, which owns it.
#include "QuillLib/core/EngineSubsystem.h"

namespace quill {

class SceneRenderDevice;

class Graphics : public EngineSubsystem {
public:
    // The device the render scenes draw with; null while there is none.
    virtual SceneRenderDevice* GetRenderDevice() const { return nullptr; }
    // The device object exists once the layer has been initialised.
    virtual bool HasDevice() const = 0;
    // Tells the device whether frames are running; only called while HasDevice() is true.
    virtual void SetDeviceFramesActive(bool active) = 0;
};

}  // namespace quill
