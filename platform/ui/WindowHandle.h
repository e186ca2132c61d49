#pragma once
// The handle of a native window as the window backend hands it out. Code outside the backend only stores
// and passes it on (the owner of a message box, the window a device draws into); null means no window.

namespace platform {

using WindowHandle = void*;

}  // namespace platform
