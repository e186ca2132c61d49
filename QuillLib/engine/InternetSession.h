#pragma once
// The program's opened internet service, named by the user agent that its requests carry.
#include "QuillLib/core/WString.h"
#include "QuillLib/engine/InternetHandle.h"
#include "platform/http/HttpSessionHandle.h"

namespace quill {

class InternetSession : public InternetHandle<platform::HttpSessionHandle> {
public:
    explicit InternetSession(WString agent, platform::InternetAccess access = platform::InternetAccess::Direct);

    // Closes a held handle, then opens the service (direct, or through the system's proxy settings). True
    // when it opened.
    bool Open();

    const WString& Agent() const { return agent_; }

private:
    WString agent_;
    platform::InternetAccess access_;
};

}  // namespace quill
