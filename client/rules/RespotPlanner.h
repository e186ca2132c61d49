#pragma once
// Where a ball goes back onto the table after a shot. Each game type has its own sequence of candidate
// spots; a spot is free when no ball lying on the table (or already put back and still dropping onto the
// cloth) has its centre within the clearance. Every sequence ends at the edge of the bed; after that the
// search goes across the table at the head spot, as for the cue ball.
#include <cstdint>

#include "QuillLib/gamedata/GameTypes.h"
#include "client/physics/PhysicsModel.h"

namespace kestrovan {

class RespotPlanner {
public:
    struct Spot {
        float x = 0.0f;
        float y = 0.0f;
    };

    // Clearances in ball radii.
    static constexpr float kSpotClearance = 2.1f;
    static constexpr float kHeadSpotClearance = 2.2f;

    RespotPlanner(const PhysicsModel& model, quill::GameType gameType, uint16_t cueBall, float ballRadius);

    // The spot for a listed ball. The try counter of the long-axis sequence runs on from one ball to the
    // next: carom games try x = 0, -L/4, +L/4, -L/2, ... on the long axis, 8-ball and 14.1 the same for the
    // cue ball; 9-ball puts the cue ball across the head spot and the 9 from L/2 towards the head; snooker
    // puts the cue ball in the D and a colour on its own spot, else the highest free colour spot, else
    // behind its own.
    Spot SpotFor(uint32_t ball, uint32_t& tryCounter) const;
    // The head spot (x = -L/2), moving across the table in steps of 2.2 radii until it is free.
    Spot HeadSpot(uint32_t ball) const;

    bool IsSpotFree(uint32_t ball, float x, float y, float clearance) const;

private:
    bool FindAxisSpot(uint32_t ball, uint32_t& tryCounter, Spot& spot) const;
    bool FindNineBallCueSpot(uint32_t ball, Spot& spot) const;
    bool FindNineSpot(uint32_t ball, Spot& spot) const;
    bool FindSnookerSpot(uint32_t ball, Spot& spot) const;
    float FindAcrossSpot(uint32_t ball, float x, float clearance) const;

    const PhysicsModel& model_;
    quill::GameType gameType_;
    uint16_t cueBall_;
    float radius_;
    float halfLength_;
    float halfWidth_;
};

}  // namespace kestrovan
