#pragma once
// The system report's text for an operating-system record: the product name with its edition, then the
// version (" v5.1"), the build (" Build:2600") and the service pack (" Service Pack:2").
#include "QuillLib/core/WString.h"

namespace quill {

struct OsVersionInfo;

WString BuildOsName(const OsVersionInfo& info);

}  // namespace quill
