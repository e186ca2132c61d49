#pragma once
// A chalk lent to a player for one visit of a screen (the offline table, the school): a counted chalk of
// 100 uses taken from the connection's item pool and added to the inventory under a key of its own, one no
// item of the inventory has (the built-in items take small keys from 0 up, the server's items their
// database keys), so that a look-up by key never confuses it with the basic cue; the player's default chalk
// is chosen again. The key stays on this client: nothing sends it to the server. Return takes the chalk out
// of the inventory and gives it back to the pool.
//
// Threads: see the table in client/app/Scene.h; the player's record is read under its own lock.
#include <cstdint>

namespace quill {
struct InventoryItem;
class PlayerState;
}  // namespace quill

namespace kestrovan {

class GameConnection;

class LentChalk {
public:
    static constexpr uint32_t kType = 4903;
    static constexpr int16_t kUses = 100;
    // The key the lent chalk is looked for under first; the sub-key goes down from it while taken.
    static constexpr uint32_t kKey = 0xFFFFFFFFu;

    explicit LentChalk(GameConnection& connection) : connection_(connection) {}
    ~LentChalk() = default;
    LentChalk(const LentChalk&) = delete;
    LentChalk& operator=(const LentChalk&) = delete;

    // Lends the chalk into the player's inventory; null when the pool or the inventory is full (the player
    // then has no chalk of ours). A chalk already lent is returned first.
    quill::InventoryItem* Lend(quill::PlayerState& player);
    // Takes the lent chalk out of the inventory and back to the pool; nothing when none is lent.
    void Return(quill::PlayerState& player);
    quill::InventoryItem* Item() const { return item_; }

private:
    GameConnection& connection_;
    quill::InventoryItem* item_ = nullptr;
};

}  // namespace kestrovan
