#pragma once
// The interface textures as the default data paints them (UiSkinPainter over the region table), for the layout
// check to see what a player sees: the faces of each texture slot the App's catalogue fills, in painting order,
// with the captions and where their letters lie, and the texels behind the captions (each texture is painted
// without its captions, which the check judges as texts of their own).
//
// Threads: one test's thread.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/layout/LayoutRules.h"
#include "tools/mkdata/RegionTable.h"
#include "tools/mkdata/RgbaImage.h"

namespace kestrovan::test {

class SkinPictures {
public:
    // Paints every slot's texture from the region table in the file; without it there are no faces and every
    // texel is clear, which Error() says.
    explicit SkinPictures(const std::string& regionFile);

    const std::vector<kvtest::TextureFace>& Faces() const { return faces_; }
    // Reads the textures without their captions; valid while this object lives.
    kvtest::TexelReader Texels() const;
    const std::string& Error() const { return error_; }

private:
    void PaintSlot(int32_t slot, const std::vector<mkdata::UiRegion>& regions);

    std::vector<kvtest::TextureFace> faces_;
    std::map<int32_t, std::unique_ptr<mkdata::RgbaImage>> bare_;
    std::string error_;
};

}  // namespace kestrovan::test
