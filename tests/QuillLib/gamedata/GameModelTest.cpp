#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "QuillLib/gamedata/GameModel.h"
#include "platform/system/Rand.h"

namespace quill {
namespace {

class GameModelTest : public ::testing::Test {
protected:
    // A ready player of the given team (and seat) with the same rating for every game type.
    PlayerState& Seat(int8_t seat, int8_t team, uint16_t rating) {
        PlayerState& player = model.players[static_cast<size_t>(seat)];
        player.seat = seat;
        player.team = team;
        player.ready = 1;
        player.userId = 1000u + static_cast<uint32_t>(seat);
        player.ratingByType.fill(rating);
        model.AddPlayer(&player, 0, 1);
        return player;
    }

    // Seats players 0, 1, ... as (team, rating) pairs.
    void SeatAll(std::initializer_list<std::pair<int8_t, uint16_t>> teamsAndRatings) {
        int8_t seat = 0;
        for (const auto& [team, rating] : teamsAndRatings) {
            Seat(seat++, team, rating);
        }
    }

    // Four-ball unless a test chooses another game.
    void SetUp() override { Select(game_type::kFourBall); }
    void Select(GameType type) { model.SelectRule(type); }

    GameModel model;
};

TEST_F(GameModelTest, RulesExistForTheTenGameTypes) {
    for (GameType type : {0, 2, 3, 4, 5, 6, 10, 12, 13, 16}) {
        EXPECT_TRUE(model.HasRule(type)) << type;
        EXPECT_EQ(model.GetRule(type)->GetGameType(), type);
    }
    for (GameType type : {-1, 1, 7, 8, 9, 11, 14, 15, 17}) {
        EXPECT_FALSE(model.HasRule(type)) << type;
    }
    model.SelectRule(1);
    EXPECT_EQ(model.GetCurrentRule(), nullptr);
    EXPECT_EQ(model.gameType, 1);
}

TEST_F(GameModelTest, AddingBalancingAndRemovingPlayersKeepsTheTargets) {
    PlayerState& p0 = Seat(0, 1, 150);
    Seat(1, 2, 100);
    EXPECT_EQ(model.teams[1].ratingSum, 150);
    EXPECT_EQ(model.playerCount, 2);

    PlayerState& p2 = model.players[2];
    p2.ratingByType[0] = 80;
    model.largestTeam = 1;
    EXPECT_EQ(model.AddPlayer(&p2, 1, 0), 3);  // the first team smaller than the largest
    EXPECT_EQ(p2.team, 3);

    model.RemovePlayer(&p0);
    EXPECT_EQ(model.teams[1].memberCount, 0);
    EXPECT_EQ(model.teams[1].ratingSum, 0);
    EXPECT_EQ(model.teamsInPlay, 2);
    EXPECT_EQ(model.playerCount, 2);
    model.RemovePlayer(&p0);  // no longer a member: nothing changes
    EXPECT_EQ(model.playerCount, 2);

    model.MovePlayer(&p2, 2);
    EXPECT_EQ(model.teams[2].memberCount, 2);
    EXPECT_EQ(model.teams[2].ratingSum, 180);
    EXPECT_EQ(model.teams[3].ratingSum, 0);
    EXPECT_EQ(model.largestTeam, 2);
}

TEST_F(GameModelTest, AppendsTakeFreeSlotsAroundAServerPlacedMember) {
    PlayerState& placed = model.players[7];
    placed.team = 1;
    placed.place = 3;
    model.AddPlayer(&placed, 0, 0);
    SeatAll({{1, 100}, {1, 100}, {1, 100}, {1, 100}});
    EXPECT_EQ(model.teams[1].MemberAt(3), &placed);  // not replaced by the third append
    EXPECT_EQ(model.teams[1].memberCount, 5);
    for (int8_t slot = 0; slot < 5; ++slot) {
        const PlayerState* member = model.teams[1].MemberAt(static_cast<uint32_t>(slot));
        ASSERT_NE(member, nullptr);
        EXPECT_EQ(member->place, slot);
    }
}

TEST_F(GameModelTest, RemovingAMemberMovesThePlacesBehindItDown) {
    SeatAll({{2, 100}, {2, 100}, {2, 100}});
    model.RemovePlayer(&model.players[0]);
    EXPECT_EQ(model.teams[2].MemberAt(0), &model.players[1]);
    EXPECT_EQ(model.players[1].place, 0);
    EXPECT_EQ(model.players[2].place, 1);
}

TEST_F(GameModelTest, AMoveCompletesWithConsistentCountsOrChangesNothing) {
    PlayerState outsider;  // names team 3 but was never added to it
    outsider.team = 3;
    model.MovePlayer(&outsider, 4);
    EXPECT_EQ(outsider.team, 4);
    EXPECT_TRUE(model.teams[4].HasMember(&outsider));
    EXPECT_EQ(model.playerCount, 1);
    PlayerState stale;  // names team 4, where it goes, without being among its members
    stale.team = 4;
    model.MovePlayer(&stale, 4);
    EXPECT_TRUE(model.teams[4].HasMember(&stale));
    model.MovePlayer(&stale, 4);  // a member already: nothing changes
    EXPECT_EQ(model.teams[4].memberCount, 2);
    EXPECT_EQ(model.playerCount, 2);

    for (int8_t seat = 0; seat < 8; ++seat) {
        Seat(seat, 2, 10);
    }
    model.MovePlayer(&outsider, 2);  // team 2 is full: the player stays in team 4
    EXPECT_EQ(outsider.team, 4);
    EXPECT_TRUE(model.teams[4].HasMember(&outsider));
    EXPECT_EQ(model.teams[4].memberCount, 2);
    EXPECT_EQ(model.teams[2].memberCount, 8);
    EXPECT_EQ(model.playerCount, 10);
}

TEST_F(GameModelTest, ClearedPlayersKeepNothingOfTheirLastSeat) {
    PlayerState& player = Seat(3, 2, 150);
    player.name = u"Rival";
    player.status = 3;
    player.money = 5000;
    player.locationText = u"Room 9";
    model.Reset();
    model.ClearPlayers();
    EXPECT_EQ(player.team, -1);
    EXPECT_EQ(player.seat, -1);
    EXPECT_EQ(player.ready, 0);
    EXPECT_TRUE(player.name.empty());
    EXPECT_EQ(player.status, 0);
    EXPECT_EQ(player.money, 0);
    EXPECT_EQ(player.ratingByType[0], 0);
    EXPECT_TRUE(player.locationText.empty());
}

TEST_F(GameModelTest, InternationalThreeCushionTargetsUseTheModeValue) {
    Select(game_type::kThreeCushionPro);
    model.SetModeOption(1, 0);
    PlayerState& p = Seat(0, 1, 320);
    Seat(1, 1, 90);
    EXPECT_EQ(model.teams[1].ratingSum, 300);
    model.RemovePlayer(&p);
    EXPECT_EQ(model.teams[1].ratingSum, 150);  // the mode value comes off, not the player's own rating

    model.halveTargets = 1;
    model.ComputeTargets();
    EXPECT_EQ(model.teams[1].ratingSum, 80);  // half of 150, rounded to whole points
}

TEST_F(GameModelTest, ServerIndicesOutOfRangeChangeNothing) {
    PlayerState& stray = model.players[5];
    stray.team = 9;
    EXPECT_EQ(model.AddPlayer(&stray, 0, 1), 0);
    EXPECT_EQ(model.playerCount, 0);
    stray.team = 1;
    stray.place = 12;
    model.AddPlayer(&stray, 0, 0);  // a member slot outside the team
    EXPECT_EQ(model.teams[1].memberCount, 0);

    model.SetTeamMember(7, 0, &stray);
    model.SetTeamMember(0, 8, &stray);
    model.SetTurnOrder(9, 1);
    model.SetTurnOrder(0, 7);
    model.RetireTeam(7, 0, 0);
    model.CompactTurnOrder(200);
    model.MovePlayer(&stray, 8);
    for (uint8_t i = 0; i < GameModel::kTeamCount; ++i) {
        EXPECT_EQ(model.turnOrder[i], &model.teams[i]);
    }

    // A full team takes no ninth member.
    for (int8_t seat = 0; seat < 8; ++seat) {
        Seat(seat, 1, 10);
    }
    PlayerState extra;
    extra.team = 1;
    model.AddPlayer(&extra, 0, 1);
    EXPECT_EQ(model.teams[1].memberCount, 8);
    EXPECT_EQ(model.teams[1].ratingSum, 80);
}

TEST_F(GameModelTest, CanStartNeedsReadyTeamsOfOneSizeAndTheRightCount) {
    Select(game_type::kEightBall);
    SeatAll({{1, 100}, {2, 100}, {3, 100}});
    model.CountReadyMembers();
    EXPECT_FALSE(model.CanStart());  // 8-ball takes exactly two teams
    Select(game_type::kFourBall);
    EXPECT_TRUE(model.CanStart());
    EXPECT_EQ(model.playersPerTeam, 1);
    EXPECT_EQ(model.teamsInPlay, 3);

    model.players[1].ready = 0;
    model.CountReadyMembers();
    EXPECT_FALSE(model.CanStart());
    model.players[1].ready = 1;
    Seat(3, 1, 100);  // team 1 now has two members, the others one
    model.CountReadyMembers();
    EXPECT_FALSE(model.CanStart());

    Seat(4, 2, 100);
    Seat(5, 3, 100);
    model.CountReadyMembers();
    EXPECT_TRUE(model.CanStart());
    Select(game_type::kSixBalls);
    EXPECT_FALSE(model.CanStart());  // gamble games take single players only

    Select(game_type::kFourBall);
    model.running = 1;
    EXPECT_FALSE(model.CanStart());
}

TEST_F(GameModelTest, SoloPlayerIsTheOnlyMemberOfTheOnlyTeam) {
    Seat(3, 2, 100);
    EXPECT_EQ(model.IsSoloPlayer(3), 1);
    EXPECT_EQ(model.IsSoloPlayer(4), 0);
    Seat(4, 2, 100);
    EXPECT_EQ(model.IsSoloPlayer(3), 0);
}

TEST_F(GameModelTest, DrawWithoutRandomnessOrdersByTargetPoolAndEmptyTeamsLast) {
    SeatAll({{3, 300}, {1, 200}, {5, 100}, {0, 50}});  // the last in the pool
    model.DrawTurnOrder(0);
    EXPECT_EQ(model.turnOrder[0]->id, 5);
    EXPECT_EQ(model.turnOrder[1]->id, 1);
    EXPECT_EQ(model.turnOrder[2]->id, 3);
    EXPECT_EQ(model.turnOrder[6]->id, 0);
    EXPECT_EQ(model.teamsInPlay, 3);
    for (const TeamState& team : model.teams) {
        EXPECT_EQ(team.draw, 0);
    }
}

TEST_F(GameModelTest, DrawnOrderIsReproducibleFromTheRuntimeSeed) {
    Select(game_type::kSixBalls);
    SeatAll({{1, 100}, {2, 100}});
    platform::SRand(77);
    model.DrawTurnOrder(1);
    const std::vector<uint16_t> first{model.teams[1].draw, model.teams[2].draw};
    for (uint16_t draw : first) {
        EXPECT_GE(draw, 1000);
        EXPECT_LT(draw, 9000);
    }
    platform::SRand(77);
    model.DrawTurnOrder(1);
    EXPECT_EQ(model.teams[1].draw, first[0]);
    EXPECT_EQ(model.teams[2].draw, first[1]);

    // Continuing from stored place values in other game types.
    Select(game_type::kFourBall);
    model.continueDraw = 1;
    model.placeValues[1] = 6000;
    model.placeValues[2] = 3000;
    model.DrawTurnOrder(1);
    EXPECT_EQ(model.turnOrder[0]->id, 2);
    EXPECT_EQ(model.turnOrder[1]->id, 1);
}

TEST_F(GameModelTest, TurnsCycleTeamsThenMembers) {
    SeatAll({{1, 100}, {1, 100}, {2, 200}, {2, 200}});
    model.DrawTurnOrder(0);
    model.CanStart();
    model.StartGame();
    EXPECT_EQ(model.running, 1);
    EXPECT_EQ(model.GetCurrentPlayer()->seat, 0);
    EXPECT_EQ(model.NextTurn(), 2);
    EXPECT_EQ(model.NextTurn(), 1);
    EXPECT_EQ(model.NextTurn(), 3);
    EXPECT_EQ(model.NextTurn(), 0);

    model.FindPlayerTurn(3);
    EXPECT_EQ(model.GetCurrentPlayer()->seat, 3);
    EXPECT_EQ(model.NextTurn(), 0);
}

TEST_F(GameModelTest, NextTurnSurvivesAModelThatNeverStarted) {
    EXPECT_EQ(model.NextTurn(), GameModel::kNoSeat);  // no players per team, no member: no division by 0
    EXPECT_EQ(model.GetCurrentPlayer(), nullptr);
}

TEST_F(GameModelTest, StartGameGivesEachTeamItsTargetAndStartValues) {
    SeatAll({{1, 150}, {2, 100}});
    model.DrawTurnOrder(0);
    model.StartGame();
    EXPECT_EQ(model.teams[1].remaining, 150);
    EXPECT_EQ(model.teams[1].state, 1);
    EXPECT_EQ(model.memberIds[0][0], 1000u);
    EXPECT_EQ(model.memberIds[1][0], 1001u);

    Select(game_type::kSnooker);
    model.StartGame();
    EXPECT_EQ(model.teams[1].remaining, 0);  // snooker counts its points up
    Select(game_type::kNineBall);
    model.StartGame();
    EXPECT_EQ(model.teams[1].remaining, 150);
    EXPECT_EQ(model.teams[1].ballGroup, 5);
}

TEST_F(GameModelTest, RetiringACompactingKeepsTheTurn) {
    SeatAll({{1, 100}, {2, 200}, {3, 300}});
    model.DrawTurnOrder(0);  // order: 1, 2, 3
    model.StartGame();
    model.NextTurn();  // team 2 is current
    EXPECT_EQ(model.GetCurrentPlayer()->seat, 1);

    model.RetireTeam(2, 0, 0);  // three teams play: its member goes to the pool
    EXPECT_EQ(model.teams[2].memberCount, 0);
    EXPECT_EQ(model.teams[0].memberCount, 1);
    EXPECT_EQ(model.placeValues[2], 3u * 3000u);
    EXPECT_EQ(model.teamsInPlay, 2);

    model.CompactTurnOrder(2);
    EXPECT_EQ(model.turnOrder[0]->id, 1);
    EXPECT_EQ(model.turnOrder[1]->id, 3);
    EXPECT_EQ(model.turnOrder[2]->id, 2);
    EXPECT_EQ(model.NextTurn(), 2);  // the team after the retired one shoots next
}

TEST_F(GameModelTest, LateJoinerTakesTheFirstEmptyPlace) {
    SeatAll({{1, 100}, {2, 100}});
    model.DrawTurnOrder(0);
    PlayerState& late = model.players[4];
    late.team = 6;
    model.AddPlayerToTurnOrder(&late);
    EXPECT_EQ(model.turnOrder[2]->id, 6);
    EXPECT_EQ(model.teamsInPlay, 3);

    PlayerState& partner = model.players[5];
    partner.team = 6;
    model.AddPlayerToTurnOrder(&partner);  // joins an existing team: no new team in play
    EXPECT_EQ(model.teamsInPlay, 3);
}

TEST_F(GameModelTest, HandicapFlagsByGameTypeOptionAndTeamSize) {
    SeatAll({{1, 100}, {1, 100}, {2, 100}, {2, 100}});
    model.DrawTurnOrder(0);
    model.SetModeOption(2, 0);
    model.ApplyHandicapFlags();
    EXPECT_EQ(model.playersPerTeam, 2);
    EXPECT_EQ(model.teams[1].threeCushionFinishes, 2);
    EXPECT_EQ(model.teams[2].bankFinishesAtStart, 1);

    Select(game_type::kThreeCushion);
    model.SetModeOption(1, 0);
    model.ApplyHandicapFlags();
    EXPECT_EQ(model.teams[1].bankFinishes, 2);
    EXPECT_EQ(model.teams[1].threeCushionFinishes, 0);
}

}  // namespace
}  // namespace quill
