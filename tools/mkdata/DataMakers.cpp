#include "tools/mkdata/DataMakers.h"

#include <cmath>
#include <fstream>
#include <sstream>

#include "client/physics/TableGeometry.h"
#include "platform/system/CodePage.h"
#include "tools/mkdata/EffectPainter.h"
#include "tools/mkdata/MakerRegistry.h"
#include "tools/mkdata/SceneBody.h"
#include "tools/mkdata/SpriteAnimationNode.h"

namespace mkdata {
namespace {

using quill::ResourceKind;
using quill::Vec3;

Vec3 Normalised(const Vec3& v) {
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / length, v.y / length, v.z / length};
}

// The cameras that frame a table of the given size: 0 the overview from the long side, 1 the player's view
// from behind the head string, 2 straight from above.
//
// A camera measures its yaw about the up axis from its side vector, which it keeps reversed (a horizontal side
// of -x is kept as +x). With -x here, yaw 0 puts the eye on the +x side of the target and yaw pi on the -x
// side: the table cameras, which start at yaw pi, look from the head end down the table toward the foot spot
// where the rack stands, and a camera at yaw y looks along the aim of yaw y + 180 degrees.
std::vector<SceneBody::Camera> TableCameras(const kestrovan::TableGeometry& geometry) {
    const float halfLength = geometry.frameMaxX, halfWidth = geometry.frameMaxY;
    // At a 45-degree horizontal field of view the frame's length fills about 85 % of the picture.
    const float distance = halfLength / 0.85f / std::tan(0.3927f) + halfWidth;
    SceneBody::Camera overview;
    overview.eye = {0.0f, -distance * 0.62f, distance * 0.78f};
    SceneBody::Camera player;
    player.eye = {-(halfLength + 110.0f), 0.0f, 95.0f};
    SceneBody::Camera top;
    top.eye = {0.0f, -1.0f, distance * 1.25f};
    std::vector<SceneBody::Camera> cameras{overview, player, top};
    for (SceneBody::Camera& camera : cameras) {
        camera.side = {-1.0f, 0.0f, 0.0f};
        camera.minDistance = 10.0f;
        camera.maxDistance = 2500.0f;
    }
    return cameras;
}

bool MakeScene(MakeContext& context) {
    float kind = 0.0f, room = 0.0f;
    if (!context.NumberArgument("table", 3.0f, kind) || kind < 0.0f || kind >= kestrovan::kTableKindCount ||
        !context.NumberArgument("room", -1.0f, room)) {
        return context.Fail("table must be a table kind, 0 to 11");
    }
    kestrovan::TableGeometry geometry;
    kestrovan::InitTableGeometry(static_cast<uint32_t>(kind), &geometry);
    SceneBody scene;
    scene.cameras = TableCameras(geometry);
    // A warm key light from above the player's side and a cool fill from the other side.
    SceneBody::Light key;
    key.colour = {1.0f, 0.97f, 0.9f};
    key.intensity = 0.85f;
    key.vector = Normalised({0.25f, 0.35f, -1.0f});
    SceneBody::Light fill;
    fill.colour = {0.8f, 0.85f, 1.0f};
    fill.intensity = 0.35f;
    fill.specular = false;
    fill.vector = Normalised({-0.4f, -0.5f, -0.7f});
    scene.directLights = {key, fill};
    if (room >= 0.0f) {
        const uint32_t model = static_cast<uint32_t>(room);
        if (!context.file.Holds(ResourceKind::Model, model)) {
            return context.Fail("room=" + std::to_string(model) + " names no model of this file");
        }
        scene.models.push_back({model, quill::Transform{}});
    }
    BodyWriter body;
    scene.Write(body);
    return context.AddBody(body);
}

// Banner n of the turn banners: it grows in and fades in, holds, then fades out.
bool MakeTurnBanner(MakeContext& context) {
    float banner = 0.0f;
    if (!context.NumberArgument("banner", static_cast<float>(context.entry.id), banner) || banner < 0.0f ||
        banner > 5.0f) {
        return context.Fail("banner must be 0 to 5");
    }
    const int32_t top = static_cast<int32_t>(banner) * EffectPainter::kBannerHeight;
    SpriteAnimationNode::Keyframe grow;
    grow.duration = 0.25f;
    grow.sourceRect = {0, top, EffectPainter::kBannerWidth - 1, top + EffectPainter::kBannerHeight - 1};
    grow.pivot = {EffectPainter::kBannerWidth * 0.5f, EffectPainter::kBannerHeight * 0.5f, 0.0f};
    grow.start = {0.0f, 0.0f, 0.0f, 0.3f, 0.3f, 0.0f, 0.0f};
    grow.velocity = {0.0f, 0.0f, 0.0f, 2.8f, 2.8f, 0.0f, 4.0f};
    SpriteAnimationNode::Keyframe hold = grow;
    hold.duration = 1.2f;
    hold.start = SpriteAnimationNode::kRest;
    hold.velocity = SpriteAnimationNode::kStill;
    SpriteAnimationNode::Keyframe fade = hold;
    fade.duration = 0.3f;
    fade.velocity = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, -1.0f / 0.3f};
    SpriteAnimationNode node;
    node.keyframes = {grow, hold, fade};
    BodyWriter body;
    node.Write(body);
    return context.AddBody(body);
}

// The filtered words, one per line of a UTF-8 file beside the manifest, stored in the system code page with
// CR LF line ends (the game reads either).
bool MakeWordList(MakeContext& context) {
    const std::string path = context.options.sourceFolder + "/" + context.entry.Text("file");
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return context.Fail(path + " cannot be read");
    }
    std::string text, line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::string encoded = platform::ToCodePage(platform::Utf8ToUtf16(line));
        if (encoded.find('?') != std::string::npos && line.find('?') == std::string::npos) {
            return context.Fail("\"" + line + "\" has characters the code page cannot hold");
        }
        text += encoded + "\r\n";
    }
    BodyWriter body;
    body.U32(static_cast<uint32_t>(text.size()));
    body.Bytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
    return context.AddBody(body);
}

}  // namespace

void DataMakers::Register(MakerRegistry& registry) {
    registry.Add("scene", ResourceKind::SceneInfo, MakeScene);
    registry.Add("turn_banner", ResourceKind::SpriteAnimation, MakeTurnBanner);
    registry.Add("word_list", ResourceKind::BinaryData, MakeWordList);
}

}  // namespace mkdata
