#include "client/scenes/practice/PracticeChallenge.h"

namespace kestrovan {

namespace {

// Target scores of levels 1 to 5 per game type; the others have no challenge.
struct Targets {
    quill::GameType type;
    std::array<int32_t, PracticeChallenge::kLevels> targets;
};
constexpr Targets kTargets[] = {{0, {10, 20, 30, 40, 50}}, {2, {6, 12, 18, 24, 30}},  {3, {4, 8, 12, 16, 20}},
                                {5, {4, 8, 12, 16, 20}},   {4, {3, 6, 9, 12, 15}},    {13, {20, 40, 60, 80, 100}}};
constexpr std::array<int32_t, PracticeChallenge::kLevels> kRequiredLevels{0, 5, 10, 15, 20};
constexpr std::array<uint32_t, PracticeChallenge::kLevels> kRewards{2000, 2500, 3000, 3500, 4000};

const Targets* TargetsOf(quill::GameType type) {
    for (const Targets& entry : kTargets) {
        if (entry.type == type) return &entry;
    }
    return nullptr;
}

bool IsThreeCushionFirstShotRule(quill::GameType type) {
    return type == 3 || type == 5;
}

}  // namespace

bool PracticeChallenge::HasChallenge(quill::GameType type) {
    return TargetsOf(type) != nullptr;
}

PracticeChallenge::Level PracticeChallenge::LevelFor(int32_t level, quill::GameType type) {
    const Targets* targets = TargetsOf(type);
    if (targets == nullptr || level < 1 || level > kLevels) return {};
    const auto index = static_cast<size_t>(level - 1);
    return {kRequiredLevels[index], kRewards[index], targets->targets[index], type == 13 ? 0 : 100 * level};
}

bool PracticeChallenge::LevelAllowed(int32_t level, int32_t playerLevel) {
    return 5 * level - 5 <= playerLevel;
}

int32_t PracticeChallenge::TargetCode(quill::GameType type) {
    switch (type) {
        case 0:
            return 1;
        case 2:
            return 2;
        case 3:
        case 4:
        case 5:
            return 4;
        case 10:
        case 12:
        case 13:
            return 5;
        default:
            return 0;
    }
}

bool PracticeChallenge::ShotSucceeds(quill::GameType type, int32_t counter) {
    const int32_t target = TargetCode(type);
    return target > 0 && counter >= target;
}

int32_t PracticeChallenge::ShotPoints(quill::GameType type, int32_t counter, int32_t rulePoints) {
    if (type == 2 && counter >= 4) return 2;
    if (IsThreeCushionFirstShotRule(type) && counter >= 1000) return 2;
    if (type == 13) return rulePoints;
    return 1;
}

PracticeChallenge::ChargeRefusal PracticeChallenge::CheckGoldCharge(uint8_t membership, uint8_t chargesLeft,
                                                                   int64_t gold) {
    if (membership < 1) return ChargeRefusal::kMembershipOnly;
    if (chargesLeft == 0) return ChargeRefusal::kNoChargesLeft;
    if ((membership > 2 && gold > 30000) || (membership <= 2 && gold > 20000)) return ChargeRefusal::kTooMuchGold;
    return ChargeRefusal::kAllowed;
}

uint32_t PracticeChallenge::ChargeAmount(uint8_t membership) {
    return membership < 3 ? 20000 : 50000;
}

void PracticeChallenge::Start(quill::GameType type, int32_t level) {
    type_ = type;
    level_ = level;
    innings_ = 1;
    points_ = 0;
    shotsOfInning_ = 0;
    active_ = true;
}

PracticeChallenge::Judgement PracticeChallenge::Judge(int32_t counter, int32_t rulePoints) {
    Judgement judgement;
    if (!active_) return judgement;
    ++shotsOfInning_;
    if (ShotSucceeds(type_, counter)) {
        judgement.success = true;
        judgement.points = ShotPoints(type_, counter, rulePoints);
        points_ += judgement.points;
        return judgement;
    }
    if (innings_ >= kInnings) {
        judgement.finished = true;
        active_ = false;
        return judgement;
    }
    // A failed first shot of a three-cushion inning costs no inning.
    if (!(IsThreeCushionFirstShotRule(type_) && shotsOfInning_ == 1)) {
        ++innings_;
        shotsOfInning_ = 0;
        judgement.inningAdded = true;
    }
    judgement.switchCueBall = quill::IsCaromGame(type_);
    return judgement;
}

float PracticeChallenge::Average() const {
    return innings_ > 0 ? static_cast<float>(points_) / static_cast<float>(innings_) : 0.0f;
}

}  // namespace kestrovan
