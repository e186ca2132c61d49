#pragma once
// Names and directions of the game-server messages, for logs and tools: the MessageId table as data.
#include <span>
#include <string_view>

#include "QuillLib/net/MessageId.h"

namespace quill {

struct MessageInfo {
    MessageId id;
    std::string_view name;
    MessageDirection direction;
};

// Every catalogued message, in id order.
std::span<const MessageInfo> MessageCatalogue();

// The entry of id, or null for an id outside the catalogue.
const MessageInfo* FindMessage(MessageId id);

// The name of id, or "unknown" for an id outside the catalogue.
std::string_view MessageName(MessageId id);

}  // namespace quill
