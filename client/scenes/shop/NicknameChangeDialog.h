#pragma once
// The entry of a new nickname when the player uses a nickname-change item: an edit box of at most 12 bytes,
// 58 symbol buttons that insert their symbol at the caret while the text takes fewer than 11 bytes, and OK and
// Cancel. OK checks the nickname (NicknameRules) and, when it passes, keeps it and posts ShopItemUse (1081)
// with the item's key, request kind 1 and the sub-key; the dialog stays open until the shop closes it.
// Refusals go to the error box.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>
#include <functional>

#include "QuillLib/core/WString.h"
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class EditBox;

class NicknameChangeDialog : public PopupWindow {
public:
    static constexpr int32_t kFirstSymbol = 100;
    static constexpr int32_t kSymbolsPerRow = 18;

    struct Services {
        std::function<quill::WString()> nickname;               // the player's current nickname
        std::function<void(quill::WStringView line)> showError;  // the first message box, titled "Error"
        EventPoster poster;
    };

    explicit NicknameChangeDialog(Services services);

    // The item being used; set before the dialog is shown.
    void SetItem(uint32_t key, uint32_t subKey);
    int64_t ItemKey() const { return key_; }
    quill::WString NewNickname() const;
    EditBox* Edit() const { return edit_; }

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    void InsertSymbol(size_t index);
    void Validate();

    Services services_;
    EditBox* edit_ = nullptr;
    int64_t key_ = 0;
    quill::WString newNickname_;
};

}  // namespace kestrovan
