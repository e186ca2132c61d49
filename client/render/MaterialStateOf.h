#pragma once
// What the render-state layer reads of a MATERIAL item: its texture-kind mask and the stage of each kind, the
// texture-coordinate animation of every stage that carries one (its three extra words, as floats), how it is
// lit (third selector byte lit, second unlit, first specular) and the scale and rotation of its bump stage.
#include "client/render/RenderPassTypes.h"

namespace quill {
class Material;
struct MaterialStage;
}  // namespace quill

namespace kestrovan {

MaterialState MaterialStateOf(const quill::Material& material);
// The bump parameters of a kind-2 stage record: scale, rotation on or off, rotation period in seconds.
void ReadBumpStage(const quill::MaterialStage& stage, MaterialState& out);

}  // namespace kestrovan
