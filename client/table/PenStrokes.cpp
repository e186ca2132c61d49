#include "client/table/PenStrokes.h"
#include "client/ui/WidgetToolkit.h"

#include <algorithm>


namespace kestrovan {


PenStrokes::PenStrokes() {
    for (auto& stroke : strokes_) {
        stroke = std::make_unique<LineList>();
        stroke->SetFade(kFadeBase, kFadeWindow, kFadeLength);
    }
}

std::optional<uint8_t> PenStrokes::AddLocalPoint(int32_t slot, const quill::Vec3& point) {
    if (!IsSlot(slot)) {
        return std::nullopt;
    }
    WidgetToolkit::CheckTreeAccess("PenStrokes::AddLocalPoint");
    const int32_t stroke = current_[slot];
    LineList& list = StrokeAt(slot, stroke);
    list.AddPointLimited(point, kPenColour);
    return static_cast<uint8_t>(stroke);
}

bool PenStrokes::AddRemotePoint(int32_t slot, int32_t stroke, const quill::Vec3& point) {
    if (!IsSlot(slot) || !IsStroke(stroke)) {
        return false;
    }
    WidgetToolkit::CheckTreeAccess("PenStrokes::AddRemotePoint");
    current_[slot] = stroke;
    LineList& list = StrokeAt(slot, stroke);
    list.AddPointLimited(point, kPenColour);
    return true;
}

bool PenStrokes::StartNextStroke(int32_t slot) {
    if (!IsSlot(slot)) {
        return false;
    }
    WidgetToolkit::CheckTreeAccess("PenStrokes::StartNextStroke");
    current_[slot] = std::min(current_[slot] + 1, kLastLocalStroke);
    return true;
}

void PenStrokes::Clear() {
    WidgetToolkit::CheckTreeAccess("PenStrokes::Clear");
    for (int32_t slot = 0; slot < kSlotCount; ++slot) {
        for (int32_t stroke = 0; stroke < kStrokesPerSlot; ++stroke) {
            StrokeAt(slot, stroke).Clear();
        }
        current_[slot] = 0;
    }
}

int32_t PenStrokes::CurrentStroke(int32_t slot) const {
    return IsSlot(slot) ? current_[slot] : 0;
}

const LineList* PenStrokes::Stroke(int32_t slot, int32_t stroke) const {
    return IsSlot(slot) && IsStroke(stroke) ? strokes_[slot * kStrokesPerSlot + stroke].get() : nullptr;
}

}  // namespace kestrovan
