#include "QuillLib/engine/InternetSession.h"

#include <utility>

namespace quill {

InternetSession::InternetSession(WString agent) : agent_(std::move(agent)) {}

bool InternetSession::Open() {
    CloseHandle();
    SetHandle(platform::HttpSessionHandle::Open(agent_));
    return HasHandle();
}

}  // namespace quill
