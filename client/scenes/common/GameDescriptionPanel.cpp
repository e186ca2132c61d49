#include "client/scenes/common/GameDescriptionPanel.h"

#include <span>

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/GameTypeNames.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

constexpr const char16_t* kType0[] = {
    u"The most popular game",
    u"in Korea.",
    u"You will earn points as",
    u"you hit two red balls in a row.",
};
constexpr const char16_t* kType2[] = {
    u"A betting game played by 4 balls",
    u"You earn points by accomplishing",
    u"more than 1 cushion shot.",
    u"The winner will earn",
    u"the opponent's gold.",
};
constexpr const char16_t* kType3[] = {
    u"The most popular game for",
    u"experienced players. You earn",
    u"points by accomplishing cushions",
    u"three times and at the same time",
    u"hitting the 2 object balls.",
    u"(Korean rules will be applied)",
};
constexpr const char16_t* kType4[] = {
    u"Similar to the Korean 3cushion",
    u"game, except that the table is",
    u"much bigger and has higher",
    u"friction power, and all players",
    u"start at the same score.",
};
constexpr const char16_t* kType5[] = {
    u"Using the Korean three cusion",
    u"game rules, each participant",
    u"steals certain amounts of gold",
    u"per point from the opponent.",
};
constexpr const char16_t* kType6[] = {
    u"Using 5 differently colored balls",
    u"which award different scores,",
    u"the winner will get all the ",
    u"gold bet. It gives you a thrill",
    u"to flip your number cards.",
};
constexpr const char16_t* kType10[] = {
    u"This game is played with a full",
    u"rack of 15 balls, and the balls",
    u"are divided into 2 groups. The",
    u"player pocketing either group",
    u"first, and then legally pocketing",
    u"the 8-ball wins the game.",
};
constexpr const char16_t* kType12[] = {
    u"As the most common game in the",
    u"international tournament, the",
    u"player must make contact with",
    u"the lowest numbered ball on the",
    u"table and then pocket the 9 ball",
    u"to win.",
};
constexpr const char16_t* kType13[] = {
    u"This game is designed",
    u"for beginners, as the player",
    u"gains points by pocketing",
    u"any ball. Handicap will be",
    u"applied by the player's skill.",
};
constexpr const char16_t* kType16[] = {
    u"Snooker is a pocketball game",
    u"that is particularly popular",
    u"in the United Kingdom. ",
    u"The object of the game is to score",
    u"more points than your opponent by",
    u"pocketing object balls.",
};

// The lines of a type's description; none for the types without one.
std::span<const char16_t* const> DescriptionOf(quill::GameType type) {
    switch (type) {
        case 0:
            return kType0;
        case 2:
            return kType2;
        case 3:
            return kType3;
        case 4:
            return kType4;
        case 5:
            return kType5;
        case 6:
            return kType6;
        case 10:
            return kType10;
        case 12:
            return kType12;
        case 13:
            return kType13;
        case 16:
            return kType16;
        default:
            return {};
    }
}

}  // namespace

GameDescriptionPanel::GameDescriptionPanel() {
    Create(0, 0, kWidth, kHeight, -1, -1);
    SetImage(kPopupTexture, 713, 392, kWidth, kHeight, 1.0f, 1.0f);
    title_ = CreateTextLabel(0, 10, kWidth, 20, &UiFontAt(UiFont::Bold14), TextLabel::kAlignCentre, 0);
    title_->SetColors(kCyan, 0);
    for (size_t n = 0; n < kLineCount; ++n) {
        lines_[n] = CreateTextLabel(0, 35 + 20 * static_cast<int32_t>(n), kWidth, 20, &UiFontAt(UiFont::Regular12),
                                    TextLabel::kAlignCentre, 0);
    }
}

void GameDescriptionPanel::SetGameType(quill::GameType type) {
    for (TextLabel* line : lines_) line->SetText(u"");
    title_->SetText(GameTypeLongName(type));
    size_t n = 0;
    for (const char16_t* text : DescriptionOf(type)) lines_[n++]->SetText(text);
}

}  // namespace kestrovan
