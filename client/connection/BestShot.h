#pragma once
// One of yesterday's best shots as the connection keeps it for the lobby's background table: who played it
// and its shot record as hexadecimal text. No message fills the list yet; the lobby shows whatever it holds.
#include <string>

#include "QuillLib/core/WString.h"

namespace kestrovan {

struct BestShot {
    quill::WString nickname;
    std::string record;
};

}  // namespace kestrovan
