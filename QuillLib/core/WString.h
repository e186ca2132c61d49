#pragma once
#include "platform/system/WString.h"

namespace quill {

using platform::WString;
using platform::WStringView;

}  // namespace quill
