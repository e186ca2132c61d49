#pragma once
// The base of the small fixed popups and message boxes: a window with its face from an interface texture,
// open and close sounds, a title, text lines and buttons cut from the button tiles, built hidden in the
// constructor and centred on the screen when it opens. The tiles carry no words in our packs, so every
// button says what it does in a caption.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>
#include <functional>

#include "QuillLib/core/WString.h"
#include "client/app/UiTextures.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Button;
class TextLabel;
struct FontDesc;

class PopupWindow : public Window {
public:
    // How a popup reports its result: an application event (id and three values) for the current screen.
    using EventPoster = std::function<void(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra)>;

    // The ids of the buttons the popups and message boxes share, which the system knows them by: Close (a
    // window's one button), OK and Cancel, Yes and No.
    static constexpr int32_t kClose = 2049;
    static constexpr int32_t kOk = 2050;
    static constexpr int32_t kCancel = 2051;
    static constexpr int32_t kYes = 2052;
    static constexpr int32_t kNo = 2053;

    static constexpr int32_t kFaceY = 136;
    static constexpr int32_t kButtonWidth = 85;
    static constexpr int32_t kButtonHeight = 32;
    // The shared button tiles along the top of the common texture: six side by side, each four frames (normal,
    // hovered, pressed, disabled) of kButtonWidth x kButtonHeight down.
    static constexpr int32_t kButtonTiles = 6;
    // A button of shared tile tileX at any size: the tile's frame is stretched over the button, so that it shows
    // one whole frame of its own tile, never a piece of the next one.
    static Button* AddTileButton(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t key,
                                 int32_t tileX);

    // Centres the popup on the screen and shows it (its open sound plays).
    void Open();

    // The common face: texture 0 from (0, 136).
    struct Face {
        int32_t texture = kCommonTexture;
        int32_t srcX = 0;
        int32_t srcY = kFaceY;
    };

protected:
    PopupWindow(int32_t x, int32_t y, int32_t w, int32_t h, Face face, uint32_t openSound, uint32_t closeSound);

    // The title in the title font, with a shadow.
    TextLabel* AddTitle(int32_t x, int32_t y, int32_t w, quill::WStringView text);
    TextLabel* AddLine(int32_t x, int32_t y, int32_t w, const FontDesc& font, uint32_t alignment);
    // A button of tile (tileX, tileY) of the texture, with its hot key and caption.
    Button* AddButton(int32_t id, int32_t x, int32_t y, int32_t key, int32_t tileX, quill::WStringView caption,
                      int32_t texture = kCommonTexture, int32_t tileY = 0, int32_t w = kButtonWidth,
                      int32_t h = kButtonHeight);

    // The popup's own buttons, for OnEvent; each returns true when the event came from one of them.
    // The button closeId hides the popup.
    bool ClosesOn(const Widget* source, int32_t closeId);
    // A question's buttons: acceptId runs accepted (which hides the popup as it needs), cancelId hides it.
    bool Answers(const Widget* source, int32_t acceptId, int32_t cancelId, const std::function<void()>& accepted);
};

}  // namespace kestrovan
