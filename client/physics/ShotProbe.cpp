#include "client/physics/ShotProbe.h"

#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdio>

#include "client/physics/PhysicsEventList.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/PhysicsModelFactory.h"
#include "platform/system/ScopedFpuMode.h"

namespace kestrovan {

namespace {

std::string FormatVector(const quill::Vec3& v) {
    return "(" + ShotProbe::FormatFloat(v.x) + " " + ShotProbe::FormatFloat(v.y) + " " + ShotProbe::FormatFloat(v.z) +
           ")";
}

bool IsFinite(float v) {
    return std::isfinite(v);
}

bool StrokeIsFinite(const CueStroke& s) {
    for (const float v : {s.aimX, s.aimY, s.contactX, s.contactY, s.spinX, s.spinY, s.elevation, s.power,
                          s.contactTimeFactor, s.limitFactor, s.extraValue}) {
        if (!IsFinite(v)) {
            return false;
        }
    }
    return true;
}

}  // namespace

ShotProbe::ShotProbe(ShotSetup setup) : setup_(std::move(setup)) {}

ShotProbe::~ShotProbe() = default;

bool ShotProbe::Validate(std::string* error) const {
    if (!IsPhysicsModelCode(setup_.modelCode)) {
        *error = "model code must be 0x10000 to 0x10014";
    } else if (setup_.tableKind >= kTableKindCount) {
        *error = "table kind must be 0 to 11";
    } else if (setup_.ballSet >= kBallSetCount) {
        *error = "ball set must be 0 to 6";
    } else if (setup_.balls.empty() || setup_.balls.size() > kMaxShotBalls) {
        *error = "between 1 and " + std::to_string(kMaxShotBalls) + " balls are needed";
    } else if (setup_.cueBall >= setup_.balls.size()) {
        *error = "the cue ball must be one of the balls";
    } else if (!StrokeIsFinite(setup_.stroke)) {
        *error = "the stroke values must be finite numbers";
    } else if (!(setup_.timeScale >= 0.0f) || !IsFinite(setup_.timeScale)) {
        *error = "the time scale must be a finite number not below 0";
    } else {
        for (const ShotBall& ball : setup_.balls) {
            if (!IsFinite(ball.x) || !IsFinite(ball.y) || (ball.z && !IsFinite(*ball.z))) {
                *error = "ball positions must be finite numbers";
                return false;
            }
        }
        return true;
    }
    return false;
}

bool ShotProbe::Prepare(std::string* error) {
    if (!Validate(error)) {
        return false;
    }
    model_.reset(
        CreatePhysicsModel(setup_.modelCode, setup_.tableKind, static_cast<uint32_t>(setup_.balls.size()), false));
    const BallSetSize size = BallSetSize::ForBallSet(setup_.ballSet);
    for (uint16_t i = 0; i < model_->BallCount(); ++i) {
        PhysicsBall& ball = model_->Ball(i);
        const ShotBall& place = setup_.balls[i];
        ball.SetSize(size.radiusCm, size.mass);
        ball.position = quill::Vec3{place.x, place.y, place.z.value_or(ball.radiusCm)};
    }
    subSteps_ = setup_.subSteps != 0 ? setup_.subSteps : (model_->HasPockets() ? 15u : 50u);
    return true;
}

bool ShotProbe::Run(std::vector<std::string>* lines) {
    if (lines == nullptr) {
        return Run(LineSink());
    }
    return Run([lines](const std::string& line) { lines->push_back(line); });
}

bool ShotProbe::Run(const LineSink& emit) {
    if (emit) {
        emit(Header());
    }
    PhysicsEventList& events = ThePhysicsEventList();
    events.Clear();
    model_->Strike(model_->Ball(setup_.cueBall), setup_.stroke);
    CollectEvents(0, emit);
    calls_ = 0;
    bool ended = false;
    while (!ended && calls_ < setup_.maxCalls) {
        ++calls_;
        ended = model_->Simulate(kSimulateCallDuration, subSteps_, setup_.timeScale);
        CollectEvents(calls_, emit);
    }
    if (emit) {
        emit("end calls=" + std::to_string(calls_) + " ended=" + (ended ? "1" : "0"));
        ReportBalls(emit);
    }
    return ended;
}

std::string ShotProbe::Header() const {
    char text[128];
    std::snprintf(text, sizeof text,
                  "# model=0x%05" PRIX32 " table=%" PRIu32 " ballset=%" PRIu32 " balls=%zu substeps=%" PRIu32,
                  setup_.modelCode, setup_.tableKind, setup_.ballSet, setup_.balls.size(), subSteps_);
    return text;
}

void ShotProbe::CollectEvents(uint32_t call, const LineSink& emit) const {
    if (!emit) {
        return;
    }
    for (const PhysicsEvent& event : ThePhysicsEventList().Events()) {
        emit(FormatEvent(call, event));
    }
}

void ShotProbe::ReportBalls(const LineSink& emit) const {
    for (uint16_t i = 0; i < model_->BallCount(); ++i) {
        emit(FormatBall(model_->Ball(i)));
    }
}

std::string ShotProbe::FormatFloat(float value) {
    // The decimal is rounded in the physics mode, as the probe always printed it, whatever the caller's mode.
    const platform::ScopedFpuMode fpuMode;
    char text[48];
    std::snprintf(text, sizeof text, "%.9g/0x%08" PRIX32, static_cast<double>(value), std::bit_cast<uint32_t>(value));
    return text;
}

std::string ShotProbe::FormatEvent(uint32_t call, const PhysicsEvent& event) {
    return "event call=" + std::to_string(call) + " kind=" + PhysicsEventKindName(event.kind) +
           " ball=" + std::to_string(event.ball) + " strength=" + FormatFloat(event.strength) +
           " vector=" + FormatVector(event.vector) + " extra=" + std::to_string(event.ExtraLow()) + "," +
           std::to_string(event.ExtraHigh());
}

std::string ShotProbe::FormatBall(const PhysicsBall& ball) {
    const quill::Quaternion& q = ball.orientation;
    return "ball " + std::to_string(ball.index) + " pocketed=" + std::to_string(ball.pocketed) +
           " position=" + FormatVector(ball.position) + " velocity=" + FormatVector(ball.velocity) +
           " spin=" + FormatVector(ball.spin) + " orientation=(" + FormatFloat(q.x) + " " + FormatFloat(q.y) + " " +
           FormatFloat(q.z) + " " + FormatFloat(q.w) + ")";
}

}  // namespace kestrovan
