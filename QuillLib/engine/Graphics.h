#pragma once
// The graphics layer as the engine sees it: the subsystem that owns the render device. The layer itself is
// built by the rendering library and handed to the engine by the application's factory.
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
