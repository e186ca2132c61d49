#pragma once
// The cue models the players' cues share: one entry per stock cue item or per custom cue's parts, counted by its
// users and freed with the last one. Where the table shows an entry's model, the table is told before the model
// goes (the forget call), so that nothing shows a model that no longer exists.
//
// Threads: see the table in client/app/Scene.h; the render step builds an entry's model on the main thread.
#include <cstdint>
#include <functional>
#include <list>
#include <memory>

#include "client/table/CueModelEntry.h"

namespace kestrovan {

class TableCueModels {
public:
    // Called before an entry's model goes: entryGoes when the entry itself is freed.
    using ForgetCall = std::function<void(CueModelEntry& entry, bool entryGoes)>;

    explicit TableCueModels(ForgetCall forget);
    TableCueModels(const TableCueModels&) = delete;
    TableCueModels& operator=(const TableCueModels&) = delete;

    // The shared entry of a stock cue (item ids 0, 1 and 2 stand for 3000 to 3002) or of a custom cue (a shaft id
    // below 65535) with one more reference; a new entry, without a model yet, when none matches.
    CueModelEntry* GetCueModel(uint16_t itemId, uint16_t shaft, uint16_t butt, uint16_t joint, uint16_t bumper,
                               uint16_t tip);
    // Drops one reference; the last one frees the entry and its model.
    void ReleaseCue(CueModelEntry* entry);
    uint32_t CueModelCount() const;
    // Deletes every entry's model; the entries stay.
    void DropModels();


private:
    ForgetCall forget_;
    std::list<std::unique_ptr<CueModelEntry>> entries_;
};

}  // namespace kestrovan
