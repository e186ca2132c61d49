#pragma once
// The parts catalogue viewer of the new-cue purchase: every part of every type with its model (the whole cue in
// the shop's large preview), price, required level and function, without totals and without buying. It opens
// on part 1 of every type.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "client/scenes/shop/CuePartBrowser.h"

namespace kestrovan {

class CuePartsCatalogueWindow : public CuePartBrowser {
public:
    explicit CuePartsCatalogueWindow(WorkshopHost& host);

    void Open(uint32_t modelId);

protected:
    bool OnClick(int32_t id) override;
};

}  // namespace kestrovan
