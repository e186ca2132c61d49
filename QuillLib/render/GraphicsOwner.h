#pragma once
// What owns the graphics layer: the engine. The render scenes reach the device through it at each use
// rather than keeping the layer, so that a layer that is gone (the engine drops it before the scenes)
// reads as none.
//
// Threads: any; the layer does not change between the engine's start and stop.

namespace quill {

class Graphics;

class GraphicsOwner {
public:
    // Null when the engine has no graphics layer.
    virtual Graphics* GetGraphics() const = 0;

protected:
    GraphicsOwner() = default;
    ~GraphicsOwner() = default;
    GraphicsOwner(const GraphicsOwner&) = delete;
    GraphicsOwner& operator=(const GraphicsOwner&) = delete;
};

}  // namespace quill
