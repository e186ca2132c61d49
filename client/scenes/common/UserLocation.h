#pragma once
// Where another player is and how the client names it: a user's channel and place, the kind of a channel
// with the label shown after its name, and the list a messenger member belongs to. The lobby's player
// rows, the messenger's member rows and the found-player dialog each name a location their own way.
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace quill {
class PlayerState;
}

namespace kestrovan {

// A user's channel (negative: offline; 0: logged in, in no channel; n: channel n) and place in it.
struct UserLocation {
    int8_t channel = -1;
    int16_t place = 0;

    // The location a user record holds (its channel byte read as signed, its place code).
    static UserLocation Of(const quill::PlayerState& record);
};

// The places inside a channel.
namespace UserPlace {
inline constexpr int16_t School = -7;
inline constexpr int16_t Shop = -6;
inline constexpr int16_t TrickShot = -5;
inline constexpr int16_t Gallery = -4;
inline constexpr int16_t ShopEntry = -3;  // also the place of a member who logged out
inline constexpr int16_t Practice = -2;
inline constexpr int16_t Tutorial = -1;
inline constexpr int16_t Lobby = 0;
}  // namespace UserPlace

// A channel's kinds.
namespace ChannelKind {
inline constexpr int32_t Beginner = 1;
inline constexpr int32_t AllCarom = 2;
inline constexpr int32_t PoolBeginner = 4;
inline constexpr int32_t Pool = 5;
inline constexpr int32_t Teens = 6;
inline constexpr int32_t Tournament = 8;
}  // namespace ChannelKind

// The list a messenger member belongs to: 1 the friends, any other value the clan (the client sends 2).
namespace MemberListKind {
inline constexpr uint8_t Friends = 1;
inline constexpr uint8_t Clan = 2;
}  // namespace MemberListKind

// "(Beginner)", "(All carom)", "(Pool beginner)", "(Pool)", "(Teens)", "(Tournament)"; "" for other kinds.
quill::WStringView ChannelKindSuffix(int32_t kind);

// The messenger's member row: "Offline", "Login", "Ch.3" in another channel, else the place ("Room12").
quill::WString MessengerLocationText(UserLocation location, int32_t ownChannel);
// The lobby's player row: "Offline", "Login", "Channel 3" in another channel, else the place ("Room 12").
quill::WString LobbyLocationText(UserLocation location, int32_t ownChannel);
// The found-player dialog, which does not compare channels: "Channel 3" or "Room 12  Channel 3".
quill::WString FoundPlayerLocationText(UserLocation location);

}  // namespace kestrovan
