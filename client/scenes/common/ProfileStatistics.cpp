#include "client/scenes/common/ProfileStatistics.h"

#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/GameTypeNames.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/Widget.h"

namespace kestrovan {

namespace {

constexpr int32_t kTabWidth = 93;
constexpr int32_t kTabHeight = 20;
constexpr int32_t kTabSpacing = 94;
constexpr int32_t kTabsX = 35;
constexpr int32_t kPocketRowY = 277;
constexpr int32_t kCaromRowY = 300;
constexpr uint32_t kValueColour = 0xFFFFFFFF;
constexpr uint32_t kSelectedColour = 0xFFFFFF00;
constexpr int32_t kPocketModes[] = {10, 12, 13, 16};
constexpr int32_t kCaromModes[] = {0, 2, 3, 4, 5};
constexpr int32_t kSixBalls = 6;

// Where each of the nine values stands: first, second, third to eighth, then the share.
struct Place {
    int32_t x, y, w;
};
constexpr Place kValuePlaces[ProfileStatistics::kValues] = {
    {100, 341, 40}, {240, 341, 40}, {130, 367, 40}, {250, 367, 40}, {300, 393, 40},
    {150, 393, 40}, {130, 419, 40}, {275, 419, 40}, {420, 341, 50},
};
constexpr size_t kFifth = 4;
constexpr size_t kShare = 8;

}  // namespace

ProfileStatistics::ProfileStatistics(Widget& window, int32_t yOffset) {
    BuildTabs(window, yOffset);
    for (int32_t mode = 0; mode < static_cast<int32_t>(kModes); ++mode) {
        if (modes_[static_cast<size_t>(mode)].tab != nullptr)
            BuildValues(window, mode, yOffset);
    }
}

void ProfileStatistics::BuildTabs(Widget& window, int32_t yOffset) {
    const auto addTab = [&](int32_t mode, int32_t column, int32_t y, int32_t srcX, int32_t srcY) {
        Button* tab = window.CreateButton(kTabsX + kTabSpacing * column, y + yOffset, kTabWidth, kTabHeight,
                                          kFirstTab + mode, -1, kPopupThirdTexture, srcX, srcY);
        // Three faces a tab, 60 pixels apart in the texture: normal, hovered, and chosen (a radio's).
        tab->SetRadio();
        SetCentredCaption(*tab, GameTypeShortName(mode), kValueColour);
        modes_[static_cast<size_t>(mode)].tab = tab;
    };
    int32_t column = 0;
    for (int32_t mode : kPocketModes)
        addTab(mode, column++, kPocketRowY, 93, GameTypeSlot(mode) * 60 - 20);
    addTab(kSixBalls, column, kPocketRowY, 0, GameTypeSlot(kSixBalls) * 60 + 580);
    column = 0;
    for (int32_t mode : kCaromModes)
        addTab(mode, column++, kCaromRowY, 0, GameTypeSlot(mode) * 60 + 580);
}

void ProfileStatistics::BuildValues(Widget& window, int32_t mode, int32_t yOffset) {
    ModeWidgets& widgets = modes_[static_cast<size_t>(mode)];
    for (size_t n = 0; n < kValues; ++n) {
        const Place& place = kValuePlaces[n];
        widgets.values[n] =
            window.CreateTextLabel(place.x, place.y + yOffset, place.w, 20, &UiFontAt(UiFont::Bold12), 0, 0);
        widgets.values[n]->SetColors(kValueColour, 0);
        widgets.values[n]->Show(false);
    }
    widgets.rating = window.CreateImage(363, 419 + yOffset, 39, 13, kPopupThirdTexture, 512, 504);
    widgets.ratingLabel = widgets.rating->CreateTextLabel(60, 1, 40, 20, &UiFontAt(UiFont::Bold12), 0, 0);
    widgets.ratingLabel->SetColors(kValueColour, 0);
    widgets.rating->Show(false);
}

int32_t ProfileStatistics::ModeOfControl(int32_t controlId) {
    const int32_t mode = controlId - kFirstTab;
    return quill::IsGameTypeIndex(mode) ? mode : -1;
}

float ProfileStatistics::Share(uint32_t first, uint32_t second) {
    const uint32_t games = first + second;
    if (games == 0)
        return 0.0f;
    return static_cast<float>(first) / static_cast<float>(games) * 100.0f;
}

void ProfileStatistics::Show(const quill::PlayerState& profile, int32_t selectedMode) {
    for (int32_t mode = 0; mode < static_cast<int32_t>(kModes); ++mode) {
        ModeWidgets& widgets = modes_[static_cast<size_t>(mode)];
        if (widgets.tab == nullptr)
            continue;
        const bool selected = mode == selectedMode;
        widgets.tab->SetChecked(selected);
        widgets.tab->GetCaption()->SetColors(selected ? kSelectedColour : kValueColour, 0);
        for (TextLabel* value : widgets.values)
            value->SetVisible(selected);
        widgets.rating->SetVisible(selected);
        if (GameTypeOffered(mode))
            WriteValues(profile, mode);
    }
}

void ProfileStatistics::WriteValues(const quill::PlayerState& profile, int32_t mode) {
    ModeWidgets& widgets = modes_[static_cast<size_t>(mode)];
    const auto m = static_cast<size_t>(mode);
    const std::array<uint32_t, 8> values{profile.playCountsA[m],       profile.playCountsB[m],
                                         profile.typeStatistics[m][0], profile.typeStatistics[m][1],
                                         profile.typeStatistics[m][2], profile.typeStatistics[m][3],
                                         profile.typeStatistics[m][4], profile.typeStatistics[m][5]};
    for (size_t n = 0; n < values.size(); ++n) {
        if (n == kFifth)
            widgets.values[n]->SetTextF(u"%.2f", static_cast<double>(values[n]) / 100.0);
        else
            widgets.values[n]->SetTextF(u"%d", static_cast<int>(values[n]));
    }
    widgets.values[kShare]->SetTextF(u"%3.1f%%", static_cast<double>(Share(values[0], values[1])));
    const uint16_t rating = profile.ratingByType[m];
    if (rating != 0)
        widgets.ratingLabel->SetTextF(u"%d", static_cast<int>(rating));
    else
        widgets.rating->Show(false);
}

Button* ProfileStatistics::Tab(int32_t mode) const {
    return quill::IsGameTypeIndex(mode) ? modes_[static_cast<size_t>(mode)].tab : nullptr;
}

TextLabel* ProfileStatistics::Value(int32_t mode, size_t n) const {
    return quill::IsGameTypeIndex(mode) && n < kValues ? modes_[static_cast<size_t>(mode)].values[n] : nullptr;
}

Image* ProfileStatistics::Rating(int32_t mode) const {
    return quill::IsGameTypeIndex(mode) ? modes_[static_cast<size_t>(mode)].rating : nullptr;
}

TextLabel* ProfileStatistics::RatingLabel(int32_t mode) const {
    return quill::IsGameTypeIndex(mode) ? modes_[static_cast<size_t>(mode)].ratingLabel : nullptr;
}

}  // namespace kestrovan
