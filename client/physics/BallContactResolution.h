#pragma once
// The resolution of a ball-ball pass's contacts with a model's micro-step, inlined: pass after pass over the
// contacts in the order found, each contact that is still compressed (compression >= 0) taking one micro-step,
// until every contact has let go once or the pass bound is reached; a NaN compression met in a pass ends the
// whole resolution there.
//
// Contacts that share no ball cannot affect one another: each contact's micro-steps, and their order on its two
// balls, are then those it takes alone, so each runs through all its passes on its own, two at a time side by
// side (two independent chains for the processor), with the balls' motion held in locals instead of memory. A NaN
// compression in that case stops the other contacts at a point that depends on the pass order; the resolution is
// then done again in pass order from the untouched balls. Used on the thread that simulates.
//
// MicroStep is called as step(contact, a, b) with BallContact and PhysicsBall, and with MicroStep::Contact and
// MicroStep::Motion (a step's own form of the contact and of the balls' motion while resolved apart; ScalarMicroStep
// gives the plain ones); it updates the contact's compression. A step may also give a Pair, two such contacts in
// one form, and step.StepPair(pair), which takes a micro-step of both in the same instructions (a shorter path
// for the processor than two steps side by side) or returns false, with the pair untouched, when a contact takes
// a path through the step that the pair does not follow.
#include <array>
#include <cstddef>
#include <vector>

#include "QuillLib/math/Vec3.h"
#include "client/physics/BallContact.h"
#include "client/physics/PhysicsBall.h"
#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsModel.h"

namespace kestrovan {

// The motion and size of one ball of a contact while the contact is resolved apart from the others.
struct ContactBallMotion {
    quill::Vec3 velocity;
    quill::Vec3 spin;
    float mass = 0.0f;
    float radiusM = 0.0f;
    float inertiaArm = 0.0f;

    static ContactBallMotion From(const PhysicsBall& ball) {
        return {ball.velocity, ball.spin, ball.mass, ball.radiusM, ball.inertiaArm};
    }
    void StoreTo(PhysicsBall* ball) const {
        ball->velocity = velocity;
        ball->spin = spin;
    }
};

// The forms of a contact and its balls for a micro-step that works on BallContact and ContactBallMotion.
struct ScalarMicroStep {
    using Motion = ContactBallMotion;
    using Contact = BallContact;

    static Contact Prepare(const BallContact& contact) { return contact; }
    static void Finish(const Contact& prepared, BallContact* contact) { contact->compression = prepared.compression; }
};

template <class MicroStep>
class BallContactResolution {
    using Motion = typename MicroStep::Motion;
    using Contact = typename MicroStep::Contact;

public:
    static void Resolve(PhysicsModel& model, std::vector<BallContact>& contacts, const MicroStep& step) {
        if (!ResolveApart(model, contacts, step)) {
            ResolveInOrder(model, contacts, step);
        }
    }

private:
    // A contact lets go after a few hundred passes (249 at most in every shot the tests play); this bound only
    // ends a resolution that never separates. Balls that a shot record places into each other and into the bed
    // can hold their contact for good: with a bound of a million passes each sub-step took a second.
    static constexpr int kMaxPasses = 10'000;
    // The most contacts resolved apart; a larger set goes in pass order.
    static constexpr size_t kMaxApart = 8;

    static void ResolveInOrder(PhysicsModel& model, std::vector<BallContact>& contacts, const MicroStep& step) {
        uint16_t separated = 0;
        for (int pass = 0; pass < kMaxPasses && separated < contacts.size(); ++pass) {
            for (BallContact& contact : contacts) {
                if (contact.compression >= 0.0f) {
                    step(contact, model.Ball(contact.first), model.Ball(contact.second));
                    if (contact.compression < 0.0f) {
                        ++separated;
                    }
                } else if (physmath::IsNaN(contact.compression)) {
                    return;  // a NaN never separates
                }
            }
        }
    }

    // False, with the balls and contacts untouched, when the contacts share a ball, are too many, or one ends
    // with a NaN compression.
    static bool ResolveApart(PhysicsModel& model, std::vector<BallContact>& contacts, const MicroStep& step) {
        const size_t count = contacts.size();
        if (count > kMaxApart || !ShareNoBall(contacts)) {
            return false;
        }
        std::array<BallContact, kMaxApart> local;
        std::array<Motion, 2 * kMaxApart> motion;
        for (size_t i = 0; i < count; ++i) {
            local[i] = contacts[i];
            motion[2 * i] = Motion::From(model.Ball(contacts[i].first));
            motion[2 * i + 1] = Motion::From(model.Ball(contacts[i].second));
        }
        size_t next = 0;
        for (; next + 1 < count; next += 2) {
            RunTwo(step, &local[next], &motion[2 * next]);
        }
        if (next < count) {
            RunOne(step, &local[next], &motion[2 * next]);
        }
        for (size_t i = 0; i < count; ++i) {
            if (physmath::IsNaN(local[i].compression)) {
                return false;
            }
        }
        for (size_t i = 0; i < count; ++i) {
            contacts[i].compression = local[i].compression;
            motion[2 * i].StoreTo(&model.Ball(contacts[i].first));
            motion[2 * i + 1].StoreTo(&model.Ball(contacts[i].second));
        }
        return true;
    }

    static bool ShareNoBall(const std::vector<BallContact>& contacts) {
        for (size_t i = 0; i < contacts.size(); ++i) {
            for (size_t j = i + 1; j < contacts.size(); ++j) {
                const BallContact& x = contacts[i];
                const BallContact& y = contacts[j];
                if (x.first == y.first || x.first == y.second || x.second == y.first || x.second == y.second) {
                    return false;
                }
            }
        }
        return true;
    }

    // One contact through its passes; balls holds its first and second ball.
    static void RunOne(const MicroStep& step, BallContact* contact, Motion* balls) {
        Contact c = MicroStep::Prepare(*contact);
        Motion a = balls[0];
        Motion b = balls[1];
        for (int pass = 0; pass < kMaxPasses && c.compression >= 0.0f; ++pass) {
            step(c, a, b);
        }
        MicroStep::Finish(c, contact);
        balls[0] = a;
        balls[1] = b;
    }

    // The passes of two contacts while both are compressed, in lock-step with the step's Pair; a pass that the
    // pair cannot take (a contact lets go, or takes another path through the step) is taken by the single steps.
    // Returns the passes taken.
    static int RunPaired(const MicroStep& step, Contact& c, Contact& d, Motion& a, Motion& b, Motion& e, Motion& f) {
        using Pair = typename MicroStep::Pair;
        Pair pair = Pair::From(c, d, a, b, e, f);
        int pass = 0;
        for (; pass < kMaxPasses && pair.BothCompressed(); ++pass) {
            if (!step.StepPair(pair)) {
                pair.SplitTo(c, d, a, b, e, f);
                step(c, a, b);
                step(d, e, f);
                pair = Pair::From(c, d, a, b, e, f);
            }
        }
        pair.SplitTo(c, d, a, b, e, f);
        return pass;
    }

    // Two contacts side by side while both are compressed, then each on to its end; balls holds the first and
    // second ball of each in turn.
    static void RunTwo(const MicroStep& step, BallContact* contacts, Motion* balls) {
        Contact c = MicroStep::Prepare(contacts[0]);
        Contact d = MicroStep::Prepare(contacts[1]);
        Motion a = balls[0];
        Motion b = balls[1];
        Motion e = balls[2];
        Motion f = balls[3];
        int pass = 0;
        if constexpr (requires { typename MicroStep::Pair; }) {
            pass = RunPaired(step, c, d, a, b, e, f);
        } else {
            for (; pass < kMaxPasses && c.compression >= 0.0f && d.compression >= 0.0f; ++pass) {
                step(c, a, b);
                step(d, e, f);
            }
        }
        for (int rest = pass; rest < kMaxPasses && c.compression >= 0.0f; ++rest) {
            step(c, a, b);
        }
        for (int rest = pass; rest < kMaxPasses && d.compression >= 0.0f; ++rest) {
            step(d, e, f);
        }
        MicroStep::Finish(c, &contacts[0]);
        MicroStep::Finish(d, &contacts[1]);
        balls[0] = a;
        balls[1] = b;
        balls[2] = e;
        balls[3] = f;
    }
};

}  // namespace kestrovan
