#pragma once
// The question before an item that is not in use yet is put into use ("아이템 사용"). Use (2052) with an item
// posts ShopItemUse (1081) with the item's key, the stored request kind and the sub-key, forgets the item and
// hides; without an item it does nothing. Cancel (2051) forgets the item and hides.
//
// Threads: filled, shown and pressed on the main thread.
#include <atomic>
#include <cstdint>

#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class ItemUseConfirmWindow : public PopupWindow {
public:
    static constexpr int32_t kUse = 2052;
    static constexpr int32_t kCancel = 2051;

    explicit ItemUseConfirmWindow(EventPoster poster);

    void OpenFor(uint32_t key, uint32_t subKey, uint32_t requestKind);
    int64_t ItemKey() const { return key_; }
    void Forget(int64_t key);

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    EventPoster poster_;
    std::atomic<int64_t> key_{0};
    std::atomic<uint32_t> requestKind_{0};
};

}  // namespace kestrovan
