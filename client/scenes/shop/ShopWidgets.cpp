#include "client/scenes/shop/ShopWidgets.h"

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/ui/Button.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

// The faces of the shop's buttons in its texture, by the button's size.
struct Face {
    int32_t srcX, srcY, width, height;
};
constexpr Face kViewFace{580, 180, 138, 49};
constexpr Face kTabFace{720, 180, 69, 38};
constexpr Face kCashFace{800, 180, 121, 33};
constexpr Face kWorkshopFace{800, 320, 107, 49};
constexpr Face kSmallFace{930, 180, 82, 22};
constexpr Face kCornerFace{930, 360, 33, 34};

// The face of that size; otherwise the cash button's stretched to a button of its height, or the small one.
Face FaceFor(int32_t w, int32_t h) {
    for (const Face& face : {kViewFace, kTabFace, kCashFace, kWorkshopFace, kCornerFace})
        if (face.width == w && face.height == h) return face;
    return h == kCashFace.height ? kCashFace : kSmallFace;
}

}  // namespace

Button* AddShopButton(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t key,
                      const char16_t* caption) {
    const Face face = FaceFor(w, h);
    Button* button = parent.CreateButton(x, y, w, h, id, key, kShopTexture, face.srcX, face.srcY, face.width,
                                         face.height, static_cast<float>(w) / static_cast<float>(face.width),
                                         static_cast<float>(h) / static_cast<float>(face.height));
    // Our pictures carry no words: a caption says what the button does.
    SetCentredCaption(*button, caption, kWhite);
    return button;
}

ScrollBar* AddShopScrollBar(Widget& parent, int32_t x, int32_t y, int32_t h, int32_t id) {
    auto bar = std::make_unique<ScrollBar>();
    bar->Create(x, y, 13, h, id, ScrollBar::kVertical, 1, true);
    auto* raw = AttachShopWidget(parent, std::move(bar), true);
    raw->SetImage(kCommonTexture, 475, 370, 14, 150, 1.0f, static_cast<float>(h) / 150.0f);
    raw->AddDecButton(609, 0, 13, 17, -1);
    raw->AddIncButton(623, 0, 13, 17, -1);
    raw->AddThumb(637, 0, 13, 28, 0);
    return raw;
}

Button* AddShopToggle(Widget& parent, int32_t id, int32_t x, int32_t y, int32_t w, int32_t h) {
    Button* button = parent.CreateButton(x, y, w, h, id, -1, kShopTexture, 930, 180, 82, 22, w / 82.0f, h / 22.0f);
    button->SetCheckBox();
    return button;
}

Button* AddShopToggle(Widget& parent, int32_t id, int32_t x, int32_t y, int32_t w, int32_t h,
                      platform::WStringView caption) {
    Button* button = AddShopToggle(parent, id, x, y, w, h);
    button->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kWhite, 0, 0);
    button->SetCaption(caption);
    return button;
}

TextLabel* AddShopText(Widget& parent, int32_t x, int32_t y, int32_t w, platform::WStringView text, uint32_t colour) {
    TextLabel* label = parent.CreateTextLabel(x, y, w, 18, &UiFontAt(UiFont::Bold12), 0, 0);
    label->SetColors(colour, 0);
    label->SetText(text);
    return label;
}

}  // namespace kestrovan
