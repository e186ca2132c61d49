#pragma once
// The referee watches each shot on the client and speaks its announcements. It says each voice at most
// once per rack, and it can hold two announcements back for a while (slots A and B) so that a later, more
// specific one can replace them. It runs on the game thread.
#include <cstdint>
#include <functional>
#include <set>

#include "QuillLib/core/Random.h"
#include "QuillLib/gamedata/GameTypes.h"
#include "client/physics/PhysicsEvent.h"
#include "client/rules/ShotAnalysis.h"
#include "client/rules/TableSound.h"

namespace kestrovan {

// The table's facts that a judgement compares the shot with.
struct JudgementContext {
    quill::GameType gameType = quill::game_type::kNone;
    int16_t targetCode = 1;
    uint32_t extraCount = 0;  // the shooter's run of scoring shots
    bool masse = false;       // the stroke was a masse (elevation of 45 degrees or more, power above 0.4)
};

class Referee {
public:
    static constexpr int32_t kNoVoice = -1;
    // The table state in which shots are judged.
    static constexpr int32_t kJudgingState = 7;
    static constexpr uint32_t kRollingSound = 16;
    static constexpr uint32_t kChallengeSuccessSound = 28;

    Referee();

    void SetSound(TableSound* sound) { sound_ = sound; }
    // The millisecond clock of the pending slots (the system timer unless replaced).
    void SetClock(std::function<uint32_t()> clock) { clock_ = std::move(clock); }
    // The generator that chooses between the two "nice shot" voices (the application's own).
    void SetVoiceRandom(quill::Random* random) { voiceRandom_ = random != nullptr ? random : &ownRandom_; }

    // Says a voice unless it was said in this rack; cancels slot B.
    void Announce(uint32_t voiceId);
    // Holds a voice in slot A for delayMs, unless A already holds one.
    void ScheduleA(uint32_t voiceId, uint32_t delayMs);
    // Holds a voice in slot B (cancelling A), unless B already holds one.
    void ScheduleB(uint32_t voiceId, uint32_t delayMs, uint8_t withFollowUp);
    void CancelB();
    // Says the held voice once its delay has passed, or at once when forced.
    void UpdateA(uint8_t force);
    void UpdateB(uint8_t force);

    // A new rack: forgets the observations, the voices said and both slots.
    void Reset();
    // A new shot: forgets the observations of the last one.
    void StartShot(const ShotFacts& setup);

    // One contact event of the running shot: into the analysis, the judgement when the shot code changed,
    // and its contact sound.
    void OnEvent(const PhysicsEvent& event, int32_t tableState, const JudgementContext& context);
    // The cue ball's rolling sound at its speed (m/s).
    void PlayRolling(float speed);
    // Classifies the finished shot and judges it; 1 when it meets the target, -1 for a foul, else 0.
    int32_t JudgeFinishedShot(const std::array<bool, quill::kMaxBalls>& offTable, const JudgementContext& context);
    // Chooses the voices of the shot as it stands.
    void Judge(const JudgementContext& context);
    // The practice challenge's word on a finished shot, from a wider set of voices than Judge's and said at every
    // shot: a foul, a miss, how near a shot without score came, a score short of the target, or praise for one
    // that meets it (a carom shot that does also plays the success sound). deciding: the shot reached the
    // challenge's target score. Replaces whatever the slots still hold.
    void JudgeChallengeShot(const JudgementContext& context, bool deciding);

    bool WasSaid(uint32_t voiceId) const { return saidVoices_.count(voiceId) != 0; }
    bool IsPendingA() const { return pendingA_ != 0; }
    bool IsPendingB() const { return pendingB_ != 0; }
    int32_t PendingVoiceA() const { return voiceA_; }
    int32_t PendingVoiceB() const { return voiceB_; }

    ShotAnalysis& Analysis() { return analysis_; }
    const ShotAnalysis& Analysis() const { return analysis_; }

private:
    void MarkSaid(uint32_t voiceId) { saidVoices_.insert(voiceId); }
    void JudgeFoul();
    void JudgeNoScore(const JudgementContext& context);
    void JudgeShortOfTarget(const JudgementContext& context);
    void JudgeOnTarget(const JudgementContext& context);
    uint32_t NiceShotVoice();
    uint32_t ChallengeVoice(const JudgementContext& context) const;
    uint32_t ChallengePraise(const JudgementContext& context);
    void Say(uint32_t voiceId);
    void PlayContactSound(const PhysicsEvent& event);
    uint32_t Now() const;

    TableSound* sound_ = nullptr;
    std::function<uint32_t()> clock_;
    quill::Random ownRandom_;
    quill::Random* voiceRandom_ = &ownRandom_;

    ShotAnalysis analysis_;
    bool foulAnnounced_ = false;
    bool runAnnounced_ = false;
    bool praiseScheduled_ = false;
    std::set<uint32_t> saidVoices_;

    uint32_t pendingA_ = 0;
    int32_t voiceA_ = kNoVoice;
    uint32_t startA_ = 0;
    uint32_t delayA_ = 0;
    uint32_t pendingB_ = 0;
    int32_t voiceB_ = kNoVoice;
    uint32_t startB_ = 0;
    uint32_t delayB_ = 0;
    uint8_t withFollowUp_ = 0;
};

}  // namespace kestrovan
