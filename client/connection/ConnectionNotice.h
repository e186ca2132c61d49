#pragma once
// The content of the shared "Notice" or "Error" box that the connection asks the shell to show: a title,
// up to six lines, and the application event its button posts (the box's default 1024 when nothing else
// is wanted).
#include <array>
#include <cstdint>
#include <vector>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/WString.h"

namespace kestrovan {

// Filled as an aggregate: ConnectionNotice{u"Notice", {u"first line", u"second line"}, event, value}.
struct ConnectionNotice {
    quill::WString title;
    std::array<quill::WString, 6> lines;
    uint32_t event = quill::AppEventId::EventNone;
    uint32_t value = 0;

    // A notice with the given lines in order; lines past the sixth are dropped.
    static ConnectionNotice WithLines(quill::WStringView title, const std::vector<quill::WString>& lines,
                                      uint32_t event = quill::AppEventId::EventNone) {
        ConnectionNotice notice{quill::WString(title), {}, event};
        for (size_t n = 0; n < lines.size() && n < notice.lines.size(); ++n) notice.lines[n] = lines[n];
        return notice;
    }
};

}  // namespace kestrovan
