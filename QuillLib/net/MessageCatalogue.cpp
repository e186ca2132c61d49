#include "QuillLib/net/MessageCatalogue.h"

#include <algorithm>
#include <array>

namespace quill {
namespace {

constexpr std::array kCatalogue = {
#define QUILL_MESSAGE_INFO(id, name, direction) MessageInfo{MessageId::name, #name, MessageDirection::direction},
    QUILL_MESSAGE_CATALOGUE(QUILL_MESSAGE_INFO)
#undef QUILL_MESSAGE_INFO
};

static_assert(std::is_sorted(kCatalogue.begin(), kCatalogue.end(),
                             [](const MessageInfo& a, const MessageInfo& b) { return a.id < b.id; }),
              "the catalogue is searched by id and must stay in id order");

}  // namespace

std::span<const MessageInfo> MessageCatalogue() {
    return kCatalogue;
}

const MessageInfo* FindMessage(MessageId id) {
    const auto found = std::lower_bound(kCatalogue.begin(), kCatalogue.end(), id,
                                        [](const MessageInfo& entry, MessageId wanted) { return entry.id < wanted; });
    return (found != kCatalogue.end() && found->id == id) ? &*found : nullptr;
}

std::string_view MessageName(MessageId id) {
    const MessageInfo* entry = FindMessage(id);
    return entry != nullptr ? entry->name : std::string_view("unknown");
}

}  // namespace quill
