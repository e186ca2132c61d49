#pragma once
// The cue workshop's place in the shop: its button on the main panel, the workshop itself (its windows are
// children of the shop's screen), and the server's answers to the workshop's requests, applied to the
// player's balances and cue before the workshop's windows hear of them.
//
// Threads: see the table in client/app/Scene.h; the player's lock is taken around the cue.
#include <cstdint>
#include <memory>

namespace quill {
class Packet;
}

namespace kestrovan {

class CueWorkshop;
class GameConnection;
class SceneShop;
class ShopPurchases;
class Widget;

class ShopWorkshop {
public:
    static constexpr int32_t kButton = 125;

    ShopWorkshop(SceneShop& screen, GameConnection& connection, ShopPurchases& purchases);
    ~ShopWorkshop();

    // The screen lays its widgets out in one order; these are the workshop's places in it.
    void BuildButton(Widget& mainPanel);
    void Build(std::unique_ptr<CueWorkshop> workshop);

    // The server's answers.
    void OnPartsBuyResult(quill::Packet& packet);
    void OnCueUpgradeResult(quill::Packet& packet);
    void OnCueRepairResult(quill::Packet& packet);
    void OnCueRetuneResult(quill::Packet& packet);
    void OnPersonalCueBuyResult(quill::Packet& packet);

    CueWorkshop* Workshop() const { return workshop_.get(); }

private:
    SceneShop& screen_;
    GameConnection& connection_;
    ShopPurchases& purchases_;
    std::unique_ptr<CueWorkshop> workshop_;
};

}  // namespace kestrovan
