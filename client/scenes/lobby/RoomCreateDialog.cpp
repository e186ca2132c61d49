#include "client/scenes/lobby/RoomCreateDialog.h"

#include <memory>

#include "QuillLib/core/Format.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/DialogCombo.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/GameDescriptionPanel.h"
#include "client/scenes/common/GameTypeButton.h"
#include "client/scenes/common/GameTypeNames.h"
#include "client/scenes/common/HandicapRangePanel.h"
#include "client/scenes/common/ItemPreviews.h"
#include "client/scenes/common/OptionCheckBox.h"
#include "client/scenes/common/RoomOptions.h"
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

namespace type = quill::game_type;

constexpr int32_t kPlayersRows = 8;
constexpr int32_t kFirstTime = 15;
constexpr int32_t kTimeStep = 5;
constexpr int32_t kTimeRows = 10;
constexpr int32_t kCaromColumnX = 219;
constexpr int32_t kPocketColumnX = 46;
constexpr int32_t kFirstRow = 5;
constexpr int32_t kRowStep = 22;
constexpr const char16_t* kNoviceRefusal = u"Selected game cannot be created in the novice channel.";
constexpr const char16_t* kPracticeOnly = u"This game is currently available in Practice.";
constexpr const char16_t* kClub = u"Vuvev Idaviraze Vuzi";
// The title's caption, a quiet light grey on the field it shares with the title.
constexpr uint32_t kCaptionColour = 0xFFB8C4D0;

enum ControlId : int32_t { kPlayersCombo = 30, kTimeCombo, kClubCombo };

// The types each kind of channel offers, in placement order (carom column, then pocket column).
std::vector<quill::GameType> OfferedTypes(int16_t kind) {
    switch (kind) {
        case RoomCreateDialog::kTeens:
            return {type::kFourBall, type::kThreeCushion, type::kThreeCushionPro, type::kEightBall, type::kNineBall,
                    type::kStraightPool};
        case RoomCreateDialog::kAllCarom:
            return {type::kFourBall, type::kOneCushionGamble, type::kThreeCushion, type::kThreeCushionGamble,
                    type::kThreeCushionPro, type::kSixBalls};
        case RoomCreateDialog::kBeginner:
            return {type::kFourBall,         type::kOneCushionGamble, type::kThreeCushion,
                    type::kThreeCushionGamble, type::kThreeCushionPro, type::kSixBalls,
                    type::kEightBall,        type::kNineBall,         type::kStraightPool};
        case RoomCreateDialog::kPoolBeginner:
        case RoomCreateDialog::kPool:
            return {type::kEightBall, type::kNineBall, type::kStraightPool, type::kSnooker};
        default:
            return {};
    }
}

template <class Kind>
Kind* Attach(Widget& parent, std::unique_ptr<Kind> child, int32_t x, int32_t y, bool visible) {
    auto* attached = static_cast<Kind*>(parent.AddChild(std::move(child), visible));
    attached->SetPosition(x, y);
    return attached;
}

}  // namespace

RoomCreateDialog::RoomCreateDialog(GameConnection& connection, AppEventPoster poster, NoticeShower notice,
                                   ErrorShower error)
    : connection_(connection), poster_(std::move(poster)), notice_(std::move(notice)), error_(std::move(error)) {
    Create(100, 100, kWidth, kHeight, -1, -1);
    SetImage(kPopupTexture, 0, 0, kWidth, kHeight, 1.0f, 1.0f);
    SetSounds(31, 32);
    BuildControls();
    for (quill::GameType offered = 0; offered < quill::kGameTypeCount; ++offered) {
        if (!GameTypeOffered(offered)) continue;
        Button* button = CreateGameTypeButton(*this, offered, 0, 0);
        button->Show(false);
        typeButtons_[static_cast<size_t>(offered)] = button;
    }
    description_ = Attach(*this, std::make_unique<GameDescriptionPanel>(), -155, 160, false);
    Show(false);
}

void RoomCreateDialog::BuildControls() {
    const FontDesc& editFont = UiFontAt(UiFont::Regular12);
    auto title = std::make_unique<EditBox>();
    title->Create(110, 41, 280, 18);
    title->SetSkin(kCommonTexture, 609, 68, 2, 14);
    title->SetFont(&editFont, kTitleLength, kWhite);
    title->SetTooltip(u"Enter room title.");
    titleEdit_ = Attach(*this, std::move(title), 110, 41, true);
    // The title's field runs under its caption from the dialog's left edge: the caption is written on it.
    TextLabel* caption = CreateTextLabel(10, 41, 92, 18, &UiFontAt(UiFont::Bold12), TextLabel::kAlignRight, 0);
    caption->SetColors(kCaptionColour, 0);
    caption->SetText(u"Room title");
    playersCombo_ = CreateDialogCombo(*this, 95, 63, 140, 20, kPlayersCombo, kPlayersRows);
    for (int32_t n = 1; n <= kPlayersRows; ++n) playersCombo_->AddItem(quill::Format(u"%d %s", n, u"Players"));
    playersCombo_->SetTooltip(u"Select num of players.");
    stake_ = Attach(*this, std::make_unique<StakePanel>(), 12, 251, true);
    passwordEdit_ = AddTextEntry(*this, 111, 298, 100, 18, kPasswordLength, kWhite);
    passwordEdit_->SetMasked(true);
    timeCombo_ = CreateDialogCombo(*this, 322, 294, 80, 20, kTimeCombo, kTimeRows);
    for (int32_t row = 0; row < kTimeRows; ++row) timeCombo_->AddItem(quill::Format(u"%d sec", kFirstTime + kTimeStep * row));
    auto handicap = std::make_unique<HandicapRangePanel>([this](quill::GameType t) { return OwnHandicap(t); }, error_);
    handicap_ = Attach(*this, std::move(handicap), 21, 320, false);
    selector_ = Attach(*this, std::make_unique<TableBallSelector>(connection_.LocalPlayer()), 0, 347, true);
    clubCombo_ = CreateDialogCombo(*this, 95, 458, 140, 20, kClubCombo, 1);
    clubCombo_->AddItem(kClub);
    clubCombo_->Select(0);
    banner_ = CreateImage(95, 486, 294, 93, kPopupTexture, 0, 763);
    shade_ = CreateImage(20, 290, 10, 10, kPopupTexture, 4, 100, 10, 10, 39.0f, 17.0f);
    shade_->SetAlpha(0.8f);
    shade_->Show(false);
    BuildOptionBoxes();
    ok_ = AddButton(kOk, 110, platform::Vk::Return, 85, u"OK");
    cancel_ = AddButton(kCancel, 230, platform::Vk::Escape, 170, u"Cancel");
}

// The two option boxes with their captions beside them; the third box does nothing and is never shown.
void RoomCreateDialog::BuildOptionBoxes() {
    flag8Box_ = AddOptionCheckBox(*this, 322, 63, kFlag8Box, 57);
    flag16Box_ = AddOptionCheckBox(*this, 220, 252, kFlag16Box, 0);
    unusedBox_ = CreateButton(316, 318, 31, 18, kUnusedBox, -1, kCommonTexture, 668, 0);
    unusedBox_->SetCheckBox();
    unusedBox_->SetEnabled(false);
    unusedBox_->Show(false);
}

Button* RoomCreateDialog::AddButton(int32_t id, int32_t x, int32_t key, int32_t tileX, const char16_t* caption) {
    Button* button = CreateButton(x, 590, 85, 32, id, key, kCommonTexture, tileX, 0);
    // The caption in the middle of the 32-pixel button, not along its top.
    SetCentredCaption(*button, caption, kWhite);
    return button;
}

Button* RoomCreateDialog::TypeButton(quill::GameType gameType) const {
    return quill::IsGameTypeIndex(gameType) ? typeButtons_[static_cast<size_t>(gameType)] : nullptr;
}

int16_t RoomCreateDialog::ChannelKind() const {
    return connection_.GetChannelType(-1);
}

uint16_t RoomCreateDialog::OwnHandicap(quill::GameType gameType) const {
    const quill::PlayerState& player = connection_.LocalPlayer();
    return quill::IsGameTypeIndex(gameType) ? player.ratingByType[static_cast<size_t>(gameType)] : uint16_t{0};
}

uint8_t RoomCreateDialog::Membership() const {
    return connection_.LocalPlayer().membershipGrade;
}

void RoomCreateDialog::OnShow() {
    Window::OnShow();
    ok_->SetEnabled(true);
    CentreOnScreen(*this);
    titleEdit_->SetEnabled(true);
    titleEdit_->SetText(kDefaultTitle);
    passwordEdit_->SetText(u"");
    passwordEdit_->SetEnabled(Membership() > 0);
    titleEdit_->SetFocus(true);
    flag16Box_->SetChecked(true);
    playersCombo_->Select(room_.maxPlayers - 1);
    timeCombo_->Select(room_.inningTime / kTimeStep - 3);
    PlaceTypeButtons(ChannelKind());
    shade_->Show(false);
    SelectDefaultType();
    description_->SetGameType(selectedType_);
    ApplyGameType();
}

void RoomCreateDialog::PlaceTypeButtons(int16_t kind) {
    caromCount_ = 0;
    pocketCount_ = 0;
    for (Button* button : typeButtons_) {
        if (button != nullptr) button->Show(false);
    }
    // The pool channels start on 8-ball: 4-ball has no button there.
    defaultType_ = kind == kPool || kind == kPoolBeginner ? type::kEightBall : type::kFourBall;
    if (kind != kTournament) {
        for (quill::GameType offered : OfferedTypes(kind)) ShowTypeButton(offered);
        return;
    }
    const auto race = static_cast<quill::GameType>(static_cast<int8_t>(connection_.RaceGameType()));
    defaultType_ = race;
    ShowTypeButton(race);
    // The title may hold 32 characters: the race's name is cut to fit the frame around it.
    const quill::WString name = connection_.RaceName();
    titleEdit_->SetText(quill::Format(u"Race - %s -", name.substr(0, kTitleLength - 9)));
    titleEdit_->SetEnabled(false);
    // A race of a type the client cannot set up makes no room.
    if (TypeButton(race) == nullptr) ok_->SetEnabled(false);
}

void RoomCreateDialog::ShowTypeButton(quill::GameType gameType) {
    Button* button = TypeButton(gameType);
    if (button == nullptr) return;
    const bool carom = quill::IsCaromGame(gameType);
    const int32_t row = kFirstRow + (carom ? caromCount_++ : pocketCount_++);
    button->SetPosition(carom ? kCaromColumnX : kPocketColumnX, row * kRowStep);
    button->Show(true);
    button->SetEnabled(true);
    button->SetChecked(false);
}

void RoomCreateDialog::SelectDefaultType() {
    const Button* current = TypeButton(selectedType_);
    if (current == nullptr || !current->IsVisible() || !current->IsEnabled()) {
        selectedType_ = defaultType_;
        TickSelectedType();
        ApplyGameType();
    } else {
        TickSelectedType();
    }
    room_.gameType = static_cast<uint8_t>(selectedType_);
}

void RoomCreateDialog::TickSelectedType() {
    for (quill::GameType each = 0; each < quill::kGameTypeCount; ++each) {
        if (Button* button = TypeButton(each)) button->SetChecked(each == selectedType_);
    }
}

void RoomCreateDialog::ApplyGameType() {
    const quill::GameType current = selectedType_;
    const bool known = quill::IsGameTypeIndex(current);
    const size_t index = known ? static_cast<size_t>(current) : 0;
    selector_->Fill(current, true, known ? tableByType_[index] : uint16_t{0}, known ? ballByType_[index] : uint16_t{0});
    stake_->SetGameType(current, ChannelKind() == kBeginner);
    if (ChannelKind() == kTeens) {
        stake_->Select(0);
        stake_->Show(false);
    } else {
        stake_->Show(true);
    }
    handicap_->Show(HasHandicapRange(current));
    if (HasHandicapRange(current)) handicap_->SetGameType(current);
    flag8Box_->Show(HalfGameOffered(current, OwnHandicap(current)));
    UpdateFlag16Option();
}

void RoomCreateDialog::UpdateFlag16Option() {
    flag16Box_->Show(FriendlyOffered(selectedType_, stake_->RememberedRow(selectedType_), Membership()));
}

bool RoomCreateDialog::RefusedHere(quill::GameType gameType) const {
    const bool noviceRefused = gameType == type::kOneCushionGamble || gameType == type::kThreeCushion ||
                               gameType == type::kThreeCushionPro || gameType == type::kThreeCushionGamble ||
                               gameType == type::kSixBalls;
    return ChannelKind() == kBeginner && noviceRefused;
}

void RoomCreateDialog::OnTypeEvent(quill::GameType gameType, int32_t code) {
    if (code == Button::kEnterEvent) {
        description_->SetGameType(gameType);
        description_->SetPosition(quill::IsCaromGame(gameType) ? 380 : -188, 95);
        description_->Show(true);
        return;
    }
    if (code == Button::kLeaveEvent) {
        description_->Show(false);
        return;
    }
    if (code == Button::kDoubleClickEvent) return;
    if (RefusedHere(gameType) || gameType == type::kSnooker) {
        // The click ticked the button: the choice stays where it was.
        TickSelectedType();
        if (notice_) notice_(gameType == type::kSnooker ? kPracticeOnly : kNoviceRefusal);
        return;
    }
    selectedType_ = gameType;
    room_.gameType = static_cast<uint8_t>(gameType);
    TickSelectedType();
    ApplyGameType();
}

bool RoomCreateDialog::OnComboEvent(Widget* source, int32_t row) {
    if (source == clubCombo_) {
        clubCombo_->Select(0);
    } else if (source == playersCombo_ && row >= 0 && row < kPlayersRows) {
        room_.maxPlayers = static_cast<uint8_t>(row + 1);
        playersCombo_->Select(row);
    } else if (source == timeCombo_ && row >= 0 && row < kTimeRows) {
        room_.inningTime = static_cast<uint8_t>((row + 3) * kTimeStep);
        timeCombo_->Select(row);
    } else {
        return false;
    }
    return true;
}

bool RoomCreateDialog::OnEvent(Widget* source, int32_t a, int32_t /*b*/) {
    if (source == stake_) {
        UpdateFlag16Option();
        return true;
    }
    const int32_t id = source != nullptr ? source->GetId() : -1;
    const quill::GameType clicked = id - kFirstGameTypeButtonId;
    if (source != nullptr && source == TypeButton(clicked)) {
        OnTypeEvent(clicked, a);
        return true;
    }
    if (source == flag8Box_ || source == flag16Box_) return true;  // the ticks are read on OK
    if (source == cancel_) {
        SetVisible(false);
        return true;
    }
    if (source == ok_) {
        Confirm();
        return true;
    }
    OnComboEvent(source, a);
    return true;
}

void RoomCreateDialog::Confirm() {
    if (RefusedHere(selectedType_)) {
        if (notice_) notice_(kNoviceRefusal);
        return;
    }
    room_.title = titleEdit_->GetText();
    if (room_.title.empty()) {
        if (error_) error_(u"Enter room title.");
        return;
    }
    const quill::GameType current = selectedType_;
    const int32_t stakeRow = stake_->RememberedRow(current);
    stake_->Select(stakeRow);
    room_.open = static_cast<uint8_t>(stakeRow);
    room_.password = passwordEdit_->GetText();
    room_.passwordFlag = room_.password.empty() ? 0 : 1;
    room_.minHandicap = handicap_->GetMinimum();
    room_.maxHandicap = handicap_->GetMaximum();
    // Both bits follow the boxes whether they are shown or not.
    room_.optionFlags = static_cast<uint8_t>((flag8Box_->IsChecked() ? quill::RoomInfo::kHalfGameFlag : 0) |
                                             (flag16Box_->IsChecked() ? 0 : quill::RoomInfo::kFriendlyFlag));
    room_.tableItem = selector_->TableItem();
    room_.ballItem = selector_->BallSetItem();
    if (quill::IsGameTypeIndex(current)) {
        tableByType_[static_cast<size_t>(current)] = room_.tableItem;
        ballByType_[static_cast<size_t>(current)] = room_.ballItem;
    }
    titleEdit_->SetFocus(false);
    SetVisible(false);
    if (poster_) poster_(quill::AppEventId::CreateRoomConfirm, 0, 0, 0);
}

void RoomCreateDialog::OnHide() {
    Window::OnHide();
    ReleaseItemPreviews(*selector_);
}

}  // namespace kestrovan
