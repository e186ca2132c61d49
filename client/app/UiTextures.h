#pragma once
// The interface texture slots the screens cut their pictures from, named after the pack file and item each
// slot loads (ResourcePackCatalog's slot table); a widget carries the slot as its texture id. Constants: any
// thread.
#include <cstdint>

namespace kestrovan {

inline constexpr int32_t kCommonTexture = 0;         // "Common" 0: buttons, frames, the popups' faces
inline constexpr int32_t kPopupTexture = 12;         // "Popup" 0
inline constexpr int32_t kPopupThirdTexture = 13;    // "Popup" 2
inline constexpr int32_t kHudTexture = 14;           // "Game" 0: the table screens' HUD
inline constexpr int32_t kGameSecondTexture = 15;    // "Game" 1
inline constexpr int32_t kCommonSecondTexture = 18;  // "Common" 1
inline constexpr int32_t kTutorTexture = 21;         // "Tut" 0: the school's index and pages
inline constexpr int32_t kGalleryTexture = 24;       // "Gallery" 0
inline constexpr int32_t kShopPanelTexture = 25;     // "Shop" 5: the shop's preview and item panels

}  // namespace kestrovan
