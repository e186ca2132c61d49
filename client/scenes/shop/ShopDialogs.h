#pragma once
// The shop's dialogs about owned items and the ways through them: the use question, the nickname dialog and
// the delete question with the decisions that open them and the requests they end in, the in-progress notice
// that every request shows until its answer, the picture window, and the server's answers to using, deleting
// and counting down items. An item that leaves the inventory loses every binding first (the selection, the
// questions, the player's equipment).
//
// Threads: see the table in client/app/Scene.h; the player's lock is taken around its items.
#include <cstdint>
#include <functional>
#include <optional>

#include "QuillLib/net/MessageId.h"
#include "client/scenes/common/ItemEvents.h"

namespace quill {
class Packet;
}

namespace kestrovan {

class DeleteItemConfirm;
class GameConnection;
class InProgressDialog;
class ItemUseConfirmWindow;
class NicknameChangeDialog;
class PictureWindow;
class SceneManager;
class SceneShop;
class Widget;
struct ItemUseResult;

class ShopDialogs {
public:
    ShopDialogs(SceneShop& screen, GameConnection& connection, SceneManager& scenes, AppEventPoster poster);

    // The screen lays its widgets out in one order; these are the dialogs' places in it. The in-progress
    // notice's quit ends the program.
    void BuildQuestions(Widget& screen, std::function<void()> quit);
    void BuildPicture(Widget& screen);

    // The chosen owned item put to use or to deletion: a notice, an error, or the way to the request.
    void UseSelected(std::optional<int64_t> selected);
    void DeleteSelected(std::optional<int64_t> selected);
    // ShopItemUse: the owned item used with the request kind (2: ItemUseAlt). The event carries the key's low
    // half; the whole key is the one last offered for use with that low half.
    void UseItem(uint32_t key, uint32_t requestKind);
    // The delete question's OK.
    void SendDelete();
    void OpenPicture();
    void ShowInProgress();
    void HideInProgress();

    // The server's answers.
    void OnItemUseResult(quill::MessageId id, quill::Packet& packet);
    void OnReconnectResult(quill::MessageId id, quill::Packet& packet);
    void OnItemDeleteResult(quill::Packet& packet);
    void OnItemQuantity(quill::Packet& packet);

    ItemUseConfirmWindow* UseQuestion() const { return useQuestion_; }
    DeleteItemConfirm* DeleteQuestion() const { return deleteQuestion_; }
    NicknameChangeDialog* Nickname() const { return nickname_; }
    PictureWindow* Picture() const { return picture_; }
    InProgressDialog* InProgress() const { return inProgress_; }

private:
    // Applies a use answer to the owned item; false when the player does not own it.
    bool ApplyUse(const ItemUseResult& answer);
    void SetDefaults(const ItemUseResult& answer, int32_t onlyType);
    // Takes the item out of the player and the pool, after every binding to it is gone.
    void RemoveOwned(int64_t key);

    SceneShop& screen_;
    GameConnection& connection_;
    SceneManager& scenes_;
    AppEventPoster poster_;
    int64_t offeredForUse_ = 0;  // the whole key of the item last put to the use question or dialog

    // Widgets, owned by the tree.
    ItemUseConfirmWindow* useQuestion_ = nullptr;
    InProgressDialog* inProgress_ = nullptr;
    DeleteItemConfirm* deleteQuestion_ = nullptr;
    NicknameChangeDialog* nickname_ = nullptr;
    PictureWindow* picture_ = nullptr;
};

}  // namespace kestrovan
