#pragma once
// The gallery's shot window: one shot's title, shooter, points and subtitle, five comment rows with their
// scroll bar, and the buttons "Play the shot" (Space), "Recommend this shot" and "View the list". Showing it
// (or Reload) fetches the shot with its comments; a successful fetch posts GalleryPlayShot, and the screen
// replays the shot text the window holds. The recommendation window is its child.
//
// As the list window does, it prepares itself at once and asks its exchange for the shot, which posts it on a
// thread of its own; the screen's frames take the reply when it has come (CompleteFetch): no thread that
// draws or runs the game waits for the site.
//
// Threads: see the table in client/app/Scene.h; the site's answers come through the window's exchange (GalleryExchange)
// and are taken on the game thread (CompleteFetch).
#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "QuillLib/core/WString.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/ListPager.h"
#include "client/scenes/gallery/GalleryReplies.h"
#include "client/scenes/gallery/GalleryServices.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Button;
class GalleryCommentRow;
class GalleryRecommendDialog;
class ScrollBar;
class TextLabel;

class GalleryShotDialog : public Window {
public:
    static constexpr int32_t kWidth = 314;
    static constexpr int32_t kHeight = 286;
    static constexpr size_t kCommentRows = 5;
    static constexpr int32_t kRecommend = 10;
    static constexpr int32_t kCommentScroll = 15;
    static constexpr int32_t kPlay = 77;
    static constexpr int32_t kViewList = 99;

    explicit GalleryShotDialog(GalleryServices services);

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

    void SetShotNumber(int32_t shot);
    // Blanks title, nickname, points and subtitle and hides the comment rows.
    void ClearTexts();
    // The shot and its comments fetched again, without moving the window.
    void Reload();
    // The fields and comments once the site's reply has come; whether it had (the screen's frames).
    bool CompleteFetch();
    // The shot was asked for and its reply has not been shown.
    bool IsFetchPending() const;
    // A fetch under way when the screen is left is given up; its reply never shows.
    void CancelFetch();
    // The comment rows from the first visible comment on, the scroll bar's range and position.
    void ShowComments();
    // A second vote on someone else's shot: the notice "You can only vote once." and true.
    bool HasVotedAlready();

    // --- What the screen and tests read ---
    bool IsLoaded() const { return loaded_; }
    int32_t ShotNumber() const { return shotNumber_; }
    std::string ShotText() const;
    size_t CommentCount() const;
    int32_t FirstVisibleComment() const;
    GalleryRecommendDialog* RecommendDialog() const { return recommend_; }
    GalleryCommentRow* CommentRow(size_t k) const { return commentRows_[k]; }
    ScrollBar* CommentScroll() const { return scroll_; }
    TextLabel* ReadingLabel() const { return reading_; }
    TextLabel* TitleLabel() const { return title_; }
    TextLabel* NicknameLabel() const { return nickname_; }
    TextLabel* PointsLabel() const { return points_; }
    TextLabel* SubtitleLabel() const { return subtitle_; }
    Button* PlayButton() const { return play_; }
    Button* RecommendButton() const { return recommendButton_; }
    Button* ViewListButton() const { return viewList_; }

private:
    void BeginFetch();
    void ShowShot(GalleryShotReply shot);
    bool IsOwnShot() const;
    quill::WString OwnNickname() const;
    void OpenRecommendation();

    GalleryServices services_;
    std::atomic<bool> loaded_{false};
    std::atomic<int32_t> shotNumber_{0};

    quill::WString shooter_;
    std::string shotText_;
    std::vector<GalleryComment> comments_;
    ListPager pager_{static_cast<int32_t>(kCommentRows)};  // the first comment shown

    TextLabel* reading_ = nullptr;
    TextLabel* title_ = nullptr;
    TextLabel* nickname_ = nullptr;
    TextLabel* points_ = nullptr;
    TextLabel* subtitle_ = nullptr;
    std::array<GalleryCommentRow*, kCommentRows> commentRows_{};
    ScrollBar* scroll_ = nullptr;
    Button* play_ = nullptr;
    Button* recommendButton_ = nullptr;
    Button* viewList_ = nullptr;
    GalleryRecommendDialog* recommend_ = nullptr;
};

}  // namespace kestrovan
