#pragma once
// The room-setting dialog: the player chooses a game type and, for it, a table and a ball set. The lobby
// and the offline screen each own one, hidden until they show it. OK stores the choice in the dialog's own
// room record and in the connection's room record and posts RoomSettingConfirm; the owner then reads the
// confirmed type (SelectedType) and applies or sends it. Cancel only hides the dialog.
//
// The gamble types (2, 5 and 6) are offered only outside the teens channel to players of 18 and over.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>

#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "client/app/SoundIds.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Button;
class GameConnection;
class GameDescriptionPanel;
class TableBallSelector;

class RoomSettingDialog : public Window {
public:
    static constexpr int32_t kWidth = 403;
    static constexpr int32_t kHeight = 392;
    static constexpr int32_t kFirstTypeId = 100;
    static constexpr int32_t kOk = 1;
    static constexpr int32_t kCancel = 0;
    static constexpr int16_t kTeensChannel = 6;

    RoomSettingDialog(GameConnection& connection, AppEventPoster poster);

    // The type chosen last (confirmed once RoomSettingConfirm was posted).
    quill::GameType SelectedType() const { return selectedType_; }
    // Presets the type the dialog opens with.
    void SetSelectedType(quill::GameType type);
    const quill::RoomInfo& Room() const { return room_; }

    // The type's button; null for the types the dialog does not offer.
    Button* TypeButton(quill::GameType type) const;
    TableBallSelector* Selector() const { return selector_; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    void OnShow() override;
    // Lets go of the previews' models.
    void OnHide() override;

private:
    void AddTypeButtons();
    void OnTypeEvent(quill::GameType type, int32_t code);
    // Refills the selector from the inventory, ticks the type's button and writes its description.
    void ApplyGameType();
    void TickSelectedType();
    void Confirm();
    bool GambleTypesAllowed() const;

    GameConnection& connection_;
    AppEventPoster poster_;
    std::array<Button*, quill::kGameTypeCount> typeButtons_{};
    GameDescriptionPanel* description_ = nullptr;
    TableBallSelector* selector_ = nullptr;
    quill::RoomInfo room_;
    quill::GameType selectedType_ = quill::game_type::kEightBall;
};

}  // namespace kestrovan
