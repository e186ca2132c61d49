#pragma once
// The texts of the graphics initialisation result codes, shown to the player when the device cannot be
// created and written to the start log.
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace quill {

// Languages of GetDeviceErrorText.
inline constexpr int32_t kLanguageEnglish = 0;
inline constexpr int32_t kLanguageKorean = 1;

// Codes 0 to 13 have their own texts; higher codes give the language's "undefined error" text. Any other
// language gives "Unsupported language.".
WString GetDeviceErrorText(uint32_t resultCode, int32_t language);

}  // namespace quill
