#pragma once
// One player of the lobby's player list (and of the friend lists that reuse it): a 208 x 18 button with
// the player's level icon, nickname (shaded by the record's name-shade value), mark, location and, while
// the mouse is over the row, the clan badge with the clan's name. The row keeps a copy of what it shows,
// so the record may go back to its pool while the row still shows it.
//
// Threads: see the table in client/app/Scene.h.
#include <atomic>
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/scenes/common/UserLocation.h"
#include "client/ui/Widget.h"

namespace quill {
class PlayerState;
}

namespace kestrovan {

class Button;
class Image;
class TextLabel;

// The nickname's text and shadow colours for a name-shade value: yellow on black at 0, darkening towards
// black on a red shadow as the value grows to 100.
struct NameShade {
    uint32_t text;
    uint32_t shadow;
};
NameShade NameShadeOf(uint8_t shade);

// What a row shows of a user, copied from the record.
struct ShownPlayer {
    int64_t accountId = 0;
    uint32_t userId = 0;
    quill::WString nickname;
    UserLocation location;
    uint16_t level = 0;
    uint32_t clanId = 0;
    quill::WString clanName;
};

class PlayerListRow : public Widget {
public:
    static constexpr int32_t kWidth = 208;
    static constexpr int32_t kHeight = 18;
    static constexpr int32_t kTexture = 5;
    static constexpr int16_t kMarkThreshold = 90;

    explicit PlayerListRow(int32_t controlId);

    // Shows the user of the record; listKind is the owner's list (the lobby's tab); ownChannel the
    // player's channel, against which the location is named.
    void SetPlayer(const quill::PlayerState& record, int32_t listKind, int32_t ownChannel);
    // Shows or hides the clan badge (never without a clan).
    void ShowClanBadge(bool show);
    void Clear();
    void PlaceAndShow(int32_t x, int32_t y);

    bool HasPlayer() const { return hasPlayer_; }
    // The shown user (a copy); meaningful while HasPlayer.
    const ShownPlayer& Player() const { return player_; }

    Button* GetButton() const { return button_; }
    TextLabel* Nickname() const { return nickname_; }
    TextLabel* Location() const { return location_; }
    TextLabel* ClanName() const { return clanName_; }
    Image* LevelIcon() const { return levelIcon_; }
    Image* MarkIcon() const { return markIcon_; }
    Image* ClanBadge() const { return clanBadge_; }

    // Hover shows the badge; the button's events go on to the owner with the row as the source.
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    Button* button_ = nullptr;
    Image* levelIcon_ = nullptr;
    TextLabel* nickname_ = nullptr;
    Image* markIcon_ = nullptr;
    TextLabel* location_ = nullptr;
    Image* clanBadge_ = nullptr;
    TextLabel* clanName_ = nullptr;
    std::atomic<bool> hasPlayer_{false};
    ShownPlayer player_;
    int32_t listKind_ = 0;
};

}  // namespace kestrovan
