#include "client/table/LineList.h"
#include "client/ui/WidgetToolkit.h"

#include <algorithm>


namespace kestrovan {
namespace {


// One step of the fade: each byte channel moves from colour toward base by 1/k of the way, truncated toward
// the colour it came from; k = 0 gives the base colour.
uint32_t BlendToward(uint32_t colour, uint32_t base, int64_t k) {
    if (k <= 0) {
        return base;
    }
    uint32_t blended = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int64_t c = (colour >> shift) & 0xFF;
        const int64_t b = (base >> shift) & 0xFF;
        const int64_t channel = b + (c - b) * (k - 1) / k;
        blended |= static_cast<uint32_t>(channel) << shift;
    }
    return blended;
}

}  // namespace

void LineList::AddPoint(const quill::Vec3& position, uint32_t colour) {
    WidgetToolkit::CheckTreeAccess("LineList::AddPoint");
    if (points_.size() == points_.capacity()) {
        points_.reserve(std::max(points_.size() + 1, points_.capacity() * 3 / 2));
    }
    points_.push_back({position, colour});
}

void LineList::AddPointXY(float x, float y, uint32_t colour) {
    AddPoint({x, y, 0.0f}, colour);
}

bool LineList::AddPointLimited(const quill::Vec3& position, uint32_t colour) {
    WidgetToolkit::CheckTreeAccess("LineList::AddPointLimited");
    if (addedCount_ >= kMaxAddedPoints) {
        return false;
    }
    ++addedCount_;
    FadeTail(true);
    AddPoint(position, colour);
    return true;
}

void LineList::FadeTail(bool needFullWindow) {
    WidgetToolkit::CheckTreeAccess("LineList::FadeTail");
    const auto count = static_cast<int64_t>(points_.size());
    const auto window = static_cast<int64_t>(fadeWindow_);
    const auto length = static_cast<int64_t>(fadeLength_);
    if (window == 0 || (count < window && needFullWindow)) {
        return;
    }
    const int64_t newest = count - window;
    for (int64_t i = newest; i >= std::max<int64_t>(newest - length, 0); --i) {
        LinePoint& point = points_[static_cast<size_t>(i)];
        point.colour = BlendToward(point.colour, baseColour_, length - (newest - i));
    }
}

void LineList::Clear() {
    WidgetToolkit::CheckTreeAccess("LineList::Clear");
    std::vector<LinePoint>().swap(points_);
    addedCount_ = 0;
}

void LineList::SetFade(uint32_t baseColour, uint32_t fadeWindow, uint32_t fadeLength) {
    WidgetToolkit::CheckTreeAccess("LineList::SetFade");
    baseColour_ = baseColour;
    fadeWindow_ = fadeWindow;
    fadeLength_ = fadeLength;
}

int32_t LineList::AddedCount() const {
    return addedCount_;
}

uint32_t LineList::Count() const {
    return static_cast<uint32_t>(points_.size());
}

LinePoint LineList::PointAt(uint32_t index) const {
    return index < points_.size() ? points_[index] : LinePoint{};
}

void LineList::Draw(TableLineDrawer& drawer) const {
    if (!points_.empty()) {
        drawer.DrawLineStrip(points_);
    }
}

}  // namespace kestrovan
