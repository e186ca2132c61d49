#pragma once
// The recommendation window inside the gallery's shot window: the player gives a shot 1 to 10 points with a
// comment, paid with recommendation stickers, or replies to his own shot with 0 points. OK checks locally
// (a sticker at all, a comment of two characters or more), sends ShotVote, takes the points off the
// player's stickers (never below 0: the server keeps the true count) and closes; the answer,
// ShotVoteResult, goes to the screen. A vote that could not be sent says so and spends nothing.
//
// Threads: only a screen's entries call it (client/app/Scene.h); the send is synchronous and short.
#include <atomic>
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/scenes/gallery/GalleryServices.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Button;
class ComboBox;
class EditBox;
class TextLabel;

class GalleryRecommendDialog : public Window {
public:
    static constexpr int32_t kOk = 40;
    static constexpr int32_t kCancel = 1;
    static constexpr int32_t kPointsBox = 41;
    static constexpr int32_t kCommentChars = 30;
    static constexpr size_t kMinimumComment = 2;
    static constexpr uint8_t kDefaultPoints = 10;

    explicit GalleryRecommendDialog(GalleryServices services);

    // What the shot window sets before showing it.
    void SetOwnShot(bool own) { ownShot_ = own; }
    void SetShotNumber(uint32_t shot) { shotNumber_ = shot; }
    void SetStickers(uint16_t stickers) { stickers_ = stickers; }

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

    uint8_t Points() const { return points_; }
    uint16_t Stickers() const { return stickers_; }
    bool IsOwnShot() const { return ownShot_; }
    TextLabel* PromptLabel() const { return prompt_; }
    TextLabel* StickerLabel() const { return stickerLabel_; }
    ComboBox* PointsBox() const { return pointsBox_; }
    EditBox* CommentBox() const { return comment_; }
    Button* OkButton() const { return ok_; }

private:
    void ShowPoints();
    void Confirm();

    GalleryServices services_;
    std::atomic<bool> ownShot_{false};
    std::atomic<uint32_t> shotNumber_{0};
    std::atomic<uint16_t> stickers_{0};
    std::atomic<uint8_t> points_{kDefaultPoints};

    TextLabel* stickerLabel_ = nullptr;
    TextLabel* prompt_ = nullptr;
    ComboBox* pointsBox_ = nullptr;
    EditBox* comment_ = nullptr;
    Button* ok_ = nullptr;
};

}  // namespace kestrovan
