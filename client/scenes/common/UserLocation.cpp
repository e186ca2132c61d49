#include "client/scenes/common/UserLocation.h"

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/PlayerState.h"

namespace kestrovan {

namespace {

// The names both lists give the places inside one's own channel; null for places they name apart.
const char16_t* SharedPlaceName(int16_t place) {
    switch (place) {
        case UserPlace::School:
            return u"School";
        case UserPlace::Shop:
            return u"Shop";
        case UserPlace::TrickShot:
            return u"TrickShot";
        case UserPlace::Gallery:
            return u"Gallery";
        case UserPlace::Practice:
            return u"Practice";
        case UserPlace::Tutorial:
            return u"Tutorial";
        case UserPlace::Lobby:
            return u"Lobby";
        default:
            return nullptr;
    }
}

}  // namespace

UserLocation UserLocation::Of(const quill::PlayerState& record) {
    return UserLocation{static_cast<int8_t>(record.channel), record.position};
}

quill::WStringView ChannelKindSuffix(int32_t kind) {
    switch (kind) {
        case ChannelKind::Beginner:
            return u"(Beginner)";
        case ChannelKind::AllCarom:
            return u"(All carom)";
        case ChannelKind::PoolBeginner:
            return u"(Pool beginner)";
        case ChannelKind::Pool:
            return u"(Pool)";
        case ChannelKind::Teens:
            return u"(Teens)";
        case ChannelKind::Tournament:
            return u"(Tournament)";
        default:
            return u"";
    }
}

quill::WString MessengerLocationText(UserLocation location, int32_t ownChannel) {
    if (location.channel < 0) return u"Offline";
    if (location.channel == 0) return u"Login";
    if (location.channel != ownChannel) return quill::Format(u"Ch.%d", static_cast<int32_t>(location.channel));
    if (const char16_t* name = SharedPlaceName(location.place)) return name;
    // The shop's entry place and the rooms are named as rooms, without a blank.
    if (location.place == UserPlace::ShopEntry || location.place > 0)
        return quill::Format(u"%s%d", u"Room", static_cast<int32_t>(location.place));
    return {};
}

quill::WString LobbyLocationText(UserLocation location, int32_t ownChannel) {
    if (location.channel < 0) return u"Offline";
    if (location.channel == 0) return u"Login";
    if (location.channel != ownChannel)
        return quill::Format(u"%s %d", u"Channel", static_cast<int32_t>(location.channel));
    if (const char16_t* name = SharedPlaceName(location.place)) return name;
    if (location.place == UserPlace::ShopEntry) return u"Shop";
    if (location.place > 0) return quill::Format(u"Room %d", static_cast<int32_t>(location.place));
    return {};
}

quill::WString FoundPlayerLocationText(UserLocation location) {
    if (location.channel < 0) return u"Offline";
    if (location.channel == 0) return u"Login";
    const auto channel = static_cast<int32_t>(location.channel);
    if (location.place < 1) return quill::Format(u"%s %d", u"Channel", channel);
    return quill::Format(u"%s %d  %s %d", u"Room", static_cast<int32_t>(location.place), u"Channel", channel);
}

}  // namespace kestrovan
