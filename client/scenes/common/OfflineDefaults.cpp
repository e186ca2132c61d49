#include "client/scenes/common/OfflineDefaults.h"

#include <utility>

#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/gamedata/PlayerState.h"

namespace kestrovan {

namespace {

// Offline tables and ball sets by game type; the types not listed keep what the profile has.
constexpr std::pair<quill::GameType, uint16_t> kOfflineTables[] = {{0, 1020},  {3, 1027},  {4, 1024},
                                                                  {5, 1025},  {6, 1027},  {10, 1030},
                                                                  {12, 1032}, {13, 1033}, {16, 1035}};
constexpr std::pair<quill::GameType, uint16_t> kOfflineBallSets[] = {{0, 2003},  {3, 2004},  {4, 2004},
                                                                    {5, 2004},  {6, 2008},  {10, 2006},
                                                                    {12, 2006}, {13, 2006}, {16, 2007}};

}  // namespace

void ApplyOfflineDefaults(quill::PlayerState& player) {
    player.offlineCueItem.fill(kStockCue);
    for (const auto& [type, item] : kOfflineTables) player.offlineTableItem[static_cast<size_t>(type)] = item;
    for (const auto& [type, item] : kOfflineBallSets) player.offlineBallSetItem[static_cast<size_t>(type)] = item;
    player.skills.fill(kOfflineSkillValue);
}

}  // namespace kestrovan
