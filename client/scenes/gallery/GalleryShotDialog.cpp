#include "client/scenes/gallery/GalleryShotDialog.h"

#include <algorithm>
#include <optional>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/gallery/GalleryCommentRow.h"
#include "client/scenes/gallery/GalleryExchange.h"
#include "client/scenes/gallery/GalleryLook.h"
#include "client/scenes/gallery/GalleryRecommendDialog.h"
#include "client/ui/Button.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "client/ui/UiServices.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

using namespace gallery_look;

constexpr int32_t kScreenMargin = 10;
constexpr int32_t kTop = 40;
// The rows show comments first .. first + 4: the last first comment that fills them.

}  // namespace

GalleryShotDialog::GalleryShotDialog(GalleryServices services) : services_(services) {
    Create(100, 100, kWidth, kHeight, -1, -1);
    SetImage(kGalleryTexture, 218, 429, kWidth, kHeight, 1.0f, 1.0f);
    SetModal(false);
    SetSounds(sound_id::kWindowOpen, sound_id::kPopup);
    reading_ = AddLabel(*this, 40, 190, 200, 20, kYellow);
    reading_->SetText(u"Shot info is being read.");
    title_ = AddLabel(*this, 20, 56, 220, 20, kWhite);
    nickname_ = AddLabel(*this, 20, 83, 88, 20, kYellow);
    points_ = AddLabel(*this, 170, 83, 40, 20, kWhite);
    subtitle_ = AddLabel(*this, 220, 83, 140, 20, kWhite);
    for (size_t k = 0; k < kCommentRows; ++k) {
        auto row = std::make_unique<GalleryCommentRow>();
        row->SetPosition(10, 114 + kRowPitch * static_cast<int32_t>(k));
        commentRows_[k] = static_cast<GalleryCommentRow*>(AddChild(std::move(row), false));
    }
    scroll_ = ScrollBar::AddTo(
        *this, {.x = 292, .y = 112, .w = 15, .h = 120, .id = kCommentScroll},
        {kGalleryTexture, {1000, 0, 15, 120}, {970, 130, 15, 15}, {985, 130, 15, 15}, {1000, 170, 15, 24}});
    struct Control {
        int32_t x, w, id, key;
        const char16_t* caption;
    };
    for (const Control& c :
         {Control{20, 48, kPlay, platform::Vk::Space, u"Play"}, Control{120, 88, kRecommend, -1, u"Recommend"},
          Control{210, 88, kViewList, -1, u"List"}}) {
        Button* button = CreateButton(c.x, 250, c.w, 22, c.id, c.key, kGalleryTexture, 600, 160);
        button->AddLabel(&UiFontAt(UiFont::Regular12), TextLabel::kAlignCentre, kWhite, 0, 0);
        button->SetCaption(c.caption);
        if (c.id == kPlay)
            play_ = button;
        if (c.id == kRecommend)
            recommendButton_ = button;
        if (c.id == kViewList)
            viewList_ = button;
    }
    PlayButton()->SetTooltip(u"Play the shot");
    recommend_ =
        static_cast<GalleryRecommendDialog*>(AddChild(std::make_unique<GalleryRecommendDialog>(services), false));
    Show(false);
}

void GalleryShotDialog::SetShotNumber(int32_t shot) {
    shotNumber_ = shot;
}

void GalleryShotDialog::ClearTexts() {
    title_->SetText(u"");
    nickname_->SetText(u"");
    points_->SetText(u"");
    subtitle_->SetText(u"");
    for (GalleryCommentRow* row : commentRows_)
        row->Show(false);
}

// --- fetching ---

void GalleryShotDialog::OnShow() {
    Window::OnShow();
    const int32_t screenWidth = WidgetToolkit::Get().Services().GetScreenWidth();
    SetPosition(screenWidth - kWidth - kScreenMargin, kTop);
    BeginFetch();
}

void GalleryShotDialog::Reload() {
    BeginFetch();
}

void GalleryShotDialog::BeginFetch() {
    pager_.Reset();
    scroll_->SetPosition(0, false);
    loaded_ = false;
    reading_->Show(true);
    if (services_.exchange != nullptr)
        services_.exchange->Ask(kGalleryShotPath, GalleryShotBody(shotNumber_));
}

void GalleryShotDialog::CancelFetch() {
    if (services_.exchange != nullptr)
        services_.exchange->Cancel();
    reading_->Show(false);
}

// A failed post posts nothing, so no replay starts.
bool GalleryShotDialog::CompleteFetch() {
    const std::optional<GalleryExchange::Reply> reply =
        services_.exchange != nullptr ? services_.exchange->Collect() : std::nullopt;
    if (!reply)
        return false;
    if (*reply) {
        ShowShot(ParseGalleryShot(**reply));
        if (services_.post)
            services_.post(quill::AppEventId::GalleryPlayShot, 0);
    }
    reading_->Show(false);
    return true;
}

bool GalleryShotDialog::IsFetchPending() const {
    return services_.exchange != nullptr && services_.exchange->IsBusy();
}

void GalleryShotDialog::ShowShot(GalleryShotReply shot) {
    loaded_ = true;
    shooter_ = shot.nickname;
    shotText_ = std::move(shot.shotText);
    comments_ = std::move(shot.comments);
    ShowComments();
    scroll_->SetPosition(0, false);
    title_->SetText(shot.title);
    nickname_->SetText(shot.nickname);
    subtitle_->SetText(shot.subtitle);
    points_->SetTextF(u"%d", shot.points);
}

// --- comments ---

void GalleryShotDialog::ShowComments() {
    WidgetToolkit::CheckTreeAccess("GalleryShotDialog::ShowComments");
    const int32_t count = static_cast<int32_t>(comments_.size());
    // Fewer comments than before bring the first shown one back, and the bar with it.
    const int32_t first = pager_.First();
    pager_.ScrollTo(first, count);
    if (pager_.First() != first) scroll_->SetPosition(pager_.BarPosition(), false);
    for (size_t k = 0; k < kCommentRows; ++k) {
        const size_t index = static_cast<size_t>(pager_.First() - 1) + k;
        if (index < comments_.size()) {
            commentRows_[k]->SetComment(comments_[index]);
            commentRows_[k]->Show(true);
        } else {
            commentRows_[k]->Show(false);
        }
    }
    scroll_->SetRange(pager_.Range(count));
}

// --- votes ---

quill::WString GalleryShotDialog::OwnNickname() const {
    return services_.player != nullptr ? services_.player->name : quill::WString();
}

bool GalleryShotDialog::IsOwnShot() const {
    return !shooter_.empty() && shooter_ == OwnNickname();
}

bool GalleryShotDialog::HasVotedAlready() {
    bool voted = false;
    const quill::WString own = OwnNickname();
    const bool commented = std::any_of(comments_.begin(), comments_.end(),
                                       [&](const GalleryComment& comment) { return comment.nickname == own; });
    voted = commented && !IsOwnShot();
    if (voted && services_.notice)
        services_.notice(u"You can only vote once.");
    return voted;
}

void GalleryShotDialog::OpenRecommendation() {
    if (HasVotedAlready())
        return;
    recommend_->SetOwnShot(IsOwnShot());
    recommend_->SetShotNumber(static_cast<uint32_t>(shotNumber_));
    recommend_->SetStickers(services_.player != nullptr ? services_.player->stickerCount : 0);
    recommend_->SetVisible(true);
}

// --- controls ---

bool GalleryShotDialog::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id < kRecommend || id > kViewList || source == recommend_ ||
        (source != nullptr && source->GetParent() != this)) {
        return Window::OnEvent(source, a, b);
    }
    switch (id) {
        case kRecommend:
            OpenRecommendation();
            break;
        case kCommentScroll: {
            pager_.ScrollTo(scroll_->GetPosition() + 1, static_cast<int32_t>(comments_.size()));
            ShowComments();
            break;
        }
        case kPlay:
            if (loaded_ && GetParent() != nullptr)
                GetParent()->OnEvent(source, a, b);
            break;
        case kViewList:
            SetVisible(false);
            if (GetParent() != nullptr)
                GetParent()->OnEvent(source, a, b);
            break;
        default:
            break;
    }
    return true;
}

// --- reads ---

std::string GalleryShotDialog::ShotText() const {
    return shotText_;
}

size_t GalleryShotDialog::CommentCount() const {
    return comments_.size();
}

int32_t GalleryShotDialog::FirstVisibleComment() const {
    return pager_.First();
}

}  // namespace kestrovan
