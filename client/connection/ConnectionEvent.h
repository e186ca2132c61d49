#pragma once
// The application events that the connection posts through ConnectionHost::PostEvent. They are numbers of
// the application's event range (1024 to 1123), handled by the App, the scene manager or the current scene.
#include <cstdint>

namespace kestrovan {

enum class ConnectionEvent : uint32_t {
    AppQuit = 1030,               // the OK of the lost-connection box ends the program
    GoToRoom = 1039,              // wParam: the room number of an operator's "/go" command
    MessengerListChanged = 1053,  // a friend or clan list changed
    GiftRefresh = 1068,           // a gift arrived in the inventory
    MoneyRefresh = 1069,          // a balance changed
};

}  // namespace kestrovan
