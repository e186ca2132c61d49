#pragma once
// The application events that the connection posts through ConnectionHost::PostEvent, a few of the
// application's catalogue, handled by the App, the scene manager or the current scene.
#include <cstdint>

#include "QuillLib/core/AppEventId.h"

namespace kestrovan {

enum class ConnectionEvent : uint32_t {
    AppQuit = quill::AppEventId::AppQuit,    // the OK of the lost-connection box ends the program
    GoToRoom = quill::AppEventId::GoToRoom,  // wParam: the room number of an operator's "/go" command
    MessengerListChanged = quill::AppEventId::MessengerListChanged,  // a friend or clan list changed
    GiftRefresh = quill::AppEventId::GiftRefresh,                    // a gift arrived in the inventory
    MoneyRefresh = quill::AppEventId::MoneyRefresh,                  // a balance changed
};

}  // namespace kestrovan
