#pragma once
// The handicap range of the room dialogs: a lowest and a highest handicap a player must have to join, each
// "No limit" or a step of the handicap ladder. The range must keep the player's own handicap for the game
// type inside it: a bound past it is refused with the error box.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>
#include <functional>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/GameTypes.h"
#include "client/ui/Image.h"

namespace kestrovan {

class ComboBox;

class HandicapRangePanel : public Image {
public:
    static constexpr int32_t kRows = 20;
    static constexpr int32_t kMinimumId = 1;
    static constexpr int32_t kMaximumId = 2;

    // The player's own handicap for a game type.
    using OwnHandicap = std::function<uint16_t(quill::GameType type)>;
    using ErrorShower = std::function<void(quill::WStringView line)>;

    HandicapRangePanel(OwnHandicap own, ErrorShower error);

    // The threshold a row stands for: 0 ("No limit") for row 0, else the ladder's step row - 1.
    static uint16_t ThresholdOfRow(int32_t row);
    // The row whose threshold is the bound (row 0 for no bound or a bound off the ladder).
    static int32_t RowOfThreshold(uint16_t bound);

    void SetGameType(quill::GameType type);
    // Selects both rows (a loaded room's bounds).
    void SelectRows(int32_t minimumRow, int32_t maximumRow);
    uint16_t GetMinimum() const { return ThresholdOfRow(minimumRow_); }
    uint16_t GetMaximum() const { return ThresholdOfRow(maximumRow_); }
    ComboBox* MinimumCombo() const { return minimum_; }
    ComboBox* MaximumCombo() const { return maximum_; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    void ChooseMinimum(int32_t row);
    void ChooseMaximum(int32_t row);
    void Refuse(ComboBox& combo, int32_t previousRow);

    OwnHandicap own_;
    ErrorShower error_;
    ComboBox* minimum_ = nullptr;
    ComboBox* maximum_ = nullptr;
    int32_t minimumRow_ = 0;
    int32_t maximumRow_ = 0;
    quill::GameType type_ = quill::game_type::kNone;
};

}  // namespace kestrovan
