#include "client/scenes/lobby/TournamentAlarmDialog.h"

#include <algorithm>
#include <memory>

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/gamedata/LevelTables.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/DialogCombo.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/GameTypeNames.h"
#include "client/scenes/common/RequestSender.h"
#include "client/scenes/common/TextEntry.h"
#include "client/ui/ComboBox.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr uint16_t kHighestHandicapOffered = 2000;
constexpr uint16_t kNoUpperLimit = 9999;
constexpr int32_t kHours = 24;
constexpr int32_t kMinuteSteps = 12;
constexpr int32_t kMinuteStep = 5;
constexpr int32_t kNumberBytes = 10;

// The edit box's digits as a number; anything else reads as 0, a number past 32 bits as the largest.
uint32_t NumberOf(quill::WStringView text) {
    uint64_t number = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return 0;
        number = std::min<uint64_t>(number * 10 + static_cast<uint64_t>(c - u'0'), UINT32_MAX);
    }
    return static_cast<uint32_t>(number);
}

uint8_t Row(const ComboBox& list) {
    return static_cast<uint8_t>(std::max(list.GetSelected(), 0));
}

}  // namespace

TournamentAlarmDialog::TournamentAlarmDialog(RequestSender& requests)
    : PopupWindow(200, 200, kWidth, kHeight, Face{}, sound_id::kPopup, 0), requests_(requests) {
    AddTitle(14, 7, 200, u"Tournament Alarm");
    kind_ = AddList(20, 40, 110, 3);
    for (quill::WStringView kind : {u"Race", u"Tour", u"Championship"}) kind_->AddItem(kind);
    gameType_ = AddList(140, 40, 160, quill::kGameTypeCount);
    for (int32_t type = 0; type < static_cast<int32_t>(quill::kGameTypeCount); ++type) {
        if (!GameTypeOffered(type)) continue;
        gameTypes_.push_back(type);
        gameType_->AddItem(GameTypeLongName(type));
    }
    for (int16_t v = quill::GetNextHandicap(0); v > 0 && v <= kHighestHandicapOffered;
         v = quill::GetNextHandicap(static_cast<uint16_t>(v)))
        handicaps_.push_back(static_cast<uint16_t>(v));
    handicapFrom_ = AddList(20, 72, 110, static_cast<int32_t>(handicaps_.size()) + 1);
    handicapTo_ = AddList(140, 72, 110, static_cast<int32_t>(handicaps_.size()) + 1);
    handicapFrom_->AddItem(u"No limit");
    handicapTo_->AddItem(u"No limit");
    for (uint16_t v : handicaps_) {
        handicapFrom_->AddItem(quill::Format(u"%d %s", v, u"over"));
        handicapTo_->AddItem(quill::Format(u"%d %s", v, u"user"));
    }
    levelFrom_ = AddList(260, 72, 60, kLevels);
    levelTo_ = AddList(325, 72, 60, kLevels);
    for (int32_t level = 1; level <= kLevels; ++level) {
        levelFrom_->AddItem(quill::Format(u"lv.%d %s", level, u"over"));
        levelTo_->AddItem(quill::Format(u"lv.%d %s", level, u"user"));
    }
    for (size_t n = 0; n < kTimes; ++n) {
        const int32_t x = 20 + 125 * static_cast<int32_t>(n);
        hours_[n] = AddList(x, 150, 50, kHours);
        minutes_[n] = AddList(x + 55, 150, 50, kMinuteSteps);
        for (int32_t hour = 0; hour < kHours; ++hour) hours_[n]->AddItem(quill::Format(u"%d", hour));
        for (int32_t step = 0; step < kMinuteSteps; ++step) minutes_[n]->AddItem(quill::Format(u"%d", step * kMinuteStep));
    }
    hours_[0]->SetTooltip(u"Start");
    hours_[2]->SetTooltip(u"Alarm");
    // The number's box stands on the dialogs' text field, its light text on it.
    CreateImage(20, 110, 100, 18, kPopupTexture, 5, 40);
    number_ = AddTextEntry(*this, 20, 110, 100, 18, kNumberBytes, kWhite);
    AddCaptions();
    AddButton(kSet, 20, 205, platform::Vk::Return, 85, u"Set");
    AddButton(kClear, 140, 205, platform::Vk::Escape, 170, u"Clear");
    AddButton(kClose, 260, 205, platform::Vk::Return, 255, u"Close");
}

// What each list and the number say, above the lists (in the rows' gaps) and right of the number.
void TournamentAlarmDialog::AddCaptions() {
    const struct {
        int32_t x, y, w;
        const char16_t* text;
        uint32_t alignment;
    } captions[] = {{20, 27, 110, u"Kind", TextLabel::kAlignCentre},
                    {140, 27, 160, u"Game type", TextLabel::kAlignCentre},
                    {20, 61, 110, u"Handicap from", TextLabel::kAlignCentre},
                    {140, 61, 110, u"Handicap to", TextLabel::kAlignCentre},
                    {260, 61, 60, u"Level from", TextLabel::kAlignCentre},
                    {325, 61, 60, u"Level to", TextLabel::kAlignCentre},
                    {126, 112, 80, u"Number", 0},
                    {20, 136, 105, u"Start", TextLabel::kAlignCentre},
                    {145, 136, 105, u"Time", TextLabel::kAlignCentre},
                    {270, 136, 105, u"Alarm", TextLabel::kAlignCentre}};
    for (const auto& caption : captions) {
        TextLabel* label = AddLine(caption.x, caption.y, caption.w, UiFontAt(UiFont::Small10), caption.alignment);
        label->SetColors(kWhite, 0);
        label->SetText(caption.text);
    }
}

ComboBox* TournamentAlarmDialog::AddList(int32_t x, int32_t y, int32_t w, int32_t rows) {
    ComboBox* list = CreateDialogCombo(*this, x, y, w, 20, -1, rows);
    list->SetAutoCaption(true);
    lists_.push_back(list);
    return list;
}

void TournamentAlarmDialog::OnShow() {
    CentreOnScreen(*this);
    for (ComboBox* list : lists_) list->Select(0);
    levelTo_->Select(kLevels - 1);
    PopupWindow::OnShow();
}

uint16_t TournamentAlarmDialog::HandicapOf(const ComboBox& list, uint16_t noLimit) const {
    const int32_t row = list.GetSelected();
    if (row < 1 || static_cast<size_t>(row) > handicaps_.size()) return noLimit;
    return handicaps_[static_cast<size_t>(row - 1)];
}

void TournamentAlarmDialog::SendSet() {
    const int32_t typeRow = gameType_->GetSelected();
    const int32_t type = typeRow >= 0 && static_cast<size_t>(typeRow) < gameTypes_.size()
                             ? gameTypes_[static_cast<size_t>(typeRow)]
                             : quill::game_type::kNone;
    requests_.Send([&](quill::Packet& packet) {
        packet.Init(quill::MessageId::TournamentAlarm).WriteU8(1).WriteU8(1);
        packet.WriteU8(static_cast<uint8_t>(type)).WriteU32(NumberOf(number_->GetText()));
        packet.WriteU16(HandicapOf(*handicapFrom_, 0)).WriteU16(HandicapOf(*handicapTo_, kNoUpperLimit));
        packet.WriteU8(static_cast<uint8_t>(Row(*levelFrom_) + 1)).WriteU8(static_cast<uint8_t>(Row(*levelTo_) + 1));
        for (size_t n = 0; n < kTimes; ++n)
            packet.WriteU8(Row(*hours_[n])).WriteU8(static_cast<uint8_t>(Row(*minutes_[n]) * kMinuteStep));
    });
}

bool TournamentAlarmDialog::OnEvent(Widget* source, int32_t a, int32_t b) {
    switch (source != nullptr ? source->GetId() : -1) {
        case kClose:
            SetVisible(false);
            return true;
        case kSet:
            SendSet();
            return true;
        case kClear:
            requests_.SendByte(quill::MessageId::TournamentAlarm, 0);
            return true;
        default:
            return PopupWindow::OnEvent(source, a, b);
    }
}

}  // namespace kestrovan
