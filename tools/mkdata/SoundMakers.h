#pragma once
// The makers of SOUND items: effects synthesised from simple physical models (struck resonances, noise
// bursts), the referee's spoken lines, and music loops. Short effects are stored as WAVE files, speech and
// music as Ogg Vorbis.
namespace mkdata {

class MakerRegistry;

class SoundMakers {
public:
    static void Register(MakerRegistry& registry);
};

}  // namespace mkdata
