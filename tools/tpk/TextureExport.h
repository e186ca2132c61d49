#pragma once
// Writes one image of a texture item as a PNG file, decoded through the image services on a headless
// device.
#include <cstdint>
#include <filesystem>
#include <string>

#include "QuillLib/resource/Texture.h"

namespace tpk {

// False with a message in error when the texture has no such image, its bytes do not decode (a cube
// map among them) or the file cannot be written.
bool ExportTexturePng(const quill::Texture& texture, uint16_t key, const std::filesystem::path& path,
                      std::string& error);

}  // namespace tpk
