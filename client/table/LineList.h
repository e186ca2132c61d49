#pragma once
// A growable list of coloured points drawn as one line, whose older points fade toward a base colour: the
// newest F points (the fade window) keep their colour and the T points before them (the fade length) blend
// step by step until they reach the base colour. Ball trails, pen strokes and the guide lines are line lists.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>
#include <span>
#include <vector>

#include "QuillLib/math/Vec3.h"
#include "client/table/LinePoint.h"
#include "client/table/TableLineDrawer.h"

namespace kestrovan {

class LineList {
public:
    static constexpr int32_t kMaxAddedPoints = 4000;

    LineList() = default;
    LineList(const LineList&) = delete;
    LineList& operator=(const LineList&) = delete;

    // Appends a point; a full array grows to max(count + 1, capacity x 1.5).
    void AddPoint(const quill::Vec3& position, uint32_t colour);
    void AddPointXY(float x, float y, uint32_t colour);
    // Appends a point and fades the tail, while fewer than 4000 points were added this way since the last Clear;
    // later points are dropped. Whether the point was added.
    bool AddPointLimited(const quill::Vec3& position, uint32_t colour);
    // Blends the points behind the fade window toward the base colour (see the class comment); with
    // needFullWindow nothing happens until the list holds a whole window.
    void FadeTail(bool needFullWindow);
    // Frees the points and restarts the count of added points.
    void Clear();

    void SetFade(uint32_t baseColour, uint32_t fadeWindow, uint32_t fadeLength);
    uint32_t BaseColour() const { return baseColour_; }
    uint32_t FadeWindow() const { return fadeWindow_; }
    uint32_t FadeLength() const { return fadeLength_; }

    int32_t AddedCount() const;
    uint32_t Count() const;
    // A copy of point i; a point beyond the end reads as a zero point.
    LinePoint PointAt(uint32_t index) const;
    // Hands the points to the drawer; nothing for an empty list.
    void Draw(TableLineDrawer& drawer) const;


private:
    std::vector<LinePoint> points_;
    int32_t addedCount_ = 0;
    uint32_t baseColour_ = 0;
    uint32_t fadeWindow_ = 0;
    uint32_t fadeLength_ = 0;
};

}  // namespace kestrovan
