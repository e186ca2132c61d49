#include "tests/client/scenes/layout/SkinPictures.h"

#include <algorithm>
#include <charconv>

#include "client/app/ResourcePackCatalog.h"
#include "tools/mkdata/UiSkinPainter.h"

namespace kestrovan::test {

namespace {

constexpr uint32_t kAtlasSize = 1024;  // every interface texture of the default data

using FaceKind = kvtest::TextureFace::Kind;

FaceKind KindOf(const std::string& style) {
    static const char* const kControls[] = {"button", "titlebutton", "toggle", "edit", "groove", "scrollbar", "thumb"};
    static const char* const kPictures[] = {"logo",  "badge", "gametypes", "levels", "star",
                                            "solid", "colon", "backdrop",  "gauge"};
    if (style == "caption") return FaceKind::Caption;
    if (style == "icon") return FaceKind::Icon;
    if (style == "digits") return FaceKind::Digits;
    if (std::find(std::begin(kPictures), std::end(kPictures), style) != std::end(kPictures)) return FaceKind::Picture;
    return std::find(std::begin(kControls), std::end(kControls), style) != std::end(kControls) ? FaceKind::Control
                                                                                               : FaceKind::Plain;
}

int32_t IntArgument(const mkdata::UiRegion& region, const char* key, int32_t fallback) {
    const auto found = region.arguments.find(key);
    int32_t value = fallback;
    if (found != region.arguments.end()) {
        std::from_chars(found->second.data(), found->second.data() + found->second.size(), value);
    }
    return value;
}

// The frames a region's faces stand in, each a face of its own: a button's states, a toggle's two looks.
std::vector<kvtest::LayoutBox> Frames(const mkdata::UiRegion& region) {
    int32_t frames = 1;
    if (region.style == "button" || region.style == "titlebutton") frames = std::max(1, IntArgument(region, "frames", 4));
    if (region.style == "toggle") frames = 2;
    const bool vertical = IntArgument(region, "vertical", 0) != 0;
    const int32_t w = vertical ? region.width : region.width / frames;
    const int32_t h = vertical ? region.height / frames : region.height;
    std::vector<kvtest::LayoutBox> boxes;
    for (int32_t n = 0; n < frames; ++n) {
        const int32_t x = region.x + (vertical ? 0 : n * w), y = region.y + (vertical ? n * h : 0);
        boxes.push_back({x, y, x + w, y + h});
    }
    return boxes;
}

uint32_t CaptionColour(const mkdata::UiRegion& region) {
    const auto found = region.arguments.find("colour");
    uint32_t colour = mkdata::UiSkinPainter::kInk;
    if (found != region.arguments.end()) {
        std::from_chars(found->second.data(), found->second.data() + found->second.size(), colour, 16);
        if (found->second.size() == 6) colour |= 0xFF000000u;
    }
    return colour;
}

// Where the caption's letters lie: the pixels of its region that painting it changed.
kvtest::LayoutBox Ink(const mkdata::RgbaImage& with, const mkdata::RgbaImage& without, const mkdata::UiRegion& region) {
    kvtest::LayoutBox ink{region.x + region.width, region.y + region.height, region.x, region.y};
    for (int32_t y = std::max(0, region.y); y < std::min<int32_t>(kAtlasSize, region.y + region.height); ++y) {
        for (int32_t x = std::max(0, region.x); x < std::min<int32_t>(kAtlasSize, region.x + region.width); ++x) {
            const auto ux = static_cast<uint32_t>(x), uy = static_cast<uint32_t>(y);
            if (with.At(ux, uy) == without.At(ux, uy)) continue;
            ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1), std::max(ink.bottom, y + 1)};
        }
    }
    return ink;
}

}  // namespace

SkinPictures::SkinPictures(const std::string& regionFile) {
    mkdata::RegionTable regions;
    if (!regions.Load(regionFile)) {
        error_ = "cannot read the region table " + regionFile + ": " + regions.Error();
        return;
    }
    // The headless App opens no packs: a catalogue of its own (made only then, as it names itself current
    // while it lives) holds the same slot table.
    std::unique_ptr<ResourcePackCatalog> own;
    const ResourcePackCatalog* catalog = ResourcePackCatalog::Current();
    if (catalog == nullptr) {
        own = std::make_unique<ResourcePackCatalog>(nullptr);
        own->FillSlots(0);
        catalog = own.get();
    }
    for (size_t slot = 0; slot < ResourcePackCatalog::kSlotCount; ++slot) {
        const PackSlot& pack = catalog->Slot(slot);
        // The interface package's textures are painted atlases; the effects' are pictures of their own.
        if (pack.itemId < 0 || !pack.package.starts_with(u"UI")) continue;
        const std::string file(pack.file.begin(), pack.file.end());
        PaintSlot(static_cast<int32_t>(slot), regions.Find(file, static_cast<uint32_t>(pack.itemId)));
    }
}

void SkinPictures::PaintSlot(int32_t slot, const std::vector<mkdata::UiRegion>& regions) {
    std::vector<mkdata::UiRegion> faces;
    std::copy_if(regions.begin(), regions.end(), std::back_inserter(faces),
                 [](const mkdata::UiRegion& region) { return region.style != "caption"; });
    auto with = std::make_unique<mkdata::RgbaImage>(kAtlasSize, kAtlasSize);
    auto bare = std::make_unique<mkdata::RgbaImage>(kAtlasSize, kAtlasSize);
    std::string problem;
    if (!mkdata::UiSkinPainter::Paint(*with, regions, problem) || !mkdata::UiSkinPainter::Paint(*bare, faces, problem)) {
        error_ += "texture slot " + std::to_string(slot) + ": " + problem + "\n";
        return;
    }
    for (const mkdata::UiRegion& region : regions) {
        kvtest::TextureFace face;
        face.texture = slot;
        face.kind = KindOf(region.style);
        // A pictogram, a digit or a game type's ball with its tag on the face says what the control does.
        face.marked = region.arguments.count("glyph") != 0 || region.arguments.count("digit") != 0 ||
                      region.style == "gametypes";
        face.digit = IntArgument(region, "digit", -1);
        face.title = region.style == "window" ? IntArgument(region, "title", 28) : 0;
        if (face.kind == FaceKind::Caption) {
            face.box = {region.x, region.y, region.x + region.width, region.y + region.height};
            face.text = region.arguments.count("text") != 0 ? region.arguments.at("text") : std::string();
            face.ink = Ink(*with, *bare, region);
            face.colour = CaptionColour(region);
            faces_.push_back(face);
            continue;
        }
        // A button's frames cycle through the looks of its states (normal, hovered, pressed, disabled).
        const int32_t cycle = std::clamp(IntArgument(region, "cycle", 4), 1, 4);
        int32_t frame = 0;
        const std::vector<kvtest::LayoutBox> frames = Frames(region);
        face.frames = static_cast<int32_t>(frames.size());
        for (const kvtest::LayoutBox& box : frames) {
            face.box = box;
            face.look = face.kind == FaceKind::Control && (region.style == "button" || region.style == "titlebutton")
                            ? frame % cycle
                            : 0;
            faces_.push_back(face);
            ++frame;
        }
    }
    bare_[slot] = std::move(bare);
}

kvtest::TexelReader SkinPictures::Texels() const {
    return [this](int32_t texture, int32_t x, int32_t y) -> uint32_t {
        const auto found = bare_.find(texture);
        if (found == bare_.end() || x < 0 || y < 0 || x >= static_cast<int32_t>(kAtlasSize) ||
            y >= static_cast<int32_t>(kAtlasSize)) {
            return 0;
        }
        return found->second->At(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
    };
}

}  // namespace kestrovan::test
