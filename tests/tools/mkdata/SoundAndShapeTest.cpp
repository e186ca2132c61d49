// Synthesised sounds read back through the game's own decoders, and the shapes the models are made of.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "QuillLib/resource/SoundResource.h"
#include "QuillLib/sound/CreateSoundDecoder.h"
#include "tools/mkdata/CueProfile.h"
#include "tools/mkdata/MeshBuilder.h"
#include "tools/mkdata/ModelNode.h"
#include "tools/mkdata/PcmSound.h"
#include "tools/mkdata/SpeechSynth.h"

namespace {

using mkdata::MeshBuilder;
using mkdata::PcmSound;

// The sound's bytes as the decoder of its format reads them: rate and the count of 16-bit samples.
void Decode(const std::vector<uint8_t>& file, uint16_t format, uint32_t& rate, uint32_t& samples) {
    auto resource = quill::make_shared<quill::SoundResource>(u"", format);
    ASSERT_TRUE(resource->AllocateData(static_cast<uint32_t>(file.size())));
    std::copy(file.begin(), file.end(), resource->Data().Data());
    auto decoder = quill::CreateSoundDecoder(resource, true);
    ASSERT_NE(decoder, nullptr);
    ASSERT_NE(decoder->GetFormat(), nullptr);
    rate = decoder->GetFormat()->samplesPerSec;
    samples = decoder->GetSize() / 2;
}

TEST(PcmSoundTest, WaveAndVorbisFilesDecodeToTheirLength) {
    PcmSound sound(22050, 0.5f);
    sound.AddResonance(0.0f, 440.0f, 0.8f, 0.1f);
    sound.AddNoiseBurst(0.0f, 0.3f, 0.01f, 0.5f, 1);
    sound.Normalise(0.9f);
    uint32_t rate = 0, samples = 0;
    Decode(sound.EncodeWave(), quill::SoundResource::kWave, rate, samples);
    EXPECT_EQ(rate, 22050u);
    EXPECT_EQ(samples, 11025u);
    Decode(sound.EncodeVorbis(0.3f), quill::SoundResource::kOggVorbis, rate, samples);
    EXPECT_EQ(rate, 22050u);
    EXPECT_NEAR(static_cast<double>(samples), 11025.0, 64.0);
}

TEST(PcmSoundTest, ResonancesDecayAndLevelsAreKept) {
    PcmSound sound(22050, 1.0f);
    sound.AddResonance(0.0f, 1000.0f, 1.0f, 0.01f);
    float early = 0.0f, late = 0.0f;
    for (size_t i = 0; i < 220; ++i) early = std::max(early, std::fabs(sound.Samples()[i]));
    for (size_t i = 2205; i < 2425; ++i) late = std::max(late, std::fabs(sound.Samples()[i]));
    EXPECT_GT(early, 0.8f);
    EXPECT_LT(late, early * 1e-3f);
    sound.Normalise(0.5f);
    float loudest = 0.0f;
    for (float sample : sound.Samples()) loudest = std::max(loudest, std::fabs(sample));
    EXPECT_NEAR(loudest, 0.5f, 1e-6f);
    sound.FadeOut(0.1f);
    EXPECT_EQ(sound.Samples().back(), 0.0f);
}

TEST(SpeechSynthTest, AnUnspeakableLineStillSoundsAsATone) {
    const PcmSound tone = mkdata::SpeechSynth::Tone();
    EXPECT_GT(tone.Samples().size(), tone.SampleRate() / 4);
    if (mkdata::SpeechSynth::IsAvailable()) {
        const auto speech = mkdata::SpeechSynth::Speak("Nice shot", "en");
        ASSERT_TRUE(speech.has_value());
        EXPECT_GT(speech->Samples().size(), speech->SampleRate() / 4);
    }
}

TEST(MeshBuilderTest, SphereLatheAndDiscKeepTheirSizes) {
    MeshBuilder sphere;
    sphere.AddUvSphere(3.25f, 32, 16);
    quill::Vec3 centre;
    float radius = 0.0f;
    sphere.Bound(centre, radius);
    EXPECT_NEAR(radius, 3.25f, 1e-4f);
    for (const auto& vertex : sphere.Vertices()) {
        EXPECT_NEAR(std::hypot(vertex.position.x, vertex.position.y, vertex.position.z), 3.25f, 1e-4f);
    }

    // The whole cue is closed at both ends and as long as its profile.
    MeshBuilder cue;
    cue.AddLathe(mkdata::CueProfile::Between(0.0f, mkdata::CueProfile::kLength), 16, mkdata::CueProfile::kLength);
    float low = 1e9f, high = -1e9f, widest = 0.0f;
    for (const auto& vertex : cue.Vertices()) {
        low = std::min(low, vertex.position.x);
        high = std::max(high, vertex.position.x);
        widest = std::max(widest, std::hypot(vertex.position.y, vertex.position.z));
    }
    // From the tip's dome to the butt's flat cap, whose face looks straight back along the cue.
    EXPECT_NEAR(high - low, mkdata::CueProfile::kLength + 0.15f, 1e-3f);
    int capVertices = 0;
    for (const auto& vertex : cue.Vertices()) {
        if (vertex.position.x == mkdata::CueProfile::kLength && std::hypot(vertex.position.y, vertex.position.z) < 1.0f) {
            EXPECT_NEAR(vertex.normal.x, 1.0f, 1e-4f);
            ++capVertices;
        }
    }
    EXPECT_GT(capVertices, 0);
    EXPECT_NEAR(widest, 1.5f, 1e-3f);
    EXPECT_LT(mkdata::CueProfile::RadiusAt(0.0f), mkdata::CueProfile::RadiusAt(mkdata::CueProfile::kWrapStart));

    MeshBuilder disc;
    disc.AddDisc({1.0f, 2.0f, 0.5f}, 4.0f, 12);
    disc.Bound(centre, radius);
    EXPECT_NEAR(centre.x, 1.0f, 1e-4f);
    EXPECT_NEAR(radius, 4.0f, 1e-4f);
    EXPECT_EQ(disc.PartIndices().front().size(), 36u);
}

TEST(MeshBuilderTest, VerticesBeyondSixteenBitIndicesAreRefused) {
    MeshBuilder mesh;
    for (uint32_t i = 0; i < MeshBuilder::kMaxVertices; ++i) {
        mesh.AddVertex({});
    }
    EXPECT_TRUE(mesh.Fits());
    mesh.AddVertex({});
    EXPECT_FALSE(mesh.Fits());
    EXPECT_EQ(mesh.Vertices().size(), MeshBuilder::kMaxVertices);
}

}  // namespace

namespace {

// A node's bound grows over its children's, moved by their transforms, so that a model whose root has no
// mesh of its own is culled by the sphere of all its parts, not by its origin.
TEST(ModelNodeTest, BoundsEncloseTheChildren) {
    mkdata::ModelNode root;
    mkdata::ModelNode left, right, moved;
    left.boundCentre = {-100.0f, 0.0f, 0.0f};
    left.boundRadius = 10.0f;
    right.boundCentre = {100.0f, 0.0f, 0.0f};
    right.boundRadius = 30.0f;
    moved.boundCentre = {0.0f, 0.0f, 0.0f};
    moved.boundRadius = 5.0f;
    moved.transform.position = {0.0f, 300.0f, 0.0f};
    moved.transform.UpdateMatrix();
    mkdata::ModelNode noBound;  // a grouping node with nothing below it keeps no bound
    root.children = {left, right, noBound};
    root.children[1].children = {moved};
    root.EncloseChildren();
    EXPECT_LT(root.children[2].boundRadius, 0.0f);
    // The second child now holds its own sphere and the moved one 300 above it.
    const mkdata::ModelNode& grown = root.children[1];
    EXPECT_GE(grown.boundRadius + 1e-3f, std::hypot(100.0f - grown.boundCentre.x, grown.boundCentre.y) + 30.0f - 1e-3f);
    for (const auto& [centre, radius] : {std::pair{quill::Vec3{-100.0f, 0.0f, 0.0f}, 10.0f},
                                         std::pair{quill::Vec3{100.0f, 0.0f, 0.0f}, 30.0f},
                                         std::pair{quill::Vec3{0.0f, 300.0f, 0.0f}, 5.0f}}) {
        const float distance = std::hypot(centre.x - root.boundCentre.x, centre.y - root.boundCentre.y,
                                          centre.z - root.boundCentre.z);
        EXPECT_LE(distance + radius, root.boundRadius + 1e-2f);
    }
    // Not much larger than it needs to be.
    EXPECT_LT(root.boundRadius, 260.0f);
}

}  // namespace
