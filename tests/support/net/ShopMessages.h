#pragma once
// Server messages of the shop as the game server sends them, for the tests of the shop and the program's
// checks: the inventory a login brings (expired items among them), the answers to purchases, membership,
// item use and deletion, and the counts it pushes. Each builder returns the message unsent; AsReceived
// (ServerMessages.h) turns it into what a receiver holds.
#include <cstdint>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/Packet.h"

namespace kvtest {

// An owned item as InventoryList carries it. status: 1 in use, 4 expired; state: 1 timed, 3 counted.
struct TestOwnedItem {
    int64_t key = 10;
    uint8_t status = 0;
    uint32_t typeCode = 4901;
    uint8_t state = 3;
    uint16_t remaining = 100;
    uint16_t limit = 100;
    quill::WString name;  // sent for an item in use
};

quill::Packet InventoryListMessage(const std::vector<TestOwnedItem>& items);
// ItemBuyResult: mode 1 carries the balances and the item (a counted item, or nothing more for a cue of
// 3000 to 3099), mode 2 the balances only, mode 3 nothing; a result other than 0 nothing after it.
quill::Packet ItemBuyResultMessage(uint8_t mode, uint8_t result, int64_t cash = 0, int64_t cueMoney = 0,
                                   const TestOwnedItem& item = {});
// MembershipResult: state above 0 carries the end date and the value.
quill::Packet MembershipResultMessage(uint8_t result, int64_t cash = 0, int64_t cueMoney = 0, uint32_t bonus = 0,
                                      uint8_t state = 0, quill::WStringView endDate = {});
quill::Packet ItemUseResultMessage(uint8_t result, int64_t key = 0, uint32_t typeCode = 0,
                                   quill::WStringView text = u"2030-12-31");
// DefaultItemResult (gameType -1) or GameDefaultItemResult: the default kind 1 cue, 3 table, 4 balls.
quill::Packet DefaultItemResultMessage(uint8_t result, uint8_t defaultKind, int64_t key, uint32_t typeCode,
                                       int32_t gameType = -1);
quill::Packet ItemDeleteResultMessage(uint8_t result, int64_t key);
quill::Packet ItemQuantityMessage(int64_t key, uint16_t remaining);

}  // namespace kvtest
