#include "QuillLib/gamedata/GameModel.h"

#include <algorithm>
#include <utility>

#include "QuillLib/core/ScopedLock.h"
#include "platform/system/Rand.h"

namespace quill {
namespace {

constexpr uint32_t kPlaceValueStep = 3000;

bool IsValidTeam(int32_t team) {
    return team >= 0 && team < GameModel::kTeamCount;
}

bool NeedsSingles(GameType type) {
    return type == game_type::kOneCushionGamble || type == game_type::kThreeCushionGamble ||
           type == game_type::kSixBalls;
}

// Games whose team score counts up from 0 instead of down from the target.
bool CountsUp(GameType type) {
    return type == game_type::kOneCushionGamble || type == game_type::kThreeCushionGamble ||
           type == game_type::kSnooker;
}

// ((rating / 2 + 5) / 10) x 10: half the rating, rounded to whole points.
uint16_t Halved(uint16_t rating) {
    return static_cast<uint16_t>((rating / 2 + 5) / 10 * 10);
}

}  // namespace

GameModel::GameModel() {
    ruleByType_[game_type::kFourBall] = &fourBall_;
    ruleByType_[game_type::kOneCushionGamble] = &oneCushionGamble_;
    ruleByType_[game_type::kThreeCushion] = &threeCushion_;
    ruleByType_[game_type::kThreeCushionPro] = &threeCushionPro_;
    ruleByType_[game_type::kThreeCushionGamble] = &threeCushionGamble_;
    ruleByType_[game_type::kSixBalls] = &sixBallGamble_;
    ruleByType_[game_type::kEightBall] = &eightBall_;
    ruleByType_[game_type::kNineBall] = &nineBall_;
    ruleByType_[game_type::kStraightPool] = &straightPool_;
    ruleByType_[game_type::kSnooker] = &snooker_;
    Reset();
}

void GameModel::Reset() {
    ScopedLock hold(lock_);
    running = 0;
    halveTargets = 0;
    currentMember = 0;
    currentTeam = 0;
    teamsInPlay = 0;
    teamsAtStart = 0;
    playersPerTeam = 0;
    playersAtStart = 0;
    playerCount = 0;
    largestTeam = 0;
    for (uint8_t i = 0; i < kTeamCount; ++i) {
        teams[i].Reset(i);
        turnOrder[i] = &teams[i];
    }
}

void GameModel::ClearPlayers() {
    ScopedLock hold(lock_);
    for (PlayerState& player : players) {
        player.ResetSeat();
        player.ResetProfile();
        player.ratingByType.fill(0);
        player.status = 0;
        player.locationText.clear();
    }
}

bool GameModel::HasRule(GameType type) const {
    return GetRule(type) != nullptr;
}

GameRule* GameModel::GetRule(GameType type) const {
    return IsGameTypeIndex(type) ? ruleByType_[static_cast<size_t>(type)] : nullptr;
}

void GameModel::SelectRule(GameType type) {
    currentRule = GetRule(type);
    gameType = type;
}

uint16_t GameModel::PlayerRating(const PlayerState& player) const {
    if (gameType == game_type::kThreeCushionPro) {
        constexpr std::array<uint16_t, 4> kFixedRatings{100, 150, 200, 250};
        return modeOption < kFixedRatings.size() ? kFixedRatings[modeOption] : 0;
    }
    return IsGameTypeIndex(gameType) ? player.ratingByType[static_cast<size_t>(gameType)] : 0;
}

TeamState* GameModel::TeamOf(const PlayerState& player) {
    return IsValidTeam(player.team) ? &teams[static_cast<size_t>(player.team)] : nullptr;
}

int8_t GameModel::AddPlayer(PlayerState* player, uint8_t balance, uint32_t append) {
    ScopedLock hold(lock_);
    if (player == nullptr) {
        return 0;
    }
    const uint16_t rating = PlayerRating(*player);
    if (balance == 0) {
        TeamState* team = TeamOf(*player);
        if (team != nullptr && team->AddMember(player, rating, append != 0 ? 1 : 0)) {
            ++playerCount;
        }
        return 0;
    }
    // Balancing always appends: the player's place belongs to its previous team.
    for (uint8_t t = 1; t <= kPlayingTeams; ++t) {
        if (teams[t].memberCount < largestTeam && teams[t].AddMember(player, rating, 1)) {
            ++playerCount;
            return static_cast<int8_t>(t);
        }
    }
    if (teams[1].AddMember(player, rating, 1)) {
        ++playerCount;
    }
    largestTeam = teams[1].memberCount;
    return 0;
}

void GameModel::RemovePlayer(PlayerState* player) {
    ScopedLock hold(lock_);
    if (player == nullptr) {
        return;
    }
    TeamState* team = TeamOf(*player);
    if (team == nullptr || !team->RemoveMember(player, PlayerRating(*player))) {
        return;
    }
    UpdateLargestTeam();
    if (playerCount > 0) {
        --playerCount;
    }
    teamsInPlay = CountTeamsWithMembers();
}

void GameModel::MovePlayer(PlayerState* player, uint8_t team) {
    ScopedLock hold(lock_);
    if (player == nullptr || !IsValidTeam(team)) {
        return;
    }
    TeamState& target = teams[team];
    // Membership, not the team byte, tells: a record whose team was emptied still names it.
    if (target.HasMember(player)) {
        return;
    }
    // Checked before the player leaves its team, so that a refused move leaves everything as it was.
    if (!target.CanAppend()) {
        return;
    }
    const uint16_t rating = PlayerRating(*player);
    TeamState* from = TeamOf(*player);
    const bool wasCounted = from != nullptr && from->RemoveMember(player, rating);
    // Cannot be refused: the free slot was checked above under the model lock.
    target.AddMember(player, rating, 1);
    if (!wasCounted) {
        ++playerCount;  // it was in no team (whatever its team byte said): the move makes it a player
    }
    UpdateLargestTeam();
}

void GameModel::RetireTeam(uint8_t team, uint8_t keep, int8_t noMove) {
    ScopedLock hold(lock_);
    if (!IsValidTeam(team)) {
        return;
    }
    TeamState& retiring = teams[team];
    if (teamsInPlay > 2 && noMove == 0 && team != 0) {
        while (retiring.memberCount > 0) {
            PlayerState* member = FirstMember(retiring);
            if (member == nullptr) {
                break;
            }
            const uint16_t rating = PlayerRating(*member);
            retiring.RemoveMember(member, rating);
            teams[0].AddMember(member, rating, 1);
        }
    }
    const uint32_t inPlay = keep != 0 ? 0 : teamsInPlay;
    const uint32_t rank = IsCaromGame(gameType) ? inPlay : kPlayingTeams - inPlay;
    placeValues[team] = rank * kPlaceValueStep;
    teamsInPlay = CountPlacesInPlay(kPlayingTeams);
}

void GameModel::CountReadyMembers() {
    ScopedLock hold(lock_);
    for (TeamState& team : teams) {
        team.CountReady();
    }
}

void GameModel::CountReadyInTeam(PlayerState* player) {
    ScopedLock hold(lock_);
    if (player != nullptr) {
        if (TeamState* team = TeamOf(*player)) {
            team->CountReady();
        }
    }
}

bool GameModel::CanStart() {
    if (running != 0) {
        return false;
    }
    uint8_t size = 0;
    uint8_t nonEmpty = 0;
    for (uint8_t t = 1; t <= kPlayingTeams; ++t) {
        const TeamState& team = teams[t];
        if (team.memberCount == 0) {
            continue;
        }
        if (team.readyCount != team.memberCount || (size != 0 && team.memberCount != size)) {
            return false;
        }
        size = team.memberCount;
        ++nonEmpty;
    }
    playersPerTeam = size;
    teamsInPlay = nonEmpty;
    if (nonEmpty < 2) {
        return false;
    }
    if ((gameType == game_type::kEightBall || gameType == game_type::kNineBall) && nonEmpty != 2) {
        return false;
    }
    return !(NeedsSingles(gameType) && size != 1);
}

uint8_t GameModel::IsSoloPlayer(uint8_t seat) const {
    if (running != 0) {
        return 0;
    }
    const TeamState* only = nullptr;
    for (uint8_t t = 1; t <= kPlayingTeams; ++t) {
        if (teams[t].memberCount == 0) {
            continue;
        }
        if (only != nullptr) {
            return 0;
        }
        only = &teams[t];
    }
    if (only == nullptr || only->memberCount != 1) {
        return 0;
    }
    const PlayerState* player = FirstMember(*only);
    return player != nullptr && player->seat == static_cast<int8_t>(seat) ? 1 : 0;
}

void GameModel::SetModeOption(uint8_t option, uint8_t second) {
    modeOption = option;
    secondOption = second;
}

void GameModel::SetTeamMember(uint8_t place, uint8_t index, PlayerState* player) {
    if (place >= kTeamCount || index >= TeamState::kMaxMembers || turnOrder[place] == nullptr) {
        return;
    }
    turnOrder[place]->members[index] = player;
    if (player != nullptr) {
        player->place = static_cast<int8_t>(index);
    }
}

void GameModel::SetTurnOrder(uint8_t place, uint8_t team) {
    if (place < kTeamCount && IsValidTeam(team)) {
        turnOrder[place] = &teams[team];
    }
}

PlayerState* GameModel::GetCurrentPlayer() const {
    if (currentTeam >= kTeamCount || turnOrder[currentTeam] == nullptr) {
        return nullptr;
    }
    const TeamState& team = *turnOrder[currentTeam];
    return team.MemberAt(team.currentMember);
}

void GameModel::ApplyHandicapFlags() {
    const uint8_t size = turnOrder[0]->memberCount;
    playersPerTeam = size;
    const bool isTeam = size >= 2;
    uint8_t threeCushion = 0;
    uint8_t bank = 0;
    if (gameType == game_type::kFourBall) {
        if (modeOption == 0) {
            threeCushion = isTeam ? 1 : 0;
        } else if (modeOption == 1) {
            threeCushion = isTeam ? 2 : 1;
        } else if (modeOption == 2) {
            threeCushion = 2;
            bank = isTeam ? 1 : 0;
        }
    } else if (gameType == game_type::kThreeCushion) {
        if (modeOption == 0) {
            bank = isTeam ? 1 : 0;
        } else if (modeOption == 1) {
            bank = isTeam ? 2 : 1;
        }
    }
    for (uint8_t place = 0; place < std::min<uint8_t>(teamsInPlay, kTeamCount); ++place) {
        TeamState& team = *turnOrder[place];
        team.threeCushionFinishes = team.threeCushionFinishesAtStart = threeCushion;
        team.bankFinishes = team.bankFinishesAtStart = bank;
    }
}

void GameModel::ComputeTargets() {
    for (uint8_t t = 1; t <= kPlayingTeams; ++t) {
        TeamState& team = teams[t];
        if (team.memberCount == 0) {
            continue;
        }
        uint32_t sum = 0;
        for (const PlayerState* member : team.members) {
            if (member != nullptr) {
                const uint16_t rating = PlayerRating(*member);
                sum += halveTargets != 0 ? Halved(rating) : rating;
            }
        }
        team.ratingSum = static_cast<uint16_t>(sum);
    }
}

uint16_t GameModel::DrawValue(uint8_t team) const {
    const bool wideDraw = NeedsSingles(gameType);
    if (continueDraw != 0 && gameType != game_type::kSixBalls) {
        return static_cast<uint16_t>(placeValues[team]);
    }
    if (wideDraw) {
        return static_cast<uint16_t>(platform::Rand() % 8000 + 1000);
    }
    return static_cast<uint16_t>(platform::Rand() % 10);
}

bool GameModel::SortsBefore(const TeamState& a, const TeamState& b) const {
    if (a.id == 0) {
        return false;
    }
    if (b.id == 0) {
        return true;
    }
    if (a.memberCount == 0) {
        return false;
    }
    if (b.memberCount == 0) {
        return true;
    }
    return a.draw + a.ratingSum < b.draw + b.ratingSum;
}

void GameModel::DrawTurnOrder(uint8_t draw) {
    ScopedLock hold(lock_);
    for (uint8_t i = 0; i < kTeamCount; ++i) {
        turnOrder[i] = &teams[i];
        teams[i].draw = draw != 0 ? DrawValue(i) : 0;
    }
    for (uint8_t i = 0; i < kTeamCount; ++i) {
        for (uint8_t j = i; j < kTeamCount; ++j) {
            if (SortsBefore(*turnOrder[j], *turnOrder[i])) {
                std::swap(turnOrder[i], turnOrder[j]);
            }
        }
    }
    teamsInPlay = CountLeadingTeamsInPlay(kTeamCount);
}

void GameModel::RecordMemberIds() {
    for (uint8_t t = 1; t <= kPlayingTeams; ++t) {
        std::array<uint32_t, kRecordedMembers>& ids = memberIds[t - 1];
        ids.fill(0);
        for (uint8_t m = 0; m < kRecordedMembers; ++m) {
            if (const PlayerState* member = teams[t].members[m]) {
                ids[m] = member->userId;
            }
        }
    }
}

void GameModel::StartTeam(TeamState& team) {
    team.remaining = CountsUp(gameType) ? 0 : team.ratingSum;
    team.StartGameValues();
    if (currentRule == nullptr) {
        return;
    }
    if (IsCaromGame(gameType)) {
        team.state = currentRule->GetStartState();
    } else {
        team.ballGroup = static_cast<uint8_t>(currentRule->GetStartGroup());
    }
}

void GameModel::StartGame() {
    teamsAtStart = teamsInPlay;
    playersAtStart = playersPerTeam;
    teamsInPlay = CountTeamsWithMembers();
    RecordMemberIds();
    currentMember = 0;
    currentTeam = 0;
    running = 1;
    playersPerTeam = turnOrder[0]->memberCount;
    gameCounters.fill(0);
    turnValue = 0;
    if (currentRule != nullptr) {
        currentRule->StartGame(turnOrder.data(), teamsInPlay);
    }
    for (uint8_t place = 0; place < teamsInPlay; ++place) {
        StartTeam(*turnOrder[place]);
    }
    turnOrder[0]->currentMember = 0;
}

uint8_t GameModel::NextTurn() {
    turnValue = 0;
    ++currentTeam;
    if (currentTeam >= teamsInPlay || currentTeam >= kTeamCount) {
        currentTeam = 0;
        const uint8_t perTeam = std::max<uint8_t>(playersPerTeam, 1);
        currentMember = static_cast<uint8_t>((currentMember + 1) % perTeam);
    }
    TeamState& team = *turnOrder[currentTeam];
    team.currentMember = currentMember;
    const PlayerState* player = team.MemberAt(currentMember);
    return player != nullptr ? static_cast<uint8_t>(player->seat) : kNoSeat;
}

void GameModel::FindPlayerTurn(uint8_t seat) {
    for (uint8_t place = 0; place < kTeamCount; ++place) {
        TeamState& team = *turnOrder[place];
        for (uint8_t m = 0; m < TeamState::kMaxMembers; ++m) {
            const PlayerState* member = team.members[m];
            if (member != nullptr && member->seat == static_cast<int8_t>(seat)) {
                currentTeam = place;
                currentMember = m;
                team.currentMember = m;
                return;
            }
        }
    }
}

void GameModel::CompactTurnOrder(uint8_t teamId) {
    if (!IsValidTeam(teamId)) {
        return;
    }
    const uint8_t places = static_cast<uint8_t>(std::min<uint32_t>(teamsInPlay + 1u, kTeamCount));
    bool emptyAtOrBeforeCurrent = false;
    const bool teamWasLastAndCurrent =
        places > 0 && turnOrder[places - 1] == &teams[teamId] && currentTeam == places - 1;
    std::array<TeamState*, kTeamCount> kept{};
    std::array<TeamState*, kTeamCount> empty{};
    uint8_t keptCount = 0;
    uint8_t emptyCount = 0;
    for (uint8_t place = 0; place < places; ++place) {
        TeamState* team = turnOrder[place];
        if (team->memberCount == 0) {
            empty[emptyCount++] = team;
            emptyAtOrBeforeCurrent = emptyAtOrBeforeCurrent || place <= currentTeam;
        } else {
            kept[keptCount++] = team;
        }
    }
    std::copy(kept.begin(), kept.begin() + keptCount, turnOrder.begin());
    std::copy(empty.begin(), empty.begin() + emptyCount, turnOrder.begin() + keptCount);
    teamsInPlay = CountPlacesInPlay(places);
    // The place before the current one: the next NextTurn lands on the team that moved up (a u8 that wraps
    // from 0 comes back to place 0).
    if (emptyAtOrBeforeCurrent || teamWasLastAndCurrent) {
        --currentTeam;
    }
}

void GameModel::AddPlayerToTurnOrder(PlayerState* player) {
    if (player == nullptr || TeamOf(*player) == nullptr) {
        return;
    }
    TeamState& team = *TeamOf(*player);
    const bool newTeam = team.memberCount == 0;
    AddPlayer(player, 0, 1);
    if (!team.HasMember(player)) {
        return;
    }
    const auto at = std::find(turnOrder.begin(), turnOrder.end(), &team);
    if (at != turnOrder.end() && at != turnOrder.begin()) {
        const auto free = std::find_if(turnOrder.begin(), at, [](const TeamState* t) { return t->memberCount == 0; });
        if (free != at) {
            std::iter_swap(free, at);
        }
    }
    // Only a team that had no members before is a new team in play.
    if (newTeam) {
        ++teamsInPlay;
    }
}

void GameModel::CountTeamsInPlay() {
    running = 0;
    teamsInPlay = CountTeamsWithMembers();
}

void GameModel::UpdateLargestTeam() {
    uint8_t largest = 1;
    for (uint8_t t = 1; t <= kPlayingTeams; ++t) {
        largest = std::max(largest, teams[t].memberCount);
    }
    largestTeam = largest;
}

uint8_t GameModel::CountTeamsWithMembers() const {
    uint8_t count = 0;
    for (uint8_t t = 1; t <= kPlayingTeams; ++t) {
        if (teams[t].memberCount > 0) {
            ++count;
        }
    }
    return count;
}

uint8_t GameModel::CountPlacesInPlay(uint8_t places) const {
    uint8_t count = 0;
    for (uint8_t place = 0; place < places && place < kTeamCount; ++place) {
        if (turnOrder[place]->id != 0 && turnOrder[place]->memberCount > 0) {
            ++count;
        }
    }
    return count;
}

PlayerState* GameModel::FirstMember(const TeamState& team) {
    const auto found =
        std::find_if(team.members.begin(), team.members.end(), [](const PlayerState* p) { return p != nullptr; });
    return found != team.members.end() ? *found : nullptr;
}

uint8_t GameModel::CountLeadingTeamsInPlay(uint8_t places) const {
    uint8_t count = 0;
    while (count < places && count < kTeamCount && turnOrder[count]->id != 0 && turnOrder[count]->memberCount > 0) {
        ++count;
    }
    return count;
}

}  // namespace quill
