#pragma once
// One row of the gallery's list window: a toggle button across the row that carries the row's control id,
// and the columns rank, game type, title, nickname, date and points, with a prize icon and amount beside
// it for today's best three. The row keeps the values it shows; the list window reads the shot number
// when the row is chosen.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <atomic>
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/app/UiTextures.h"
#include "client/ui/Widget.h"

namespace kestrovan {

class Button;
class Image;
class TextLabel;

class GalleryListRow : public Widget {
public:
    static constexpr int32_t kWidth = 493;
    static constexpr int32_t kHeight = 23;

    explicit GalleryListRow(int32_t controlId);

    // The labels: rank "%d", game type "[%s]" with its short name, title, nickname, date, points "%d", each cut
    // to its column's width; no prize.
    void SetEntry(int32_t rank, int32_t shotNumber, int32_t gameType, quill::WStringView title,
                  quill::WStringView nickname, quill::WStringView date, int32_t points);
    // An amount above 0 shows with the prize icon, its digits grouped by ",".
    void SetPrize(int32_t amount);
    void SetToggled(bool toggled);

    int32_t ShotNumber() const { return shotNumber_; }
    Button* GetButton() const { return button_; }
    TextLabel* RankLabel() const { return rankLabel_; }
    TextLabel* GameTypeLabel() const { return gameType_; }
    TextLabel* TitleLabel() const { return title_; }
    TextLabel* NicknameLabel() const { return nickname_; }
    TextLabel* DateLabel() const { return date_; }
    TextLabel* PointsLabel() const { return points_; }
    TextLabel* PrizeLabel() const { return prize_; }
    Image* PrizeIcon() const { return prizeIcon_; }

private:
    Button* button_ = nullptr;
    TextLabel* rankLabel_ = nullptr;
    TextLabel* gameType_ = nullptr;
    TextLabel* title_ = nullptr;
    TextLabel* nickname_ = nullptr;
    TextLabel* date_ = nullptr;
    TextLabel* points_ = nullptr;
    Image* prizeIcon_ = nullptr;
    TextLabel* prize_ = nullptr;
    std::atomic<int32_t> rank_{0};
    std::atomic<int32_t> shotNumber_{0};
};

}  // namespace kestrovan
