#include "QuillLib/resource/WorkingFolder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/system/CodePage.h"

namespace quill {
namespace {

bool IsAbsolute(WStringView path) {
    return path.starts_with(u"\\") || (path.size() >= 2 && path[1] == u':');
}

// The root of an absolute path: "\" or a drive with its backslash ("C:\").
WStringView RootOf(WStringView path) {
    if (path.size() >= 2 && path[1] == u':') {
        return path.substr(0, path.size() >= 3 && path[2] == u'\\' ? 3 : 2);
    }
    return path.substr(0, 1);
}

// The components of a relative path with "." and ".." resolved; ".." never climbs above the start.
std::vector<WStringView> ResolvedComponents(WStringView path) {
    std::vector<WStringView> components;
    while (!path.empty()) {
        const size_t end = std::min(path.find(u'\\'), path.size());
        const WStringView part = path.substr(0, end);
        if (part == u"..") {
            if (!components.empty()) {
                components.pop_back();
            }
        } else if (!part.empty() && part != u".") {
            components.push_back(part);
        }
        path.remove_prefix(std::min(end + 1, path.size()));
    }
    return components;
}

}  // namespace

WString GetWorkingFolder() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    if (error) {
        return {};
    }
    WString folder = platform::Utf8ToUtf16(current.string());
    for (char16_t& c : folder) {
        if (c == u'/') {
            c = u'\\';
        }
    }
    return folder;
}

bool GetFullPath(WStringView path, WString& full) {
    if (path.empty()) {
        return false;
    }
    WString joined;
    if (IsAbsolute(path)) {
        joined = WString(path);
    } else {
        const WString folder = GetWorkingFolder();
        if (folder.empty()) {
            return false;
        }
        joined = folder + u"\\" + WString(path);
    }
    const WStringView root = RootOf(joined);
    WString result(root);
    const std::vector<WStringView> components = ResolvedComponents(WStringView(joined).substr(root.size()));
    for (size_t i = 0; i < components.size(); ++i) {
        if (i > 0) {
            result += u'\\';
        }
        result += components[i];
    }
    full = result;
    return true;
}

}  // namespace quill
