#pragma once
// The table of interface regions: which rectangles of the interface textures the screens cut their images
// from, and how each is painted. One line per region:
//
//   <resource file> <item> <x> <y> <width> <height> <style> [key=value ...]
//
// The styles are UiSkinPainter's. Every screen adds the rectangles it uses; the rest of a texture shows a
// plain panel face.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace mkdata {

struct UiRegion {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::string style;
    std::map<std::string, std::string> arguments;
    uint32_t line = 0;
};

class RegionTable {
public:
    bool Parse(const std::string& text);
    bool Load(const std::string& path);

    // The regions of one texture (resource file name and item id), in table order.
    std::vector<UiRegion> Find(const std::string& file, uint32_t item) const;
    size_t Count() const { return count_; }
    const std::string& Error() const { return error_; }

private:
    std::map<std::pair<std::string, uint32_t>, std::vector<UiRegion>> regions_;
    size_t count_ = 0;
    std::string error_;
};

}  // namespace mkdata
