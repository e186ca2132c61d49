#include "tools/mkdata/SoundMakers.h"

#include <array>
#include <cmath>
#include <functional>
#include <map>

#include "tools/mkdata/MakerRegistry.h"
#include "tools/mkdata/PcmSound.h"
#include "tools/mkdata/SpeechSynth.h"

namespace mkdata {
namespace {

using quill::ResourceKind;

constexpr uint32_t kRate = 22050;
constexpr uint16_t kWaveFormat = 0;
constexpr uint16_t kVorbisFormat = 1;

// Billiard balls are hard resin spheres: a bright click of a few high modes dying within milliseconds.
PcmSound BallClick() {
    PcmSound sound(kRate, 0.25f);
    sound.AddResonance(0.0f, 3150.0f, 0.8f, 0.009f);
    sound.AddResonance(0.0f, 5230.0f, 0.5f, 0.006f);
    sound.AddResonance(0.0f, 7410.0f, 0.3f, 0.004f);
    sound.AddNoiseBurst(0.0f, 0.5f, 0.0015f, 0.0f, 9);
    return sound;
}

// Rubber cushions give a dull thump: low modes with a soft, smoothed noise.
PcmSound CushionThump() {
    PcmSound sound(kRate, 0.35f);
    sound.AddResonance(0.0f, 140.0f, 0.9f, 0.045f);
    sound.AddResonance(0.0f, 330.0f, 0.5f, 0.02f);
    sound.AddNoiseBurst(0.0f, 0.6f, 0.012f, 0.85f, 10);
    return sound;
}

PcmSound BedThud() {
    PcmSound sound(kRate, 0.3f);
    sound.AddResonance(0.0f, 95.0f, 0.8f, 0.05f);
    sound.AddNoiseBurst(0.0f, 0.5f, 0.02f, 0.9f, 12);
    return sound;
}

// Wood rings higher and longer than rubber.
PcmSound RailKnock() {
    PcmSound sound(kRate, 0.3f);
    sound.AddResonance(0.0f, 520.0f, 0.8f, 0.03f);
    sound.AddResonance(0.0f, 1160.0f, 0.5f, 0.015f);
    sound.AddResonance(0.0f, 2380.0f, 0.2f, 0.008f);
    sound.AddNoiseBurst(0.0f, 0.4f, 0.004f, 0.3f, 15);
    return sound;
}

// A ball falling on the floor: a heavy thud and a smaller bounce.
PcmSound FloorDrop() {
    PcmSound sound(kRate, 0.7f);
    for (const auto& [start, amplitude] : std::array<std::pair<float, float>, 3>{{{0.0f, 1.0f}, {0.28f, 0.5f}, {0.45f, 0.25f}}}) {
        sound.AddResonance(start, 75.0f, amplitude, 0.07f);
        sound.AddResonance(start, 190.0f, amplitude * 0.5f, 0.04f);
        sound.AddNoiseBurst(start, amplitude * 0.4f, 0.015f, 0.8f, 11);
    }
    return sound;
}

// A ball rattling in a pocket's jaws.
PcmSound PocketRattle() {
    PcmSound sound(kRate, 0.35f);
    for (const float start : {0.0f, 0.05f, 0.095f}) {
        sound.AddResonance(start, 410.0f, 0.6f, 0.02f);
        sound.AddResonance(start, 730.0f, 0.4f, 0.012f);
        sound.AddNoiseBurst(start, 0.3f, 0.006f, 0.6f, 13);
    }
    return sound;
}

// A ball dropping into a pocket: a clunk, then a roll down the cup.
PcmSound PocketDrop() {
    PcmSound sound(kRate, 0.7f);
    sound.AddResonance(0.0f, 240.0f, 0.9f, 0.05f);
    sound.AddResonance(0.0f, 610.0f, 0.4f, 0.025f);
    sound.AddNoiseBurst(0.0f, 0.4f, 0.01f, 0.7f, 14);
    sound.AddResonance(0.18f, 180.0f, 0.4f, 0.06f);
    sound.AddNoiseBurst(0.12f, 0.15f, 0.25f, 0.95f, 140);
    return sound;
}

PcmSound Rolling() {
    PcmSound sound(kRate, 1.0f);
    sound.AddNoiseBurst(0.0f, 0.5f, 1000.0f, 0.97f, 16);
    return sound;
}

// The leather tip on the cue ball: a short, softer click than two balls make.
PcmSound CueStrike() {
    PcmSound sound(kRate, 0.2f);
    sound.AddResonance(0.0f, 1850.0f, 0.7f, 0.006f);
    sound.AddResonance(0.0f, 2950.0f, 0.4f, 0.004f);
    sound.AddNoiseBurst(0.0f, 0.4f, 0.003f, 0.4f, 22);
    return sound;
}

PcmSound Miscue() {
    PcmSound sound(kRate, 0.25f);
    sound.AddNoiseBurst(0.0f, 0.7f, 0.05f, 0.2f, 25);
    sound.AddResonance(0.0f, 900.0f, 0.3f, 0.03f);
    return sound;
}

PcmSound Click(float frequency, float amplitude) {
    PcmSound sound(kRate, 0.08f);
    sound.AddResonance(0.0f, frequency, amplitude, 0.006f);
    sound.AddResonance(0.0f, frequency * 2.02f, amplitude * 0.5f, 0.003f);
    return sound;
}

// A short run of tones: step seconds apart, each held length seconds.
PcmSound Notes(const std::vector<float>& frequencies, float step, float length) {
    PcmSound sound(kRate, step * static_cast<float>(frequencies.size()) + length);
    for (size_t i = 0; i < frequencies.size(); ++i) {
        sound.AddTone(step * static_cast<float>(i), length, frequencies[i], 0.4f);
    }
    return sound;
}

PcmSound Coins() {
    PcmSound sound(kRate, 0.6f);
    for (int i = 0; i < 5; ++i) {
        const float start = 0.07f * static_cast<float>(i);
        sound.AddResonance(start, 4200.0f + 350.0f * static_cast<float>(i % 3), 0.5f, 0.05f);
        sound.AddResonance(start, 6100.0f, 0.25f, 0.03f);
    }
    return sound;
}

// The quiet tone of a room: soft smoothed noise with a low hum; day is brighter than night.
PcmSound RoomTone(bool day) {
    PcmSound sound(kRate, 4.0f);
    sound.AddNoiseBurst(0.0f, day ? 0.25f : 0.15f, 1000.0f, day ? 0.9f : 0.97f, day ? 100 : 101);
    sound.AddResonance(0.0f, day ? 120.0f : 60.0f, 0.05f, 1000.0f);
    return sound;
}

const std::map<std::string, std::function<PcmSound()>>& Effects() {
    static const std::map<std::string, std::function<PcmSound()>> effects{
        {"ball", BallClick},
        {"cushion", CushionThump},
        {"bed", BedThud},
        {"rail", RailKnock},
        {"floor", FloorDrop},
        {"pocket_wall", PocketRattle},
        {"pocketed", PocketDrop},
        {"rolling", Rolling},
        {"cue", CueStrike},
        {"miscue", Miscue},
        {"press", [] { return Click(1500.0f, 0.6f); }},
        {"hover", [] { return Click(2600.0f, 0.25f); }},
        {"tick", [] { return Click(1000.0f, 0.5f); }},
        {"open", [] { return Notes({523.3f, 784.0f}, 0.06f, 0.12f); }},
        {"close", [] { return Notes({784.0f, 523.3f}, 0.06f, 0.12f); }},
        {"popup", [] { return Notes({659.3f, 880.0f}, 0.05f, 0.1f); }},
        {"chime", [] { return Notes({523.3f, 659.3f, 784.0f}, 0.09f, 0.3f); }},
        {"success", [] { return Notes({659.3f, 784.0f, 1046.5f}, 0.08f, 0.35f); }},
        {"fanfare", [] { return Notes({392.0f, 523.3f, 659.3f, 784.0f, 1046.5f}, 0.12f, 0.5f); }},
        {"result", [] { return Notes({523.3f, 392.0f, 523.3f, 659.3f}, 0.15f, 0.4f); }},
        {"turn", [] { return Notes({880.0f, 1174.7f}, 0.1f, 0.2f); }},
        {"alert", [] { return Notes({988.0f, 988.0f}, 0.15f, 0.1f); }},
        {"low", [] { return Notes({392.0f, 311.1f}, 0.12f, 0.25f); }},
        {"coins", Coins},
        {"day", [] { return RoomTone(true); }},
        {"night", [] { return RoomTone(false); }},
    };
    return effects;
}

bool AddSound(MakeContext& context, uint16_t format, const std::vector<uint8_t>& file) {
    if (file.empty()) {
        return context.Fail("the sound could not be encoded");
    }
    BodyWriter body;
    body.U16(format);
    body.U32(static_cast<uint32_t>(file.size()));
    body.Bytes(file);
    return context.AddBody(body);
}

bool MakeEffect(MakeContext& context) {
    const std::string type = context.entry.Text("type");
    const auto effect = Effects().find(type);
    if (effect == Effects().end()) {
        return context.Fail("type=" + type + " names no effect");
    }
    PcmSound sound = effect->second();
    sound.Normalise(type == "day" || type == "night" || type == "rolling" ? 0.5f : 0.9f);
    if (type != "day" && type != "night" && type != "rolling") {
        sound.FadeOut(0.02f);
    }
    const std::string format = context.entry.Text("format", "wav");
    if (format == "ogg") {
        return AddSound(context, kVorbisFormat, sound.EncodeVorbis(0.3f));
    }
    return format == "wav" ? AddSound(context, kWaveFormat, sound.EncodeWave())
                           : context.Fail("format must be wav or ogg");
}

bool MakeVoice(MakeContext& context) {
    const std::string text = context.entry.Text("text");
    if (text.empty()) {
        return context.Fail("text=\"...\" is needed");
    }
    std::optional<PcmSound> speech;
    if (context.options.speech) {
        speech = SpeechSynth::Speak(text, context.entry.Text("voice", "en"));
    }
    PcmSound sound = speech ? std::move(*speech) : SpeechSynth::Tone();
    sound.Normalise(0.9f);
    return AddSound(context, kVorbisFormat, sound.EncodeVorbis(0.2f));
}

// A loop of four chords, arpeggiated over a bass line; it repeats without a seam.
bool MakeMusic(MakeContext& context) {
    float root = 0.0f, tempo = 0.0f;
    if (!context.NumberArgument("root", 220.0f, root) || !context.NumberArgument("tempo", 96.0f, tempo) ||
        root < 40.0f || tempo < 30.0f) {
        return false;
    }
    // Semitone steps of the chords' roots (I vi IV V, or i VI III VII for minor) and of a triad.
    const bool minor = context.entry.Text("mode", "major") == "minor";
    const std::array<int, 4> progression = minor ? std::array<int, 4>{0, 8, 3, 10} : std::array<int, 4>{0, 9, 5, 7};
    const std::array<int, 3> triad = minor ? std::array<int, 3>{0, 3, 7} : std::array<int, 3>{0, 4, 7};
    const float beat = 60.0f / tempo;
    const int bars = 8;
    PcmSound sound(kRate, beat * 4.0f * bars);
    const auto note = [root](int semitones) { return root * std::pow(2.0f, static_cast<float>(semitones) / 12.0f); };
    for (int bar = 0; bar < bars; ++bar) {
        const int chord = progression[static_cast<size_t>(bar / 2) % progression.size()];
        const float barStart = beat * 4.0f * static_cast<float>(bar);
        sound.AddTone(barStart, beat * 3.8f, note(chord - 12), 0.35f);
        for (int step = 0; step < 8; ++step) {
            const int tone = triad[static_cast<size_t>(step) % triad.size()] + (step >= 4 ? 12 : 0);
            sound.AddTone(barStart + beat * 0.5f * static_cast<float>(step), beat * 0.45f, note(chord + tone), 0.18f);
        }
    }
    sound.Normalise(0.7f);
    return AddSound(context, kVorbisFormat, sound.EncodeVorbis(0.1f));
}

}  // namespace

void SoundMakers::Register(MakerRegistry& registry) {
    registry.Add("sfx", ResourceKind::Sound, MakeEffect);
    registry.Add("voice", ResourceKind::Sound, MakeVoice);
    registry.Add("music", ResourceKind::Sound, MakeMusic);
}

}  // namespace mkdata
