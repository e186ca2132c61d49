#include "tools/mkdata/ImageMakers.h"

#include "tools/mkdata/BallPainter.h"
#include "tools/mkdata/CuePainter.h"
#include "tools/mkdata/EffectPainter.h"
#include "tools/mkdata/MakerRegistry.h"
#include "tools/mkdata/SurfacePainter.h"
#include "tools/mkdata/UiSkinPainter.h"

namespace mkdata {
namespace {

using quill::ResourceKind;

// A maker of a tiling surface from one colour argument.
MakerRegistry::Maker Surface(RgbaImage (*paint)(Argb, uint32_t), Argb fallback) {
    return [paint, fallback](MakeContext& context) {
        Argb colour = 0;
        return context.ColourArgument("colour", fallback, colour) &&
               context.AddTexture(paint(colour, context.entry.id), false, true);
    };
}

bool MakeBallFace(MakeContext& context) {
    Argb colour = 0;
    float number = 0.0f;
    if (!context.ColourArgument("colour", 0xFFF4F1E6, colour) || !context.NumberArgument("number", 0.0f, number)) {
        return false;
    }
    const std::string style = context.entry.Text("style", "solid");
    BallPainter::Style painted = BallPainter::Style::Solid;
    if (style == "stripe") {
        painted = BallPainter::Style::Stripe;
    } else if (style == "banded") {
        painted = BallPainter::Style::Banded;
    } else if (style != "solid") {
        return context.Fail("style must be solid, stripe or banded");
    }
    return context.AddTexture(BallPainter::Paint(painted, colour, static_cast<uint32_t>(number)), false, true);
}

// Cue n of a file is variant offset + n, so that the cue files do not repeat each other's looks.
bool MakeCueStrip(MakeContext& context) {
    float offset = 0.0f;
    if (!context.NumberArgument("offset", 0.0f, offset)) {
        return false;
    }
    const float variant = offset + static_cast<float>(context.entry.id);
    return
           context.AddTexture(CuePainter::Paint(CuePainter::Variant(static_cast<uint32_t>(variant)),
                                                static_cast<uint32_t>(variant)),
                              false, true);
}

bool MakeTunePart(MakeContext& context) {
    float slot = 0.0f;
    if (!context.NumberArgument("slot", 0.0f, slot) || slot < 0.0f || slot > 4.0f) {
        return context.Fail("slot must be 0 (shaft) to 4 (tip)");
    }
    return context.AddTexture(CuePainter::PaintPart(static_cast<uint32_t>(slot), context.entry.id), false, true);
}

bool MakeUiAtlas(MakeContext& context) {
    float width = 0.0f, height = 0.0f;
    if (!context.NumberArgument("width", 1024.0f, width) || !context.NumberArgument("height", 1024.0f, height) ||
        width < 1.0f || height < 1.0f || width > 4096.0f || height > 4096.0f) {
        return context.Fail("width and height must be 1 to 4096");
    }
    RgbaImage image(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
    std::string problem;
    if (!UiSkinPainter::Paint(image, context.regions.Find(context.entry.file, context.entry.id), problem)) {
        return context.Fail(problem);
    }
    return context.AddTexture(image, true, false);
}

bool MakeReflection(MakeContext& context) {
    float variant = 0.0f;
    return context.NumberArgument("variant", static_cast<float>(context.entry.id), variant) &&
           context.AddTexture(EffectPainter::Reflection(static_cast<uint32_t>(variant)), true, true);
}

// A maker of an effect image in one colour.
MakerRegistry::Maker Effect(RgbaImage (*paint)(Argb), Argb fallback) {
    return [paint, fallback](MakeContext& context) {
        Argb colour = 0;
        return context.ColourArgument("colour", fallback, colour) && context.AddTexture(paint(colour), true, true);
    };
}

}  // namespace

void ImageMakers::Register(MakerRegistry& registry) {
    registry.Add("cloth", ResourceKind::Texture, Surface(SurfacePainter::Cloth, 0xFF1E6B3A));
    registry.Add("wood", ResourceKind::Texture, Surface(SurfacePainter::Wood, 0xFF6B3E1E));
    registry.Add("leather", ResourceKind::Texture, Surface(SurfacePainter::Leather, 0xFF1A1410));
    registry.Add("pocket", ResourceKind::Texture, Surface(SurfacePainter::PocketLiner, 0xFF3A2618));
    registry.Add("floor", ResourceKind::Texture, Surface(SurfacePainter::Floor, 0xFF5A4030));
    registry.Add("wall", ResourceKind::Texture, Surface(SurfacePainter::Wall, 0xFF8A8070));
    registry.Add("sight", ResourceKind::Texture, [](MakeContext& context) {
        Argb colour = 0;
        return context.ColourArgument("colour", 0xFFEDE8DA, colour) &&
               context.AddTexture(SurfacePainter::Sight(colour), false, true);
    });
    registry.Add("ball_face", ResourceKind::Texture, MakeBallFace);
    registry.Add("cue_strip", ResourceKind::Texture, MakeCueStrip);
    registry.Add("tune_part", ResourceKind::Texture, MakeTunePart);
    registry.Add("ui_atlas", ResourceKind::Texture, MakeUiAtlas);
    registry.Add("shadow", ResourceKind::Texture,
                 [](MakeContext& context) { return context.AddTexture(EffectPainter::Shadow(), true, true); });
    registry.Add("target_ring", ResourceKind::Texture, Effect(EffectPainter::TargetRing, 0xFFFFFFFF));
    registry.Add("guide", ResourceKind::Texture, Effect(EffectPainter::Guide, 0xFFFFFFFF));
    registry.Add("particle", ResourceKind::Texture, Effect(EffectPainter::Particle, 0xFF6AA8E0));
    registry.Add("reflection", ResourceKind::Texture, MakeReflection);
    registry.Add("lamp_light", ResourceKind::Texture,
                 [](MakeContext& context) { return context.AddTexture(SurfacePainter::LampLight(), true, true); });
    registry.Add("turn_banners", ResourceKind::Texture,
                 [](MakeContext& context) { return context.AddTexture(EffectPainter::TurnBanners(), true, false); });
}

}  // namespace mkdata
