// Walks the school's page script with moves and pages the fuzzer chooses (Previous, Continue, the index's
// SchoolStep with any page) and judges tasks on table states it makes up. Nothing may crash; every page the
// script lands on exists and lies between 1 and 98, and a judge never meets a task of a page without tasks.
//
// Input: a list of [u8 kind][i32 value][4 x f32 table state].
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "client/scenes/practice/SchoolPages.h"
#include "client/scenes/practice/SchoolTaskJudge.h"
#include "tests/fuzz/FuzzMessages.h"

namespace {

using kestrovan::SchoolPages;
using kvfuzz::Check;

float FloatAt(const uint8_t* data) {
    float value = 0.0f;
    std::memcpy(&value, data, sizeof value);
    return value;
}

int32_t IntAt(const uint8_t* data) {
    int32_t value = 0;
    std::memcpy(&value, data, sizeof value);
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t kRecord = 1 + 4 + 16;
    kestrovan::SchoolTaskJudge judge;
    int32_t step = 1;
    for (size_t at = 0; at + kRecord <= size; at += kRecord) {
        const uint8_t kind = data[at];
        const int32_t value = IntAt(data + at + 1);
        switch (kind % 3) {
            case 0:
                step = SchoolPages::Step(step, -1);
                break;
            case 1:
                step = SchoolPages::Step(step, +1);
                break;
            default:
                // The index's page, opened as the school does: the page before it, then one page on.
                step = SchoolPages::Step(static_cast<int32_t>(std::max<int64_t>(int64_t{value} - 1, INT32_MIN)), +1);
                break;
        }
        Check(step >= SchoolPages::kFirst && step <= SchoolPages::kLast);
        const kestrovan::SchoolPage* page = SchoolPages::Find(step);
        Check(page != nullptr);
        kestrovan::SchoolTableView view;
        view.yawDegrees = FloatAt(data + at + 5);
        view.pitchDegrees = FloatAt(data + at + 9);
        view.tipX = FloatAt(data + at + 13);
        view.tipY = FloatAt(data + at + 17);
        view.distance = view.yawDegrees;
        view.elevationDegrees = view.pitchDegrees;
        view.shotRunning = (kind & 0x10) != 0;
        view.freeOrbitIdle = (kind & 0x20) != 0;
        view.guideViewHeld = (kind & 0x40) != 0;
        view.solidInAimCone = (kind & 0x80) != 0;
        const int32_t task = 1 + (kind >> 2) % 4;
        const bool met = judge.Met(step, task, view, value % 121, value & 3);
        Check(!met || task <= static_cast<int32_t>(page->tasks.size()));
        (void)kestrovan::SchoolTaskJudge::IsBallInAimCone({view.yawDegrees, view.pitchDegrees, 0.0f},
                                                          {view.tipX, view.tipY, 0.0f}, {}, {1.0f, view.tipY, 0.0f});
    }
    return 0;
}
