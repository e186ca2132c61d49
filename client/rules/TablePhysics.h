#pragma once
// The physics holder of one game table. It is a game rule whose judgement accepts every shot, and it owns
// (or borrows from the process-wide cache) the ball-physics model of the table: it chooses the model for
// the game type and the equipped items, sizes the balls by the ball set, places the balls for a rack from
// a seed every client of a room shares, strikes the cue ball and runs the shot, respots balls afterwards,
// and keeps a copy of every ball's position and orientation for the drawing code. Its referee watches each
// shot and speaks the announcements.
//
// The lock guards the caches and the model's motion against the drawing code: SnapshotBalls, ResetBalls,
// RequestStop, Strike and Step take it. Rack placement runs where a screen racks (its set-up, events or packet
// handlers) and respotting in the update, under the widget-tree lock the screens hold.
//
// Models from the cache, and the physics constants, are shared by every holder of the process. A holder
// therefore prepares its model again (geometry, set-ups, ball sizes and, for a shared model, the balls from
// its caches) before a strike when another holder has prepared one since, and when the table asks for it.
#include <array>
#include <cstdint>
#include <span>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/Random.h"
#include "QuillLib/gamedata/GameRule.h"
#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/math/Quaternion.h"
#include "QuillLib/math/Vec3.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/rules/RackLayout.h"
#include "client/rules/Referee.h"
#include "client/rules/StrokeParameters.h"
#include "client/rules/TableSound.h"

namespace kestrovan {

class TablePhysics : public quill::GameRule {
public:
    static constexpr uint16_t kDefaultTableKind = 2;
    static constexpr uint32_t kDefaultBallSet = 3;
    static constexpr uint8_t kInvalidListCount = 255;

    TablePhysics();
    ~TablePhysics() override;
    TablePhysics(const TablePhysics&) = delete;
    TablePhysics& operator=(const TablePhysics&) = delete;

    // The holder's own judgement accepts every shot; the rules of the game model judge.
    bool EvaluateShot(quill::TeamState* team, int16_t result, int8_t firstBall, int8_t pocketedCount,
                      const uint8_t* pocketed, int8_t lostCount, const uint8_t* lost) override;
    bool IsGameOver(quill::TeamState* team) override;

    // --- model and equipment ---
    // Takes the model of code (the default code when the factory does not know it), owned when own is set,
    // else shared from the cache, and prepares it with the table's equipment and balls.
    PhysicsModel* SetModel(uint32_t code, uint8_t own);
    void SetItemProperties(uint16_t tableKind, uint32_t ballSetIndex);
    // Stores the game type and gives the model its number of balls.
    void SetGameType(quill::GameType type);
    int32_t GetGameFamily() const { return quill::GetGameFamily(gameType_); }
    // Sizes every ball by the ball set (an unknown ball set counts as the default one) after re-running the
    // model's set-ups, and puts every ball back on the table.
    void ApplyBallSet();
    // Lays the table kind's geometry into the model, then sizes the balls as ApplyBallSet, leaving the
    // pocketed flags alone.
    void ApplyTable();
    // Prepares the model again when another holder prepared one since this holder last did.
    void PrepareModel();

    // --- placement ---
    // The table unit H: the bed is 8H long and 4H wide.
    double GetHalfTableSize() const;
    // Whether an object ball other than ball lies closer than two radii to the point.
    bool IsSpotTaken(uint32_t ball, const quill::Vec3& point) const;
    // The lowest object ball still on the table, or -1.
    int32_t GetLowestBallOnTable() const;
    void SwapBallPositions(uint16_t a, uint16_t b);
    // Moves a ball in the model and the cache; the cache entry, or null for a ball the table does not have.
    quill::Vec3* SetBallPosition(uint32_t ball, float x, float y, float z);
    void SetBallOrientation(uint32_t ball, float x, float y, float z, float w);
    // Sets a ball's pocketed flag in the model and the cache (0: on the table). A holder that shares its model
    // puts its balls back from the cache, so the flags must go through here as the positions do.
    void SetBallFlag(uint32_t ball, uint8_t pocketed);
    // The balls in a row along the table's long axis, 2.2 radii apart.
    void PlaceBallsSpaced();

    // --- caches and motion ---
    void SnapshotBalls();
    // Stops every ball (velocities, spin and contact state).
    void ResetBalls();
    // Asks the running shot to stop: the next Step consumes the request.
    void RequestStop();

    // --- racks ---
    // A new rack: seeds the generator, resets the referee, sizes the balls and places the rack.
    void StartRack(uint32_t seed);
    void SeedAndPlaceRack(uint32_t seed);
    // Seeds only (the break is taken again); the next shot counts as an opening shot.
    void SeedRandom(uint32_t seed);
    void PlaceRack();
    // 8-ball and 9-ball continuous play: racks the object balls again; the cue ball stays unless the rack
    // covers it.
    void ReRack(uint32_t seed);
    // 14.1: racks every ball again with the last ball at the apex, where the table may return it from.
    void ReRackAround(int32_t lastBall, uint32_t seed);
    // Whether the ball at position would touch the current rack.
    bool IsRackSpot(uint32_t ball, const quill::Vec3& position) const { return IsSpotTaken(ball, position); }
    uint32_t GetBallAtPosition(uint32_t position) const;

    // --- the shot ---
    // Strikes the cue ball and starts the shot; the stroke value (the contact's distance from the ball's
    // centre in radii), which the table turns into the chalk used.
    float Strike(const StrokeParameters& stroke);
    // One update of the running shot; non-zero while a ball moves.
    int Step();
    // After the balls stopped: lists the balls to put back on the table; whether there are any.
    uint32_t CollectRespotBalls();
    // Puts the listed balls on their spots, dropping them onto the cloth; the table steps again.
    uint32_t StartRespot();
    // The cue ball on the head spot, or beside it across the table when that is taken.
    void RespotCueBall();
    // The first ball the cue ball would meet along direction (on the table's plane), or -1.
    int32_t FirstBallOnLine(const quill::Vec3& direction) const;
    // The referee's judgement of the finished shot (table state 7 only): 1 when the shot counts, -1 for a
    // foul, else 0. runCount is the shooter's run of scoring shots.
    int32_t AnnounceShot(uint16_t runCount);
    // The practice challenge's word on the finished shot, judged against the challenge's own target code;
    // runCount is the challenger's run of successful shots, deciding whether this shot reached the target score.
    void AnnounceChallengeShot(int32_t targetCode, uint16_t runCount, bool deciding);

    // Sets the ball group of the team at the table; in snooker 0 when no object ball is left.
    void SetBallGroup(uint8_t group);

    // --- what the table reads ---
    PhysicsModel* Model() const { return model_; }
    uint16_t BallCount() const;
    float BallRadius() const { return ballRadius_; }
    quill::GameType GameTypeOfTable() const { return gameType_; }
    uint32_t ModelCode() const { return modelCode_; }
    uint16_t TableKind() const { return tableKind_; }
    uint32_t BallSetIndex() const { return ballSetIndex_; }
    bool OwnsModel() const { return ownsModel_ != 0; }
    uint32_t RackShots() const { return rackShots_; }
    const quill::Vec3& CachedPosition(uint32_t ball) const { return positionCache_[ball % quill::kMaxBalls]; }
    const quill::Quaternion& CachedOrientation(uint32_t ball) const {
        return orientationCache_[ball % quill::kMaxBalls];
    }
    uint8_t CachedFlag(uint32_t ball) const { return flagCache_[ball % quill::kMaxBalls]; }
    uint16_t CueBall() const { return cueBall_; }
    void SetCueBall(uint16_t ball) { cueBall_ = ball; }
    int32_t SecondBall() const { return secondBall_; }
    void SetSecondBall(int32_t ball) { secondBall_ = ball; }
    int32_t GetTableState() const { return tableState_; }
    void SetTableState(int32_t state) { tableState_ = state; }
    float SpeedFactor() const { return speedFactor_; }
    void SetSpeedFactor(float factor) { speedFactor_ = factor; }
    const quill::Vec3& AimDirection() const { return aimDirection_; }
    bool IsFullPower() const { return fullPower_; }
    std::span<const uint8_t> RespotList() const { return {respotList_.data(), respotCount_}; }

    // The shot's report: the first object ball hit, the balls pocketed (first list) and the balls that left
    // the table (second list). The count of the first list, or 255 when its counter is not well-formed; the
    // second list's counter (22 plus 3 per ball).
    int8_t GetRuleValue() const;
    uint8_t GetFirstListCount() const;
    std::span<const uint8_t> FirstList() const;
    uint8_t GetSecondListCounter() const;
    std::span<const uint8_t> SecondList() const;

    void SetSound(TableSound* sound);
    Referee& GetReferee() { return referee_; }
    quill::CriticalSectionLock& GetLock() { return lock_; }

private:
    bool HasBall(uint32_t ball) const { return model_ != nullptr && ball < model_->BallCount(); }
    void CreateModel(uint32_t code, bool useCache);
    // Lays the equipment into the model again; restore also puts the balls back from the caches (a shared
    // model's balls belong to whichever holder used them last).
    void Prepare(bool restore);
    void PrepareIfAnotherHolderDid();
    void SizeBalls(bool clearPocketed);
    void RestoreBallsFromCaches();
    void CopyBallToCache(uint32_t ball);
    void CopyCaches();
    RackTable RackGeometry() const;
    void PlaceLayout(const RackLayout& layout);
    ShotFacts MakeShotFacts() const;
    JudgementContext MakeContext() const;
    // The shot's bookkeeping at the stroke: balls stopped, counters, what was on the table, the referee.
    void StartShotState();
    // The stroke's direction (tilted by the elevation), power and the flags the referee reads.
    void KeepStroke(const StrokeParameters& stroke, const quill::Vec3& cuePosition);
    // The strike's values, with both offsets corrected for the tip's rounded end.
    CueStroke MakeCueStroke(const StrokeParameters& stroke) const;
    void PlayStrikeSounds(float contactLength, float contactHeight);
    void FollowSecondTarget();
    void FinishShot();
    std::array<bool, quill::kMaxBalls> BallsLostSinceStroke() const;
    bool IsOffTable(uint32_t ball) const;

    // Respotting.
    void PutOnSpot(uint32_t ball, float x, float y, float z);
    void RespotBall(uint32_t ball, uint32_t& tryCounter);
    void RespotBalls();

    quill::Random random_;
    PhysicsModel* model_ = nullptr;
    TableSound* sound_ = nullptr;
    float ballRadius_ = 0.0f;
    float ballMass_ = 0.0f;
    uint32_t rackShots_ = 0;
    int32_t tableState_ = 0;
    std::array<quill::Vec3, quill::kMaxBalls> positionCache_{};
    std::array<quill::Quaternion, quill::kMaxBalls> orientationCache_{};
    std::array<uint8_t, quill::kMaxBalls> flagCache_{};
    float speedFactor_ = 1.0f;
    uint32_t respotPending_ = 0;
    uint32_t respotStarted_ = 0;
    uint32_t stopRequested_ = 0;
    uint16_t cueBall_ = 0;
    int32_t secondBall_ = -1;
    quill::CriticalSectionLock lock_;
    Referee referee_;
    std::array<uint8_t, quill::kMaxBalls> respotList_{};
    uint32_t respotCount_ = 0;
    std::array<uint32_t, quill::kMaxBalls> slotOfPosition_{};
    uint32_t modelCode_ = kDefaultPhysicsModelCode;
    uint16_t tableKind_ = kDefaultTableKind;
    uint32_t ballSetIndex_ = kDefaultBallSet;
    uint8_t ownsModel_ = 0;
    uint16_t ballCount_ = 0;  // the balls the holder asked its model for

    // The stroke of the running shot.
    quill::Vec3 aimDirection_{};
    float elevation_ = 0.0f;  // radians
    float power_ = 0.0f;
    bool fullPower_ = false;
    bool softShot_ = false;
    bool masse_ = false;
    bool reBreak_ = false;
    std::array<bool, quill::kMaxBalls> onTableAtStroke_{};
};

}  // namespace kestrovan
