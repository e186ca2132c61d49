#include "client/scenes/gallery/GalleryCommentRow.h"

#include "client/app/UiFonts.h"
#include "client/scenes/gallery/GalleryReplies.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

GalleryCommentRow::GalleryCommentRow() {
    Create(0, 0, kWidth, kHeight, -1, -1);
    nickname_ = CreateTextLabel(4, 2, 78, 16, &UiFontAt(UiFont::Regular12), 0, 0);
    nickname_->SetColors(kYellow, 0);
    text_ = CreateTextLabel(80, 2, 184, 16, &UiFontAt(UiFont::Regular12), 0, 0);
    text_->SetColors(kWhite, 0);
    points_ = CreateTextLabel(262, 2, 16, 16, &UiFontAt(UiFont::Regular12), 0, 0);
    points_->SetColors(kWhite, 0);
}

void GalleryCommentRow::SetComment(const GalleryComment& comment) {
    nickname_->SetText(comment.nickname);
    text_->SetText(comment.text);
    points_->SetTextF(u"%d", comment.points);
}

}  // namespace kestrovan
