#pragma once
// The texts the login screen shows for the server's answers: the lines of a failed LoginResult and of
// LoginFailed and of a refused nickname (the channel kinds' suffixes are the common UserLocation's). Pure.
#include <cstdint>
#include <vector>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/WString.h"
#include "client/scenes/common/UserLocation.h"

namespace kestrovan {

// The Error box of a LoginResult that is neither 0 (logged in) nor 4 (no nickname yet): its lines and the
// event its OK button posts (1030 ends the program, 1034 only closes the box).
struct LoginResultError {
    std::vector<quill::WString> lines;
    uint32_t okEvent = 0;
};

// Result 1 with its maintenance flag, 2, 3, 5, 6, 7; any other result (8 and above) is an authentication
// error with its code.
LoginResultError LoginResultLines(uint8_t result, uint8_t maintenanceFlag);
// The Error box of a LoginFailed code other than 0.
std::vector<quill::WString> LoginFailedLines(int32_t code);
// The two lines of a NicknameCreateResult other than 0.
std::vector<quill::WString> NicknameResultLines(uint8_t result);

}  // namespace kestrovan
