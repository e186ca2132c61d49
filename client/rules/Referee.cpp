#include "client/rules/Referee.h"

#include <algorithm>
#include <cmath>

#include "platform/system/Clock.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;

// Voices.
constexpr uint32_t kVoiceFoulGeneric = 99;
constexpr uint32_t kVoiceFoulBreak = 100;
constexpr uint32_t kVoiceWrongBallA = 43;
constexpr uint32_t kVoiceWrongBallB = 42;
constexpr uint32_t kVoiceScratch = 49;
constexpr uint32_t kVoiceOtherWhite = 47;
constexpr uint32_t kVoiceSpecial = 102;
constexpr uint32_t kVoiceNeedMore = 101;
constexpr uint32_t kVoiceBust = 100;
constexpr uint32_t kVoiceNearMissClose = 70;
constexpr uint32_t kVoiceNearMiss = 71;
constexpr uint32_t kVoiceNearMissWide = 72;
constexpr uint32_t kVoiceNiceShot = 64;  // and 65
constexpr uint32_t kVoiceRunWin = 92;
constexpr uint32_t kVoiceFollowUp = 60;
constexpr uint32_t kVoiceMasse = 61;       // three cushions or more
constexpr uint32_t kVoiceMasseShort = 62;  // fewer than three

// The challenge's own words.
constexpr uint32_t kVoiceTooBad = 42;
constexpr uint32_t kVoiceClose = 45;
constexpr uint32_t kVoiceSoClose = 48;
constexpr uint32_t kVoiceNearly = 50;
constexpr uint32_t kVoiceAlmost = 51;
constexpr uint32_t kVoiceNotQuite = 52;
constexpr uint32_t kVoiceBankShot = 73;
constexpr uint32_t kVoiceThreeCushions = 75;
constexpr uint32_t kVoiceFrameBall = 93;
constexpr uint32_t kChallengePraise[] = {58, 59, 66, 67, 68};
constexpr float kNearlyCloseness = 0.6f;
constexpr float kAlmostCloseness = 0.25f;

constexpr uint32_t kPraiseDelayMs = 500;
constexpr uint32_t kNearMissDelayMs = 500;
constexpr float kVoiceVolume = 1.0f;

constexpr float kMinContactStrength = 0.01f;
constexpr float kMaxRollingSpeed = 8.0f;
constexpr float kMinRollingSpeed = 0.1f;

struct ContactSound {
    uint32_t soundId;
    float divisor;
};

// Contact sounds by event kind 0 (ball on ball) to 6 (pocketed).
constexpr ContactSound kContactSounds[] = {
    {9, 1.25f}, {10, 0.8f}, {12, 0.4f}, {15, 0.4f}, {11, 0.4f}, {13, 0.3f}, {14, 0.8f},
};

// The count a target asks for beyond which the referee reminds the shooter of it.
int32_t MinimumTargetCount(quill::GameType gameType) {
    if (gameType == type::kFourBall) {
        return 1;
    }
    return gameType <= type::kOneCushionGamble ? 2 : 4;
}

}  // namespace

Referee::Referee() : clock_(platform::TimeGetTime) {}

uint32_t Referee::Now() const {
    return clock_ ? clock_() : platform::TimeGetTime();
}

void Referee::Announce(uint32_t voiceId) {
    CancelB();
    if (saidVoices_.insert(voiceId).second && sound_ != nullptr) {
        sound_->QueueVoice(voiceId, kVoiceVolume);
    }
}

void Referee::ScheduleA(uint32_t voiceId, uint32_t delayMs) {
    if (pendingA_ != 0) {
        return;
    }
    pendingA_ = 1;
    voiceA_ = static_cast<int32_t>(voiceId);
    startA_ = Now();
    delayA_ = delayMs;
}

void Referee::ScheduleB(uint32_t voiceId, uint32_t delayMs, uint8_t withFollowUp) {
    pendingA_ = 0;
    voiceA_ = kNoVoice;
    if (pendingB_ != 0) {
        return;
    }
    pendingB_ = 1;
    voiceB_ = static_cast<int32_t>(voiceId);
    startB_ = Now();
    delayB_ = delayMs;
    withFollowUp_ = withFollowUp;
}

void Referee::CancelB() {
    pendingB_ = 0;
    voiceB_ = kNoVoice;
    withFollowUp_ = 0;
}

void Referee::UpdateA(uint8_t force) {
    // Unsigned differences keep working across the wrap of the millisecond timer.
    if (pendingA_ == 0 || (force == 0 && Now() - startA_ <= delayA_)) {
        return;
    }
    const int32_t voice = voiceA_;
    pendingA_ = 0;
    voiceA_ = kNoVoice;
    Announce(static_cast<uint32_t>(voice));
    MarkSaid(kVoiceNearMissClose);
    MarkSaid(kVoiceNearMiss);
    MarkSaid(kVoiceNearMissWide);
}

void Referee::UpdateB(uint8_t force) {
    if (pendingB_ == 0 || (force == 0 && Now() - startB_ <= delayB_)) {
        return;
    }
    const int32_t voice = voiceB_;
    const bool followUp = withFollowUp_ != 0;
    Announce(static_cast<uint32_t>(voice));
    if (followUp) {
        Announce(kVoiceFollowUp);
    }
    MarkSaid(kVoiceNiceShot);
    MarkSaid(kVoiceNiceShot + 1);
    CancelB();
}

void Referee::Reset() {
    analysis_ = ShotAnalysis();
    foulAnnounced_ = false;
    runAnnounced_ = false;
    praiseScheduled_ = false;
    saidVoices_.clear();
    pendingA_ = 0;
    voiceA_ = kNoVoice;
    CancelB();
}

void Referee::StartShot(const ShotFacts& setup) {
    analysis_.Start(setup);
    foulAnnounced_ = false;
    runAnnounced_ = false;
    praiseScheduled_ = false;
}

void Referee::OnEvent(const PhysicsEvent& event, int32_t tableState, const JudgementContext& context) {
    bool codeChanged = false;
    switch (event.kind) {
        case PhysicsEventKind::BallBall:
            codeChanged = analysis_.OnBallContact(event.ball, event.extra);
            break;
        case PhysicsEventKind::Cushion:
            codeChanged = analysis_.OnCushion(event.ball, event.ExtraLow());
            break;
        case PhysicsEventKind::Pocketed:
            analysis_.OnPocketed(event.ball);
            break;
        case PhysicsEventKind::FloorImpact:
        case PhysicsEventKind::FloorRest:
            analysis_.OnLeftTable(event.ball);
            break;
        default:
            break;
    }
    if (codeChanged && tableState == kJudgingState) {
        Judge(context);
    }
    PlayContactSound(event);
}

void Referee::PlayContactSound(const PhysicsEvent& event) {
    const auto kind = static_cast<uint32_t>(event.kind);
    if (kind >= std::size(kContactSounds) || !(event.strength >= kMinContactStrength) || sound_ == nullptr) {
        return;
    }
    const float strength = event.kind == PhysicsEventKind::BallBall ? event.strength + 0.05f : event.strength;
    const ContactSound& contact = kContactSounds[kind];
    sound_->PlaySound(contact.soundId, std::min(1.0f, std::fabs(strength) / contact.divisor));
}

void Referee::PlayRolling(float speed) {
    const float capped = std::min(speed, kMaxRollingSpeed);
    if (capped > kMinRollingSpeed && sound_ != nullptr) {
        sound_->PlaySound(kRollingSound, capped / kMaxRollingSpeed);
    }
}

int32_t Referee::JudgeFinishedShot(const std::array<bool, quill::kMaxBalls>& offTable,
                                   const JudgementContext& context) {
    analysis_.Finish(offTable);
    Judge(context);
    if (analysis_.Code() < 0) {
        return -1;
    }
    if (analysis_.Count() >= 1 && ShotAnalysis::MeetsTarget(analysis_.Code(), context.targetCode, context.gameType)) {
        return 1;
    }
    return 0;
}

void Referee::Judge(const JudgementContext& context) {
    if (analysis_.IsFoul()) {
        JudgeFoul();
        return;
    }
    if (analysis_.IsSpecial() && !WasSaid(kVoiceSpecial)) {
        Announce(kVoiceSpecial);
    } else if (analysis_.Count() < 1) {
        JudgeNoScore(context);
    } else if (!ShotAnalysis::MeetsTarget(analysis_.Code(), context.targetCode, context.gameType)) {
        JudgeShortOfTarget(context);
    } else {
        JudgeOnTarget(context);
    }
}

void Referee::JudgeFoul() {
    if (foulAnnounced_) {
        return;
    }
    foulAnnounced_ = true;
    CancelB();
    switch (analysis_.Kind()) {
        case shot_kind::kWrongBallFirst:
            Announce(kVoiceWrongBallA);
            Announce(kVoiceWrongBallB);
            break;
        case shot_kind::kObjectBallLost:
            break;  // announced by the room with the ball
        case shot_kind::kCueBallLost:
            Announce(kVoiceScratch);
            break;
        case shot_kind::kBreakFoul:
            Announce(kVoiceFoulBreak);
            break;
        case shot_kind::kOtherWhite:
            Announce(kVoiceOtherWhite);
            break;
        default:
            Announce(kVoiceFoulGeneric);
            break;
    }
}

void Referee::JudgeNoScore(const JudgementContext& context) {
    if (analysis_.Kind() == shot_kind::kMiss) {
        CancelB();
        Announce(kVoiceFoulGeneric);
        return;
    }
    const int32_t family = quill::GetGameFamily(context.gameType);
    if ((family == 0 || family == 1) &&
        ShotAnalysis::MeetsTarget(analysis_.ProgressCode(), context.targetCode, context.gameType)) {
        const float closeness = analysis_.Closeness();
        const uint32_t voice = closeness > 0.8f   ? kVoiceNearMissClose
                               : closeness > 0.4f ? kVoiceNearMiss
                                                  : kVoiceNearMissWide;
        ScheduleA(voice, kNearMissDelayMs);
    }
}

void Referee::JudgeShortOfTarget(const JudgementContext& context) {
    const int32_t count = analysis_.Count();
    const int32_t target = context.targetCode % 1000;
    if (context.gameType == type::kSixBalls) {
        if (target < count || target == count + 1) {
            CancelB();
            Announce(kVoiceBust);
        }
        return;
    }
    if (context.gameType > type::kThreeCushionGamble || WasSaid(kVoiceNeedMore)) {
        return;
    }
    if (target > MinimumTargetCount(context.gameType) || quill::ThousandsCappedAt3(context.targetCode) > 0) {
        Announce(kVoiceNeedMore);
    }
}

void Referee::JudgeOnTarget(const JudgementContext& context) {
    const bool winningCount = analysis_.Count() == shot_code::kSixBallsWin;
    if (context.extraCount > 0 && (analysis_.Kind() == shot_kind::kMultiplePocket || winningCount) && !runAnnounced_) {
        runAnnounced_ = true;
        if (winningCount) {
            ScheduleB(kVoiceRunWin, 0, 1);
        } else {
            ScheduleB(NiceShotVoice(), kPraiseDelayMs, 1);
        }
        return;
    }
    if (praiseScheduled_) {
        return;
    }
    praiseScheduled_ = true;
    if (!context.masse) {
        ScheduleB(NiceShotVoice(), kPraiseDelayMs, 0);
    } else {
        ScheduleB(analysis_.CueCushions() < 3 ? kVoiceMasseShort : kVoiceMasse, kPraiseDelayMs, 0);
    }
}

uint32_t Referee::NiceShotVoice() {
    return kVoiceNiceShot + voiceRandom_->Next() % 2;
}

void Referee::JudgeChallengeShot(const JudgementContext& context, bool deciding) {
    pendingA_ = 0;
    voiceA_ = kNoVoice;
    CancelB();
    const bool met = analysis_.Count() >= 1 && !analysis_.IsFoul() &&
                     ShotAnalysis::MeetsTarget(analysis_.Code(), context.targetCode, context.gameType);
    if (!met) {
        Say(ChallengeVoice(context));
        return;
    }
    if (quill::IsCaromGame(context.gameType) && sound_ != nullptr) {
        sound_->PlaySound(kChallengeSuccessSound, 1.0f);
    }
    Say(ChallengePraise(context));
    if (deciding) {
        Say(kVoiceFrameBall);
    } else if (context.extraCount > 1) {
        Say(kVoiceFollowUp);
    }
}

// A shot that falls short: a foul, a miss of every object ball, how near a shot without score came, or how far
// a score stayed below the target.
uint32_t Referee::ChallengeVoice(const JudgementContext& context) const {
    if (analysis_.IsFoul()) {
        return kVoiceFoulGeneric;
    }
    if (analysis_.Code() == shot_code::kMiss) {
        return kVoiceTooBad;
    }
    if (analysis_.Count() < 1) {
        const float closeness = analysis_.Closeness();
        if (closeness > kNearlyCloseness) {
            return kVoiceNearly;
        }
        return closeness > kAlmostCloseness ? kVoiceAlmost : kVoiceNotQuite;
    }
    return analysis_.Count() + 1 == context.targetCode % 1000 ? kVoiceSoClose : kVoiceClose;
}

// A bank shot and three cushions where fewer would do are named; any other shot gets one of the praises.
uint32_t Referee::ChallengePraise(const JudgementContext& context) {
    if (quill::IsCaromGame(context.gameType)) {
        if (quill::ThousandsCappedAt3(analysis_.Code()) > 0) {
            return kVoiceBankShot;
        }
        if (analysis_.Count() >= 4 && context.targetCode % 1000 < 4) {
            return kVoiceThreeCushions;
        }
    }
    return kChallengePraise[voiceRandom_->Next() % std::size(kChallengePraise)];
}

// Every challenge shot has its word, also one said before in the rack.
void Referee::Say(uint32_t voiceId) {
    MarkSaid(voiceId);
    if (sound_ != nullptr) {
        sound_->QueueVoice(voiceId, kVoiceVolume);
    }
}

}  // namespace kestrovan
