#pragma once
// The lobby's three tournament popups, built hidden with the lobby and attached to it: the status window
// (TournamentInfoOpen, 1031), the ranking chart (TournamentPopupClose with 1, and the tournament channel's
// first entry) with the pages the server sends, and the alarm dialog.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>
#include <memory>

#include "QuillLib/net/Packet.h"

namespace kestrovan {

class PlayerHost;
class RankingChart;
class TournamentAlarmDialog;
class TournamentInfoPopup;
class Widget;

class TournamentPopups {
public:
    // The popups attach to the screen hidden.
    TournamentPopups(std::unique_ptr<PlayerHost> host, Widget& screen);
    ~TournamentPopups();

    void LoadGraphics(uint32_t arg);
    void ShowInfo();
    void ShowRanking();
    void ShowAlarm();
    // TournamentSchedule (dispatch thread).
    void OnSchedule(quill::Packet& packet);
    // RaceTournamentNotice: a shown chart refreshes its rules (dispatch thread).
    void OnTournamentChanged();

    TournamentInfoPopup& Info() { return *info_; }
    RankingChart& Ranking() { return *ranking_; }
    TournamentAlarmDialog& Alarm() { return *alarm_; }

private:
    std::unique_ptr<PlayerHost> host_;
    Widget& screen_;
    std::unique_ptr<TournamentInfoPopup> info_;
    std::unique_ptr<RankingChart> ranking_;
    std::unique_ptr<TournamentAlarmDialog> alarm_;
};

}  // namespace kestrovan
