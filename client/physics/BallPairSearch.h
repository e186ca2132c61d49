#pragma once
// The search of the ball-ball passes: every pair of balls on the table that touch and approach, in index order,
// each reported once as a BallBall event (not again while the last event is already that pair's) and restarting
// both balls' cushion bookkeeping. Pairs of two resting balls are not examined.
//
// Only pairs closer along x and along y than the largest touch distance can touch. On tables of many balls the search
// keeps a list of the pairs that lie within that reach and a margin along both, in the order of the search over all
// pairs (by first ball, then second), and examines only those, so the events, the contacts and their resolution come
// out exactly as that search gives them. The list holds, also from one Simulate call to the next, until a ball has
// moved half the margin along x or y, a ball in a pocket when it was made is on the table again, the reach has grown,
// or the balls were rebuilt (Forget). Owned by its model, with the buffer of the pass's contacts; used on
// the thread that simulates.
#include <cstdint>
#include <vector>

#include "client/physics/BallContact.h"
#include "client/physics/PhysicsBall.h"
#include "client/physics/PhysicsMath.h"

namespace kestrovan {

class PhysicsModel;

struct BallPairSearchForm {
    // The touch distance: 2 x ball 0's radius + 0.1 cm, or the pair's own radii + 0.1 cm.
    bool ownRadii = false;
    // After a contact: the cushion flags from the last normal speeds (BallState::UpdateDirectionFlags), or the
    // base model's mark of the x axis as positive.
    bool markXPositive = false;
};

class BallPairSearch {
public:
    // Takes the model's balls (again after they were rebuilt) and makes room for every pair once plus five per ball
    // in the contacts, so that the search never allocates.
    void Reserve(PhysicsModel& model);
    // Fills Contacts() with the touching, approaching pairs of the model's balls.
    void Find(const BallPairSearchForm& form);
    std::vector<BallContact>& Contacts() { return contacts_; }
    // A distance along x (or y) beyond which no pair of the model's balls can touch, with a slack for rounding.
    float Reach() const { return sizesHeld_ ? heldReach_ : ReachOfSizes(); }
    // While the returned hold lives, Reach comes from the sizes the balls have now: for a Simulate call, in which
    // no ball changes its size (the holder may between calls).
    class SizesHeld {
    public:
        explicit SizesHeld(BallPairSearch& search) : search_(search) {
            search_.heldReach_ = search_.ReachOfSizes();
            search_.sizesHeld_ = true;
        }
        ~SizesHeld() { search_.sizesHeld_ = false; }
        SizesHeld(const SizesHeld&) = delete;
        SizesHeld& operator=(const SizesHeld&) = delete;

    private:
        BallPairSearch& search_;
    };
    // Drops the list of near pairs: the balls may have been moved or resized since the last search.
    void Forget() { listedReach_ = -1.0f; }

private:
    float ReachOfSizes() const;
    void ListNearPairs(float reach);
    bool ABallMovedFar() const;
    // The search with the touch distance of the form (OwnRadii: form.ownRadii), known to the compiler.
    template <bool OwnRadii>
    void FindWith(const BallPairSearchForm& form);
    // One pair, the first ball on the table: two resting balls are skipped, and a pocketed second ball; a pair that
    // touches and approaches becomes a contact. Inline: the few-ball tables run it for every pair in every sub-step.
    template <bool OwnRadii>
    void Examine(PhysicsBall& a, PhysicsBall& b, float referenceDistance, const BallPairSearchForm& form) {
        // The distance along x first, then along y: they part most pairs, and every test here is free of side
        // effects, so their order is that of their cost.
        const float touchDistance = OwnRadii ? a.radiusCm + b.radiusCm + 0.1f : referenceDistance;
        if (!(physmath::Fabs(a.position.x - b.position.x) < touchDistance)) {
            return;
        }
        const quill::Vec3 d = a.position - b.position;
        if (!(physmath::Fabs(d.y) < touchDistance) || b.pocketed != 0) {
            return;
        }
        // The other coordinate, then the squared distance.
        if (!(physmath::Fabs(d.z) < touchDistance &&
              d.x * d.x + d.y * d.y + d.z * d.z < touchDistance * touchDistance)) {
            return;
        }
        if (a.IsAtRest() && b.IsAtRest()) {
            return;
        }
        if (!(quill::Vec3::Dot(d, b.velocity) - quill::Vec3::Dot(d, a.velocity) > 0.0f)) {
            return;
        }
        AddApproaching(a, b, d, form);
    }
    // The contact of a touching, approaching pair along d, the vector from b's centre to a's.
    void AddApproaching(PhysicsBall& a, PhysicsBall& b, const quill::Vec3& d, const BallPairSearchForm& form);

    std::vector<PhysicsBall*> balls_;
    std::vector<BallContact> contacts_;
    // A near pair: the first ball and the second.
    struct NearPair {
        PhysicsBall* first;
        PhysicsBall* second;
    };
    std::vector<NearPair> nearPairs_;
    // Per ball: its x and y when the list was made, x NaN when it was in a pocket then.
    struct ListedPlace {
        float x = 0.0f;
        float y = 0.0f;
    };
    std::vector<ListedPlace> listed_;
    float listedReach_ = -1.0f;  // the reach of the list; none is below 0
    float heldReach_ = 0.0f;     // the reach while the sizes are held
    bool sizesHeld_ = false;
};

}  // namespace kestrovan
