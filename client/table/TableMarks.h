#pragma once
// The marks the server puts on the table (TableStateSync, 1227): either points along the rails or cells of a
// grid on the bed, each shown until a ball passes over it. Only the laid-out points exist: 24 rail marks or 128
// grid cells; indices beyond them mean nothing and are ignored.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <cstdint>
#include <vector>

#include "QuillLib/math/Vec3.h"
#include "QuillLib/net/Packet.h"

namespace kestrovan {

class TableMarks {
public:
    static constexpr uint32_t kFlagCount = 200;
    static constexpr uint32_t kPointCount = 128;
    static constexpr uint32_t kRailMarkCount = 24;
    static constexpr uint8_t kRailLayout = 1;
    // A ball whose centre comes closer than this (squared, on the table's plane) to a mark clears it.
    static constexpr float kHitDistanceSquared = 120.0f;

    TableMarks() = default;
    TableMarks(const TableMarks&) = delete;
    TableMarks& operator=(const TableMarks&) = delete;

    // Reads the message's payload (layout, signed count, the marked indices) and lays the marks out for the table
    // unit; then the marks are shown. A payload that ends early changes nothing and answers false.
    bool Read(quill::Packet& packet, float unit);
    // Hides the marks and clears every flag.
    void Clear();
    // The shown marks that the ball's centre reaches; their flags are cleared.
    std::vector<uint32_t> TakeHits(const quill::Vec3& ball);

    bool IsShown() const;
    bool IsMarked(uint32_t index) const;
    // How many points the current layout has: 24, 128, or 0 before any layout.
    uint32_t LaidOutCount() const;
    quill::Vec3 PointAt(uint32_t index) const;

private:
    void LayOutRails(float unit);
    void LayOutGrid(float unit);

    std::array<quill::Vec3, kPointCount> points_{};
    std::array<uint8_t, kFlagCount> flags_{};
    uint32_t laidOut_ = 0;
    bool shown_ = false;
};

}  // namespace kestrovan
