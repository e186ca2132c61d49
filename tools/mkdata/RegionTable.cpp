#include "tools/mkdata/RegionTable.h"

#include <charconv>
#include <fstream>
#include <sstream>

#include "tools/mkdata/Manifest.h"

namespace mkdata {
namespace {

template <typename T>
bool ParseInteger(const std::string& text, T& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

bool RegionTable::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error_ = path + ": cannot be read";
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    return Parse(text.str());
}

bool RegionTable::Parse(const std::string& text) {
    regions_.clear();
    count_ = 0;
    std::istringstream lines(text);
    std::string line;
    uint32_t number = 0;
    std::vector<std::string> words;
    while (std::getline(lines, line)) {
        ++number;
        if (!SplitWords(line, words)) {
            error_ = "region table line " + std::to_string(number) + ": unclosed quote";
            return false;
        }
        if (words.empty()) {
            continue;
        }
        UiRegion region;
        uint32_t item = 0;
        region.line = number;
        if (words.size() < 7 || !ParseInteger(words[1], item) || !ParseInteger(words[2], region.x) ||
            !ParseInteger(words[3], region.y) || !ParseInteger(words[4], region.width) ||
            !ParseInteger(words[5], region.height) || region.width <= 0 || region.height <= 0) {
            error_ = "region table line " + std::to_string(number) +
                     ": expected <file> <item> <x> <y> <width> <height> <style> [key=value ...]";
            return false;
        }
        region.style = words[6];
        for (size_t i = 7; i < words.size(); ++i) {
            const size_t equals = words[i].find('=');
            if (equals == std::string::npos || equals == 0) {
                error_ = "region table line " + std::to_string(number) + ": " + words[i] + " is not key=value";
                return false;
            }
            region.arguments[words[i].substr(0, equals)] = words[i].substr(equals + 1);
        }
        regions_[{words[0], item}].push_back(region);
        ++count_;
    }
    return true;
}

std::vector<UiRegion> RegionTable::Find(const std::string& file, uint32_t item) const {
    const auto found = regions_.find({file, item});
    return found == regions_.end() ? std::vector<UiRegion>{} : found->second;
}

}  // namespace mkdata
