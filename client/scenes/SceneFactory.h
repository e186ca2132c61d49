#pragma once
// The screens of the program by scene id, as the App registers them for its mode (AppPlatform::createScene),
// and the popups they share (AppPlatform::createPopups).
#include <cstdint>
#include <memory>

#include "client/connection/ConnectionHost.h"

namespace kestrovan {

class App;
class Scene;
class SharedPopups;

// The screen of that id; null for an id the program has no screen for.
std::unique_ptr<Scene> CreateScene(int32_t id, App& app);
// The popups all screens share: the message boxes, the invitation, the feature notice, the messenger, the
// profile window, the settings dialog and the My Info window, hidden, posting their events to the App.
std::unique_ptr<SharedPopups> CreateScenePopups(App& app);
// Fills the process-wide item model catalogue (cues, tables, ball sets, chalk) that the screens' tables
// read: once, before the screens are made.
void RegisterItemModels();
// The five statistics of the cue's model in the item model catalogue (AppPlatform::cueStatistics); false for
// an item without a cue model.
bool FindCueStatistics(uint32_t itemId, CueStatistics& statistics);

}  // namespace kestrovan
