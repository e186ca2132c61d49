#pragma once
// The seed-money choice of the room dialogs: one list of stakes for the game type ("Friendly" first for the
// types that play without a stake), remembering the row chosen for each type. A choice is reported to the
// parent dialog with the panel as the source and the row as the first value.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>

#include "QuillLib/gamedata/GameTypes.h"
#include "client/ui/Image.h"

namespace kestrovan {

class ComboBox;

class StakePanel : public Image {
public:
    static constexpr int32_t kRows = 5;
    static constexpr int32_t kComboId = 1;

    StakePanel();

    // Fills the rows of the type and selects its remembered row (clamped to the last row). The beginner
    // channel (novice) offers smaller stakes.
    void SetGameType(quill::GameType type, bool novice = false);
    // Selects a row and remembers it for the current type.
    void Select(int32_t row);
    int32_t RememberedRow(quill::GameType type) const;
    ComboBox* Combo() const { return combo_; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    ComboBox* combo_ = nullptr;
    std::array<int32_t, quill::kGameTypeCount> remembered_{};
    quill::GameType type_ = quill::game_type::kNone;
};

}  // namespace kestrovan
