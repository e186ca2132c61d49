#pragma once
// The window in which the player names a shot before registering it to the shot gallery; it spends one
// registration sticker. OK with no sticker explains how stickers come, a title under two characters is
// refused, and a good title hands OK on to the replay panel (control 44) and closes.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <atomic>
#include <cstdint>
#include <functional>

#include "QuillLib/core/WString.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Button;
class EditBox;
class TextLabel;

class ShotSaveWindow : public Window {
public:
    static constexpr int32_t kOk = 44;
    static constexpr int32_t kCancel = 1;
    static constexpr int32_t kTitleChars = 30;

    struct Services {
        // The shared message box titled "Notice" with up to three lines.
        std::function<void(quill::WStringView, quill::WStringView, quill::WStringView)> notice;
        std::function<void(quill::WStringView)> error;
    };

    explicit ShotSaveWindow(Services services);

    void SetStickers(uint16_t stickers) { stickers_ = stickers; }
    uint16_t Stickers() const { return stickers_; }
    quill::WString Title() const;
    EditBox* TitleBox() const { return title_; }
    Button* OkButton() const { return ok_; }
    TextLabel* StickerLabel() const { return stickerLabel_; }

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    Services services_;
    TextLabel* stickerLabel_ = nullptr;
    EditBox* title_ = nullptr;
    Button* ok_ = nullptr;
    std::atomic<uint16_t> stickers_{0};
};

}  // namespace kestrovan
