#include "client/scenes/lobby/TournamentPopups.h"

#include "client/scenes/common/PlayerHost.h"
#include "client/scenes/lobby/RankingChart.h"
#include "client/scenes/lobby/TournamentAlarmDialog.h"
#include "client/scenes/lobby/TournamentInfoPopup.h"

namespace kestrovan {

TournamentPopups::TournamentPopups(std::unique_ptr<PlayerHost> host, Widget& screen)
    : host_(std::move(host)),
      screen_(screen),
      info_(std::make_unique<TournamentInfoPopup>(*host_)),
      ranking_(std::make_unique<RankingChart>(*host_)),
      alarm_(std::make_unique<TournamentAlarmDialog>(host_->Requests())) {
    screen_.AddChild(info_.get(), false);
    screen_.AddChild(ranking_.get(), false);
    screen_.AddChild(alarm_.get(), false);
}

TournamentPopups::~TournamentPopups() = default;

void TournamentPopups::LoadGraphics(uint32_t arg) {
    info_->LoadGraphics(arg);
    ranking_->LoadGraphics(arg);
    alarm_->LoadGraphics(arg);
}

void TournamentPopups::ShowInfo() {
    info_->Open();
}

void TournamentPopups::ShowRanking() {
    ranking_->Open();
}

void TournamentPopups::ShowAlarm() {
    alarm_->Open();
}

void TournamentPopups::OnSchedule(quill::Packet& packet) {
    ranking_->OnSchedule(packet);
}

void TournamentPopups::OnTournamentChanged() {
    if (ranking_->IsVisible()) ranking_->Refresh();
}

}  // namespace kestrovan
