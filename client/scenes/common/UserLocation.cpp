#include "client/scenes/common/UserLocation.h"

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/PlayerState.h"

namespace kestrovan {

namespace {

// A code and the name it is shown by.
struct Named {
    int32_t code;
    const char16_t* name;
};

// The names both lists give the places inside one's own channel.
constexpr Named kSharedPlaceNames[] = {
    {UserPlace::School, u"School"},     {UserPlace::Shop, u"Shop"},         {UserPlace::TrickShot, u"TrickShot"},
    {UserPlace::Gallery, u"Gallery"},   {UserPlace::Practice, u"Practice"}, {UserPlace::Tutorial, u"Tutorial"},
    {UserPlace::Lobby, u"Lobby"}};

constexpr Named kChannelKindSuffixes[] = {
    {ChannelKind::Beginner, u"(Beginner)"}, {ChannelKind::AllCarom, u"(All carom)"},
    {ChannelKind::PoolBeginner, u"(Pool beginner)"}, {ChannelKind::Pool, u"(Pool)"},
    {ChannelKind::Teens, u"(Teens)"}, {ChannelKind::Tournament, u"(Tournament)"}};

// The name of code in names; null when it has none there.
template <size_t N>
const char16_t* NameOf(const Named (&names)[N], int32_t code) {
    for (const Named& named : names) {
        if (named.code == code) return named.name;
    }
    return nullptr;
}

// The names both lists give the places inside one's own channel; null for places they name apart.
const char16_t* SharedPlaceName(int16_t place) {
    return NameOf(kSharedPlaceNames, place);
}

}  // namespace

UserLocation UserLocation::Of(const quill::PlayerState& record) {
    return UserLocation{static_cast<int8_t>(record.channel), record.position};
}

quill::WStringView ChannelKindSuffix(int32_t kind) {
    const char16_t* suffix = NameOf(kChannelKindSuffixes, kind);
    return suffix != nullptr ? suffix : u"";
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
