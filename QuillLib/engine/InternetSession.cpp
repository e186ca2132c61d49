#include "QuillLib/engine/InternetSession.h"

#include <utility>

namespace quill {

InternetSession::InternetSession(WString agent, platform::InternetAccess access)
    : agent_(std::move(agent)), access_(access) {}

bool InternetSession::Open() {
    CloseHandle();
    SetHandle(platform::HttpSessionHandle::Open(agent_, access_));
    return HasHandle();
}

}  // namespace quill
