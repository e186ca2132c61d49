#pragma once
// The question before an item that is not in use yet is put into use ("아이템 사용"). Use (2052) with an item
// posts ShopItemUse (1081) with the item's key, the stored request kind and the sub-key, forgets the item and
// hides; without an item it does nothing. Cancel (2051) forgets the item and hides.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <atomic>
#include <cstdint>

#include "client/scenes/shop/OwnedItemQuestion.h"

namespace kestrovan {

class ItemUseConfirmWindow : public OwnedItemQuestion {
public:
    static constexpr int32_t kUse = 2052;

    explicit ItemUseConfirmWindow(EventPoster poster);

    void OpenFor(uint32_t key, uint32_t subKey, uint32_t requestKind);

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    // Posts the use of the kept item and forgets it; nothing without an item.
    void Use();

    EventPoster poster_;
    std::atomic<uint32_t> requestKind_{0};
};

}  // namespace kestrovan
