#pragma once
// The makers of the remaining kinds: scene descriptions that frame a table (SCENE_INFO), the turn banners'
// sprite animations (SPRITE_ANIMATION) and the filtered-word list (BINARY_DATA).
namespace mkdata {

class MakerRegistry;

class DataMakers {
public:
    static void Register(MakerRegistry& registry);
};

}  // namespace mkdata
