#include "tools/mkdata/ModelMakers.h"

#include <array>
#include <cmath>

#include "QuillLib/gamedata/GameTypes.h"
#include "client/physics/TableGeometry.h"
#include "tools/mkdata/CueProfile.h"
#include "tools/mkdata/MakerRegistry.h"
#include "tools/mkdata/TableModelBuilder.h"

namespace mkdata {
namespace {

using quill::ResourceKind;
using quill::Vec3;

// Slices around a cue: its butt fills a good part of the screen in the zoom view, where fewer show as facets.
constexpr uint32_t kCueSlices = 32;

// A texture id argument that must name a texture already in the file.
bool TextureArgument(MakeContext& context, const std::string& key, uint32_t& id) {
    float value = 0.0f;
    if (!context.NumberArgument(key, -1.0f, value) || value < 0.0f) {
        return context.Fail(key + "=<texture id> is needed");
    }
    id = static_cast<uint32_t>(value);
    return context.file.Holds(ResourceKind::Texture, id) ||
           context.Fail(key + "=" + std::to_string(id) + " names no texture of this file (list textures first)");
}

// A lit material on the texture named by the argument.
bool LitMaterialArgument(MakeContext& context, const std::string& key, bool specular, uint32_t& material) {
    uint32_t texture = 0;
    if (!TextureArgument(context, key, texture)) {
        return false;
    }
    material = context.AppendMaterial(MaterialBody::Lit(texture, specular));
    return material != quill::kNone || context.Fail("a material could not be stored");
}

// A child node attaching the mesh; empty meshes add nothing.
bool AddChild(MakeContext& context, ModelNode& parent, const MeshBuilder& mesh) {
    if (mesh.IsEmpty()) {
        return true;
    }
    ModelNode child;
    if (!context.AttachMesh(child, mesh)) {
        return false;
    }
    parent.children.push_back(std::move(child));
    return true;
}

bool MakeTable(MakeContext& context) {
    float kind = 0.0f;
    if (!context.NumberArgument("kind", -1.0f, kind) || kind < 0.0f || kind >= kestrovan::kTableKindCount) {
        return context.Fail("kind must be a table kind, 0 to 11");
    }
    kestrovan::TableGeometry geometry;
    const bool hasPockets = kestrovan::InitTableGeometry(static_cast<uint32_t>(kind), &geometry) != 0;
    TableMaterials materials;
    // The wood is matt: the screens light the table from straight above, and a glossy rail would mirror that
    // light into an overhead camera as a white sheet. The light map (light=<texture>) is the pool of light
    // the lamp over the table casts, brightest in the middle and falling off to the rails and the floor.
    float light = -1.0f;
    if (!context.NumberArgument("light", -1.0f, light)) {
        return false;
    }
    if (light >= 0.0f) {
        const auto lightMap = static_cast<uint32_t>(light);
        if (!context.file.Holds(ResourceKind::Texture, lightMap)) {
            return context.Fail("light names no texture of this file");
        }
        materials.lightMapped = true;
        for (const auto& [key, material] : {std::pair{"cloth", &materials.cloth}, std::pair{"wood", &materials.wood},
                                            std::pair{"pocket", &materials.pocket}, std::pair{"cap", &materials.cap}}) {
            uint32_t texture = 0;
            if (!TextureArgument(context, key, texture)) {
                return false;
            }
            *material = context.AppendMaterial(MaterialBody::LightMapped(texture, lightMap));
            if (*material == quill::kNone) {
                return context.Fail("a material could not be stored");
            }
        }
    } else if (!LitMaterialArgument(context, "cloth", false, materials.cloth) ||
               !LitMaterialArgument(context, "wood", false, materials.wood) ||
               !LitMaterialArgument(context, "pocket", false, materials.pocket) ||
               !LitMaterialArgument(context, "cap", false, materials.cap)) {
        return false;
    }
    if (!LitMaterialArgument(context, "sight", true, materials.sight)) {
        return false;
    }
    const TableMeshes meshes = TableModelBuilder(geometry, hasPockets).Build(materials);
    ModelNode root;
    for (const MeshBuilder* mesh : {&meshes.bed, &meshes.cushions, &meshes.rails, &meshes.pockets, &meshes.frame,
                                    &meshes.legs, &meshes.sights}) {
        if (!AddChild(context, root, *mesh)) {
            return false;
        }
    }
    return context.AddModel(root);
}

// Model v of a ball-set file: a ball of ball set v's radius (the set of the ball-set item picks the model).
bool MakeBall(MakeContext& context) {
    float set = 0.0f;
    if (!context.NumberArgument("set", static_cast<float>(context.entry.id), set)) {
        return false;
    }
    const float radius = quill::GetBallRadius(static_cast<uint32_t>(set));
    if (!(radius > 0.0f)) {
        return context.Fail("set must be a ball set, 0 to 6");
    }
    uint32_t material = 0;
    if (!LitMaterialArgument(context, "texture", true, material)) {
        return false;
    }
    MeshBuilder mesh;
    mesh.BeginPart(material);
    mesh.AddUvSphere(radius, 32, 16);
    ModelNode root;
    return context.AttachMesh(root, mesh) && context.AddModel(root);
}

bool MakeCue(MakeContext& context) {
    uint32_t material = 0;
    if (!LitMaterialArgument(context, "texture", true, material)) {
        return false;
    }
    MeshBuilder mesh;
    mesh.BeginPart(material);
    mesh.AddLathe(CueProfile::Between(0.0f, CueProfile::kLength), kCueSlices, CueProfile::kLength);
    ModelNode root;
    return context.AttachMesh(root, mesh) && context.AddModel(root);
}

// The lengths of the five tuning slots: shaft, butt, joint, bumper, tip.
struct SlotSection {
    const char* texture;
    float from, to;
};
constexpr std::array<SlotSection, 5> kSlotSections{{{"shaft", CueProfile::kTipEnd, CueProfile::kJointStart},
                                                    {"butt", CueProfile::kJointEnd, CueProfile::kBumperStart},
                                                    {"joint", CueProfile::kJointStart, CueProfile::kJointEnd},
                                                    {"bumper", CueProfile::kBumperStart, CueProfile::kLength},
                                                    {"tip", 0.0f, CueProfile::kTipEnd}}};

// A tuned cue: one child node per slot, in slot order, so that each slot's part can take its own texture.
bool MakeTunedCue(MakeContext& context) {
    ModelNode root;
    for (const SlotSection& section : kSlotSections) {
        uint32_t material = 0;
        if (!LitMaterialArgument(context, section.texture, true, material)) {
            return false;
        }
        MeshBuilder mesh;
        mesh.BeginPart(material);
        mesh.AddLathe(CueProfile::Between(section.from, section.to), kCueSlices, CueProfile::kLength);
        if (!AddChild(context, root, mesh)) {
            return false;
        }
    }
    return context.AddModel(root);
}

bool MakeCuePart(MakeContext& context) {
    float slot = 0.0f;
    if (!context.NumberArgument("slot", -1.0f, slot) || slot < 0.0f || slot > 4.0f) {
        return context.Fail("slot must be 0 (shaft) to 4 (tip)");
    }
    uint32_t material = 0;
    if (!LitMaterialArgument(context, "texture", true, material)) {
        return false;
    }
    const SlotSection& section = kSlotSections[static_cast<size_t>(slot)];
    MeshBuilder mesh;
    mesh.BeginPart(material);
    mesh.AddLathe(CueProfile::Between(section.from, section.to), kCueSlices, CueProfile::kLength);
    ModelNode root;
    return context.AttachMesh(root, mesh) && context.AddModel(root);
}

// A flat square on the bed facing up (shadows, markers, cursors), drawn unlit with its texture.
bool MakeFlat(MakeContext& context) {
    float size = 0.0f, length = 0.0f;
    uint32_t texture = 0;
    if (!context.NumberArgument("size", 7.0f, size) || !context.NumberArgument("length", 0.0f, length) ||
        !TextureArgument(context, "texture", texture)) {
        return false;
    }
    const uint32_t material = context.AppendMaterial(MaterialBody::Unlit(texture));
    if (material == quill::kNone) {
        return context.Fail("a material could not be stored");
    }
    // A length makes a strip from the origin along +x (the guide line); otherwise a square about the origin.
    const float x0 = length > 0.0f ? 0.0f : -size * 0.5f, x1 = length > 0.0f ? length : size * 0.5f;
    const float half = size * 0.5f;
    MeshBuilder mesh;
    mesh.BeginPart(material);
    mesh.AddQuad({x0, -half, 0.0f}, {x1, -half, 0.0f}, {x1, half, 0.0f}, {x0, half, 0.0f}, [&](const Vec3& p) {
        return std::pair{length > 0.0f ? p.x / size : (p.x - x0) / size, (half - p.y) / size};
    });
    ModelNode root;
    return context.AttachMesh(root, mesh) && context.AddModel(root);
}

// The room around the table: a wooden floor at the table's floor height, four walls, a ceiling and a lamp
// over the table (a glowing panel in the ceiling, drawn unlit: the light the table is lit by). Every surface
// faces into the room, so that the floor never ends against the empty background.
bool MakeRoom(MakeContext& context) {
    uint32_t floor = 0, wall = 0, lamp = 0;
    if (!LitMaterialArgument(context, "floor", false, floor) || !LitMaterialArgument(context, "wall", false, wall)) {
        return false;
    }
    float lampTexture = -1.0f;
    if (!context.NumberArgument("lamp", -1.0f, lampTexture)) {
        return false;
    }
    const bool hasLamp = lampTexture >= 0.0f;
    if (hasLamp) {
        if (!context.file.Holds(ResourceKind::Texture, static_cast<uint32_t>(lampTexture))) {
            return context.Fail("lamp names no texture of this file");
        }
        lamp = context.AppendMaterial(MaterialBody::Unlit(static_cast<uint32_t>(lampTexture)));
    }
    constexpr float kHalfX = 600.0f, kHalfY = 450.0f, kHeight = 320.0f, kFloorZ = -71.5f;
    MeshBuilder floorMesh;
    floorMesh.BeginPart(floor);
    constexpr float kCell = 150.0f;
    for (float x = -kHalfX; x < kHalfX; x += kCell) {
        for (float y = -kHalfY; y < kHalfY; y += kCell) {
            floorMesh.AddQuad({x, y, kFloorZ}, {x + kCell, y, kFloorZ}, {x + kCell, y + kCell, kFloorZ},
                              {x, y + kCell, kFloorZ}, [](const Vec3& p) { return std::pair{p.x / 200.0f, p.y / 200.0f}; });
        }
    }
    MeshBuilder wallMesh;
    wallMesh.BeginPart(wall);
    const float top = kFloorZ + kHeight;
    // The wall's picture runs once from the ceiling down to the floor, and repeats every 300 cm across.
    const auto alongX = [top](const Vec3& p) { return std::pair{p.x / 300.0f, (top - p.z) / kHeight}; };
    const auto alongY = [top](const Vec3& p) { return std::pair{p.y / 300.0f, (top - p.z) / kHeight}; };
    // Counter-clockwise seen from the room's middle.
    wallMesh.AddQuad({-kHalfX, kHalfY, kFloorZ}, {kHalfX, kHalfY, kFloorZ}, {kHalfX, kHalfY, top}, {-kHalfX, kHalfY, top},
                     alongX);
    wallMesh.AddQuad({kHalfX, -kHalfY, kFloorZ}, {-kHalfX, -kHalfY, kFloorZ}, {-kHalfX, -kHalfY, top},
                     {kHalfX, -kHalfY, top}, alongX);
    wallMesh.AddQuad({-kHalfX, -kHalfY, kFloorZ}, {-kHalfX, kHalfY, kFloorZ}, {-kHalfX, kHalfY, top},
                     {-kHalfX, -kHalfY, top}, alongY);
    wallMesh.AddQuad({kHalfX, kHalfY, kFloorZ}, {kHalfX, -kHalfY, kFloorZ}, {kHalfX, -kHalfY, top},
                     {kHalfX, kHalfY, top}, alongY);
    // The ceiling, seen from below, in the cornice's plain colour at the top of the wall's picture.
    wallMesh.AddQuad({-kHalfX, -kHalfY, top}, {-kHalfX, kHalfY, top}, {kHalfX, kHalfY, top}, {kHalfX, -kHalfY, top},
                     [](const Vec3& p) { return std::pair{p.x / 300.0f, 0.005f}; });
    ModelNode root;
    if (!AddChild(context, root, floorMesh) || !AddChild(context, root, wallMesh)) {
        return false;
    }
    if (!hasLamp) {
        return context.AddModel(root);
    }
    // The lamp: a long glowing panel in the ceiling over the table. Flat and facing down, it stands in no
    // camera's way: the cameras that look down on the table from above the ceiling do not see it at all.
    constexpr float kLampHalfX = 110.0f, kLampHalfY = 28.0f, kBelowCeiling = 0.5f;
    const float lampZ = top - kBelowCeiling;
    MeshBuilder panelMesh;
    panelMesh.BeginPart(lamp);
    panelMesh.AddQuad({-kLampHalfX, -kLampHalfY, lampZ}, {-kLampHalfX, kLampHalfY, lampZ}, {kLampHalfX, kLampHalfY, lampZ},
                      {kLampHalfX, -kLampHalfY, lampZ}, [](const Vec3& p) { return std::pair{p.x / 100.0f, p.y / 100.0f}; });
    return AddChild(context, root, panelMesh) && context.AddModel(root);
}

// Small accessory models: shape=box (size), cylinder or crown (size across, height), ball (size across).
bool MakeTrinket(MakeContext& context) {
    float size = 0.0f, height = 0.0f;
    uint32_t material = 0;
    if (!context.NumberArgument("size", 2.2f, size) || !context.NumberArgument("height", size, height) ||
        !LitMaterialArgument(context, "texture", true, material)) {
        return false;
    }
    const std::string shape = context.entry.Text("shape", "box");
    MeshBuilder mesh;
    mesh.BeginPart(material);
    const float half = size * 0.5f;
    if (shape == "box") {
        mesh.AddBox({-half, -half, 0.0f}, {half, half, height}, size);
    } else if (shape == "cylinder" || shape == "crown") {
        // Turned upright: the lathe runs along x, so the profile is laid along the height.
        std::vector<MeshBuilder::ProfilePoint> profile{{0.0f, 0.0f}, {0.0f, half}, {height, half}};
        if (shape == "crown") {
            profile.push_back({height, half * 0.8f});
            profile.push_back({height * 0.4f, half * 0.8f});
        } else {
            profile.push_back({height, 0.0f});
        }
        mesh.AddLathe(profile, 24, height);
    } else if (shape == "ball") {
        mesh.AddUvSphere(half, 16, 8);
    } else {
        return context.Fail("shape must be box, cylinder, crown or ball");
    }
    ModelNode root;
    if (shape == "cylinder" || shape == "crown") {
        // Stand the lathe's x axis up along z.
        root.transform.rotation = {0.0f, -0.70710678f, 0.0f, 0.70710678f};
        root.transform.UpdateMatrix();
    }
    return context.AttachMesh(root, mesh) && context.AddModel(root);
}

// A rack holding cues upright: a base and a back board with slots.
bool MakeCueStand(MakeContext& context) {
    uint32_t material = 0;
    if (!LitMaterialArgument(context, "texture", true, material)) {
        return false;
    }
    MeshBuilder mesh;
    mesh.BeginPart(material);
    mesh.AddBox({-40.0f, -10.0f, 0.0f}, {40.0f, 10.0f, 6.0f}, 40.0f);
    mesh.AddBox({-40.0f, 6.0f, 6.0f}, {40.0f, 10.0f, 120.0f}, 40.0f);
    mesh.AddBox({-40.0f, -4.0f, 100.0f}, {40.0f, 10.0f, 104.0f}, 40.0f);
    ModelNode root;
    return context.AttachMesh(root, mesh) && context.AddModel(root);
}

}  // namespace

void ModelMakers::Register(MakerRegistry& registry) {
    registry.Add("table", ResourceKind::Model, MakeTable);
    registry.Add("ball", ResourceKind::Model, MakeBall);
    registry.Add("cue", ResourceKind::Model, MakeCue);
    registry.Add("tuned_cue", ResourceKind::Model, MakeTunedCue);
    registry.Add("cue_part", ResourceKind::Model, MakeCuePart);
    registry.Add("flat", ResourceKind::Model, MakeFlat);
    registry.Add("room", ResourceKind::Model, MakeRoom);
    registry.Add("trinket", ResourceKind::Model, MakeTrinket);
    registry.Add("cue_stand", ResourceKind::Model, MakeCueStand);
}

}  // namespace mkdata
