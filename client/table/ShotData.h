#pragma once
// A shot as read from its hexadecimal text: the fields of a ShotRecord without the valid word, the chalk used
// and the power cap. The table rebuilds its shot record from it (GameTable::LoadShotRecord). ShotRecord::ParseHex
// keeps ballCount at most 22; the table bounds it again by its own ball set.
#include <array>
#include <cstdint>

#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/math/Quaternion.h"
#include "QuillLib/math/Vec3.h"

namespace kestrovan {

struct ShotData {
    uint32_t version = 0;
    uint32_t physicsModelCode = 0;
    uint8_t gameMode = 0;
    uint16_t tableItemId = 0;
    uint16_t cueItemId = 0;
    std::array<uint16_t, 5> cuePartIds{};
    std::array<uint8_t, 5> cuePartValues{};
    uint16_t ballSetItemId = 0;
    uint16_t chalkItemId = 0;
    uint8_t chalkValue = 0;
    uint8_t ballCount = 0;
    uint8_t cueBallIndex = 0;
    float startParamA = 0.0f;
    float startParamB = 0.0f;
    float aimPointX = 0.0f;
    float aimPointY = 0.0f;
    float tipOffsetX = 0.0f;
    float tipOffsetY = 0.0f;
    float strokeX = 0.0f;
    float strokeY = 0.0f;
    float paramC = 0.0f;
    float paramD = 0.0f;
    float power = 0.0f;
    float paramE = 0.0f;
    float paramF = 0.0f;
    float paramG = 0.0f;
    std::array<quill::Vec3, quill::kMaxBalls> positions{};
    std::array<quill::Quaternion, quill::kMaxBalls> rotations{};
    std::array<uint8_t, quill::kMaxBalls> ballFlags{};
};

}  // namespace kestrovan
