#pragma once
// The makers of MODEL items (with the materials and meshes they use): tables, balls, cues and their tuning
// parts, the flat helpers of the table (shadows, markers, guide), the room around the table and the small
// accessory models.
namespace mkdata {

class MakerRegistry;

class ModelMakers {
public:
    static void Register(MakerRegistry& registry);
};

}  // namespace mkdata
