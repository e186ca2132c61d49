#pragma once
// The makers of TEXTURE items: table and room surfaces, ball faces, cue strips and tuning parts, the
// interface textures, and the images of the table's helpers and effects.
namespace mkdata {

class MakerRegistry;

class ImageMakers {
public:
    static void Register(MakerRegistry& registry);
};

}  // namespace mkdata
