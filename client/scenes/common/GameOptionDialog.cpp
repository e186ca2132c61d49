#include "client/scenes/common/GameOptionDialog.h"

#include <algorithm>

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/DialogCombo.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/HandicapRangePanel.h"
#include "client/scenes/common/ItemPreviews.h"
#include "client/scenes/common/OptionCheckBox.h"
#include "client/scenes/common/StakePanel.h"
#include "client/scenes/common/TableBallSelector.h"
#include "client/scenes/common/TextEntry.h"
#include "client/ui/Button.h"
#include "client/ui/ComboBox.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kTeensChannel = 6;
constexpr int32_t kFirstTime = 15;
constexpr int32_t kTimeStep = 5;
constexpr int32_t kTimeRows = 10;

enum ControlId : int32_t { kPlayersCombo = 30, kOptionCombo, kTimeCombo, kMasterCombo };

template <class Kind>
Kind* AttachChild(Widget& parent, std::unique_ptr<Kind> child, bool visible) {
    return static_cast<Kind*>(parent.AddChild(std::move(child), visible));
}

}  // namespace

GameOptionDialog::GameOptionDialog(GameConnection& connection, AppEventPoster poster, ErrorShower error)
    : connection_(connection), poster_(std::move(poster)), error_(std::move(error)) {
    Create(100, 100, kWidth, kHeight, -1, -1);
    SetImage(kPopupTexture, 427, 576, kWidth, kHeight, 1.0f, 1.0f);
    SetSounds(31, 32);
    BuildControls();
    Show(false);
}

void GameOptionDialog::BuildControls() {
    const FontDesc& editFont = UiFontAt(UiFont::Regular12);
    auto title = std::make_unique<EditBox>();
    title->Create(100, 39, 280, 18);
    title->SetFont(&editFont, 32, kWhite);
    titleEdit_ = AttachChild(*this, std::move(title), true);
    playersCombo_ = CreateDialogCombo(*this, 92, 61, 140, 20, kPlayersCombo, static_cast<int32_t>(kSeats));
    for (int32_t n = 1; n <= static_cast<int32_t>(kSeats); ++n) {
        playersCombo_->AddItem(quill::Format(u"%d %s", n, u"Players"));
    }
    flag8Box_ = AddOptionCheckBox(*this, 320, 57, kFlag8Box, 57);
    optionCombo_ = CreateDialogCombo(*this, 93, 88, 293, 20, kOptionCombo, 5);
    stake_ = AttachChild(*this, std::make_unique<StakePanel>(), true);
    stake_->SetPosition(10, 113);
    flag16Box_ = AddOptionCheckBox(*this, 230, 112, kFlag16Box, 0);
    passwordEdit_ = AddTextEntry(*this, 111, 173, 100, 18, 4, kWhite);
    passwordEdit_->SetMasked(true);
    timeCombo_ = CreateDialogCombo(*this, 320, 168, 80, 20, kTimeCombo, kTimeRows);
    for (int32_t row = 0; row < kTimeRows; ++row) {
        timeCombo_->AddItem(quill::Format(u"%d sec", kFirstTime + kTimeStep * row));
    }
    quill::PlayerState& player = connection_.LocalPlayer();
    auto handicap = std::make_unique<HandicapRangePanel>(
        [&player](quill::GameType type) {
            return quill::IsGameTypeIndex(type) ? player.ratingByType[static_cast<size_t>(type)] : uint16_t{0};
        },
        error_);
    handicap_ = AttachChild(*this, std::move(handicap), true);
    handicap_->SetPosition(19, 194);
    selector_ = AttachChild(*this, std::make_unique<TableBallSelector>(player), true);
    selector_->SetPosition(-1, 221);
    shade_ = CreateImage(20, 156, 10, 10, kPopupTexture, 4, 100, 10, 10, 39.0f, 17.4f);
    shade_->SetAlpha(0.5f);
    shade_->Show(false);
    ok_ = AddButton(kOk, 200, platform::Vk::Return, 85, u"OK");
    cancel_ = AddButton(kCancel, 310, platform::Vk::Escape, 170, u"Cancel");
    // Close stands where Cancel does, for a player who is not the room's master (Load chooses).
    close_ = AddButton(kCancel, 310, platform::Vk::Escape, 255, u"Close");
    close_->Show(false);
    TextLabel* label = CreateTextLabel(20, 342, 60, 20, &UiFontAt(UiFont::Small10), 0, 0);
    label->SetText(u"Master->");
    label->SetColors(kYellow, 0);
    masterCombo_ = CreateDialogCombo(*this, 85, 338, 100, 20, kMasterCombo, static_cast<int32_t>(kSeats));
}

Button* GameOptionDialog::AddButton(int32_t id, int32_t x, int32_t key, int32_t tileX, const char16_t* caption) {
    Button* button = CreateButton(x, 333, 85, 32, id, key, kCommonTexture, tileX, 0);
    SetCentredCaption(*button, caption);
    return button;
}

bool GameOptionDialog::TeensChannel() const {
    return connection_.GetChannelType(-1) == kTeensChannel;
}

std::vector<const char16_t*> GameOptionDialog::RuleOptionRows(quill::GameType type) {
    switch (type) {
        case quill::game_type::kFourBall:
            return {u"Indv. : --      Team match : 3C-1pt", u"Indv. : 3C-1pts   Team match : 3C-2pts",
                    u"Indv. : 3C-2pts   Team match : 3C-2pts + Bank-1pt"};
        case quill::game_type::kThreeCushion:
            return {u"Indv. : --      Team match : Bank-1pt", u"Indv. : Bank-1pts Team match : Bank-2pts"};
        case quill::game_type::kThreeCushionPro:
            return {u"3Cushion 10pts", u"3Cushion 15pts", u"3Cushion 20pts", u"3Cushion 25pts"};
        default:
            return {};
    }
}

void GameOptionDialog::Load(const quill::RoomInfo& room, bool isMaster,
                            const std::array<const quill::PlayerState*, kSeats>& players, int32_t masterIndex) {
    room_ = room;
    isMaster_ = isMaster;
    present_ = room.playerCount;
    // The room record keeps the rule option in its slot byte and the stake index in its open byte.
    loaded_ = RoomOptions{room.title,       room.password,    room.maxPlayers,
                          static_cast<uint8_t>(std::max<int8_t>(room.slotIndex, 0)),
                          room.inningTime,  room.optionFlags, room.open,
                          {},               room.minHandicap, room.maxHandicap,
                          room.tableItem,   room.ballItem};
    EnableForMaster(isMaster);
    flag8Box_->SetChecked(room.IsHalfGame());
    flag16Box_->SetChecked(!room.IsFriendly());
    masterCombo_->ClearItems();
    int32_t row = 0;
    for (size_t seat = 0; seat < kSeats; ++seat) {
        if (players[seat] == nullptr) continue;
        masterCombo_->AddItem(players[seat]->name);
        if (static_cast<int32_t>(seat) == masterIndex) {
            loaded_.master = players[seat]->name;
            masterCombo_->Select(row);
        }
        ++row;
    }
    masterCombo_->SetEnabled(isMaster);
    chosen_ = loaded_;
    shade_->Show(false);
    selector_->Fill(room.gameType, isMaster, room.tableItem, room.ballItem);
}

void GameOptionDialog::EnableForMaster(bool isMaster) {
    for (Widget* control : std::initializer_list<Widget*>{titleEdit_, playersCombo_, optionCombo_, timeCombo_,
                                                          flag8Box_, flag16Box_, handicap_, stake_}) {
        control->SetEnabled(isMaster);
    }
    selector_->SetChoiceEnabled(isMaster);
    passwordEdit_->SetEnabled(isMaster && connection_.LocalPlayer().membershipGrade > 0);
    ok_->Show(isMaster);
    cancel_->Show(isMaster);
    close_->Show(!isMaster);
}

void GameOptionDialog::OnShow() {
    Window::OnShow();
    CentreOnScreen(*this);
    titleEdit_->SetText(loaded_.title);
    passwordEdit_->SetText(loaded_.password);
    if (titleEdit_->IsEnabled()) titleEdit_->SetFocus(true);
    playersCombo_->Select(loaded_.players - 1);
    timeCombo_->Select(loaded_.timeLimit / kTimeStep - 3);
    for (int32_t row = 0; row < static_cast<int32_t>(kSeats); ++row) {
        if (Button* rowButton = playersCombo_->GetRow(row)) rowButton->SetEnabled(row + 1 >= present_);
    }
    FillRuleOptions();
    const quill::GameType type = room_.gameType;
    stake_->SetGameType(type);
    if (TeensChannel()) {
        stake_->Select(0);
        stake_->Show(false);
    } else {
        stake_->Select(loaded_.stakeIndex);
        stake_->Show(true);
    }
    handicap_->Show(HasHandicapRange(type));
    if (HasHandicapRange(type)) {
        handicap_->SetGameType(type);
        handicap_->SelectRows(HandicapRangePanel::RowOfThreshold(loaded_.minimumHandicap),
                              HandicapRangePanel::RowOfThreshold(loaded_.maximumHandicap));
    }
    ShowFlagBoxes();
}

void GameOptionDialog::FillRuleOptions() {
    optionCombo_->ClearItems();
    const std::vector<const char16_t*> rows = RuleOptionRows(room_.gameType);
    for (const char16_t* row : rows) optionCombo_->AddItem(row);
    optionCombo_->SetEnabled(isMaster_ && !rows.empty());
    optionCombo_->Select(rows.empty() ? -1 : loaded_.ruleOption);
}

void GameOptionDialog::ShowFlagBoxes() {
    const quill::GameType type = room_.gameType;
    const uint16_t own = quill::IsGameTypeIndex(type)
                             ? connection_.LocalPlayer().ratingByType[static_cast<size_t>(type)]
                             : uint16_t{0};
    flag8Box_->Show(HalfGameOffered(type, own));
    UpdateFlag16Option();
}

void GameOptionDialog::UpdateFlag16Option() {
    const quill::GameType type = room_.gameType;
    flag16Box_->Show(FriendlyOffered(type, stake_->RememberedRow(type), connection_.LocalPlayer().membershipGrade));
}

bool GameOptionDialog::OnComboEvent(Widget* source, int32_t row) {
    if (source == playersCombo_) {
        chosen_.players = static_cast<uint8_t>(row + 1);
    } else if (source == timeCombo_) {
        chosen_.timeLimit = static_cast<uint8_t>((row + 3) * kTimeStep);
    } else if (source == optionCombo_) {
        chosen_.ruleOption = static_cast<uint8_t>(row);
    } else if (source == masterCombo_) {
        chosen_.master = masterCombo_->GetItemText(row);
    } else {
        return false;
    }
    static_cast<ComboBox*>(source)->Select(row);
    return true;
}

bool GameOptionDialog::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == stake_) {
        UpdateFlag16Option();
        return true;
    }
    if (source == flag8Box_ || source == flag16Box_) return true;  // the ticks are read on OK
    if (source == cancel_ || source == close_) {
        SetVisible(false);
        return true;
    }
    if (source == ok_) {
        Confirm();
        return true;
    }
    if (OnComboEvent(source, a)) return true;
    return Window::OnEvent(source, a, b);
}

void GameOptionDialog::Confirm() {
    const quill::WString title = titleEdit_->GetText();
    if (title.empty()) {
        if (error_) error_(u"Enter room title.");
        return;
    }
    chosen_.title = title;
    chosen_.password = passwordEdit_->GetText();
    chosen_.flags = static_cast<uint8_t>((flag8Box_->IsChecked() ? 8 : 0) | (flag16Box_->IsChecked() ? 0 : 16));
    chosen_.stakeIndex = static_cast<uint8_t>(stake_->RememberedRow(room_.gameType));
    chosen_.minimumHandicap = handicap_->GetMinimum();
    chosen_.maximumHandicap = handicap_->GetMaximum();
    chosen_.tableItem = selector_->TableItem();
    chosen_.ballSetItem = selector_->BallSetItem();
    const RoomOptions::Difference difference = RoomOptions::Compare(loaded_, chosen_);
    restricted_ = difference.restricted;
    room_.title = chosen_.title;
    room_.password = chosen_.password;
    room_.passwordFlag = chosen_.password.empty() ? 0 : 1;
    room_.maxPlayers = chosen_.players;
    room_.slotIndex = static_cast<int8_t>(chosen_.ruleOption);
    room_.inningTime = chosen_.timeLimit;
    room_.optionFlags = chosen_.flags;
    room_.open = chosen_.stakeIndex;
    room_.minHandicap = chosen_.minimumHandicap;
    room_.maxHandicap = chosen_.maximumHandicap;
    room_.tableItem = chosen_.tableItem;
    room_.ballItem = chosen_.ballSetItem;
    titleEdit_->SetFocus(false);
    SetVisible(false);
    if (difference.changed && poster_) poster_(quill::AppEventId::GameOptionApply, 0, 0, 0);
}

void GameOptionDialog::OnHide() {
    Window::OnHide();
    ReleaseItemPreviews(*selector_);
}

}  // namespace kestrovan
