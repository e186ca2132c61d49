// Arbitrary stroke and ball values into a table's physics, as another player's shot record hands them over:
// the model, table kind and ball set, the balls' positions, and every stroke value as raw float bits (NaN,
// infinities and huge numbers included). The table must take the stroke, run the shot for a bounded number
// of steps and never fault, convert an out-of-range float or run a step without bound.
#include <cstddef>
#include <cstdint>
#include <span>

#include "QuillLib/gamedata/GameTypes.h"
#include "client/physics/PhysicsModelFactory.h"
#include "client/rules/TablePhysics.h"
#include "platform/system/Console.h"
#include "platform/system/FpuMode.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

using kestrovan::StrokeParameters;
using kestrovan::TablePhysics;

constexpr quill::GameType kGameTypes[] = {
    quill::game_type::kFourBall,   quill::game_type::kThreeCushion, quill::game_type::kSixBalls,
    quill::game_type::kEightBall,  quill::game_type::kNineBall,     quill::game_type::kStraightPool,
    quill::game_type::kSnooker,    quill::game_type::kCardBall};
constexpr int kMaxSteps = 3;  // 0.015 simulated seconds: the cue's contact and what it touches first

using Reader = kvfuzz::FuzzInput;

StrokeParameters ReadStroke(Reader& in) {
    StrokeParameters stroke;
    for (float* field : {&stroke.powerCap, &stroke.power, &stroke.paramG, &stroke.aimPointX, &stroke.aimPointY,
                         &stroke.tipOffsetX, &stroke.tipOffsetY, &stroke.strokeX, &stroke.strokeY, &stroke.paramD,
                         &stroke.paramE, &stroke.paramF, &stroke.startParamA, &stroke.startParamB}) {
        *field = in.Float();
    }
    return stroke;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    platform::SetConsoleSink([](std::string_view) {});
    platform::SetThreadFpuMode();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    Reader in({bytes, size});
    kestrovan::ResetPhysicsStateForTest();
    {
        TablePhysics table;
        const uint8_t model = in.Byte();
        const quill::GameType gameType = kGameTypes[in.Byte() % std::size(kGameTypes)];
        const uint16_t tableKind = in.Byte() % 12;
        const uint32_t ballSet = in.Byte() % 8;
        table.SetGameType(gameType);
        table.SetItemProperties(tableKind, ballSet);
        table.SetModel(0x10000 + model % 0x15, model & 0x80);
        table.ApplyTable();
        table.StartRack(in.Byte());
        // Balls moved from the rack: a ball index, then its position (and, with the index's top bit, its
        // orientation).
        const uint8_t moved = in.Byte() % 4;
        for (uint8_t i = 0; i < moved; ++i) {
            const uint8_t ball = in.Byte();
            const float x = in.Float();
            const float y = in.Float();
            const float z = in.Float();
            table.SetBallPosition(ball % quill::kMaxBalls, x, y, z);
            if (ball & 0x80) {
                const float qx = in.Float();
                const float qy = in.Float();
                const float qz = in.Float();
                table.SetBallOrientation(ball % quill::kMaxBalls, qx, qy, qz, in.Float());
            }
        }
        table.Strike(ReadStroke(in));
        for (int step = 0; step < kMaxSteps && table.Step() != 0; ++step) {
        }
        table.CollectRespotBalls();
    }
    kestrovan::ResetPhysicsStateForTest();
    return 0;
}
