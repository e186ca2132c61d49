#pragma once
// Runs one shot headless as the game's holder does: a model of its own, balls sized by the ball set and placed,
// one strike on the cue ball, then Simulate(0.005 s, sub-steps, time scale) until the motion ends. It can print
// every event and the final state of every ball, one per line, each float also as its bit pattern, so that a
// shot can be compared bit for bit from outside.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "client/physics/PhysicsEvent.h"
#include "client/physics/ShotSetup.h"

namespace kestrovan {

class PhysicsBall;
class PhysicsModel;

class ShotProbe {
public:
    explicit ShotProbe(ShotSetup setup);
    ~ShotProbe();

    // Checks the setup and builds the model with its balls; false with a message naming the bad value.
    bool Prepare(std::string* error);
    // Receives the report's lines one at a time, as they are made.
    using LineSink = std::function<void(const std::string& line)>;

    // Strikes and simulates (after Prepare); true when the motion ended within maxCalls. A sink that is set
    // receives the whole report as it goes: a header, every event in order (the strike's as call 0), an end
    // line with the number of calls, and one line per ball with its final state.
    bool Run(const LineSink& emit);
    // The same, the report's lines kept in lines when it is given.
    bool Run(std::vector<std::string>* lines);

    PhysicsModel& Model() { return *model_; }
    uint32_t Calls() const { return calls_; }
    uint32_t SubSteps() const { return subSteps_; }

    static std::string FormatFloat(float value);
    static std::string FormatEvent(uint32_t call, const PhysicsEvent& event);
    static std::string FormatBall(const PhysicsBall& ball);

private:
    bool Validate(std::string* error) const;
    std::string Header() const;
    void ReportBalls(const LineSink& emit) const;
    void CollectEvents(uint32_t call, const LineSink& emit) const;

    ShotSetup setup_;
    std::unique_ptr<PhysicsModel> model_;
    uint32_t calls_ = 0;
    uint32_t subSteps_ = 0;
};

}  // namespace kestrovan
