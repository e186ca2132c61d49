#pragma once
// The cue workshop inside the shop: builds its windows once on the shop screen (hidden), serves them as their
// WorkshopHost, and is the shop's one entry to them: the workshop button, the confirmations of the workshop's
// message boxes and the answers the shop has stored.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>
#include <memory>

#include "client/scenes/shop/WorkshopHost.h"

namespace quill {
struct ItemRecord;
}

namespace kestrovan {

class CueOptionUpgradeWindow;
class CuePartsCatalogueWindow;
class CuePartsGuideWindow;
class CuePartsWindow;
class CueRepairWindow;
class CueRetuneWindow;
class CueUpgradeWindow;
class PersonalCueBuyWindow;
class PersonalCueWindow;
class SceneShop;
class ScreenServices;
class ShopPreviewPanel;

class CueWorkshop : public WorkshopHost {
public:
    CueWorkshop(ScreenServices& app, SceneShop& shop, ShopPreviewPanel* largePreview);
    ~CueWorkshop() override;

    void Open();
    // The purchase of a new personal cue of that shop entry; false for a model not sold this way.
    bool OpenPurchase(const quill::ItemRecord& entry);
    // A purchase answered with success: the purchase window closes.
    void OnCueBought();
    // An application event of the workshop: a message box's (button, stored value), of which only OK goes on,
    // or the guide's request. False for any other event.
    bool OnConfirm(uint32_t id, uint32_t button, uint32_t value);
    void OnRepaired();
    void OnPartsBought();
    void OnRetuned();
    void OnUpgraded();

    PersonalCueWindow& Management() const { return *management_; }
    CueRepairWindow& Repair() const { return *repair_; }
    CueRetuneWindow& Retune() const { return *retune_; }
    CueUpgradeWindow& Upgrade() const { return *upgrade_; }
    CueOptionUpgradeWindow& OptionUpgrade() const { return *option_; }
    CuePartsWindow& Parts() const { return *parts_; }
    PersonalCueBuyWindow& Purchase() const { return *buy_; }
    CuePartsCatalogueWindow& Catalogue() const { return *catalogue_; }
    CuePartsGuideWindow& Guide() const { return *guide_; }

    // WorkshopHost.
    quill::PlayerState& Player() override;
    bool SendAwaited(const std::function<void(quill::Packet&)>& write) override;
    void ShowNotice(std::initializer_list<quill::WStringView> lines) override;
    void Ask(const WorkshopQuestion& question) override;
    void PostEvent(uint32_t id, uint32_t value) override;
    void Raise(Widget& window) override;

private:
    ScreenServices& app_;
    SceneShop& shop_;
    CueRepairWindow* repair_ = nullptr;
    CueRetuneWindow* retune_ = nullptr;
    CueOptionUpgradeWindow* option_ = nullptr;
    CueUpgradeWindow* upgrade_ = nullptr;
    CuePartsWindow* parts_ = nullptr;
    PersonalCueWindow* management_ = nullptr;
    CuePartsCatalogueWindow* catalogue_ = nullptr;
    PersonalCueBuyWindow* buy_ = nullptr;
    CuePartsGuideWindow* guide_ = nullptr;
};

}  // namespace kestrovan
