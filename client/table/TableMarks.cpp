#include "client/table/TableMarks.h"
#include "client/ui/WidgetToolkit.h"


namespace kestrovan {
namespace {


constexpr float kRailHeight = 7.0f;
constexpr float kGridHeight = 2.0f;
constexpr uint32_t kGridColumns = 16;
constexpr uint32_t kGridRows = 8;

}  // namespace

bool TableMarks::Read(quill::Packet& packet, float unit) {
    const uint16_t errorsBefore = packet.ErrorCount();
    const uint8_t layout = packet.ReadU8();
    const auto count = static_cast<int8_t>(packet.ReadU8());
    std::vector<uint16_t> indices;
    for (int32_t i = 0; i < count; ++i) {
        indices.push_back(packet.ReadU16());
    }
    if (packet.ErrorCount() != errorsBefore) {
        return false;
    }
    WidgetToolkit::CheckTreeAccess("TableMarks::Read");
    flags_.fill(0);
    if (layout == kRailLayout) {
        LayOutRails(unit);
    } else {
        LayOutGrid(unit);
    }
    for (uint16_t index : indices) {
        if (index < laidOut_) {
            flags_[index] = 1;
        }
    }
    shown_ = true;
    return true;
}

void TableMarks::LayOutRails(float unit) {
    const float y = 2.0f * unit + 5.0f;
    const float x = 4.0f * unit + 5.0f;
    for (uint32_t i = 0; i < 7; ++i) {
        const float along = (static_cast<float>(i) - 3.0f) * unit;
        points_[i] = {along, -y, kRailHeight};
        points_[7 + i] = {along, y, kRailHeight};
    }
    for (uint32_t i = 0; i < 5; ++i) {
        const float across = (static_cast<float>(i) - 2.0f) * unit;
        points_[14 + i] = {-x, across, kRailHeight};
        points_[19 + i] = {x, across, kRailHeight};
    }
    laidOut_ = kRailMarkCount;
}

void TableMarks::LayOutGrid(float unit) {
    for (uint32_t row = 0; row < kGridRows; ++row) {
        for (uint32_t column = 0; column < kGridColumns; ++column) {
            points_[kGridColumns * row + column] = {(static_cast<float>(column) - 7.5f) * unit * 0.5f,
                                                    (static_cast<float>(row) - 3.5f) * unit * 0.5f, kGridHeight};
        }
    }
    laidOut_ = kPointCount;
}

void TableMarks::Clear() {
    WidgetToolkit::CheckTreeAccess("TableMarks::Clear");
    shown_ = false;
    flags_.fill(0);
}

std::vector<uint32_t> TableMarks::TakeHits(const quill::Vec3& ball) {
    std::vector<uint32_t> hits;
    WidgetToolkit::CheckTreeAccess("TableMarks::TakeHits");
    if (!shown_) {
        return hits;
    }
    for (uint32_t i = 0; i < laidOut_; ++i) {
        const float dx = points_[i].x - ball.x;
        const float dy = points_[i].y - ball.y;
        if (flags_[i] != 0 && dx * dx + dy * dy < kHitDistanceSquared) {
            flags_[i] = 0;
            hits.push_back(i);
        }
    }
    return hits;
}

bool TableMarks::IsShown() const {
    return shown_;
}

bool TableMarks::IsMarked(uint32_t index) const {
    return index < kFlagCount && flags_[index] != 0;
}

uint32_t TableMarks::LaidOutCount() const {
    return laidOut_;
}

quill::Vec3 TableMarks::PointAt(uint32_t index) const {
    return index < kPointCount ? points_[index] : quill::Vec3{};
}

}  // namespace kestrovan
