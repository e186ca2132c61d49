#pragma once
// The question before an owned item is deleted for good. OK (2052) hides it and posts ShopSend105 (1106), on
// which the shop sends ItemDelete with the key kept here; cancel (2053, Escape) only hides it.
//
// Threads: filled, shown and pressed on the main thread; the key is read when the shop handles 1106.
#include <atomic>
#include <cstdint>

#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class DeleteItemConfirm : public PopupWindow {
public:
    static constexpr int32_t kOk = 2052;
    static constexpr int32_t kCancel = 2053;

    explicit DeleteItemConfirm(EventPoster poster);

    // Opens the question for the item of that key pair.
    void OpenFor(uint32_t key, uint32_t subKey);
    int64_t ItemKey() const { return key_; }
    // Forgets the item (it left the inventory while the question was open).
    void Forget(int64_t key);

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    EventPoster poster_;
    std::atomic<int64_t> key_{0};
};

}  // namespace kestrovan
