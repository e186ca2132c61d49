#pragma once
// Told of changes to the render scenes: a scene registered (code 1) or removed (code 2) with its index, a
// model object taken out of a scene (code 8, the scene's index, the object's id); and that every scene went.
//
// Threads: whichever thread changes the scenes.
#include <cstdint>

namespace quill {

class SceneListener {
public:
    virtual ~SceneListener() = default;
    virtual void OnSceneChanged(uint32_t code, uint16_t sceneIndex, const void* value) = 0;
    virtual void OnScenesCleared() = 0;
};

}  // namespace quill
