#pragma once
// What the table reaches of the application, the connection, the local player, the item catalogue and the sound
// system, through the small interfaces the screen sets, and the draws of its random numbers. Any of them may be
// missing: the operations that need one then do nothing. The table's parts read the same services the screen set
// on the table.
//
// Threads: set by the screen while it loads (main thread), then only read, from any thread.
#include <cstdint>
#include <functional>

#include "client/rules/TableSound.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/table/ItemModels.h"
#include "client/table/TableConnection.h"
#include "client/table/TableHost.h"
#include "client/table/TablePlayer.h"

namespace kestrovan {

struct TableServices {
    TableHost* host = nullptr;
    TableConnection* connection = nullptr;
    TablePlayer* player = nullptr;
    const ItemModels* itemModels = &TheItemModelCatalogue();
    TableSound* sound = nullptr;
    // The draws (0 to 32767) of the stroke deviation and the camera jitter; the runtime's rand when empty.
    std::function<int()> random;

    uint16_t ClientWidth() const { return host != nullptr ? host->ClientWidth() : 0; }
    uint16_t ClientHeight() const { return host != nullptr ? host->ClientHeight() : 0; }
    int Random() const;
};

}  // namespace kestrovan
