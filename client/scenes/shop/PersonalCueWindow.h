#pragma once
// The personal-cue window of the workshop: up to four owned personal cues (the last-bought first), the
// chosen cue's options, upgrade points and durability, and a menu that opens the repair, parts and
// upgrade (tuning cue) or re-tune (custom cue) window for it. The workshop forwards the confirmations of
// those windows and the answers to their requests here.
//
// Threads: see the table in client/app/Scene.h; the On... refreshes run after the shop stored the answer in the
// player's records.
#include <array>
#include <cstdint>
#include <optional>

#include "QuillLib/gamedata/InventoryItem.h"
#include "client/scenes/shop/CueRules.h"
#include "client/scenes/shop/WorkshopWindow.h"

namespace kestrovan {

class CuePartsWindow;
class CueRepairWindow;
class CueRetuneWindow;
class CueUpgradeWindow;
class PersonalCueSlot;

class PersonalCueWindow : public WorkshopWindow {
public:
    static constexpr int32_t kFirstSlot = 100;
    static constexpr size_t kSlots = 4;
    static constexpr int32_t kRepairEntry = 40;
    static constexpr int32_t kPartsEntry = 41;
    static constexpr int32_t kUpgradeEntry = 42;

    struct Windows {
        CueRepairWindow& repair;
        CueRetuneWindow& retune;
        CueUpgradeWindow& upgrade;
        CuePartsWindow& parts;
    };

    PersonalCueWindow(WorkshopHost& host, Windows windows);

    void OnShow() override;
    void ConfirmRepair();
    void ConfirmParts();
    void ConfirmOption(uint32_t value);
    // After the shop stored an answer: the slots and the info panel read the player's records again.
    void OnRepaired();
    void OnPartsBought();
    void OnRetuned();
    void OnUpgraded();

    PersonalCueSlot* Slot(size_t n) const { return slots_[n]; }
    std::optional<size_t> Selected() const { return selected_; }
    int32_t CueCount() const { return count_; }
    TextLabel* EmptyText() const { return empty_; }
    Widget* InfoPanel() const { return info_; }
    TextLabel* EffectLabel(size_t option) const { return effects_[option]; }
    TextLabel* DurabilityLabel() const { return durability_; }
    TextLabel* PointsLabel() const { return points_; }
    Widget* Menu() const { return menu_; }
    Button* ThirdEntry() const { return third_; }

protected:
    bool OnClick(int32_t id) override;

private:
    void FillSlots();
    void RefreshInfo();
    std::optional<quill::InventoryItem> SelectedCue() const;
    void OnSlot(size_t n);
    void OnMenu(int32_t id);
    void BuildInfoPanel();
    void BuildMenu();

    Windows windows_;
    std::array<PersonalCueSlot*, kSlots> slots_{};
    std::optional<size_t> selected_;
    int32_t count_ = 0;
    TextLabel* empty_ = nullptr;
    Widget* info_ = nullptr;
    TextLabel* infoTitle_ = nullptr;
    std::array<TextLabel*, kCueOptionCount> effects_{};
    TextLabel* pointsCaption_ = nullptr;
    TextLabel* points_ = nullptr;
    TextLabel* durability_ = nullptr;
    Widget* menu_ = nullptr;
    Button* third_ = nullptr;
};

}  // namespace kestrovan
