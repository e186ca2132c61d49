#pragma once
// What a screen's frame draws in the tests and benchmarks: the render-scene manager's current scene, as the
// screens draw it.
#include "client/render/CurrentSceneView.h"

namespace kvtest {

using kestrovan::CurrentSceneView;

}  // namespace kvtest
