#pragma once
// One comment line of the gallery's shot window: the author's nickname, the comment and the points given.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "client/ui/Widget.h"

namespace kestrovan {

struct GalleryComment;
class TextLabel;

class GalleryCommentRow : public Widget {
public:
    static constexpr int32_t kWidth = 280;
    static constexpr int32_t kHeight = 20;

    GalleryCommentRow();

    void SetComment(const GalleryComment& comment);

    TextLabel* NicknameLabel() const { return nickname_; }
    TextLabel* CommentLabel() const { return text_; }
    TextLabel* PointsLabel() const { return points_; }

private:
    TextLabel* nickname_ = nullptr;
    TextLabel* text_ = nullptr;
    TextLabel* points_ = nullptr;
};

}  // namespace kestrovan
