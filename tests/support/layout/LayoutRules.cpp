#include "tests/support/layout/LayoutRules.h"

namespace kvtest {

namespace {

std::string Text(const LayoutBox& box) {
    return "(" + std::to_string(box.left) + "," + std::to_string(box.top) + ")-(" + std::to_string(box.right) + "," +
           std::to_string(box.bottom) + ")";
}

}  // namespace

bool LayoutBox::Overlaps(const LayoutBox& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
}

bool LayoutBox::Inside(const LayoutBox& outer) const {
    return left >= outer.left && top >= outer.top && right <= outer.right && bottom <= outer.bottom;
}

std::vector<LayoutFault> FindCutFaults(const std::vector<LayoutItem>& items, const std::vector<TextureFace>& faces) {
    std::vector<LayoutFault> faults;
    for (const LayoutItem& item : items) {
        if (item.texture < 0 || item.cut.Empty()) continue;
        std::vector<const TextureFace*> own;
        for (const TextureFace& face : faces) {
            if (face.texture == item.texture && face.box.Overlaps(item.cut)) own.push_back(&face);
        }
        size_t from = 0;  // the faces that show in the cut: from the last one that holds it whole on
        bool held = false;
        for (size_t n = 0; n < own.size(); ++n) {
            if (item.cut.Inside(own[n]->box)) {
                from = n;
                held = true;
            }
        }
        for (size_t n = held ? from + 1 : 0; n < own.size(); ++n) {
            if (!held && own[n]->box.Inside(item.cut)) continue;  // a whole face within a larger picture
            const std::string where = " of texture " + std::to_string(item.texture) + " across the face ";
            faults.push_back({LayoutFault::Kind::CutAcrossFaces, item.name + " cuts " + Text(item.cut) + where +
                                                                     Text(own[n]->box)});
        }
    }
    return faults;
}

std::vector<LayoutFault> FindLayoutFaults(const std::vector<LayoutItem>& items, const LayoutBox& screen) {
    std::vector<LayoutFault> faults;
    for (size_t n = 0; n < items.size(); ++n) {
        const LayoutItem& item = items[n];
        if (item.drawn.Empty()) continue;
        if (!item.drawn.Inside(screen)) {
            faults.push_back({LayoutFault::Kind::OffScreen, item.name + " " + Text(item.drawn) + " is drawn outside the screen"});
        }
        if (!item.text) continue;
        if (item.hasFrame && !item.drawn.Inside(item.frame)) {
            faults.push_back({LayoutFault::Kind::TextPastFrame,
                              item.name + " " + Text(item.drawn) + " runs past its widget " + Text(item.frame)});
        }
        for (size_t m = n + 1; m < items.size(); ++m) {
            const LayoutItem& other = items[m];
            if (other.text && other.layer == item.layer && !other.drawn.Empty() && item.drawn.Overlaps(other.drawn)) {
                faults.push_back({LayoutFault::Kind::TextsOverlap, item.name + " " + Text(item.drawn) + " overlaps " +
                                                                       other.name + " " + Text(other.drawn)});
            }
        }
    }
    return faults;
}

std::string Describe(const std::vector<LayoutFault>& faults) {
    std::string lines;
    for (const LayoutFault& fault : faults) lines += fault.description + "\n";
    return lines;
}

}  // namespace kvtest
