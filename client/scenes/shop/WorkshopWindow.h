#pragma once
// The base of the cue workshop's windows: a popup with the common face that reaches its screen through a
// WorkshopHost, with the label and button helpers every workshop window uses and the click filter of its
// event slot (every event of a button but hover is its click; hover events are passed to OnHover).
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/scenes/common/BoxFace.h"
#include "client/scenes/common/PopupWindow.h"
#include "client/scenes/shop/ShopWidgets.h"
#include "client/scenes/shop/WorkshopHost.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

class Button;
class ItemPreview;
class TextLabel;

// The local player's balances and level, read together under the player's lock.
struct WorkshopWallet {
    int64_t cash = 0;
    int64_t cueMoney = 0;
    uint16_t level = 0;
};

class WorkshopWindow : public PopupWindow {
public:
    bool OnEvent(Widget* source, int32_t a, int32_t b) final;

protected:
    WorkshopWindow(WorkshopHost& host, int32_t w, int32_t h);

    // A click on a control of the window; true when handled.
    virtual bool OnClick(int32_t id) = 0;
    virtual void OnHover(int32_t /*id*/, bool /*entered*/) {}

    TextLabel* AddText(int32_t x, int32_t y, int32_t w, quill::WStringView text, uint32_t colour = kWhite);
    Button* AddCommand(int32_t id, int32_t x, int32_t y, quill::WStringView caption, int32_t w = 82);
    Button* AddToggle(int32_t id, int32_t x, int32_t y, int32_t w, int32_t h, quill::WStringView caption);
    ItemPreview* AddPreview(int32_t x, int32_t y, int32_t w, int32_t h, bool rotatable);
    WorkshopWallet Wallet() const;

    WorkshopHost& host_;
};

}  // namespace kestrovan
