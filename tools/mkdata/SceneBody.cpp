#include "tools/mkdata/SceneBody.h"

namespace mkdata {

void SceneBody::Write(BodyWriter& out) const {
    out.Vec4(ambient[0], ambient[1], ambient[2], ambient[3]);
    out.U16(0);  // fog mode
    out.U8(0);   // fog off
    out.Vec4(0.0f, 0.0f, 0.0f, 1.0f);
    out.F32(1000.0f);
    out.F32(5000.0f);
    out.F32(0.0f);
    out.U32(0);
    out.U32(0);
    out.F32(1.0f);

    out.U32(static_cast<uint32_t>(cameras.size()));
    for (uint32_t id = 0; id < cameras.size(); ++id) {
        const Camera& camera = cameras[id];
        out.U32(id);
        out.U32(0);  // tag
        out.Vec3(camera.eye);
        out.Vec3(camera.target);
        out.Vec3(camera.up);
        out.Vec3(camera.side);
        for (float value : camera.projection) {
            out.F32(value);
        }
        out.U8(0);
        out.F32(camera.minPitch);
        out.F32(camera.maxPitch);
        out.F32(camera.minDistance);
        out.F32(camera.maxDistance);
        out.U8(0);  // no screen rectangle
    }
    out.U32(static_cast<uint32_t>(directLights.size()));
    for (uint32_t id = 0; id < directLights.size(); ++id) {
        WriteLight(out, id, directLights[id], false);
    }
    out.U32(static_cast<uint32_t>(pointLights.size()));
    for (uint32_t id = 0; id < pointLights.size(); ++id) {
        WriteLight(out, id, pointLights[id], true);
    }
    out.U32(static_cast<uint32_t>(models.size()));
    for (uint32_t id = 0; id < models.size(); ++id) {
        out.U32(id);
        out.U32(0);
        out.U32(models[id].modelId);
        out.Transform(models[id].placement);
        out.U16(0);  // no animation players
    }
    out.U32(0);  // no sprites
}

void SceneBody::WriteLight(BodyWriter& out, uint32_t id, const Light& light, bool point) {
    out.U32(id);
    out.U32(0);
    out.U8(light.lightSet);
    for (float channel : light.colour) {
        out.F32(channel);
    }
    out.F32(light.intensity);
    out.U8(1);
    out.U8(light.specular ? 1 : 0);
    out.Vec3(light.vector);
    if (point) {
        out.F32(light.range);
    }
}

}  // namespace mkdata
