#include "client/scenes/gallery/GalleryRecommendDialog.h"

#include <algorithm>
#include <tuple>

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/net/MessageId.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/AwaitedRequest.h"
#include "client/scenes/common/RequestSender.h"
#include "client/ui/Button.h"
#include "client/ui/ComboBox.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

constexpr int32_t kMaxPoints = 10;

}  // namespace

GalleryRecommendDialog::GalleryRecommendDialog(GalleryServices services) : services_(std::move(services)) {
    Create(30, 290, 266, 129, -1, -1);
    SetImage(kGalleryTexture, 246, 715, 266, 129, 1.0f, 1.0f);
    SetModal(false);
    stickerLabel_ = CreateTextLabel(228, 25, 40, 20, &UiFontAt(UiFont::Bold12), 0, 0);
    stickerLabel_->SetColors(kYellow, 0);
    stickerLabel_->SetText(u"0");
    prompt_ = CreateTextLabel(15, 77, 180, 20, &UiFontAt(UiFont::Regular12), 0, 0);
    prompt_->SetColors(kWhite, 0);
    pointsBox_ = CreateComboBox(210, 74, 50, 20, kPointsBox, -1, kGalleryTexture, 600, 100);
    pointsBox_->GetFace()->AddLabel(&UiFontAt(UiFont::Regular12), TextLabel::kAlignCentre, kWhite, 0, 0);
    pointsBox_->SetRowCount(kMaxPoints);
    for (int32_t points = 1; points <= kMaxPoints; ++points)
        pointsBox_->AddItem(quill::Format(u"%d%s", points, u"Pts"));
    pointsBox_->GetFace()->SetCaption(quill::Format(u"10%s", u"Pts"));
    auto edit = std::make_unique<EditBox>();
    edit->Create(20, 48, 220, 18);
    edit->SetSkin(0, 609, 68, 2, 14);
    edit->SetFont(&UiFontAt(UiFont::Regular12), kCommentChars, kWhite);
    edit->SetTextColors(kWhite, 0xFF000000);
    comment_ = static_cast<EditBox*>(AddChild(std::move(edit), true));
    for (auto [x, id, caption] : {std::tuple{50, kOk, u"OK"}, std::tuple{150, kCancel, u"Cancel"}}) {
        Button* button = CreateButton(x, 104, 54, 18, id, -1, kGalleryTexture, 600, 130);
        button->AddLabel(&UiFontAt(UiFont::Regular12), TextLabel::kAlignCentre, kWhite, 0, 0);
        button->SetCaption(caption);
        if (id == kOk)
            ok_ = button;
    }
    Show(false);
}

void GalleryRecommendDialog::OnShow() {
    Window::OnShow();
    if (ownShot_) {
        prompt_->SetText(u"You can only reply to your own shots.");
        points_ = 0;
        pointsBox_->SetEnabled(false);
    } else {
        prompt_->SetText(u"Select the recommended points.");
        points_ = kDefaultPoints;
        pointsBox_->SetEnabled(true);
    }
    ShowPoints();
    stickerLabel_->SetTextF(u"%d", static_cast<int32_t>(stickers_));
    comment_->SetFocus(true);
}

void GalleryRecommendDialog::ShowPoints() {
    pointsBox_->GetFace()->SetCaption(quill::Format(u"%d%s", static_cast<int32_t>(points_), u"Pts"));
}

bool GalleryRecommendDialog::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == pointsBox_) {
        points_ = static_cast<uint8_t>(std::clamp(a + 1, 1, kMaxPoints));
        ShowPoints();
        return true;
    }
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (source != comment_ && id == kCancel) {
        SetVisible(false);
        return true;
    }
    if (id == kOk && source != comment_) {
        Confirm();
        return true;
    }
    return Window::OnEvent(source, a, b);
}

void GalleryRecommendDialog::Confirm() {
    if (stickers_ == 0) {
        if (services_.error) {
            services_.error(u"There are no recommended stickers available.",
                            u"5 given per 10 minutes of yesterday's playing time.",
                            u"단, 본인인증이 된 계정에만 지급됩니다.");
        }
        return;
    }
    const quill::WString text = comment_->GetText().substr(0, kCommentChars);
    if (text.size() < kMinimumComment) {
        if (services_.error)
            services_.error(u"Enter title more than 4 bytes.", {}, {});
        return;
    }
    const uint32_t shot = shotNumber_;
    const uint8_t points = points_;
    // A vote that did not go spends no stickers, and the dialog stays for another try.
    if (services_.sender == nullptr ||
        !AwaitedRequest(*services_.sender, services_.notice).Send([&](quill::Packet& packet) {
            packet.Init(quill::MessageId::ShotVote).WriteU32(shot).WriteU8(points).WriteWString(text);
        })) {
        return;
    }
    const uint16_t left = static_cast<uint16_t>(std::max(0, static_cast<int32_t>(stickers_) - points));
    stickers_ = left;
    if (services_.player != nullptr)
        services_.player->stickerCount = left;
    stickerLabel_->SetTextF(u"%d", static_cast<int32_t>(left));
    SetVisible(false);
}

}  // namespace kestrovan
