#include "client/rules/TablePhysics.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/math/MathConstants.h"
#include "client/physics/PhysicsEventList.h"
#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsModelFactory.h"
#include "client/physics/TableGeometry.h"
#include "client/rules/RespotPlanner.h"
#include "platform/system/ScopedFpuMode.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using quill::ScopedLock;
using quill::Vec3;

// The holder that prepared a model (and the process-wide physics constants) last. Models from the cache
// and the constants are shared; a holder that is not the last one prepares again before it strikes.
std::atomic<const TablePhysics*> lastPrepared{nullptr};

constexpr float kStepDuration = 0.005f;
constexpr uint32_t kCaromSubSteps = 50;
constexpr uint32_t kPocketSubSteps = 15;
constexpr float kBoundsMargin = 0.0f;

constexpr uint32_t kCueSound = 22;
constexpr uint32_t kMiscueSound = 25;
constexpr uint32_t kMiscueVoice = 63;
constexpr float kMiscueVoiceOffset = 0.6f;

constexpr float kSoftShotLow = 0.03f;
constexpr float kSoftShotHigh = 0.12f;
constexpr float kMasseElevation = 45.0f;
constexpr float kMassePower = 0.4f;

constexpr float kRespotDropHeight = 20.0f;
constexpr float kSpacedStep = 2.2f;
constexpr uint32_t kLastRed = 15;
constexpr uint32_t kApexPosition = 1;

float Clamp01(float value) {
    return std::clamp(value, 0.0f, 1.0f);
}

// The tip's rounded end touches the ball closer to its centre than the cue's axis meets it: a tip of radius
// a (its flat part h deep) on a ball of radius r moves the contact from d to d - s / r radii, with
// s = min(h, d r a / (a + r)). The spin offset is corrected the same way.
void CorrectTipOffset(float& x, float& y, float radius, float flatDepth, float tipRadius) {
    const float square = x * x + y * y;
    if (!(square > 0.0f) || !(radius > 0.0f) || !(tipRadius > 0.0f)) {
        return;
    }
    const float d = std::sqrt(square);
    const float s = std::min(flatDepth, d * radius * tipRadius / (tipRadius + radius));
    const float scale = (d - std::max(s, 0.0f) / radius) / d;
    x *= scale;
    y *= scale;
}

// A coordinate (or quaternion component) that a ball can be given: a finite number of a size the stroke's
// values may have.
bool IsPlaceable(float value) {
    return value >= -StrokeParameters::kLargestValue && value <= StrokeParameters::kLargestValue;
}

}  // namespace

TablePhysics::TablePhysics() : GameRule(type::kNone) {
    ballCount_ = static_cast<uint16_t>(quill::GetBallCount(gameType_));
    CreateModel(kDefaultPhysicsModelCode, true);
    // The model's balls come with placeholder sizes; give them the default ball set's at once.
    Prepare(true);
}

TablePhysics::~TablePhysics() {
    const TablePhysics* self = this;
    lastPrepared.compare_exchange_strong(self, nullptr);
    if (ownsModel_ != 0) {
        delete model_;
    }
}

bool TablePhysics::EvaluateShot(quill::TeamState* /*team*/, int16_t /*result*/, int8_t /*firstBall*/,
                                int8_t /*pocketedCount*/, const uint8_t* /*pocketed*/, int8_t /*lostCount*/,
                                const uint8_t* /*lost*/) {
    return true;
}

bool TablePhysics::IsGameOver(quill::TeamState* /*team*/) {
    return false;
}

// --- model and equipment ---

void TablePhysics::CreateModel(uint32_t code, bool useCache) {
    const uint32_t count = quill::GetBallCount(gameType_);
    model_ = CreatePhysicsModel(code, tableKind_, count, useCache);
    if (model_ == nullptr) {
        model_ = CreatePhysicsModel(kDefaultPhysicsModelCode, tableKind_, count, useCache);
    }
}

PhysicsModel* TablePhysics::SetModel(uint32_t code, uint8_t own) {
    ScopedLock hold(lock_);
    PhysicsModel* previous = model_;
    const bool ownedPrevious = ownsModel_ != 0;
    ownsModel_ = own;
    modelCode_ = code;
    CreateModel(code, own == 0);
    if (ownedPrevious && previous != model_) {
        delete previous;
    }
    Prepare(true);
    return model_;
}

void TablePhysics::SetItemProperties(uint16_t tableKind, uint32_t ballSetIndex) {
    tableKind_ = tableKind;
    ballSetIndex_ = ballSetIndex;
}

void TablePhysics::SetGameType(quill::GameType gameType) {
    gameType_ = gameType;
    ballCount_ = static_cast<uint16_t>(quill::GetBallCount(gameType));
    if (model_ != nullptr && model_->BallCount() != ballCount_) {
        model_->CreateBalls(ballCount_);
        SizeBalls(true);  // new balls come with placeholder sizes
    }
}

void TablePhysics::ApplyBallSet() {
    SizeBalls(true);
}

void TablePhysics::ApplyTable() {
    if (model_ == nullptr) {
        return;
    }
    // An item property that names no table kind would leave the model without a table.
    if (tableKind_ >= kTableKindCount) {
        tableKind_ = kDefaultTableKind;
    }
    TableGeometry geometry;
    const uint8_t hasPockets = InitTableGeometry(tableKind_, &geometry, model_->Code());
    model_->SharedRecord().geometry = geometry;
    model_->SharedRecord().hasPockets = hasPockets;
    SizeBalls(false);
}

void TablePhysics::SizeBalls(bool clearPocketed) {
    if (model_ == nullptr) {
        return;
    }
    // Balls without a size make every division of the physics infinite: an unknown ball set counts as the
    // default one.
    if (!(quill::GetBallRadius(ballSetIndex_) > 0.0f)) {
        ballSetIndex_ = kDefaultBallSet;
    }
    ballRadius_ = quill::GetBallRadius(ballSetIndex_);
    ballMass_ = quill::GetBallMass(ballSetIndex_);
    model_->Reinitialise(tableKind_);
    for (uint16_t i = 0; i < model_->BallCount(); ++i) {
        PhysicsBall& ball = model_->Ball(i);
        ball.SetSize(ballRadius_, ballMass_);
        if (clearPocketed) {
            ball.pocketed = 0;
            flagCache_[i % quill::kMaxBalls] = 0;
        }
    }
    lastPrepared = this;
}

void TablePhysics::Prepare(bool restore) {
    if (model_ == nullptr) {
        return;
    }
    if (model_->BallCount() != ballCount_) {
        model_->CreateBalls(ballCount_);
        restore = true;  // new balls
    }
    ApplyTable();
    if (restore) {
        RestoreBallsFromCaches();
    }
}

void TablePhysics::PrepareIfAnotherHolderDid() {
    if (lastPrepared.load() != this) {
        Prepare(ownsModel_ == 0);
    }
}

void TablePhysics::PrepareModel() {
    ScopedLock hold(lock_);
    PrepareIfAnotherHolderDid();
}

void TablePhysics::RestoreBallsFromCaches() {
    for (uint16_t i = 0; i < std::min<uint32_t>(BallCount(), quill::kMaxBalls); ++i) {
        PhysicsBall& ball = model_->Ball(i);
        ball.position = positionCache_[i];
        ball.orientation = orientationCache_[i];
        ball.pocketed = flagCache_[i];
        ball.Reset();
    }
}

uint16_t TablePhysics::BallCount() const {
    return model_ != nullptr ? model_->BallCount() : 0;
}

// --- placement ---

double TablePhysics::GetHalfTableSize() const {
    return model_ != nullptr ? static_cast<double>(model_->Geometry().noseMaxY) / 2.0 : 0.0;
}

bool TablePhysics::IsSpotTaken(uint32_t ball, const Vec3& point) const {
    if (BallCount() < 2) {
        return false;
    }
    const double limit = 2.0 * ballRadius_;
    for (uint16_t i = 1; i < BallCount(); ++i) {
        if (i != ball && (model_->Ball(i).position - point).LengthSquared() < limit * limit) {
            return true;
        }
    }
    return false;
}

int32_t TablePhysics::GetLowestBallOnTable() const {
    for (uint16_t i = 1; i < BallCount(); ++i) {
        if (model_->Ball(i).pocketed == 0) {
            return i;
        }
    }
    return -1;
}

void TablePhysics::SwapBallPositions(uint16_t a, uint16_t b) {
    if (HasBall(a) && HasBall(b)) {
        std::swap(model_->Ball(a).position, model_->Ball(b).position);
        CopyBallToCache(a);
        CopyBallToCache(b);
    }
}

Vec3* TablePhysics::SetBallPosition(uint32_t ball, float x, float y, float z) {
    if (!HasBall(ball) || ball >= quill::kMaxBalls) {
        return nullptr;
    }
    // Positions from a shot record or a message: a value that is no number on the table leaves the ball
    // where it is.
    if (!IsPlaceable(x) || !IsPlaceable(y) || !IsPlaceable(z)) {
        return nullptr;
    }
    model_->Ball(static_cast<uint16_t>(ball)).position = {x, y, z};
    positionCache_[ball] = {x, y, z};
    return &positionCache_[ball];
}

void TablePhysics::SetBallOrientation(uint32_t ball, float x, float y, float z, float w) {
    if (HasBall(ball) && ball < quill::kMaxBalls && IsPlaceable(x) && IsPlaceable(y) && IsPlaceable(z) &&
        IsPlaceable(w)) {
        model_->Ball(static_cast<uint16_t>(ball)).orientation = {x, y, z, w};
        orientationCache_[ball] = {x, y, z, w};
    }
}

void TablePhysics::SetBallFlag(uint32_t ball, uint8_t pocketed) {
    if (HasBall(ball) && ball < quill::kMaxBalls) {
        model_->Ball(static_cast<uint16_t>(ball)).pocketed = pocketed;
        flagCache_[ball] = pocketed;
    }
}

void TablePhysics::PlaceBallsSpaced() {
    const uint16_t count = BallCount();
    for (uint16_t i = 0; i < count; ++i) {
        PhysicsBall& ball = model_->Ball(i);
        ball.Reset();
        ball.pocketed = 0;
        const float offset = static_cast<float>(i) - static_cast<float>(count - 1) / 2.0f;
        ball.position = {offset * kSpacedStep * ballRadius_, 0.0f, ballRadius_};
        CopyBallToCache(i);
    }
}

// --- caches and motion ---

void TablePhysics::CopyBallToCache(uint32_t ball) {
    if (ball < quill::kMaxBalls && HasBall(ball)) {
        const PhysicsBall& source = model_->Ball(static_cast<uint16_t>(ball));
        positionCache_[ball] = source.position;
        orientationCache_[ball] = source.orientation;
        flagCache_[ball] = source.pocketed;
    }
}

void TablePhysics::CopyCaches() {
    for (uint32_t i = 0; i < BallCount(); ++i) {
        CopyBallToCache(i);
    }
}

void TablePhysics::SnapshotBalls() {
    ScopedLock hold(lock_);
    // After another holder's shot the shared model holds its balls, not this table's.
    PrepareIfAnotherHolderDid();
    CopyCaches();
}

void TablePhysics::ResetBalls() {
    ScopedLock hold(lock_);
    for (uint16_t i = 0; i < BallCount(); ++i) {
        model_->Ball(i).Reset();
    }
}

void TablePhysics::RequestStop() {
    ScopedLock hold(lock_);
    stopRequested_ = 1;
    ResetBalls();
}

// --- racks ---

RackTable TablePhysics::RackGeometry() const {
    if (model_ == nullptr) {
        return {};
    }
    return {model_->Geometry().noseMaxX, model_->Geometry().noseMaxY, ballRadius_};
}

void TablePhysics::StartRack(uint32_t seed) {
    cueBall_ = 0;
    respotPending_ = 0;
    respotStarted_ = 0;
    rackShots_ = 0;
    respotCount_ = 0;
    reBreak_ = false;
    random_.Seed(seed);
    referee_.Reset();
    ApplyBallSet();
    PlaceRack();
    StartGame(nullptr, 0);
}

void TablePhysics::SeedAndPlaceRack(uint32_t seed) {
    random_.Seed(seed);
    PlaceRack();
}

void TablePhysics::SeedRandom(uint32_t seed) {
    random_.Seed(seed);
    reBreak_ = true;
}

void TablePhysics::PlaceRack() {
    if (model_ == nullptr) {
        return;
    }
    for (uint16_t i = 0; i < BallCount(); ++i) {
        model_->Ball(i).pocketed = 0;
    }
    RackLayout layout(gameType_, tableState_, RackGeometry(), BallCount());
    layout.Place(random_);
    PlaceLayout(layout);
    for (uint32_t position = 0; position < quill::kMaxBalls; ++position) {
        slotOfPosition_[position] = layout.BallAtPosition(position);
    }
}

void TablePhysics::PlaceLayout(const RackLayout& layout) {
    for (uint16_t i = 0; i < std::min<uint32_t>(BallCount(), quill::kMaxBalls); ++i) {
        PhysicsBall& ball = model_->Ball(i);
        if (layout.IsPlaced(i)) {
            ball.position = layout.Position(i);
        }
        ball.Reset();
        ball.SetRandomOrientation(layout.OrientationSeed(i));
        CopyBallToCache(i);
    }
}

void TablePhysics::ReRack(uint32_t seed) {
    if (!HasBall(cueBall_)) {
        SeedAndPlaceRack(seed);
        return;
    }
    const PhysicsBall& cue = model_->Ball(cueBall_);
    const bool cueOnTable = cue.pocketed == 0 && cue.IsInsideBounds(kBoundsMargin);
    const Vec3 position = cue.position;
    const quill::Quaternion orientation = cue.orientation;
    SeedAndPlaceRack(seed);
    if (!cueOnTable) {
        return;  // a pocketed cue ball starts from the head spot where the rack put it
    }
    if (IsSpotTaken(cueBall_, position)) {
        RespotCueBall();
        return;
    }
    SetBallPosition(cueBall_, position.x, position.y, position.z);
    SetBallOrientation(cueBall_, orientation.x, orientation.y, orientation.z, orientation.w);
}

void TablePhysics::ReRackAround(int32_t lastBall, uint32_t seed) {
    SeedAndPlaceRack(seed);
    if (lastBall < 1 || !HasBall(static_cast<uint32_t>(lastBall)) ||
        lastBall >= static_cast<int32_t>(quill::kMaxBalls)) {
        return;
    }
    const auto last = static_cast<uint32_t>(lastBall);
    const uint32_t apexBall = slotOfPosition_[kApexPosition];
    if (apexBall == last) {
        return;
    }
    SwapBallPositions(static_cast<uint16_t>(last), static_cast<uint16_t>(apexBall));
    const auto lastEntry = std::find(slotOfPosition_.begin(), slotOfPosition_.end(), last);
    std::iter_swap(lastEntry, slotOfPosition_.begin() + kApexPosition);
}

uint32_t TablePhysics::GetBallAtPosition(uint32_t position) const {
    return position < quill::kMaxBalls ? slotOfPosition_[position] : 0;
}

// --- the shot ---

ShotFacts TablePhysics::MakeShotFacts() const {
    ShotFacts setup;
    setup.gameType = gameType_;
    setup.cueBall = cueBall_;
    setup.ballCount = BallCount();
    setup.rackShots = rackShots_;
    setup.reBreak = reBreak_;
    setup.ballGroup = ballGroup_ < 0 ? 0 : static_cast<uint8_t>(ballGroup_);
    setup.lowestBall = GetLowestBallOnTable();
    for (uint32_t colour = quill::kSnookerFirstColour; colour < BallCount(); ++colour) {
        if (model_->Ball(static_cast<uint16_t>(colour)).pocketed == 0) {
            setup.lowestColour = static_cast<int32_t>(colour);
            break;
        }
    }
    return setup;
}

JudgementContext TablePhysics::MakeContext() const {
    return {gameType_, targetCode_, extraCount_, masse_};
}

float TablePhysics::Strike(const StrokeParameters& stroke) {
    ScopedLock hold(lock_);
    PrepareIfAnotherHolderDid();
    if (!HasBall(cueBall_)) {
        return 0.0f;
    }
    if (!stroke.IsPlayable()) {
        quill::TheLog().LogError(u"WARNING : a stroke with a value that is no playable number is not played\n");
        return 0.0f;
    }
    StartShotState();
    PhysicsBall& cue = model_->Ball(cueBall_);
    KeepStroke(stroke, cue.position);
    const CueStroke cueStroke = MakeCueStroke(stroke);
    // The strike appends its miscue to the list; what an earlier step left there must not be read as it.
    ThePhysicsEventList().Clear();
    model_->Strike(cue, cueStroke);
    const float contactLength =
        std::sqrt(cueStroke.contactX * cueStroke.contactX + cueStroke.contactY * cueStroke.contactY);
    PlayStrikeSounds(contactLength, cueStroke.contactY);
    return contactLength;
}

void TablePhysics::StartShotState() {
    ResetBalls();
    respotCount_ = 0;
    respotPending_ = 0;
    respotStarted_ = 0;
    ++rackShots_;
    for (uint32_t i = 0; i < quill::kMaxBalls; ++i) {
        onTableAtStroke_[i] = HasBall(i) && !IsOffTable(i);
    }
    referee_.StartShot(MakeShotFacts());
    reBreak_ = false;
}

// The elevation goes into the strike and the aim direction is the stroke's: both are computed as the physics
// computes, in its floating-point mode and with its own sine and cosine, so that every client gets the same bits.
void TablePhysics::KeepStroke(const StrokeParameters& stroke, const Vec3& cuePosition) {
    const platform::ScopedFpuMode fpuMode;
    elevation_ = quill::DegreesToRadians(stroke.paramD);
    const float dx = stroke.aimPointX - cuePosition.x;
    const float dy = stroke.aimPointY - cuePosition.y;
    const float distance = physmath::Sqrt(dx * dx + dy * dy);
    float sine = 0.0f;
    float cosine = 0.0f;
    physmath::SinCos(elevation_, &sine, &cosine);
    aimDirection_ = {cosine * dx, cosine * dy, -sine * distance};
    aimDirection_.Normalize();
    power_ = stroke.power;
    fullPower_ = !(stroke.power < stroke.powerCap);
    softShot_ = stroke.power > kSoftShotLow && stroke.power < kSoftShotHigh;
    masse_ = stroke.paramD >= kMasseElevation && stroke.power > kMassePower;
}

CueStroke TablePhysics::MakeCueStroke(const StrokeParameters& stroke) const {
    CueStroke cueStroke;
    cueStroke.aimX = stroke.aimPointX;
    cueStroke.aimY = stroke.aimPointY;
    cueStroke.contactX = stroke.tipOffsetX;
    cueStroke.contactY = stroke.tipOffsetY;
    CorrectTipOffset(cueStroke.contactX, cueStroke.contactY, ballRadius_, stroke.startParamA, stroke.startParamB);
    cueStroke.spinX = stroke.strokeX;
    cueStroke.spinY = stroke.strokeY;
    CorrectTipOffset(cueStroke.spinX, cueStroke.spinY, ballRadius_, stroke.startParamA, stroke.startParamB);
    cueStroke.elevation = elevation_;
    cueStroke.power = stroke.power;
    cueStroke.contactTimeFactor = stroke.paramG;
    cueStroke.limitFactor = stroke.paramE;
    cueStroke.extraValue = stroke.paramF;
    return cueStroke;
}

void TablePhysics::PlayStrikeSounds(float contactLength, float contactHeight) {
    const auto events = ThePhysicsEventList().Events();
    const bool miscue = !events.empty() && events.front().kind == PhysicsEventKind::Miscue;
    if (!miscue) {
        if (sound_ != nullptr) {
            sound_->PlaySound(kCueSound, Clamp01(power_));
        }
        return;
    }
    if (sound_ != nullptr) {
        sound_->PlaySound(kMiscueSound, Clamp01(contactLength));
        sound_->PlaySound(kCueSound, Clamp01(1.0f - power_));
    }
    if (tableState_ == Referee::kJudgingState && contactHeight > kMiscueVoiceOffset) {
        referee_.Announce(kMiscueVoice);
    }
}

int TablePhysics::Step() {
    ScopedLock hold(lock_);
    if (stopRequested_ != 0) {
        stopRequested_ = 0;
        return 0;
    }
    if (model_ == nullptr) {
        return 0;
    }
    const uint32_t subSteps = quill::IsCaromGame(gameType_) ? kCaromSubSteps : kPocketSubSteps;
    const bool stopped = model_->Simulate(kStepDuration, subSteps, speedFactor_);
    CopyCaches();
    if (HasBall(cueBall_)) {
        referee_.PlayRolling(static_cast<float>(std::sqrt(model_->Ball(cueBall_).velocity.LengthSquared())));
    }
    const JudgementContext context = MakeContext();
    for (const PhysicsEvent& event : ThePhysicsEventList().Events()) {
        referee_.OnEvent(event, tableState_, context);
    }
    FollowSecondTarget();
    referee_.UpdateA(0);
    referee_.UpdateB(0);
    if (!stopped) {
        return 1;
    }
    ResetBalls();
    FinishShot();
    return 0;
}

void TablePhysics::FollowSecondTarget() {
    const int32_t target = referee_.Analysis().SecondTarget();
    if (target < 0 || !HasBall(static_cast<uint32_t>(target)) || !HasBall(cueBall_)) {
        return;
    }
    const Vec3 gap = model_->Ball(cueBall_).position - model_->Ball(static_cast<uint16_t>(target)).position;
    referee_.Analysis().OnCueBallDistance(static_cast<float>(std::sqrt(gap.LengthSquared())), ballRadius_);
}

bool TablePhysics::IsOffTable(uint32_t ball) const {
    const PhysicsBall& b = model_->Ball(static_cast<uint16_t>(ball));
    return b.pocketed != 0 || !b.IsInsideBounds(kBoundsMargin);
}

std::array<bool, quill::kMaxBalls> TablePhysics::BallsLostSinceStroke() const {
    std::array<bool, quill::kMaxBalls> lost{};
    for (uint32_t i = 0; i < std::min<uint32_t>(BallCount(), quill::kMaxBalls); ++i) {
        lost[i] = onTableAtStroke_[i] && IsOffTable(i);
    }
    return lost;
}

void TablePhysics::FinishShot() {
    if (model_ != nullptr && !referee_.Analysis().IsFinished() && respotStarted_ == 0) {
        referee_.Analysis().Finish(BallsLostSinceStroke());
    }
}

int32_t TablePhysics::AnnounceShot(uint16_t runCount) {
    if (tableState_ != Referee::kJudgingState || model_ == nullptr) {
        return 0;
    }
    SetExtraCount(runCount);
    FinishShot();
    return referee_.JudgeFinishedShot(BallsLostSinceStroke(), MakeContext());
}

void TablePhysics::AnnounceChallengeShot(int32_t targetCode, uint16_t runCount, bool deciding) {
    if (model_ == nullptr) {
        return;
    }
    FinishShot();
    JudgementContext context = MakeContext();
    context.targetCode = static_cast<int16_t>(targetCode);
    context.extraCount = runCount;
    referee_.JudgeChallengeShot(context, deciding);
}

int32_t TablePhysics::FirstBallOnLine(const Vec3& direction) const {
    if (!HasBall(cueBall_)) {
        return -1;
    }
    const double length = std::sqrt(double{direction.x} * direction.x + double{direction.y} * direction.y);
    if (!(length > 0.0)) {
        return -1;
    }
    const double ux = direction.x / length;
    const double uy = direction.y / length;
    const Vec3& origin = model_->Ball(cueBall_).position;
    const double contact = 2.0 * ballRadius_;
    int32_t first = -1;
    double nearest = 0.0;
    for (uint16_t i = 0; i < BallCount(); ++i) {
        if (i == cueBall_ || IsOffTable(i)) {
            continue;
        }
        const double rx = model_->Ball(i).position.x - origin.x;
        const double ry = model_->Ball(i).position.y - origin.y;
        const double along = rx * ux + ry * uy;
        const double across = rx * rx + ry * ry - along * along;
        if (along <= 0.0 || across >= contact * contact) {
            continue;
        }
        const double travel = along - std::sqrt(contact * contact - across);
        if (first < 0 || travel < nearest) {
            first = i;
            nearest = travel;
        }
    }
    return first;
}

void TablePhysics::SetBallGroup(uint8_t group) {
    GameRule::SetBallGroup(group);
    if (gameType_ == type::kSnooker && GetLowestBallOnTable() < 0) {
        GameRule::SetBallGroup(0);
    }
}

// --- the shot's report ---

int8_t TablePhysics::GetRuleValue() const {
    return static_cast<int8_t>(referee_.Analysis().FirstBall());
}

uint8_t TablePhysics::GetFirstListCount() const {
    const size_t count = referee_.Analysis().Pocketed().size();
    return count < kInvalidListCount ? static_cast<uint8_t>(count) : kInvalidListCount;
}

std::span<const uint8_t> TablePhysics::FirstList() const {
    return referee_.Analysis().Pocketed();
}

uint8_t TablePhysics::GetSecondListCounter() const {
    return static_cast<uint8_t>(22 + 3 * std::min<size_t>(referee_.Analysis().Lost().size(), quill::kMaxBalls));
}

std::span<const uint8_t> TablePhysics::SecondList() const {
    return referee_.Analysis().Lost();
}

void TablePhysics::SetSound(TableSound* sound) {
    sound_ = sound;
    referee_.SetSound(sound);
}

// --- respotting ---

uint32_t TablePhysics::CollectRespotBalls() {
    respotPending_ = 0;
    respotCount_ = 0;
    if (model_ == nullptr) {
        return 0;
    }
    const auto list = [this](uint32_t ball) {
        if (respotCount_ < quill::kMaxBalls) {
            respotList_[respotCount_++] = static_cast<uint8_t>(ball);
            respotPending_ = 1;
        }
    };
    const uint32_t count = std::min<uint32_t>(BallCount(), quill::kMaxBalls);
    if (quill::IsCaromGame(gameType_)) {
        for (uint32_t ball = 0; ball < count; ++ball) {
            if (!model_->Ball(static_cast<uint16_t>(ball)).IsInsideBounds(kBoundsMargin)) {
                list(ball);
            }
        }
        return respotPending_;
    }
    if (HasBall(cueBall_) && IsOffTable(cueBall_)) {
        list(cueBall_);
    }
    if (gameType_ == type::kNineBall && HasBall(RackLayout::kNineBall)) {
        const PhysicsBall& nine = model_->Ball(RackLayout::kNineBall);
        const bool foul = referee_.Analysis().Count() < 0;  // a foul or a miss
        if (!nine.IsInsideBounds(kBoundsMargin) || (nine.pocketed != 0 && foul)) {
            list(RackLayout::kNineBall);
        }
    }
    if (gameType_ == type::kSnooker) {
        bool redsOnTable = false;
        for (uint32_t red = 1; red <= kLastRed && red < count; ++red) {
            redsOnTable = redsOnTable || !IsOffTable(red);
        }
        for (uint32_t colour = quill::kSnookerFirstColour; redsOnTable && colour < count; ++colour) {
            if (IsOffTable(colour)) {
                list(colour);
            }
        }
    }
    return respotPending_;
}

uint32_t TablePhysics::StartRespot() {
    respotStarted_ = 1;
    RespotBalls();
    return 1;
}

void TablePhysics::RespotBalls() {
    uint32_t tryCounter = 0;
    for (uint32_t i = 0; i < respotCount_; ++i) {
        RespotBall(respotList_[i], tryCounter);
    }
}

void TablePhysics::RespotBall(uint32_t ball, uint32_t& tryCounter) {
    if (!HasBall(ball)) {
        return;
    }
    const RespotPlanner planner(*model_, gameType_, cueBall_, ballRadius_);
    const RespotPlanner::Spot spot = planner.SpotFor(ball, tryCounter);
    PutOnSpot(ball, spot.x, spot.y, kRespotDropHeight);
}

void TablePhysics::PutOnSpot(uint32_t ball, float x, float y, float z) {
    PhysicsBall& target = model_->Ball(static_cast<uint16_t>(ball));
    target.Reset();
    target.pocketed = 0;
    target.position = {x, y, z};
    CopyBallToCache(ball);
}

void TablePhysics::RespotCueBall() {
    if (!HasBall(cueBall_)) {
        return;
    }
    const RespotPlanner planner(*model_, gameType_, cueBall_, ballRadius_);
    const RespotPlanner::Spot spot = planner.HeadSpot(cueBall_);
    PutOnSpot(cueBall_, spot.x, spot.y, ballRadius_);
}

}  // namespace kestrovan
