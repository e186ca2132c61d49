#include "tests/support/layout/LayoutRules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <tuple>

namespace kvtest {

namespace {

std::string Text(const LayoutBox& box) {
    return "(" + std::to_string(box.left) + "," + std::to_string(box.top) + ")-(" + std::to_string(box.right) + "," +
           std::to_string(box.bottom) + ")";
}

LayoutBox Intersection(const LayoutBox& a, const LayoutBox& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

int64_t Area(const LayoutBox& box) {
    return box.Empty() ? 0 : static_cast<int64_t>(box.Width()) * box.Height();
}

bool IsPicture(const LayoutItem& item) { return item.texture >= 0 && !item.cut.Empty() && !item.drawn.Empty(); }

// Where a screen box of a picture lies on its texture, and the other way round (the picture is its cut,
// stretched over its drawn box).
int32_t TexelX(const LayoutItem& picture, int32_t x) {
    const int64_t along = (static_cast<int64_t>(x - picture.drawn.left) * 2 + 1) * picture.cut.Width();
    return picture.cut.left + static_cast<int32_t>(std::clamp<int64_t>(along / (2 * picture.drawn.Width()), 0,
                                                                        picture.cut.Width() - 1));
}

int32_t TexelY(const LayoutItem& picture, int32_t y) {
    const int64_t along = (static_cast<int64_t>(y - picture.drawn.top) * 2 + 1) * picture.cut.Height();
    return picture.cut.top + static_cast<int32_t>(std::clamp<int64_t>(along / (2 * picture.drawn.Height()), 0,
                                                                       picture.cut.Height() - 1));
}

LayoutBox OnScreen(const LayoutItem& picture, const LayoutBox& onTexture) {
    const auto x = [&](int32_t tx) {
        return picture.drawn.left + static_cast<int32_t>(static_cast<int64_t>(tx - picture.cut.left) *
                                                         picture.drawn.Width() / picture.cut.Width());
    };
    const auto y = [&](int32_t ty) {
        return picture.drawn.top + static_cast<int32_t>(static_cast<int64_t>(ty - picture.cut.top) *
                                                        picture.drawn.Height() / picture.cut.Height());
    };
    return {x(onTexture.left), y(onTexture.top), x(onTexture.right), y(onTexture.bottom)};
}

// How much of a picture's texel shows, 0 to 1.
double Coverage(const LayoutItem& picture, const TexelReader& texels, int32_t x, int32_t y) {
    const uint32_t texel = texels(picture.texture, TexelX(picture, x), TexelY(picture, y));
    return static_cast<double>(texel >> 24) / 255.0 * picture.opacity;
}

uint32_t Blend(uint32_t under, uint32_t over, double alpha) {
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const double a = (under >> shift) & 0xFF, b = (over >> shift) & 0xFF;
        out |= static_cast<uint32_t>(std::lround(a + (b - a) * alpha)) << shift;
    }
    return out;
}

double Luminance(uint32_t colour) {
    double sum = 0.0;
    const double weights[3] = {0.0722, 0.7152, 0.2126};  // blue, green, red
    for (int channel = 0; channel < 3; ++channel) {
        const double c = static_cast<double>((colour >> (8 * channel)) & 0xFF) / 255.0;
        sum += weights[channel] * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

// The pictures drawn before the item that reach into its box, in drawing order.
std::vector<const LayoutItem*> PicturesUnder(const std::vector<LayoutItem>& items, size_t index) {
    std::vector<const LayoutItem*> under;
    for (size_t n = 0; n < index; ++n) {
        if (IsPicture(items[n]) && items[n].drawn.Overlaps(items[index].drawn)) under.push_back(&items[n]);
    }
    return under;
}

bool Contains(const LayoutBox& box, int32_t x, int32_t y) {
    return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
}

// The colour the pictures paint at a screen pixel, over the scene.
uint32_t ColourAt(const std::vector<const LayoutItem*>& pictures, const TexelReader& texels, uint32_t scene, int32_t x,
                  int32_t y) {
    uint32_t colour = scene;
    for (const LayoutItem* picture : pictures) {
        if (!Contains(picture->drawn, x, y)) continue;
        const uint32_t texel = texels(picture->texture, TexelX(*picture, x), TexelY(*picture, y));
        colour = Blend(colour, texel, static_cast<double>(texel >> 24) / 255.0 * picture->opacity);
    }
    return colour;
}

// How much of the scene the pictures hide at a screen pixel, 0 to 1.
double HiddenAt(const std::vector<const LayoutItem*>& pictures, const TexelReader& texels, int32_t x, int32_t y) {
    double shows = 1.0;
    for (const LayoutItem* picture : pictures) {
        if (Contains(picture->drawn, x, y)) shows *= 1.0 - Coverage(*picture, texels, x, y);
    }
    return 1.0 - shows;
}

// The pictures drawn before the item, in drawing order.
std::vector<const LayoutItem*> PicturesBefore(const std::vector<LayoutItem>& items, size_t index) {
    std::vector<const LayoutItem*> before;
    for (size_t n = 0; n < index; ++n) {
        if (IsPicture(items[n])) before.push_back(&items[n]);
    }
    return before;
}

// The last face painted that holds the item's cut whole (captions aside); null when none does.
const TextureFace* HolderOf(const LayoutItem& item, const std::vector<TextureFace>& faces) {
    const TextureFace* holder = nullptr;
    for (const TextureFace& face : faces) {
        if (face.texture == item.texture && face.kind != TextureFace::Kind::Caption && !item.cut.Empty() &&
            item.cut.Inside(face.box)) {
            holder = &face;
        }
    }
    return holder;
}

// Whether a face painted later holds the face whole, so that none of it shows.
bool PaintedOver(const std::vector<TextureFace>& faces, size_t index) {
    return std::any_of(faces.begin() + static_cast<std::ptrdiff_t>(index) + 1, faces.end(), [&](const TextureFace& later) {
        return later.texture == faces[index].texture && later.kind != TextureFace::Kind::Caption &&
               faces[index].box.Inside(later.box);
    });
}

// A part of a window that stands over its edge by design (the school index's tabs, a popup's header, the
// replay panel's button strip) wears a face of its own and carries its own texts: they must stay within that
// part, not within the window or on the window's face. A text belongs to its widget, a control is its own.
bool StandsPastWindow(const LayoutItem& item) {
    if (!item.hasWindow || (item.text && !item.hasFrame)) return false;
    return !(item.text ? item.frame : item.drawn).Inside(item.window);
}

// A text's shadow: the same label's words drawn before it, a pixel or two off, in its shadow's colour. It is
// part of how the text is drawn, not a text to read of its own.
bool IsShadowOf(const LayoutItem& shadow, const LayoutItem& text) {
    return shadow.text && text.text && &shadow != &text && shadow.name == text.name &&
           std::abs(shadow.drawn.left - text.drawn.left) <= 2 && std::abs(shadow.drawn.top - text.drawn.top) <= 2;
}

bool IsShadow(const std::vector<LayoutItem>& items, size_t index) {
    return std::any_of(items.begin() + static_cast<std::ptrdiff_t>(index) + 1, items.end(),
                       [&](const LayoutItem& later) { return IsShadowOf(items[index], later); });
}

bool StartsWithPath(const std::string& name, const std::string& path) {
    return name.size() > path.size() && name.compare(0, path.size(), path) == 0 && name[path.size()] == '/';
}

// The part of a text item's name that is its widget's path (the name without the quoted text).
std::string PathOf(const LayoutItem& item) {
    const size_t quote = item.name.find(" '");
    return quote == std::string::npos ? item.name : item.name.substr(0, quote);
}

// A band stretched across (not up) to carry the one line of text its widget holds: the line's text, or null when
// the picture is no such band.
const LayoutItem* BandText(const std::vector<LayoutItem>& items, size_t index) {
    const LayoutItem& band = items[index];
    if (!IsPicture(band) || band.drawn.Width() == band.cut.Width() || band.drawn.Height() != band.cut.Height()) {
        return nullptr;
    }
    // What the band's widget holds follows it in the walk, up to its next sibling (which has its name).
    const LayoutItem* line = nullptr;
    for (size_t n = index + 1; n < items.size() && StartsWithPath(items[n].name, band.name); ++n) {
        if (!items[n].text || IsShadow(items, n)) continue;
        if (line != nullptr) return nullptr;
        line = &items[n];
    }
    return line;
}

// How far past its line's end a band reaches: its margin and its faded end.
constexpr int32_t kBandReach = 48;

bool FitsItsLine(const std::vector<LayoutItem>& items, size_t index) {
    const LayoutItem* line = BandText(items, index);
    return line != nullptr && items[index].drawn.right - line->drawn.right <= kBandReach;
}

// Whether a button says what it does by a text: one of its own, or one drawn over it (a list row's).
bool SaysItself(const std::vector<LayoutItem>& items, size_t index) {
    const LayoutItem& button = items[index];
    const std::string path = PathOf(button);
    return std::any_of(items.begin() + static_cast<std::ptrdiff_t>(index) + 1, items.end(), [&](const LayoutItem& text) {
        if (!text.text || text.drawn.Empty()) return false;
        return (text.layer == button.layer && StartsWithPath(PathOf(text), path)) || text.drawn.Overlaps(button.drawn);
    });
}

// Where a picture shows its texture: the screen box of its texels that hide at least half of what lies under
// them (a button's face within the clear margin round it).
LayoutBox VisibleBox(const LayoutItem& picture, const TexelReader& texels) {
    LayoutBox box{picture.drawn.right, picture.drawn.bottom, picture.drawn.left, picture.drawn.top};
    for (int32_t y = picture.drawn.top; y < picture.drawn.bottom; ++y) {
        for (int32_t x = picture.drawn.left; x < picture.drawn.right; ++x) {
            if (Coverage(picture, texels, x, y) < 0.5) continue;
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
        }
    }
    return box;
}

}  // namespace

bool LayoutBox::Overlaps(const LayoutBox& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
}

bool LayoutBox::Inside(const LayoutBox& outer) const {
    return left >= outer.left && top >= outer.top && right <= outer.right && bottom <= outer.bottom;
}

double ContrastRatio(uint32_t a, uint32_t b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::vector<LayoutFault> FindCutFaults(const std::vector<LayoutItem>& items, const std::vector<TextureFace>& faces) {
    std::vector<LayoutFault> faults;
    for (const LayoutItem& item : items) {
        if (item.texture < 0 || item.cut.Empty()) continue;
        std::vector<const TextureFace*> own;
        for (const TextureFace& face : faces) {
            if (face.kind != TextureFace::Kind::Caption && face.texture == item.texture && face.box.Overlaps(item.cut)) {
                own.push_back(&face);
            }
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
            if (own[n]->box.Inside(item.cut)) continue;  // a whole face within a larger picture: part of its look
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
        } else if (item.hasWindow && !item.drawn.Inside(item.window) && !StandsPastWindow(item)) {
            faults.push_back({LayoutFault::Kind::TextPastFrame,
                              item.name + " " + Text(item.drawn) + " runs past its window " + Text(item.window)});
        }
        // Texts of one line closer than a space's width read as one ("2026-12-0712").
        constexpr int32_t kSpace = 4;
        const LayoutBox spaced{item.drawn.left - kSpace + 1, item.drawn.top, item.drawn.right + kSpace - 1, item.drawn.bottom};
        for (size_t m = n + 1; m < items.size(); ++m) {
            const LayoutItem& other = items[m];
            if (!other.text || other.layer != item.layer || other.drawn.Empty() || IsShadowOf(item, other)) continue;
            const int32_t rows = std::min(item.drawn.bottom, other.drawn.bottom) - std::max(item.drawn.top, other.drawn.top);
            if (item.drawn.Overlaps(other.drawn)) {
                faults.push_back({LayoutFault::Kind::TextsOverlap, item.name + " " + Text(item.drawn) + " overlaps " +
                                                                       other.name + " " + Text(other.drawn)});
            } else if (spaced.Overlaps(other.drawn) && rows * 2 >= std::min(item.drawn.Height(), other.drawn.Height())) {
                faults.push_back({LayoutFault::Kind::TextsOverlap, item.name + " " + Text(item.drawn) + " runs into " +
                                                                       other.name + " " + Text(other.drawn)});
            }
        }
    }
    return faults;
}

std::vector<LayoutItem> WithPaintedCaptions(const std::vector<LayoutItem>& items,
                                            const std::vector<TextureFace>& faces, std::vector<LayoutFault>& faults) {
    std::vector<LayoutItem> out;
    for (const LayoutItem& item : items) {
        out.push_back(item);
        if (!IsPicture(item)) continue;
        for (const TextureFace& face : faces) {
            if (face.kind != TextureFace::Kind::Caption || face.texture != item.texture || face.ink.Empty() ||
                !face.ink.Overlaps(item.cut)) {
                continue;
            }
            const std::string name = item.name + " caption '" + face.text + "'";
            if (!face.ink.Inside(item.cut)) {
                faults.push_back({LayoutFault::Kind::TextPastFrame,
                                  name + " " + Text(face.ink) + " is cut by its picture " + Text(item.cut)});
                continue;
            }
            LayoutItem caption;
            caption.name = name;
            caption.drawn = OnScreen(item, face.ink);
            caption.text = true;
            caption.painted = true;
            caption.colour = face.colour;
            caption.hasFrame = true;
            caption.frame = item.drawn;
            caption.layer = item.layer;
            caption.hasWindow = item.hasWindow;
            caption.window = item.window;
            out.push_back(caption);
        }
    }
    return out;
}

std::vector<LayoutFault> FindCovered(const std::vector<LayoutItem>& items, const TexelReader& texels) {
    std::vector<LayoutFault> faults;
    for (size_t n = 0; n < items.size(); ++n) {
        const LayoutItem& under = items[n];
        const bool control = !under.text && (under.control != Control::None || under.button);
        if ((!under.text && !control) || under.drawn.Empty()) continue;
        const std::string path = PathOf(under);
        for (size_t m = n + 1; m < items.size(); ++m) {
            const LayoutItem& picture = items[m];
            if (!IsPicture(picture) || (control && StartsWithPath(picture.name, path))) continue;
            const LayoutBox shared = Intersection(under.drawn, picture.drawn);
            if (shared.Empty()) continue;
            // A control drawn later takes the clicks across its whole rectangle; another picture hides what its
            // visible texels cover.
            // A control still shows through a picture that hides no more than half of it (the chalk slot's
            // translucent gauge over its button); a text under half a face no longer reads.
            int64_t covered = 0;
            if (control && (picture.button || picture.control != Control::None)) {
                covered = Area(shared);
            } else {
                for (int32_t y = shared.top; y < shared.bottom; ++y) {
                    for (int32_t x = shared.left; x < shared.right; ++x) {
                        const double hidden = Coverage(picture, texels, x, y);
                        covered += (control ? hidden > 0.5 : hidden >= 0.5) ? 1 : 0;
                    }
                }
            }
            if (covered * (control ? 4 : 10) >= Area(under.drawn)) {
                faults.push_back({control ? LayoutFault::Kind::ControlCovered : LayoutFault::Kind::TextCovered,
                                  under.name + " " + Text(under.drawn) + " is covered by " + picture.name + " " +
                                      Text(picture.drawn)});
            }
        }
    }
    return faults;
}

std::vector<LayoutFault> FindLowContrast(const std::vector<LayoutItem>& items, const TexelReader& texels,
                                         uint32_t scene) {
    constexpr double kLeast = 4.5;
    std::vector<LayoutFault> faults;
    for (size_t n = 0; n < items.size(); ++n) {
        const LayoutItem& text = items[n];
        // Outlined texts read on any ground; a shadow is read with its text.
        if (!text.text || text.outlined || text.drawn.Empty() || IsShadow(items, n)) continue;
        const std::vector<const LayoutItem*> under = PicturesUnder(items, n);
        const double inkAlpha = static_cast<double>(text.colour >> 24) / 255.0;
        // A text drawn translucent is dimmed on purpose (a full room's row, a fading line): it must stand out
        // as far as its opacity lets it, the least contrast falling with the opacity towards none.
        const double least = 1.0 + (kLeast - 1.0) * inkAlpha;
        int64_t poor = 0, total = 0;
        double worst = 21.0;
        for (int32_t y = text.drawn.top; y < text.drawn.bottom; ++y) {
            for (int32_t x = text.drawn.left; x < text.drawn.right; ++x) {
                const uint32_t behind = ColourAt(under, texels, scene, x, y);
                const double ratio = ContrastRatio(Blend(behind, text.colour, inkAlpha), behind);
                worst = std::min(worst, ratio);
                poor += ratio < least ? 1 : 0;
                ++total;
            }
        }
        if (poor * 10 > total) {
            char figure[16];
            std::snprintf(figure, sizeof figure, "%.1f", worst);
            faults.push_back({LayoutFault::Kind::LowContrast,
                              text.name + " " + Text(text.drawn) + " reads " + figure + ":1 against what lies behind it"});
        }
    }
    return faults;
}

std::vector<LayoutFault> FindUncaptioned(const std::vector<LayoutItem>& items, const std::vector<TextureFace>& faces) {
    constexpr int32_t kLeftOf = 64;  // captions left of a control stand in cells of their own
    constexpr int32_t kBeside = 24;
    // What a list or box shows is its content, no caption of its neighbours.
    const auto content = [&](const LayoutItem& text) {
        return std::any_of(items.begin(), items.end(), [&](const LayoutItem& other) {
            return (other.control == Control::List || other.control == Control::Edit) &&
                   StartsWithPath(PathOf(text), other.name);
        });
    };
    std::vector<LayoutFault> faults;
    for (const LayoutItem& control : items) {
        if (control.control == Control::None || control.drawn.Empty()) continue;
        const LayoutBox& c = control.drawn;
        const auto captions = [&](const LayoutItem& text) {
            if (!text.text || text.layer != control.layer || text.drawn.Empty()) return false;
            if (StartsWithPath(PathOf(text), control.name)) return control.control == Control::Toggle;
            if (content(text)) return false;
            const LayoutBox& t = text.drawn;
            const int32_t rows = std::min(t.bottom, c.bottom) - std::max(t.top, c.top);
            const int32_t columns = std::min(t.right, c.right) - std::max(t.left, c.left);
            const bool level = rows * 2 >= std::min(t.Height(), c.Height());
            const bool left = level && t.right <= c.left + 2 && t.right >= c.left - kLeftOf;
            const bool right = level && t.left >= c.right - 2 && t.left <= c.right + kBeside;
            const bool above = columns > 0 && t.bottom <= c.top + 2 && t.bottom >= c.top - kBeside;
            // A list row's toggle is named by the texts drawn over it.
            const bool over = control.control == Control::Toggle && t.Overlaps(c);
            return left || right || above || over;
        };
        const TextureFace* face = HolderOf(control, faces);
        if ((face == nullptr || !face->marked) && std::none_of(items.begin(), items.end(), captions)) {
            faults.push_back({LayoutFault::Kind::NoCaption,
                              control.name + " " + Text(c) + " has no caption beside it to say what it is"});
        }
    }
    return faults;
}

std::vector<LayoutFault> FindTextsAgainstFields(const std::vector<LayoutItem>& items) {
    constexpr int32_t kSpace = 4;
    std::vector<LayoutFault> faults;
    for (const LayoutItem& box : items) {
        if (box.control != Control::Edit || box.drawn.Empty()) continue;
        const LayoutBox& b = box.drawn;
        const LayoutBox spaced{b.left - kSpace + 1, b.top, b.right + kSpace - 1, b.bottom};
        for (const LayoutItem& text : items) {
            if (!text.text || text.layer != box.layer || text.drawn.Empty() || StartsWithPath(PathOf(text), box.name)) {
                continue;
            }
            const int32_t rows = std::min(text.drawn.bottom, b.bottom) - std::max(text.drawn.top, b.top);
            if (rows * 2 >= std::min(text.drawn.Height(), b.Height()) && text.drawn.Overlaps(spaced)) {
                faults.push_back({LayoutFault::Kind::TextAgainstField, text.name + " " + Text(text.drawn) +
                                                                           " stands against the edit box " + box.name +
                                                                           " " + Text(b)});
            }
        }
    }
    return faults;
}

std::vector<LayoutFault> FindFaceFaults(const std::vector<LayoutItem>& items, const std::vector<TextureFace>& faces,
                                        const TexelReader& texels) {
    std::vector<LayoutFault> faults;
    for (size_t n = 0; n < items.size(); ++n) {
        const LayoutItem& picture = items[n];
        if (!IsPicture(picture)) continue;
        const TextureFace* holder = HolderOf(picture, faces);
        std::vector<const TextureFace*> within;
        bool touched = false;
        for (size_t f = 0; f < faces.size(); ++f) {
            const TextureFace& face = faces[f];
            if (face.texture != picture.texture || face.kind == TextureFace::Kind::Caption) continue;
            if (!face.box.Overlaps(picture.cut)) continue;
            touched = true;
            if (face.box.Inside(picture.cut) && !picture.cut.Inside(face.box) && !PaintedOver(faces, f)) {
                within.push_back(&face);
            }
        }
        const std::string path = PathOf(picture);
        const auto own = [&](const LayoutItem& inner) {
            return inner.layer == picture.layer && StartsWithPath(PathOf(inner), path) && !inner.drawn.Empty();
        };
        const bool saysItself = SaysItself(items, n);
        const bool control = picture.button || picture.control == Control::Toggle;
        if (!touched && (picture.windowFace || (control && !saysItself))) {
            faults.push_back({LayoutFault::Kind::UnpaintedFace,
                              picture.name + " cuts " + Text(picture.cut) + " of texture " +
                                  std::to_string(picture.texture) + ", where no face was painted" +
                                  (control ? ": it says nothing" : "")});
            continue;
        }
        if (holder != nullptr && holder->kind == TextureFace::Kind::Control) {
            static const char* const kLooks[] = {"normal", "hovered", "pressed", "disabled"};
            // A picture of one frame of a control's several (a state of a button) stands for a control.
            if (!control && !picture.part && picture.control == Control::None && !picture.windowFace &&
                holder->frames > 1) {
                faults.push_back({LayoutFault::Kind::ControlPicture, picture.name + " " + Text(picture.drawn) +
                                                                         " shows a control's face " + Text(holder->box) +
                                                                         " but is no control"});
            } else if (control && picture.untouched && holder->look > 0 && holder->look < 4) {
                faults.push_back({LayoutFault::Kind::WrongLook,
                                  picture.name + " " + Text(picture.drawn) + " stands untouched in a " +
                                      kLooks[holder->look] + " face " + Text(holder->box)});
            }
        }
        if (holder != nullptr && holder->kind == TextureFace::Kind::Icon && (texels(picture.texture, picture.cut.left, picture.cut.top) >> 24) >= 0x80 &&
            std::any_of(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(n), [&](const LayoutItem& below) {
                return IsPicture(below) && below.drawn.Overlaps(picture.drawn);
            })) {
            faults.push_back({LayoutFault::Kind::IconSquare, picture.name + " " + Text(picture.drawn) +
                                                                 " shows the square of its face around its icon"});
        }
        if (picture.windowFace && touched && holder == nullptr) {
            faults.push_back({LayoutFault::Kind::FaceTooSmall,
                              picture.name + " wears " + Text(picture.cut) + " of texture " +
                                  std::to_string(picture.texture) + ": " + std::to_string(within.size()) +
                                  " faces, none of the window's size"});
        }
        // A control's face inside a larger picture shows a control; something must stand on it.
        for (const TextureFace* face : within) {
            if (face->kind != TextureFace::Kind::Control) continue;
            const LayoutBox place = OnScreen(picture, face->box);
            int64_t stood = 0;
            for (size_t m = n + 1; m < items.size(); ++m) {
                if (!items[m].text) stood = std::max(stood, Area(Intersection(items[m].drawn, place)));
            }
            if (stood * 2 < Area(place)) {
                faults.push_back({LayoutFault::Kind::LooseControlFace,
                                  picture.name + " shows the control face " + Text(face->box) + " of texture " +
                                      std::to_string(picture.texture) + " at " + Text(place) +
                                      ", where no control stands"});
            }
        }
        if (!picture.windowFace && !picture.panelFace) continue;
        // The window's or panel's texts and controls lie on its face (pictures may reach past it: headers).
        const std::string whose = picture.windowFace ? " reaches past its window's face " : " reaches past its panel's face ";
        for (size_t m = n + 1; m < items.size(); ++m) {
            const LayoutItem& inner = items[m];
            if (!own(inner) || (!inner.text && inner.control == Control::None) || StandsPastWindow(inner)) continue;
            if (!inner.drawn.Inside(picture.drawn)) {
                faults.push_back({LayoutFault::Kind::FaceTooSmall, inner.name + " " + Text(inner.drawn) + whose +
                                                                       Text(picture.drawn)});
            }
        }
    }
    return faults;
}

std::vector<LayoutFault> FindUnreadableDigits(const std::vector<LayoutItem>& items,
                                              const std::vector<TextureFace>& faces, const DigitReader& read) {
    // A control's digit stands inside its face's bevel: read within it.
    constexpr int32_t kBevel = 4;
    std::vector<LayoutFault> faults;
    std::set<std::tuple<int32_t, int32_t, int32_t, int32_t>> judged;
    for (const LayoutItem& item : items) {
        const TextureFace* holder = IsPicture(item) ? HolderOf(item, faces) : nullptr;
        if (holder == nullptr) continue;
        const std::string where = " of texture " + std::to_string(item.texture);
        if (holder->kind == TextureFace::Kind::Digits) {
            // Every cell of the strip, as high as this display's cells.
            const int32_t rows = item.cut.Height();
            if (!judged.insert({item.texture, holder->box.left, holder->box.top, rows}).second) continue;
            const int32_t cell = holder->box.Width() / 10;
            std::string misread;
            for (int32_t digit = 0; digit < 10; ++digit) {
                const int32_t left = holder->box.left + digit * cell;
                const int32_t seen = read(item.texture, {left, holder->box.top, left + cell, holder->box.top + rows});
                if (seen == digit) continue;
                misread += " " + std::to_string(digit) + (seen < 0 ? " reads as no digit;" : " reads as " + std::to_string(seen) + ";");
            }
            if (!misread.empty()) {
                faults.push_back({LayoutFault::Kind::UnreadableDigit, item.name + " cuts its digits " +
                                                                          std::to_string(rows) + " high from the strip " +
                                                                          Text(holder->box) + where + ":" + misread});
            }
        } else if (holder->kind == TextureFace::Kind::Control && holder->digit >= 0) {
            if (!judged.insert({item.texture, holder->box.left, holder->box.top, -1}).second) continue;
            const LayoutBox inside{holder->box.left + kBevel, holder->box.top + kBevel, holder->box.right - kBevel,
                                   holder->box.bottom - kBevel};
            const int32_t seen = read(item.texture, inside);
            if (seen != holder->digit) {
                faults.push_back({LayoutFault::Kind::UnreadableDigit,
                                  item.name + " shows the face " + Text(holder->box) + where + ", whose " +
                                      std::to_string(holder->digit) +
                                      (seen < 0 ? " reads as no digit" : " reads as " + std::to_string(seen))});
            }
        }
    }
    return faults;
}

std::vector<LayoutFault> FindBareFields(const std::vector<LayoutItem>& items, const TexelReader& texels,
                                        uint32_t scene) {
    // How far from the box a field's edge may lie, and how far apart a field and its surroundings stand.
    constexpr int32_t kReach = 16;
    constexpr double kApart = 1.25;
    std::vector<LayoutFault> faults;
    for (size_t n = 0; n < items.size(); ++n) {
        const LayoutItem& box = items[n];
        if (box.control != Control::Edit || box.drawn.Width() < 6 || box.drawn.Height() < 6) continue;
        const std::vector<const LayoutItem*> under = PicturesBefore(items, n);
        const auto luminance = [&](const LayoutBox& area) {
            double sum = 0.0;
            int64_t count = 0;
            for (int32_t y = area.top; y < area.bottom; ++y) {
                for (int32_t x = area.left; x < area.right; ++x) {
                    sum += Luminance(ColourAt(under, texels, scene, x, y));
                    ++count;
                }
            }
            return count > 0 ? sum / static_cast<double>(count) : 0.0;
        };
        const LayoutBox& b = box.drawn;
        const double inside = luminance({b.left + 2, b.top + 2, b.right - 2, b.bottom - 2});
        const auto apart = [&](const LayoutBox& strip) {
            const double outside = luminance(strip);
            return (std::max(inside, outside) + 0.05) / (std::min(inside, outside) + 0.05) >= kApart;
        };
        int32_t bounded = 0;
        for (int32_t side = 0; side < 4; ++side) {
            for (int32_t d = 1; d <= kReach; ++d) {
                const LayoutBox strips[4] = {{b.left - d, b.top + 2, b.left - d + 1, b.bottom - 2},
                                             {b.right + d - 1, b.top + 2, b.right + d, b.bottom - 2},
                                             {b.left + 2, b.top - d, b.right - 2, b.top - d + 1},
                                             {b.left + 2, b.bottom + d - 1, b.right - 2, b.bottom + d}};
                if (apart(strips[side])) {
                    ++bounded;
                    break;
                }
            }
        }
        if (bounded < 3) {
            faults.push_back({LayoutFault::Kind::BareField, box.name + " " + Text(b) +
                                                                " stands on nothing that looks like a field: " +
                                                                std::to_string(bounded) + " of its sides set off"});
        }
    }
    return faults;
}

std::vector<LayoutFault> FindEmptyTitles(const std::vector<LayoutItem>& items, const std::vector<TextureFace>& faces) {
    std::vector<LayoutFault> faults;
    for (size_t n = 0; n < items.size(); ++n) {
        const LayoutItem& window = items[n];
        if (!window.windowFace || !IsPicture(window)) continue;
        const TextureFace* face = HolderOf(window, faces);
        // Only a window that wears its face from the top shows the band.
        if (face == nullptr || face->title <= 2 || window.cut.top > face->box.top + 2) continue;
        const LayoutBox band = OnScreen(window, {window.cut.left, face->box.top + 2, window.cut.right,
                                                 std::min(window.cut.bottom, face->box.top + face->title)});
        const bool titled = std::any_of(items.begin() + static_cast<std::ptrdiff_t>(n) + 1, items.end(),
                                        [&](const LayoutItem& text) {
                                            if (!text.text || text.layer != window.layer) return false;
                                            const LayoutBox shared = Intersection(text.drawn, band);
                                            return !shared.Empty() && shared.Height() * 2 >= text.drawn.Height();
                                        });
        if (!titled) {
            faults.push_back({LayoutFault::Kind::EmptyTitle,
                              window.name + " wears a title band " + Text(band) + " with no title in it"});
        }
    }
    return faults;
}

std::vector<LayoutFault> FindEmptyPanels(const std::vector<LayoutItem>& items, const std::vector<TextureFace>& faces) {
    constexpr int32_t kLeast = 120;
    std::vector<LayoutFault> faults;
    for (size_t n = 0; n < items.size(); ++n) {
        const LayoutItem& panel = items[n];
        if (!IsPicture(panel) || panel.part || panel.button || panel.control != Control::None) continue;
        if (panel.drawn.Width() < kLeast || panel.drawn.Height() < kLeast) continue;
        const TextureFace* face = HolderOf(panel, faces);
        if (face == nullptr || face->kind != TextureFace::Kind::Plain) continue;
        std::vector<bool> held(static_cast<size_t>(panel.drawn.Height()), false);
        const auto hold = [&](const LayoutBox& box) {
            const LayoutBox shared = Intersection(box, panel.drawn);
            if (shared.Empty()) return;
            for (int32_t y = shared.top; y < shared.bottom; ++y) held[static_cast<size_t>(y - panel.drawn.top)] = true;
        };
        for (size_t m = n + 1; m < items.size(); ++m) hold(items[m].drawn);
        // What the face itself shows: pictures, marks and captions painted on it.
        for (const TextureFace& inner : faces) {
            if (inner.texture == panel.texture && inner.kind != TextureFace::Kind::Plain && inner.box.Inside(panel.cut) &&
                !panel.cut.Inside(inner.box)) {
                hold(OnScreen(panel, inner.box));
            }
        }
        int32_t run = 0, longest = 0, from = 0;
        for (int32_t row = 0; row < panel.drawn.Height(); ++row) {
            run = held[static_cast<size_t>(row)] ? 0 : run + 1;
            if (run > longest) {
                longest = run;
                from = row - run + 1;
            }
        }
        if (longest * 2 > panel.drawn.Height()) {
            faults.push_back({LayoutFault::Kind::EmptyPanel,
                              panel.name + " " + Text(panel.drawn) + " holds nothing from row " +
                                  std::to_string(panel.drawn.top + from) + " to row " +
                                  std::to_string(panel.drawn.top + from + longest)});
        }
    }
    return faults;
}

std::vector<LayoutFault> FindRaggedColumns(const std::vector<LayoutItem>& items, const std::vector<TextureFace>& faces) {
    std::map<std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t>, std::vector<const LayoutItem*>> columns;
    for (size_t n = 0; n < items.size(); ++n) {
        const LayoutItem& item = items[n];
        if (!IsPicture(item) || item.windowFace || item.button || item.part || item.control != Control::None ||
            item.opacity <= 0.0f || HolderOf(item, faces) == nullptr || FitsItsLine(items, n)) {
            continue;
        }
        columns[{item.texture, item.cut.left, item.cut.top, item.cut.right, item.cut.bottom}].push_back(&item);
    }
    std::vector<LayoutFault> faults;
    for (auto& [cut, pictures] : columns) {
        std::sort(pictures.begin(), pictures.end(),
                  [](const LayoutItem* a, const LayoutItem* b) { return a->drawn.top < b->drawn.top; });
        for (size_t k = 1; k < pictures.size(); ++k) {
            const LayoutItem& above = *pictures[k - 1];
            const LayoutItem& below = *pictures[k];
            const bool stacked = std::abs(above.drawn.left - below.drawn.left) <= 1 && below.drawn.top <= above.drawn.bottom + 2;
            if (stacked && above.drawn.Width() != below.drawn.Width()) {
                faults.push_back({LayoutFault::Kind::RaggedColumn,
                                  below.name + " " + Text(below.drawn) + " stands under " + above.name + " " +
                                      Text(above.drawn) + ", a picture of the same face in another width"});
                break;
            }
        }
    }
    return faults;
}

std::vector<LayoutFault> FindBandsPastText(const std::vector<LayoutItem>& items) {
    std::vector<LayoutFault> faults;
    for (size_t n = 0; n < items.size(); ++n) {
        const LayoutItem* line = BandText(items, n);
        if (line == nullptr || FitsItsLine(items, n)) continue;
        // A band alone is a plate of its own size; in a column of bands (a chat) each carries its own line.
        const LayoutItem& band = items[n];
        const bool stacked = std::any_of(items.begin(), items.end(), [&](const LayoutItem& other) {
            return &other != &band && IsPicture(other) && other.texture == band.texture &&
                   std::tie(other.cut.left, other.cut.top, other.cut.right, other.cut.bottom) ==
                       std::tie(band.cut.left, band.cut.top, band.cut.right, band.cut.bottom) &&
                   std::abs(other.drawn.left - band.drawn.left) <= 1 && other.drawn.top <= band.drawn.bottom + 2 &&
                   band.drawn.top <= other.drawn.bottom + 2;
        });
        if (!stacked) continue;
        faults.push_back({LayoutFault::Kind::BandPastText,
                          items[n].name + " " + Text(items[n].drawn) + " reaches " +
                              std::to_string(items[n].drawn.right - line->drawn.right) + " pixels past its line " +
                              line->name + " " + Text(line->drawn)});
    }
    return faults;
}

std::vector<LayoutFault> FindSlivers(const std::vector<LayoutItem>& items, const std::vector<TextureFace>& faces) {
    constexpr int32_t kSliver = 10;
    std::vector<LayoutFault> faults;
    for (size_t n = 0; n < items.size(); ++n) {
        const LayoutItem& face = items[n];
        if (!IsPicture(face) || (!face.windowFace && !face.panelFace)) continue;
        const TextureFace* faceHolder = HolderOf(face, faces);
        const std::string path = PathOf(face);
        for (size_t m = n + 1; m < items.size(); ++m) {
            const LayoutItem& over = items[m];
            if (!IsPicture(over) || over.part || over.button || over.control != Control::None ||
                over.layer != face.layer || !StartsWithPath(over.name, path)) {
                continue;
            }
            const LayoutBox shared = Intersection(over.drawn, face.drawn);
            if (Area(shared) * 100 < Area(face.drawn) * 85) continue;
            const int32_t margins[4] = {shared.left - face.drawn.left, face.drawn.right - shared.right,
                                        shared.top - face.drawn.top, face.drawn.bottom - shared.bottom};
            const bool slivers = *std::max_element(std::begin(margins), std::end(margins)) < kSliver &&
                                 *std::max_element(std::begin(margins), std::end(margins)) > 0;
            if (slivers && HolderOf(over, faces) != faceHolder) {
                faults.push_back({LayoutFault::Kind::Sliver, over.name + " " + Text(over.drawn) + " covers " +
                                                                 face.name + " " + Text(face.drawn) +
                                                                 " but a few pixels, which show another face"});
            }
        }
    }
    return faults;
}

std::vector<LayoutFault> FindAloneOverScene(const std::vector<LayoutItem>& items, const TexelReader& texels) {
    constexpr int32_t kRing = 6;
    constexpr int32_t kHolderSlack = 24;
    std::vector<LayoutFault> faults;
    // The share of a box's pixels (every second one each way) over which the pictures leave the scene showing.
    const auto overScene = [&](const std::vector<const LayoutItem*>& pictures, const LayoutBox& box) {
        int64_t bare = 0, total = 0;
        for (int32_t y = box.top; y < box.bottom; y += 2) {
            for (int32_t x = box.left; x < box.right; x += 2) {
                bare += HiddenAt(pictures, texels, x, y) < 0.5 ? 1 : 0;
                ++total;
            }
        }
        return total > 0 ? static_cast<double>(bare) / static_cast<double>(total) : 0.0;
    };
    for (size_t n = 0; n < items.size(); ++n) {
        const LayoutItem& item = items[n];
        if (item.scrollBar && !item.drawn.Empty()) {
            // The bar with the narrow picture that holds it, and what lies round them.
            LayoutBox column = item.drawn;
            std::vector<const LayoutItem*> around;
            for (const LayoutItem& other : items) {
                if (!IsPicture(other)) continue;
                const bool holder = StartsWithPath(item.name, other.name) &&
                                    other.drawn.Width() <= item.drawn.Width() + kHolderSlack;
                if (holder) {
                    column = {std::min(column.left, other.drawn.left), std::min(column.top, other.drawn.top),
                              std::max(column.right, other.drawn.right), std::max(column.bottom, other.drawn.bottom)};
                } else if (!StartsWithPath(other.name, item.name) && other.name != item.name) {
                    around.push_back(&other);
                }
            }
            int64_t bare = 0, total = 0;
            for (int32_t y = column.top - kRing; y < column.bottom + kRing; y += 2) {
                for (int32_t x = column.left - kRing; x < column.right + kRing; x += 2) {
                    if (Contains(column, x, y)) continue;
                    bare += HiddenAt(around, texels, x, y) < 0.5 ? 1 : 0;
                    ++total;
                }
            }
            if (total > 0 && bare * 4 > total * 3) {
                faults.push_back({LayoutFault::Kind::LoneScrollBar,
                                  item.name + " " + Text(column) + " stands alone over the scene"});
            }
        } else if (IsPicture(item) && (item.button || item.control == Control::Toggle) && !item.part &&
                   item.opacity < 0.9f) {
            if (overScene(PicturesBefore(items, n), item.drawn) > 0.5) {
                faults.push_back({LayoutFault::Kind::DimmedOverScene,
                                  item.name + " " + Text(item.drawn) + " is dimmed to " +
                                      std::to_string(static_cast<int>(item.opacity * 100.0f)) +
                                      "% over the scene, which shows through it"});
            }
        } else if (item.text && !item.outlined && !item.painted && !item.drawn.Empty()) {
            if (overScene(PicturesBefore(items, n), item.drawn) > 0.5) {
                faults.push_back({LayoutFault::Kind::FloatingText,
                                  item.name + " " + Text(item.drawn) + " floats over the scene with nothing behind it"});
            }
        }
    }
    return faults;
}

std::vector<LayoutFault> FindScrollBarFaults(const std::vector<LayoutItem>& items) {
    constexpr int32_t kHolderSlack = 24;
    std::vector<LayoutFault> faults;
    for (const LayoutItem& bar : items) {
        if (!bar.scrollBar || bar.drawn.Empty()) continue;
        bool track = false;
        for (const LayoutItem& other : items) {
            if (!IsPicture(other)) continue;
            if (other.name == bar.name || (StartsWithPath(bar.name, other.name) && bar.drawn.Inside(other.drawn) &&
                                           other.drawn.Width() <= bar.drawn.Width() + kHolderSlack)) {
                track = true;
            } else if (StartsWithPath(other.name, bar.name) && !other.drawn.Inside(bar.drawn)) {
                faults.push_back({LayoutFault::Kind::ScrollBarApart, other.name + " " + Text(other.drawn) +
                                                                         " stands outside its bar " + Text(bar.drawn)});
            }
        }
        if (!track) {
            faults.push_back({LayoutFault::Kind::ScrollBarApart, bar.name + " " + Text(bar.drawn) + " shows no track"});
        }
    }
    return faults;
}

std::vector<LayoutFault> FindBlankButtons(const std::vector<LayoutItem>& items, const std::vector<TextureFace>& faces) {
    std::vector<LayoutFault> faults;
    for (size_t n = 0; n < items.size(); ++n) {
        const LayoutItem& button = items[n];
        if (!IsPicture(button) || (!button.button && !button.step)) continue;
        // A list's face shows its choice, named by its caption beside it.
        const bool listFace = std::any_of(items.begin(), items.end(), [&](const LayoutItem& list) {
            return list.control == Control::List && StartsWithPath(button.name, list.name);
        });
        if (listFace) continue;
        const TextureFace* holder = HolderOf(button, faces);
        if (holder != nullptr && holder->marked) continue;
        if (!SaysItself(items, n)) {
            faults.push_back({LayoutFault::Kind::BlankButton,
                              button.name + " " + Text(button.drawn) + " shows the face " + Text(button.cut) +
                                  " of texture " + std::to_string(button.texture) +
                                  " with nothing on it to say what it does"});
        }
    }
    return faults;
}

std::vector<LayoutFault> FindOffCentreCaptions(const std::vector<LayoutItem>& items, const TexelReader& texels) {
    constexpr int32_t kLeast = 3;
    std::vector<LayoutFault> faults;
    for (size_t n = 0; n < items.size(); ++n) {
        const LayoutItem& button = items[n];
        if (!IsPicture(button) || !button.button) continue;
        const LayoutItem* caption = nullptr;
        size_t captions = 0;
        for (size_t m = n + 1; m < items.size() && StartsWithPath(items[m].name, button.name); ++m) {
            if (!items[m].text || IsShadow(items, m)) continue;
            caption = &items[m];
            ++captions;
        }
        if (captions != 1) continue;
        const LayoutBox face = VisibleBox(button, texels);
        if (face.Empty()) continue;
        const int32_t off = (caption->drawn.top + caption->drawn.bottom) - (face.top + face.bottom);
        // Twice the offset of the caption's middle from the face's: more than a quarter of the face is off.
        if (std::abs(off) > std::max(2 * kLeast, face.Height() / 2)) {
            faults.push_back({LayoutFault::Kind::CaptionOffCentre,
                              caption->name + " " + Text(caption->drawn) + " stands " + (off < 0 ? "above" : "below") +
                                  " the middle of its button's face " + Text(face)});
        }
    }
    return faults;
}

std::vector<LayoutFault> FindButtonsOverEdges(const std::vector<LayoutItem>& items, const TexelReader& texels) {
    constexpr int32_t kLeast = 120;  // a panel, not a plate or a row
    constexpr int32_t kSlack = 2;
    std::vector<LayoutFault> faults;
    for (size_t n = 0; n < items.size(); ++n) {
        const LayoutItem& button = items[n];
        if (!IsPicture(button) || button.part || (!button.button && button.control != Control::Toggle)) continue;
        const LayoutBox face = VisibleBox(button, texels);
        if (face.Empty()) continue;
        for (size_t m = 0; m < n; ++m) {
            const LayoutItem& panel = items[m];
            if (!IsPicture(panel) || panel.button || panel.part || panel.control != Control::None ||
                panel.layer != button.layer || panel.drawn.Width() < kLeast || panel.drawn.Height() < kLeast ||
                StartsWithPath(button.name, panel.name)) {
                continue;
            }
            const LayoutBox& p = panel.drawn;
            const bool across = (face.top < p.top - kSlack && face.bottom > p.top + kSlack) ||
                                (face.top < p.bottom - kSlack && face.bottom > p.bottom + kSlack) ||
                                (face.left < p.left - kSlack && face.right > p.left + kSlack) ||
                                (face.left < p.right - kSlack && face.right > p.right + kSlack);
            if (across && face.Overlaps(p)) {
                faults.push_back({LayoutFault::Kind::ButtonOverEdge, button.name + " " + Text(face) +
                                                                          " stands across the edge of " + panel.name +
                                                                          " " + Text(p)});
            }
        }
    }
    return faults;
}

std::vector<LayoutFault> FindOpenTooltips(const std::vector<LayoutItem>& items, const TexelReader& texels,
                                          const LayoutBox& screen) {
    // A frame line stands apart from the face a few pixels inside it.
    constexpr int32_t kInside = 3;
    constexpr double kApart = 1.3;
    const std::vector<const LayoutItem*> pictures = PicturesBefore(items, items.size());
    std::vector<LayoutFault> faults;
    for (const LayoutItem& tip : items) {
        if (!tip.tooltip || !IsPicture(tip)) continue;
        const LayoutBox& t = tip.drawn;
        if (!t.Inside(screen)) {
            faults.push_back({LayoutFault::Kind::TooltipOpen, tip.name + " " + Text(t) + " runs off the screen"});
            continue;
        }
        const int32_t midX = (t.left + t.right) / 2, midY = (t.top + t.bottom) / 2;
        const struct {
            const char* side;
            int32_t edgeX, edgeY, insideX, insideY;
        } sides[] = {{"left", t.left, midY, t.left + kInside, midY},
                     {"right", t.right - 1, midY, t.right - 1 - kInside, midY},
                     {"top", midX, t.top, midX, t.top + kInside},
                     {"bottom", midX, t.bottom - 1, midX, t.bottom - 1 - kInside}};
        for (const auto& side : sides) {
            const uint32_t edge = ColourAt(pictures, texels, 0xFF000000u, side.edgeX, side.edgeY);
            const uint32_t inside = ColourAt(pictures, texels, 0xFF000000u, side.insideX, side.insideY);
            if (ContrastRatio(edge, inside) < kApart) {
                faults.push_back({LayoutFault::Kind::TooltipOpen,
                                  tip.name + " " + Text(t) + " shows no frame on its " + side.side + " side"});
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
