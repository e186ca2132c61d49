#pragma once
// The application events the lobby posts and handles that the shared catalogue does not name yet.
#include <cstdint>

#include "client/app/SceneManager.h"
#include "client/scenes/common/ItemEvents.h"

namespace kestrovan::AppEventId {
inline constexpr uint32_t TournamentInfoOpen = 1031;
inline constexpr uint32_t TournamentPopupClose = 1032;
inline constexpr uint32_t TutorialGateOk = 1035;
inline constexpr uint32_t GoToRoom = 1039;
inline constexpr uint32_t RoomPasswordEntered = 1052;
inline constexpr uint32_t MessengerListChanged = 1053;
inline constexpr uint32_t ExpiredItemsCheck = 1072;
inline constexpr uint32_t LobbyEvent1073 = 1073;
inline constexpr uint32_t LobbyListRequest = 1075;
inline constexpr uint32_t LobbyListRequest2 = 1076;
inline constexpr uint32_t LobbyQueueForward = 1077;
}  // namespace kestrovan::AppEventId
