#pragma once
// How high the cue must be raised so that the stick clears the other balls and the rails behind the cue ball.
// The stick is a straight truncated cone: at distance s from the tip its radius is 0.602 + s x 1.014 / 137.0.
// The cue line starts at S (the cue ball's centre moved sideways to the strike point) and runs along the unit
// direction D toward the butt; the tip lies at offset o along D (negative: behind S), and the cue's axis meets
// the ball at height h above the centre. Each test raises the largest angle found so far (radians) and never
// lowers it. Pure; no allocation (it runs every frame while a player aims).
#include "QuillLib/math/Vec3.h"

namespace kestrovan {

struct TableGeometry;

// The part of the cue line the tests share.
struct CueLine {
    float offset = 0.0f;  // o: where the tip lies along D, relative to S
    quill::Vec3 start;    // S
    quill::Vec3 direction;  // D, unit, horizontal, toward the butt
    float height = 0.0f;    // h
};

// A rail's cushion between two points of the bed plane, with the height of its top at the first point, the
// middle and the last point.
struct RailSegment {
    float x0 = 0.0f;
    float y0 = 0.0f;
    float x1 = 0.0f;
    float y1 = 0.0f;
    float heights[3] = {};
};

// A ball of that centre and radius: nothing when it lies level with S or in front of the cue.
void CueClearanceBall(const CueLine& cue, const quill::Vec3& centre, float radius, float& largest);
// The four rails of the table, each at its top height + 0.2; on a table with pockets the rails are interrupted
// at the pocket openings.
void CueClearanceRails(const CueLine& cue, const TableGeometry& geometry, bool hasPockets, float& largest);
// One rail: where the cue line passes over it, its height there must stay below the stick.
void CueClearanceRail(const CueLine& cue, const RailSegment& rail, float& largest);
// A horizontal edge at noseHeight, distance along D from S: the stick's underside must pass above it.
void CueClearanceRoundNose(const CueLine& cue, float distance, float noseHeight, float& largest);
// Whether the cue line crosses the rail behind S; the crossing's fraction of the segment (0 to 1), its distance
// along D and the rail's height there (interpolated from the first to the middle height below 0.5 and from the
// middle to the last above).
bool CueClearanceSegment(const CueLine& cue, const RailSegment& rail, float& distance, float& height);

// How far behind the ball's front the tip's contact lies for a strike at (x, y) (fractions of the radius R) with
// a tip whose flat part is h deep and whose rounding has radius A.
float CueTipContactDepth(float x, float y, float h, float A, float R);

}  // namespace kestrovan
