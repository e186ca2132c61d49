#pragma once
// What the table's lines (ball trails, pen strokes, guide lines, the snooker D) need of the renderer: one
// connected line through coloured points. The render device implements it once it is wired; the table hands
// the points over under the list's lock, so an implementation copies or draws them before it returns.
#include <span>

#include "client/table/LinePoint.h"

namespace kestrovan {

class TableLineDrawer {
public:
    virtual ~TableLineDrawer() = default;
    virtual void DrawLineStrip(std::span<const LinePoint> points) = 0;
};

}  // namespace kestrovan
