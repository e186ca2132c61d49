#pragma once
// The content of the shared "Notice" or "Error" box that the connection asks the shell to show: a title,
// up to six lines, and the application event its button posts (the box's default 1024 when nothing else
// is wanted).
#include <array>
#include <cstdint>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/WString.h"

namespace kestrovan {

struct ConnectionNotice {
    quill::WString title;
    std::array<quill::WString, 6> lines;
    uint32_t event = quill::AppEventId::EventNone;
    uint32_t value = 0;
};

}  // namespace kestrovan
