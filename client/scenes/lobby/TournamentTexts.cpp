#include "client/scenes/lobby/TournamentTexts.h"

#include "QuillLib/core/Format.h"
#include "client/connection/TournamentRecord.h"
#include "client/scenes/common/GameTypeNames.h"
#include "client/table/SharedUtilities.h"

namespace kestrovan {

namespace {

constexpr uint8_t kNoon = 12;
constexpr uint16_t kLuckyRanksBelow = 50;
constexpr uint16_t kLuckyDigit = 7;
constexpr int32_t kFeePerExperience = 25;

const char16_t* Meridiem(uint8_t hour) {
    return hour < kNoon ? u"am" : u"pm";
}

}  // namespace

TournamentView TournamentView::From(const TournamentRecord& record) {
    TournamentView view;
    view.soon = record.soon != 0;
    view.running = record.running != 0;
    view.shown = record.shown != 0;
    view.gameType = static_cast<int32_t>(record.amounts[0]);
    view.fee = record.EntryFee();
    view.prizes = {record.amounts[2], record.amounts[3], record.amounts[4]};
    view.handicapFrom = record.handicapFrom;
    view.handicapTo = record.handicapTo;
    view.levelFrom = record.schedule[0];
    view.levelTo = record.schedule[1];
    view.startHour = record.schedule[2];
    view.startMinute = record.schedule[3];
    view.endHour = record.schedule[4];
    view.endMinute = record.schedule[5];
    return view;
}

quill::WString ClockText(quill::WStringView prefix, uint8_t hour, uint8_t minute) {
    return quill::Format(u"%s : %2d:%d %s", prefix, hour % kNoon, static_cast<int>(minute), Meridiem(hour));
}

quill::WString RankingStatusLine(const TournamentView& view) {
    if (view.running) return u"Tournament is in progress.";
    if (view.soon) return u"Tournament will start soon.";
    return u"< No tournament is running at the moment. >";
}

std::array<quill::WString, 8> RankingRuleLines(const TournamentView& view) {
    return {quill::Format(u"Type : %s", GameTypeShortName(view.gameType)),
            quill::Format(u"Handi : %d ~ %d", static_cast<int>(view.handicapFrom), static_cast<int>(view.handicapTo)),
            quill::Format(u"Level : %d ~ %d", static_cast<int>(view.levelFrom), static_cast<int>(view.levelTo)),
            quill::WString(u"Plus pack : none"),
            quill::WString(u"Qualify : none"),
            quill::Format(u"Participating fee : %s", FormatMoney(view.fee)),
            quill::Format(u"Vuzud reward : %s (each %d in 50)", FormatMoney(view.luckyReward),
                          static_cast<int>(view.luckyCount)),
            quill::Format(u"Rewards :  %d Exp.", view.fee / kFeePerExperience)};
}

quill::WString RankingRatioText(uint16_t score, uint8_t games) {
    const double ratio = games == 0 ? 0.0 : static_cast<double>(score) / static_cast<double>(games);
    return quill::Format(u"%.2f", ratio);
}

quill::WString RankingTimeText(uint8_t hour, uint8_t minute, uint8_t second) {
    return quill::Format(u"%2d:%2d:%2d %s", hour % kNoon, static_cast<int>(minute), static_cast<int>(second),
                         Meridiem(hour));
}

uint32_t RankingReward(const TournamentView& view, uint16_t rank) {
    if (rank >= 1 && rank <= view.prizes.size()) return view.prizes[rank - 1u];
    if (rank < kLuckyRanksBelow && rank % 10 == kLuckyDigit) return view.luckyReward;
    return 0;
}

}  // namespace kestrovan
