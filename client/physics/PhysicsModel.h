#pragma once
// A ball-physics model: the balls of one table, the table they play on, and the operations that strike the cue
// ball and advance every ball in small sub-steps, resolving contacts with the bed and its holes, the floor, the
// cushions, the rail tops, the pocket walls and each other. PhysicsModel itself is the complete model of code
// 0x10000; the 10001 and 10010 series derive from it and replace the virtual operations with their own versions.
// A model runs on its caller's thread and takes no lock; the constants and the event list it uses are
// process-wide, so one model runs at a time. What a holder calls (the factory, Reinitialise, Strike, Simulate, and
// the balls' SetSize and SetRandomOrientation) computes in the physics' floating-point mode whatever the caller's
// mode is, so that every thread gets the same bits.
#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <vector>

#include "QuillLib/core/SharedPtr.h"
#include "client/physics/BallContact.h"
#include "client/physics/BallPairSearch.h"
#include "client/physics/ClothFriction.h"
#include "client/physics/ClothSteps.h"
#include "client/physics/CueStroke.h"
#include "client/physics/CushionRebound.h"
#include "client/physics/CushionTest.h"
#include "client/physics/ModelConstants.h"
#include "client/physics/OrientationTurns.h"
#include "client/physics/PhysicsBall.h"
#include "client/physics/PhysicsConstants.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/physics/SettledBalls.h"
#include "client/physics/SharedTableRecord.h"

namespace kestrovan {

class PhysicsModel {
public:
    PhysicsModel(uint32_t tableKind, uint16_t ballCount);
    virtual ~PhysicsModel();
    PhysicsModel(const PhysicsModel&) = delete;
    PhysicsModel& operator=(const PhysicsModel&) = delete;

    // --- the virtual operations, in slot order ---
    // The cue's impact on the cue ball: leaves the stroke in the ball's cue fields for MoveBall to deliver and
    // records a Miscue event when the tip slips.
    virtual void Strike(PhysicsBall& ball, const CueStroke& stroke);
    // Writes the process-wide model constants.
    virtual void SetupConstants();
    // Writes the process-wide K0 to K32 (and the model's own tuning fields) for the model's table.
    virtual void SetupTuning();
    // The form of the model's friction between a ball and the surface it lies on (see ClothFriction).
    virtual ClothFrictionForm ClothForm();
    // One sub-step of a cushion contact driven by a normal force per unit mass (models before the rebound).
    virtual void CushionContactStep(quill::Vec3& velocity, quill::Vec3& spin, const CushionNormal& normal, float force,
                                    float approachSpeed, float radiusM, float inertiaArm, float h,
                                    const PhysicsConstants& k);
    // The cushion handling of one ball for one sub-step.
    virtual void CollideCushions(PhysicsBall& ball, float dt);
    // Whether the ball at position touches the cushion of the side bit; see CushionTest. The flags are shared by
    // the two axis tests of one pass.
    virtual bool TestCushion(quill::Vec3& position, float radiusCm, quill::Vec3& normalOut, float& contactHeightOut,
                             CushionFlags& flags, uint8_t side);
    // The ball-ball pass at the end of a sub-step; true when every ball is at rest afterwards.
    virtual bool CollideBalls();

    // --- the shared motion step ---
    // The friction of one sub-step against surface 0 (cloth), 1 (floor) or 2 (rail top), in the model's form.
    void ApplyClothFriction(PhysicsBall& ball, float dt, uint32_t surface);
    // Advances duration x timeScale seconds in subSteps x timeScale sub-steps of duration / subSteps; a product
    // below 1 (or a negative or NaN time scale) runs until the motion ends. True when the motion has ended.
    bool Simulate(float duration, uint32_t subSteps, float timeScale);
    // One sub-step of one ball; true when it is at rest (or pocketed) afterwards.
    bool MoveBall(PhysicsBall& ball, float dt);
    // The bed and its holes; true when the ball lies on the bed and its downward motion was absorbed.
    bool CollideBed(PhysicsBall& ball, float dt);
    // The rail tops, the table's outer edge and the pocket jaws.
    void CollideRailTop(PhysicsBall& ball, float dt);
    // A pocket's wall and jaws; true when the ball is within their reach (a contact is then resolved here).
    bool CollidePocketJaw(PhysicsBall& ball, uint8_t pocket, float dt);
    // The room's floor; true when the ball lies on it and its vertical motion stopped in this sub-step. A
    // FloorRest event tells when the ball comes to rest there: not when it was at rest before the sub-step.
    bool CollideFloor(PhysicsBall& ball, float dt, bool wasAtRest);
    // A ball in a pocket: the Pocketed event once, floor friction, and the resting height.
    void SettleInPocket(PhysicsBall& ball, uint8_t pocket, float dt);
    // Whether a continuing cushion contact on the axis counts as a new one (after 4 sub-steps with the positive
    // flag set, when the ball moves into the cushion again).
    bool IsCushionContactSettled(uint8_t axis, PhysicsBall& ball, const quill::Vec3& normal);
    // Whether the ball presses the cushion of the axis again after a contact that was moving out: its positive
    // flag for the axis is set and it moves into the cushion (velocity . normal < 0).
    bool IsPressingCushion(uint8_t axis, const PhysicsBall& ball, const quill::Vec3& normal) const;

    // --- set-up ---
    // Rebuilds the balls when the count differs (and makes sure the contact buffer exists).
    void CreateBalls(uint16_t count);
    // Runs the two set-up operations again; the argument is not used.
    void Reinitialise(uint32_t tableKind);

    PhysicsModelCode Code() const { return code_; }
    void SetCode(PhysicsModelCode code) { code_ = code; }
    uint32_t TableKind() const { return tableKind_; }
    uint16_t BallCount() const { return ballCount_; }
    PhysicsBall& Ball(uint16_t index) { return *balls_[index]; }
    const PhysicsBall& Ball(uint16_t index) const { return *balls_[index]; }
    SharedTableRecord& SharedRecord() { return *sharedRecord_; }
    const SharedTableRecord& SharedRecord() const { return *sharedRecord_; }
    const TableGeometry& Geometry() const { return sharedRecord_->geometry; }
    bool HasPockets() const { return sharedRecord_->hasPockets != 0; }
    // Whether every ball is at rest (pocketed counts as at rest unless the cue still acts on it).
    bool AllBallsAtRest() const;

protected:
    // The pair search of the ball-ball passes, with the buffer of the pass's contacts (every pair once plus five
    // per ball) and its list of near pairs kept from one sub-step to the next.
    BallPairSearch& PairSearch() { return pairSearch_; }

private:
    // What the sub-step of a resting ball reads besides the ball, while it stays away from the cushion pass: its
    // length, the process-wide constants, the table and the form of the cloth's friction. Compared byte for byte;
    // the fixed points of the balls last from one call to the next while it stays the same.
    struct StepInputs {
        float dt = 0.0f;
        uint32_t hasPockets = 0;
        std::array<uint32_t, 7> clothForm{};  // the bits of ClothForm(), field by field
        PhysicsConstants constants;
        ModelConstants modelConstants;
        TableGeometry geometry;
    };
    // Whether the inputs of this call's sub-steps of length dt are those of the last call, byte for byte; when they
    // are not, keeps them for the next call. Compares in place, the small parts that may vary first, without
    // copying the large ones.
    bool SameInputsAsLastCall(float dt);
    // Sub-step count of one Simulate call; 0 (from a product below 1 or a bad time scale) means no limit.
    static uint32_t SubStepCount(uint32_t subSteps, float timeScale);
    // Lists every ball, or only those that may move (on the table, not at a fixed point), in index order.
    void ListEveryBall();
    void ListMovingBalls();
    bool StepOnOpenCloth(float dt, size_t* leftCount);
    bool AfterClothStep(unsigned taken, PhysicsBall* const* group, const uint16_t* indices, unsigned count,
                        size_t* leftCount, float dt);
    void AddTurn(uint16_t index, const PhysicsBall& ball, bool atRest, float dt);
    uint32_t RunOnOpenCloth(uint32_t limit, bool callStart, float dt);
    bool FindFixedPoint(uint16_t index, PhysicsBall& ball, float dt);
    struct StillPlace;
    size_t ClosePairs(float limit, std::span<PhysicsBall* const> run, std::span<const uint16_t> indices,
                      std::span<const StillPlace> still, ClothSteps::WatchedPair* pairs, float* smallestGap);
    struct RunCompanion;
    uint32_t TakeRun(std::span<PhysicsBall* const> run, std::span<const uint16_t> indices,
                     std::span<const StillPlace> still, const RunCompanion& companion, uint32_t limit, float shift,
                     std::span<const ClothSteps::WatchedPair> watched, float dt);
    float CompanionClearance(const PhysicsBall& companion, std::span<PhysicsBall* const> run,
                             std::span<const StillPlace> still, float shift) const;
    uint32_t StepCompanion(const RunCompanion& companion, uint32_t limit, float clearance, float dt);
    void KeepCompanionSteps(const RunCompanion& companion, uint32_t stepped, uint32_t taken);
    bool StepUnsettledBall(uint16_t index, PhysicsBall& ball, float dt);
    // MoveBall but for its last step, the turn of the ball's orientation; true when the ball is at rest.
    // wasAtRest: the ball was at rest before this sub-step.
    bool MoveWithoutTurning(PhysicsBall& ball, float dt, bool wasAtRest);
    void DeliverCueContact(PhysicsBall& ball, float dt);
    void EndCueContact(PhysicsBall& ball);
    void TurnOrientation(PhysicsBall& ball, float dt);
    bool TryPocketJaws(PhysicsBall& ball, float dt);
    void BrakeOnPocketWall(quill::Vec3& velocity, const quill::Vec3& normal, float dt) const;
    bool CollideBedHole(PhysicsBall& ball, uint8_t pocket, float dt, bool still);

    std::unique_ptr<SharedTableRecord> sharedRecord_;
    std::vector<quill::SharedPtr<PhysicsBall>> balls_;
    bool ballContactsReady_ = false;
    BallPairSearch pairSearch_;
    SettledBalls settledBalls_;
    StepInputs lastInputs_;         // of the last Simulate call
    bool lastInputsKnown_ = false;  // a call has set lastInputs_
    bool cushionPassRan_ = false;   // MoveWithoutTurning handed its ball to the cushion pass
    bool sideBySide_ = false;       // what clothSteps_.Prepare, which reads only those inputs, told for them
    OrientationTurns turns_;
    ClothSteps clothSteps_;
    std::vector<uint16_t> leftOfCloth_;  // the listed balls that the side-by-side step of a sub-step left, in order
    // The balls that a sub-step of Simulate looks at, in index order: every ball on the table that is not at its
    // fixed point, and perhaps others (which the sub-step then passes over as it would have). Only the ball-ball pass
    // (a ball in a contact moves again) and a ball's own sub-step (it comes to rest or falls into a pocket) change
    // which balls move; the list is made again after either.
    std::vector<uint16_t> listed_;
    size_t listedCount_ = 0;
    // What ClosePairs needs of a ball on the table at its fixed point, side by side for its pairs: its place and index.
    struct StillPlace {
        float x = 0.0f;
        float y = 0.0f;
        uint16_t index = 0;
    };
    std::vector<StillPlace> stillPlaces_;  // the balls on the table at their fixed points, during RunOnOpenCloth
    // A ball that a run leaves to the ball-by-ball step (see RunOnOpenCloth): its index, or none.
    struct RunCompanion {
        PhysicsBall* ball = nullptr;
        uint16_t index = 0;
    };
    // What the companion's sub-steps of a run kept: its state and the event count before each (and after the last),
    // and its spin after each, for the turns.
    using BallBytes = std::array<unsigned char, sizeof(PhysicsBall)>;
    std::vector<BallBytes> companionStates_;
    std::vector<size_t> companionEvents_;
    std::array<std::array<float, OrientationTurns::kCapacity>, 3> companionSpins_{};

    // Where the balls were at the last search of close pairs that found at most kMaxWatchedPairs: x is NaN for a ball
    // then in a pocket, inRun tells a ball of the run. A pair's gap (along x or y, whichever is larger) is now at least
    // its gap then less both balls' moves since, so searchGap_, the smallest gap then of the pairs not kept, less
    // the two largest moves bounds every gap now of such a pair that was searched then.
    struct ApartPlace {
        float x = std::numeric_limits<float>::quiet_NaN();
        float y = 0.0f;
        bool inRun = false;
    };
    // A pair that the last search found close, watched or within a margin beyond: its places in the run, as ClothSteps::WatchedPair has them, and the index of
    // the ball at its fixed point, if one is.
    struct SearchedPair {
        uint8_t first = 0;
        uint8_t second = 0;
        uint16_t fixedIndex = 0;
    };
    void KeepSearchedPlaces(std::span<const uint16_t> indices, size_t stillCount, size_t pairs, float smallestGap);
    float GapBoundSinceSearch(std::span<PhysicsBall* const> run, std::span<const uint16_t> indices,
                              std::span<const StillPlace> still, float* fastest) const;
    size_t WatchAgain(float limit, std::span<PhysicsBall* const> run, ClothSteps::WatchedPair* pairs) const;
    std::vector<ApartPlace> apartPlaces_;
    static constexpr size_t kMaxSearchedPairs = 32;
    std::array<SearchedPair, kMaxSearchedPairs> searchedPairs_{};
    size_t searchedNearCount_ = 0;  // the pairs the last search found within its margin
    size_t searchedPairCount_ = 0;  // those kept (0: no pair was watched then)
    size_t searchedRunCount_ = 0;   // the balls of the run then
    size_t searchedStillCount_ = 0;  // the balls on the table at their fixed points then
    float searchGap_ = 0.0f;
    bool searchKnown_ = false;
    float runAdvance_ = 0.0f;                    // centimetres moved per m/s in a sub-step of this call
    const PhysicsBall* runFirstBall_ = nullptr;  // the first ball of the last run tried
    uint32_t runWait_ = 0;                       // sub-steps before the next try of a run on the open cloth
    uint32_t runBackoff_ = 0;                    // the wait after the last try, if it took nothing
    uint16_t ballCount_ = 0;
    uint32_t tableKind_ = 0;
    PhysicsModelCode code_ = 0;
};

}  // namespace kestrovan
