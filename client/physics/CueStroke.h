#pragma once
// The values of one stroke of the cue, as the holder takes them from the shot record and hands them to
// PhysicsModel::Strike. All are 32-bit floats; distances on the table in centimetres, the elevation in radians.
namespace kestrovan {

struct CueStroke {
    float aimX = 0.0f;  // the point on the table at which the cue points
    float aimY = 0.0f;
    float contactX = 0.0f;  // the tip's offset from the ball's centre, in ball radii
    float contactY = 0.0f;
    float spinX = 0.0f;  // the offset that decides the spin (side, height); may exceed the contact offset
    float spinY = 0.0f;
    float elevation = 0.0f;          // the cue's angle above the table
    float power = 0.0f;              // 0 to 1
    float contactTimeFactor = 0.0f;  // lengthens the contact time
    float limitFactor = 0.0f;        // narrows the miscue limit
    float extraValue = 0.0f;         // read only by the 10010 series (the cue's turning blend)

    // The contact-time factor within the range a stroke has, -1 to 1 (the follow-through deviation); a NaN counts
    // as 0. Outside that range the contact time of a strong stroke would be negative, which never ends the cue's
    // contact, or would last for hours.
    float BoundedContactTimeFactor() const {
        if (!(contactTimeFactor >= -1.0f)) {
            return contactTimeFactor < -1.0f ? -1.0f : 0.0f;
        }
        return contactTimeFactor > 1.0f ? 1.0f : contactTimeFactor;
    }
};

}  // namespace kestrovan
