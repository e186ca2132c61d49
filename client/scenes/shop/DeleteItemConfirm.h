#pragma once
// The question before an owned item is deleted for good. OK (2052) hides it and posts ShopSend105 (1106), on
// which the shop sends ItemDelete with the key kept here; cancel (2053, Escape) only hides it.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "client/scenes/shop/OwnedItemQuestion.h"

namespace kestrovan {

class DeleteItemConfirm : public OwnedItemQuestion {
public:
    static constexpr int32_t kOk = 2052;
    static constexpr int32_t kCancel = 2053;

    explicit DeleteItemConfirm(EventPoster poster);

    // Opens the question for the item of that key pair.
    void OpenFor(uint32_t key, uint32_t subKey) { AskAbout(key, subKey); }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    EventPoster poster_;
};

}  // namespace kestrovan
