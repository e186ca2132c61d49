#pragma once
// The settings of the current room, shown in the room: its master may change the title, password, number
// of players, rule option, time limit, stake, handicap range, the two option flags, table and ball set, and
// hand the master role to another player; everybody else sees the same dialog with every control disabled
// and only a Close button. The room screen loads it (Load) before each showing; OK with a change posts
// GameOptionApply, and the room screen builds its request from the dialog's room record, chosen options,
// master and restricted-change marker.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>
#include <functional>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/common/RoomOptions.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Button;
class ComboBox;
class EditBox;
class GameConnection;
class HandicapRangePanel;
class Image;
class StakePanel;
class TableBallSelector;

class GameOptionDialog : public Window {
public:
    static constexpr int32_t kWidth = 427;
    static constexpr int32_t kHeight = 375;
    static constexpr int32_t kOk = 1;
    static constexpr int32_t kCancel = 0;
    static constexpr int32_t kFlag8Box = 21;
    static constexpr int32_t kFlag16Box = 22;
    static constexpr size_t kSeats = 8;

    using ErrorShower = std::function<void(quill::WStringView line)>;

    GameOptionDialog(GameConnection& connection, AppEventPoster poster, ErrorShower error);

    // The room's settings and players (null for an empty seat); the master chooses among his own tables and
    // ball sets, the others see the room's.
    void Load(const quill::RoomInfo& room, bool isMaster, const std::array<const quill::PlayerState*, kSeats>& players,
              int32_t masterIndex);

    // The rows of the rule option for a game type.
    static std::vector<const char16_t*> RuleOptionRows(quill::GameType type);

    const quill::RoomInfo& Room() const { return room_; }
    const RoomOptions& Chosen() const { return chosen_; }
    bool RestrictedChange() const { return restricted_; }

    EditBox* TitleEdit() const { return titleEdit_; }
    EditBox* PasswordEdit() const { return passwordEdit_; }
    ComboBox* PlayersCombo() const { return playersCombo_; }
    ComboBox* OptionCombo() const { return optionCombo_; }
    ComboBox* TimeCombo() const { return timeCombo_; }
    ComboBox* MasterCombo() const { return masterCombo_; }
    Button* Flag8Box() const { return flag8Box_; }
    Button* Flag16Box() const { return flag16Box_; }
    Button* OkButton() const { return ok_; }
    Button* CancelButton() const { return cancel_; }
    Button* CloseButton() const { return close_; }
    StakePanel* Stake() const { return stake_; }
    HandicapRangePanel* Handicap() const { return handicap_; }
    TableBallSelector* Selector() const { return selector_; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    void OnShow() override;
    // Lets go of the previews' models.
    void OnHide() override;

private:
    void BuildControls();
    Button* AddButton(int32_t id, int32_t x, int32_t key, int32_t tileX, const char16_t* caption);
    void EnableForMaster(bool isMaster);
    void FillRuleOptions();
    void ShowFlagBoxes();
    // The friendly flag is offered only for stake-free rooms of a member, never in the gamble games.
    void UpdateFlag16Option();
    bool OnComboEvent(Widget* source, int32_t row);
    void Confirm();
    bool TeensChannel() const;

    GameConnection& connection_;
    AppEventPoster poster_;
    ErrorShower error_;
    quill::RoomInfo room_;
    RoomOptions loaded_;
    RoomOptions chosen_;
    uint8_t present_ = 0;
    bool isMaster_ = false;
    bool restricted_ = false;

    EditBox* titleEdit_ = nullptr;
    EditBox* passwordEdit_ = nullptr;
    ComboBox* playersCombo_ = nullptr;
    ComboBox* optionCombo_ = nullptr;
    ComboBox* timeCombo_ = nullptr;
    ComboBox* masterCombo_ = nullptr;
    Button* flag8Box_ = nullptr;
    Button* flag16Box_ = nullptr;
    Button* ok_ = nullptr;
    Button* cancel_ = nullptr;
    Button* close_ = nullptr;
    Image* shade_ = nullptr;
    StakePanel* stake_ = nullptr;
    HandicapRangePanel* handicap_ = nullptr;
    TableBallSelector* selector_ = nullptr;
};

}  // namespace kestrovan
