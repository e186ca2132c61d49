#include "client/rules/ShotAnalysis.h"

#include <algorithm>
#include <bit>

namespace kestrovan {
namespace {

namespace type = quill::game_type;

constexpr uint32_t kMaxBanks = 3;
constexpr uint32_t kMaxCushions = 998;
constexpr uint32_t kRailLimit = 2;  // a rail counts at most twice in one shot
constexpr uint16_t kRed = 2;
constexpr uint32_t kSixBallObjects = 5;
constexpr uint32_t kAllSixBallMarks = (1u << 1) | (1u << 2) | (1u << 3) | (1u << 4) | (1u << 5);
// The gap (in ball radii) over which the closeness of a near miss falls from 1 to 0.
constexpr float kClosenessRange = 4.0f;

// Six balls: the count of a shot by the number of object balls reached.
int32_t SixBallCount(uint32_t hits) {
    constexpr int32_t kCounts[] = {0, 5, 6, 7, 9, 14};
    return kCounts[std::min(hits, kSixBallObjects)];
}

bool Contains(const std::vector<uint8_t>& balls, uint8_t ball) {
    return std::find(balls.begin(), balls.end(), ball) != balls.end();
}

}  // namespace

void ShotAnalysis::StartRack() {
    sixBallMarks_ = 0;
}

void ShotAnalysis::Start(const ShotFacts& setup) {
    const uint32_t marks = sixBallMarks_;
    *this = ShotAnalysis();
    setup_ = setup;
    sixBallMarks_ = marks;
}

bool ShotAnalysis::IsCarom() const {
    return setup_.gameType >= type::kFourBall && setup_.gameType <= type::kThreeCushionGamble;
}

bool ShotAnalysis::IsSixBalls() const {
    return setup_.gameType == type::kSixBalls;
}

bool ShotAnalysis::IsPocketGame() const {
    return !quill::IsCaromGame(setup_.gameType);
}

void ShotAnalysis::SetCode(int32_t code, int32_t kind) {
    code_ = code;
    kind_ = kind;
}

bool ShotAnalysis::OnBallContact(uint16_t ball, uint16_t other) {
    if (finished_ || (ball != setup_.cueBall && other != setup_.cueBall) || ball == other) {
        return false;
    }
    const uint16_t object = ball == setup_.cueBall ? other : ball;
    if (IsCarom()) {
        return CaromContact(object);
    }
    if (IsSixBalls()) {
        return SixBallContact(object);
    }
    PocketContact(object);
    return false;
}

bool ShotAnalysis::CaromContact(uint16_t object) {
    if (code_ < 0) {
        return false;  // a foul stays a foul
    }
    const bool fourBallFamily = setup_.gameType <= type::kOneCushionGamble;
    if (fourBallFamily && object == OtherWhite()) {
        SetCode(shot_code::kWrongContact, shot_kind::kOtherWhite);
        return true;
    }
    if (stage_ == 0) {
        stage_ = 1;
        firstBall_ = object;
        if (fourBallFamily) {
            secondTarget_ = 5 - object;  // the other red
        } else {
            secondTarget_ = object == kRed ? OtherWhite() : kRed;
        }
        progressCode_ = std::max(progressCode_, CaromCode());
        const bool openingShot = setup_.rackShots < 2 || setup_.reBreak;
        if (fourBallFamily && openingShot && object == kRed && banks_ == 0) {
            SetCode(shot_code::kWrongContact, shot_kind::kBreakFoul);
            return true;
        }
        return false;
    }
    if (stage_ == 1 && object != firstBall_) {
        stage_ = 2;
        closeness_ = 1.0f;
        SetCode(CaromCode(), shot_kind::kPlain);
        progressCode_ = std::max(progressCode_, code_);
        return true;
    }
    return false;
}

bool ShotAnalysis::SixBallContact(uint16_t object) {
    if (object == 0 || object > kSixBallObjects || code_ < 0) {
        return false;
    }
    if (firstBall_ < 0) {
        firstBall_ = object;
    }
    const uint32_t bit = 1u << object;
    if ((sixBallHits_ & bit) != 0) {
        return false;
    }
    sixBallHits_ |= bit;
    SetCode(SixBallCount(static_cast<uint32_t>(std::popcount(sixBallHits_))), shot_kind::kPlain);
    progressCode_ = std::max(progressCode_, code_);
    return true;
}

void ShotAnalysis::PocketContact(uint16_t object) {
    if (firstBall_ < 0) {
        firstBall_ = object;
    }
}

bool ShotAnalysis::OnCushion(uint16_t ball, uint8_t sideBit) {
    if (finished_ || ball != setup_.cueBall) {
        return false;
    }
    ++cueCushions_;
    return IsCarom() && CaromCushion(sideBit);
}

bool ShotAnalysis::CaromCushion(uint8_t sideBit) {
    if (stage_ >= 2 || code_ < 0 || !std::has_single_bit(sideBit) || sideBit > 8) {
        return false;
    }
    const int rail = std::countr_zero(sideBit);
    if (setup_.gameType != type::kThreeCushionPro) {
        if (railCounts_[rail] >= kRailLimit) {
            return false;
        }
        ++railCounts_[rail];
    }
    if (stage_ == 0) {
        banks_ = std::min(banks_ + 1, kMaxBanks);
    }
    cushions_ = std::min(cushions_ + 1, kMaxCushions);
    if (stage_ == 1) {
        progressCode_ = std::max(progressCode_, CaromCode());
    }
    return false;
}

int32_t ShotAnalysis::CaromCode() const {
    return static_cast<int32_t>(1000 * banks_ + 1 + cushions_);
}

void ShotAnalysis::OnPocketed(uint16_t ball) {
    if (finished_) {
        return;
    }
    if (ball == setup_.cueBall) {
        cueBallLost_ = true;
    } else if (ball < quill::kMaxBalls && !Contains(pocketed_, static_cast<uint8_t>(ball))) {
        pocketed_.push_back(static_cast<uint8_t>(ball));
    }
}

void ShotAnalysis::OnLeftTable(uint16_t ball) {
    if (finished_) {
        return;
    }
    if (ball == setup_.cueBall) {
        cueBallLost_ = true;
    } else if (ball < quill::kMaxBalls && !Contains(lost_, static_cast<uint8_t>(ball)) &&
               !Contains(pocketed_, static_cast<uint8_t>(ball))) {
        lost_.push_back(static_cast<uint8_t>(ball));
    }
}

void ShotAnalysis::OnCueBallDistance(float centreDistance, float ballRadius) {
    if (stage_ != 1 || !(ballRadius > 0.0f)) {
        return;
    }
    const float gap = (centreDistance - 2.0f * ballRadius) / ballRadius;
    closeness_ = std::max(closeness_, std::clamp(1.0f - gap / kClosenessRange, 0.0f, 1.0f));
}

void ShotAnalysis::Finish(const std::array<bool, quill::kMaxBalls>& offTable) {
    if (finished_) {
        return;
    }
    for (uint32_t ball = 0; ball < std::min(setup_.ballCount, quill::kMaxBalls); ++ball) {
        if (offTable[ball]) {
            OnLeftTable(static_cast<uint16_t>(ball));
        }
    }
    if (IsCarom()) {
        FinishCarom();
    } else if (IsSixBalls()) {
        FinishSixBalls();
    } else if (IsPocketGame()) {
        FinishPocket();
    }
    finished_ = true;
}

void ShotAnalysis::FinishCarom() {
    if (code_ < 0) {
        return;
    }
    if (cueBallLost_) {
        SetCode(shot_code::kCueBallLost, shot_kind::kCueBallLost);
        return;
    }
    if (stage_ == 0 && setup_.gameType != type::kThreeCushionPro) {
        SetCode(shot_code::kMiss, shot_kind::kMiss);
        return;
    }
    // The opening shot of Korean three-cushion scores nothing.
    if (setup_.gameType == type::kThreeCushion && setup_.rackShots < 2) {
        SetCode(0, kind_);
    }
}

void ShotAnalysis::FinishSixBalls() {
    if (cueBallLost_) {
        SetCode(shot_code::kCueBallLost, shot_kind::kCueBallLost);
        return;
    }
    if (sixBallHits_ == 0) {
        SetCode(shot_code::kMiss, shot_kind::kMiss);
        return;
    }
    sixBallMarks_ |= sixBallHits_;
    if (sixBallMarks_ == kAllSixBallMarks) {
        SetCode(shot_code::kSixBallsWin, shot_kind::kPlain);
    }
}

void ShotAnalysis::FinishPocket() {
    if (firstBall_ < 0) {
        SetCode(shot_code::kMiss, shot_kind::kMiss);
    } else if (cueBallLost_) {
        SetCode(shot_code::kCueBallLost, shot_kind::kCueBallLost);
    } else if (!lost_.empty()) {
        SetCode(shot_code::kObjectBallLost, shot_kind::kObjectBallLost);
    } else if (IsWrongFirstBall()) {
        SetCode(shot_code::kWrongContact, shot_kind::kWrongBallFirst);
    } else if (pocketed_.empty()) {
        SetCode(0, shot_kind::kPlain);
    } else {
        SetCode(shot_code::kLegalPocket, pocketed_.size() > 1 ? shot_kind::kMultiplePocket : shot_kind::kPlain);
        special_ = LegalPocketTouchesGameBall();
    }
}

bool ShotAnalysis::IsWrongFirstBall() const {
    if (setup_.rackShots < 2) {
        return false;  // any ball may be hit first on the break
    }
    const uint32_t first = static_cast<uint32_t>(firstBall_);
    switch (setup_.gameType) {
        case type::kEightBall:
        case type::kCardBall:
            if (setup_.ballGroup == quill::ball_group::kLow || setup_.ballGroup == quill::ball_group::kHigh ||
                setup_.ballGroup == quill::ball_group::kEight) {
                return quill::BallGroupOf(first) != setup_.ballGroup;
            }
            return first == 8;  // an open table: anything but the 8
        case type::kNineBall:
            return setup_.lowestBall >= 0 && firstBall_ != setup_.lowestBall;
        case type::kSnooker:
            if (setup_.ballGroup == quill::ball_group::kRed) {
                return first >= quill::kSnookerFirstColour;
            }
            if (setup_.ballGroup == quill::ball_group::kColour) {
                return first < quill::kSnookerFirstColour;
            }
            return setup_.lowestColour >= 0 && firstBall_ != setup_.lowestColour;
        default:
            return false;
    }
}

bool ShotAnalysis::LegalPocketTouchesGameBall() const {
    if (setup_.gameType == type::kEightBall) {
        return setup_.ballGroup == quill::ball_group::kEight && Contains(pocketed_, 8);
    }
    if (setup_.gameType == type::kNineBall) {
        return Contains(pocketed_, 9);
    }
    return false;
}

bool ShotAnalysis::MeetsTarget(int32_t code, int32_t target, quill::GameType gameType) {
    const int32_t count = code % 1000;
    const int32_t targetCount = target % 1000;
    if (gameType == type::kSixBalls) {
        return count == shot_code::kSixBallsWin || (count >= 6 && count <= targetCount && count != targetCount - 1);
    }
    return count >= targetCount && quill::ThousandsCappedAt3(code) >= quill::ThousandsCappedAt3(target);
}

}  // namespace kestrovan
