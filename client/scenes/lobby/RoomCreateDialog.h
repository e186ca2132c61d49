#pragma once
// The lobby's dialog for a new room: game type, title, password, players, time per shot, stake, handicap
// range, table and ball set, and the half-game and friendly options. What it offers follows the current
// channel's kind (the types of each column, the stakes, the race of a tournament channel), the player's own
// handicaps, membership and items. OK checks the choice, writes it into the dialog's room record, hides the
// dialog and posts CreateRoomConfirm; the lobby then sends CreateRoom built from Room() (WriteCreateRoom).
// Cancel posts nothing. The lobby shows the same dialog for every new room: the room record, the ticks and
// the choices remembered per type survive between showings; title and password start anew.
//
// Threads: only a screen's entries call it (client/app/Scene.h). The connection's values (channel kind, race,
// profile) are read when the dialog shows or confirms.
#include <array>
#include <cstdint>
#include <functional>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Button;
class ComboBox;
class EditBox;
class GameConnection;
class GameDescriptionPanel;
class HandicapRangePanel;
class Image;
class StakePanel;
class TableBallSelector;

class RoomCreateDialog : public Window {
public:
    static constexpr int32_t kWidth = 427;
    static constexpr int32_t kHeight = 627;
    static constexpr int32_t kOk = 1;
    static constexpr int32_t kCancel = 0;
    static constexpr int32_t kFlag8Box = 21;
    static constexpr int32_t kFlag16Box = 22;
    static constexpr int32_t kUnusedBox = 23;
    static constexpr int32_t kTitleLength = 32;
    static constexpr int32_t kPasswordLength = 4;
    static constexpr const char16_t* kDefaultTitle = u"World best billiards Kestrovan~";

    // The kinds of channel whose offers differ.
    enum ChannelKind : int16_t { kBeginner = 1, kAllCarom = 2, kPoolBeginner = 4, kPool = 5, kTeens = 6, kTournament = 8 };

    using NoticeShower = std::function<void(quill::WStringView line)>;
    using ErrorShower = std::function<void(quill::WStringView line)>;

    // notice: the shared notice box; error: the shared error box.
    RoomCreateDialog(GameConnection& connection, AppEventPoster poster, NoticeShower notice, ErrorShower error);

    // The room being set up: what OK confirmed last.
    const quill::RoomInfo& Room() const { return room_; }
    quill::GameType SelectedType() const { return selectedType_; }
    // The type's button; null for the types no channel offers.
    Button* TypeButton(quill::GameType type) const;

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    void OnShow() override;
    // Lets go of the previews' models.
    void OnHide() override;

    EditBox* TitleEdit() const { return titleEdit_; }
    EditBox* PasswordEdit() const { return passwordEdit_; }
    ComboBox* PlayersCombo() const { return playersCombo_; }
    ComboBox* TimeCombo() const { return timeCombo_; }
    Button* OkButton() const { return ok_; }
    Button* CancelButton() const { return cancel_; }
    Button* Flag8Box() const { return flag8Box_; }
    Button* Flag16Box() const { return flag16Box_; }
    StakePanel* Stake() const { return stake_; }
    HandicapRangePanel* Handicap() const { return handicap_; }
    TableBallSelector* Selector() const { return selector_; }

private:
    void BuildControls();
    void BuildOptionBoxes();
    Button* AddButton(int32_t id, int32_t x, int32_t key, int32_t tileX, const char16_t* caption);
    int16_t ChannelKind() const;
    uint16_t OwnHandicap(quill::GameType type) const;
    uint8_t Membership() const;
    // Places the channel's type buttons, the carom column first.
    void PlaceTypeButtons(int16_t kind);
    void ShowTypeButton(quill::GameType type);
    void SelectDefaultType();
    void TickSelectedType();
    // Fills the selector, stake and handicap panels and the option boxes for the selected type.
    void ApplyGameType();
    void UpdateFlag16Option();
    void OnTypeEvent(quill::GameType type, int32_t code);
    // Beginner channels make no gamble and no three-cushion rooms.
    bool RefusedHere(quill::GameType type) const;
    bool OnComboEvent(Widget* source, int32_t row);
    void Confirm();

    GameConnection& connection_;
    AppEventPoster poster_;
    NoticeShower notice_;
    ErrorShower error_;
    std::array<Button*, quill::kGameTypeCount> typeButtons_{};
    Button* ok_ = nullptr;
    Button* cancel_ = nullptr;
    Image* banner_ = nullptr;
    EditBox* titleEdit_ = nullptr;
    EditBox* passwordEdit_ = nullptr;
    ComboBox* playersCombo_ = nullptr;
    ComboBox* timeCombo_ = nullptr;
    ComboBox* clubCombo_ = nullptr;
    Image* shade_ = nullptr;
    Button* flag8Box_ = nullptr;
    Button* flag16Box_ = nullptr;
    Button* unusedBox_ = nullptr;
    GameDescriptionPanel* description_ = nullptr;
    TableBallSelector* selector_ = nullptr;
    HandicapRangePanel* handicap_ = nullptr;
    StakePanel* stake_ = nullptr;
    quill::RoomInfo room_;
    std::array<uint16_t, quill::kGameTypeCount> tableByType_{};
    std::array<uint16_t, quill::kGameTypeCount> ballByType_{};
    quill::GameType selectedType_ = quill::game_type::kFourBall;
    quill::GameType defaultType_ = quill::game_type::kFourBall;
    int32_t caromCount_ = 0;
    int32_t pocketCount_ = 0;
};

}  // namespace kestrovan
