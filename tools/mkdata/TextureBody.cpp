#include "tools/mkdata/TextureBody.h"

namespace mkdata {

bool TextureBody::Write(BodyWriter& out) const {
    out.U16(addressU);
    out.U16(addressV);
    out.U32(colorKey);
    out.U16(alphaMode);
    out.U16(mipLevels);
    out.U8(0);  // images are inflated when read, not kept compressed
    out.U16(static_cast<uint16_t>(images.size()));
    for (const Image& image : images) {
        out.U16(image.key);
        out.U32(image.width);
        out.U32(image.height);
        out.U32(static_cast<uint32_t>(image.file.size()));
        if (image.file.empty()) {
            continue;
        }
        quill::MemoryStream plain(static_cast<uint32_t>(image.file.size()));
        std::copy(image.file.begin(), image.file.end(), plain.Data());
        quill::MemoryStream packed;
        if (!plain.CompressTo(packed)) {
            return false;
        }
        out.U32(packed.Size());
        out.Bytes({packed.Data(), packed.Size()});
    }
    return out.Ok();
}

}  // namespace mkdata
