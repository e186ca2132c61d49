#pragma once
// The stand-in game server's cue workshop: an account whose inventory holds personal cues (a custom cue and
// tuning cues) and gems, and the answers to the workshop's requests as the server gives them, each applied to
// the script's own record of the cues so that later answers follow from earlier ones.
#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "QuillLib/core/WString.h"
#include "tests/support/net/GameServerFixture.h"
#include "tests/support/net/GameServerScripts.h"

namespace kvtest {

// A personal cue as InventoryList carries it.
struct TestPersonalCue {
    int64_t key = 0x30;
    uint32_t typeCode = 3102;
    uint32_t current = 100000;  // durability, thousandths
    uint32_t total = 100000;
    quill::WString name = u"Tuning";
    int64_t upgradePoints = 0;  // thousandths
    std::array<uint8_t, 5> options{};
    std::array<uint16_t, 5> parts{};
};

struct WorkshopScript {
    int64_t cash = 100000;
    int64_t cueMoney = 100000;
    std::vector<TestPersonalCue> cues = DefaultPersonalCues();
    // Other items listed before the cues (an expired one brings the lobby's question that leads to the shop).
    std::vector<TestOwnedItem> items;
    uint16_t gems = 2;          // one gem item (4502) with this count; 0: none
    int64_t gemKey = 0x40;
    // PersonalCueBuy: the result of its ItemBuyResult (mode 1); a bought cue takes the next key.
    uint8_t buyResult = 0;
    int64_t firstKey = 0x200;
    // CueUpgrade: the outcomes in turn (1 up, 0xFF down, 0 no change).
    std::vector<uint8_t> upgradeOutcomes{1, 0xFF, 0};
    // CueRepair: what a normal repair takes from the total durability.
    uint32_t repairLoss = 3000;

    static std::vector<TestPersonalCue> DefaultPersonalCues();
};

struct WorkshopState {
    std::mutex mutex;
    WorkshopScript script;
    int64_t nextKey = 0;
    size_t upgrades = 0;
    TestPersonalCue* Find(int64_t key);
};

quill::Packet PersonalCueInventoryMessage(const WorkshopScript& script);

// Logs in as login.account with the workshop's inventory, then answers: PersonalCueBuy with ItemBuyResult mode 1
// (the cue as bought, or the error code); PartsBuy with PartsBuyResult; CueUpgrade with CueUpgradeResult (the
// next outcome); CueRepair with CueRepairResult (a normal repair loses repairLoss); CueRetune with
// CueRetuneResult (8,800 cash). The balances come from the script. Install after the login and shop scripts.
std::shared_ptr<WorkshopState> InstallWorkshopScript(GameServerFixture& server, const LoginScript& login,
                                                     const WorkshopScript& script = {});
// The way from the login to the shop through the lobby's expired-items question: the login, lobby and shop
// scripts, then the workshop's with an expired item listed ahead of the script's own items.
std::shared_ptr<WorkshopState> InstallShopWayScripts(GameServerFixture& server, WorkshopScript script = {});

}  // namespace kvtest
