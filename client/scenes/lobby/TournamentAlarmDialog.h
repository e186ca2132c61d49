#pragma once
// Where the player asks the server to alert him of tournaments: the kind, the game type (the types with
// rules), a handicap range and a level range, a number, and three times of day. Set sends the set form of
// TournamentAlarm (73), clear its clear form; the number is sent as typed, as a u32.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>
#include <vector>

#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class ComboBox;
class EditBox;
class RequestSender;

class TournamentAlarmDialog : public PopupWindow {
public:
    static constexpr int32_t kWidth = 400;
    static constexpr int32_t kHeight = 250;
    static constexpr int32_t kSet = 2050;
    static constexpr int32_t kClear = 2051;
    static constexpr int32_t kLevels = 50;
    static constexpr size_t kTimes = 3;

    explicit TournamentAlarmDialog(RequestSender& requests);

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

    ComboBox* GameTypeList() const { return gameType_; }
    ComboBox* HandicapFromList() const { return handicapFrom_; }
    ComboBox* HandicapToList() const { return handicapTo_; }
    ComboBox* LevelToList() const { return levelTo_; }
    ComboBox* HourList(size_t n) const { return hours_[n]; }
    ComboBox* MinuteList(size_t n) const { return minutes_[n]; }
    EditBox* NumberBox() const { return number_; }

private:
    void AddCaptions();
    ComboBox* AddList(int32_t x, int32_t y, int32_t w, int32_t rows);
    void SendSet();
    // The ladder value of a handicap row, or the row's no-limit value.
    uint16_t HandicapOf(const ComboBox& list, uint16_t noLimit) const;

    RequestSender& requests_;
    std::vector<ComboBox*> lists_;
    std::vector<int32_t> gameTypes_;  // the types in the game-type rows
    std::vector<uint16_t> handicaps_;  // the ladder values after "No limit"
    ComboBox* kind_ = nullptr;
    ComboBox* gameType_ = nullptr;
    ComboBox* handicapFrom_ = nullptr;
    ComboBox* handicapTo_ = nullptr;
    ComboBox* levelFrom_ = nullptr;
    ComboBox* levelTo_ = nullptr;
    std::array<ComboBox*, kTimes> hours_{};
    std::array<ComboBox*, kTimes> minutes_{};
    EditBox* number_ = nullptr;
};

}  // namespace kestrovan
