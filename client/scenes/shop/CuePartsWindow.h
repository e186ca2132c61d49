#pragma once
// The parts purchase of a personal cue: the part browser over the cue's present parts, with the cash and
// cue-money totals of the changed parts and the balances. The confirmation (CuePartsConfirm) sends PartsBuy
// with the changed types only.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>
#include <optional>

#include "QuillLib/gamedata/InventoryItem.h"
#include "client/scenes/shop/CuePartBrowser.h"

namespace kestrovan {

class CuePartsWindow : public CuePartBrowser {
public:
    static constexpr int32_t kReset = 4;
    static constexpr int32_t kGuide = 28;

    explicit CuePartsWindow(WorkshopHost& host);

    void Open(const quill::InventoryItem& cue);
    void SendPartsBuy();
    void OnShow() override;

    const std::optional<quill::InventoryItem>& Cue() const { return cue_; }
    CueMoneyTotals Totals() const { return totals_; }

protected:
    bool OnClick(int32_t id) override;
    const CueParts* Present() const override { return cue_ ? &cue_->statValues : nullptr; }
    void RefreshMore() override;

private:
    void Confirm();

    std::optional<quill::InventoryItem> cue_;
    CueMoneyTotals totals_;
    TextLabel* cash_ = nullptr;
    TextLabel* cashTotal_ = nullptr;
    TextLabel* cueMoney_ = nullptr;
    TextLabel* cueMoneyTotal_ = nullptr;
};

}  // namespace kestrovan
