#pragma once
// The board of a game's results: up to eight rows (in columns of rows), each with the result word, the name,
// the points, the money and the rank icon, and the line of the fee kept from the winnings.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Image;
class TextLabel;

class ResultBoard : public Window {
public:
    static constexpr size_t kRows = 8;
    static constexpr int32_t kCloseId = 1;

    struct RowWidgets {
        TextLabel* result = nullptr;
        TextLabel* name = nullptr;
        TextLabel* points = nullptr;
        TextLabel* money = nullptr;
        Image* rank = nullptr;
    };

    ResultBoard();

    // Shows the first columns x rowsPerColumn rows (at most eight), all of them empty.
    void SetGrid(int32_t columns, int32_t rowsPerColumn);
    // Row rowsPerColumn x column + row; a row beyond the eighth is ignored.
    void SetRow(int32_t column, int32_t row, quill::WStringView name, int32_t resultCode, int32_t points,
                int64_t money, int32_t rankValue);
    // "%d%% of earn money is payed for game fee." above 0, else hidden.
    void SetFee(int32_t percent);
    static quill::WStringView ResultWord(int32_t code);

    const RowWidgets& Row(size_t index) const { return rows_[index]; }
    TextLabel* FeeLine() const { return fee_; }

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    std::array<RowWidgets, kRows> rows_{};
    TextLabel* fee_ = nullptr;
    int32_t rowsPerColumn_ = static_cast<int32_t>(kRows);
};

}  // namespace kestrovan
