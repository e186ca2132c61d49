#pragma once
// The short description of a game type that the room dialogs show beside the type list while the mouse is
// over a type: the type's long name and up to six lines.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>

#include "QuillLib/gamedata/GameTypes.h"
#include "client/ui/Image.h"

namespace kestrovan {

class TextLabel;

class GameDescriptionPanel : public Image {
public:
    static constexpr size_t kLineCount = 6;
    static constexpr int32_t kWidth = 231;
    static constexpr int32_t kHeight = 164;

    GameDescriptionPanel();

    // Title and lines of the type; a type without a description shows only its title.
    void SetGameType(quill::GameType type);

    TextLabel* Title() const { return title_; }
    TextLabel* Line(size_t index) const { return lines_[index]; }

private:
    TextLabel* title_ = nullptr;
    std::array<TextLabel*, kLineCount> lines_{};
};

}  // namespace kestrovan
