#pragma once
// The players in the channel as the lobby lists them: user records from the lobby's own pool of 604,
// ordered by their sort value (highest first, equal values in arrival order) and found by their 64-bit
// user id, and the page of a player list from a scroll position. A user announced while every record is
// in use is dropped; every record that leaves the table goes back to the pool.
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "QuillLib/gamedata/PlayerState.h"
#include "client/connection/ObjectPool.h"

namespace kestrovan {

struct LobbyUserMessage;

class LobbyUserTable {
public:
    static constexpr uint32_t kRecords = 604;
    static constexpr uint32_t kRecordTries = 5;  // with 1 ms sleeps: the dispatch thread does not stall
    static constexpr int32_t kRows = 12;
    static constexpr uint16_t kFirstRankCode = 90;  // codes from here on are listed first

    using Records = std::multimap<uint32_t, quill::PlayerState*, std::greater<>>;

    LobbyUserTable();
    ~LobbyUserTable();
    LobbyUserTable(const LobbyUserTable&) = delete;
    LobbyUserTable& operator=(const LobbyUserTable&) = delete;

    // Takes a record, fills it from the message and lists it in channel; false when no record was free.
    bool Add(const LobbyUserMessage& user, uint8_t channel);
    // Takes the user out and returns its record; false when not listed.
    bool Remove(int64_t userId);
    // Every record back to the pool.
    void Clear();
    // The first listed user with that id; null when none.
    quill::PlayerState* Find(int64_t userId);
    const Records& All() const { return records_; }
    int32_t Count() const { return static_cast<int32_t>(records_.size()); }
    int32_t RecordsInUse() const { return pool_.InUse(); }

private:
    ObjectPool<quill::PlayerState> pool_{kRecords, 1};
    Records records_;
};

// A page of a player list: the users with a rank code of 90 and more first, then the others, each in the
// source's order, skipping position - 1 of them (values below 1 count as 1) and at most rows of them.
struct UserPage {
    int32_t count = 0;
    int32_t position = 1;  // after clamping to count - rows + 1, at least 1
    int32_t range = 1;     // the scroll bar's range: count - rows + 1, at least 1
    std::vector<const quill::PlayerState*> users;
};
UserPage MakeUserPage(const std::vector<const quill::PlayerState*>& source, int32_t position, int32_t rows);

}  // namespace kestrovan
