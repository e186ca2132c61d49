#include "client/scenes/room/ShotBetPanel.h"

#include "QuillLib/core/Format.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/RequestSender.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/gfx/TextFormat.h"

namespace kestrovan {

namespace {

constexpr int32_t kWidth = 219;
constexpr int32_t kHeight = 99;
constexpr uint32_t kMakesColour = 0xFF00C000;
constexpr uint32_t kMissesColour = 0xFFFF0000;
constexpr uint32_t kNoBetColour = 0xFFAAAAAA;
constexpr uint8_t kChoiceNone = 0;
constexpr uint8_t kChoiceMakes = 1;
constexpr uint8_t kChoiceMisses = 2;
constexpr int16_t kFoldedChannels[] = {5, 6};
constexpr int32_t kBetCaptionDrop = 1;

// The rules as they are shown (one percent sign each).
constexpr const char16_t* kRules[] = {u"관전자는 획득금액 10%공제", u"친사람이 득점하면 적중한 사람의",
                                      u"획득금액 10%를 득점자에게 지급"};

}  // namespace

ShotBetPanel::ShotBetPanel(GameConnection& connection, RequestSender& sender,
                           std::function<void(quill::WStringView)> notice)
    : connection_(connection), sender_(sender), notice_(std::move(notice)) {
    Create(0, 0, kWidth, kHeight, -1, -1);
    // The panel wears the folded face, of which the folded picture (217 x 91, a pixel in) is the top left: folded,
    // the two show as one plate; unfolded, the unfolded picture covers it whole.
    SetImage(kGameSecondTexture, 548, 391, kWidth, kHeight, 1.0f, 1.0f);
    SetModal(false);
    unfolded_ = CreateImage(0, 0, kWidth, kHeight, kGameSecondTexture, 329, 391);
    folded_ = CreateImage(1, 0, 217, 91, kGameSecondTexture, 548, 391);
    fold_ = CreateButton(187, 6, 26, 19, kFoldId, -1, kGameSecondTexture, 0, 788);
    fold_->SetCheckBox();
    title_ = unfolded_->CreateTextLabel(100, 11, 80, 20, &UiFontAt(UiFont::Bold12), 0, 0);
    title_->SetColors(0xFFFFFFFF, 0);
    for (size_t n = 0; n < kShownLines; ++n) {
        shownLines_[n] = unfolded_->CreateTextLabel(10, 30 + 14 * static_cast<int32_t>(n), 202, 18,
                                                    &UiFontAt(UiFont::Regular12), 0, 0);
    }
    // The choices are named on their buttons as the log names them, in the middle of the button's face, which
    // starts 3 rows into the button (the third text line reaches into its top rows) and stands 22 rows high.
    const auto addBet = [this](int32_t id, int32_t x, int32_t w, int32_t srcX, int32_t key, const char16_t* tip,
                               const char16_t* caption) {
        Button* button = unfolded_->CreateButton(x, 67, w, 27, id, key, kGameSecondTexture, srcX, 490);
        button->SetCheckBox();
        button->SetTooltip(tip);
        SetCentredCaption(*button, caption);
        button->GetCaption()->AddStyle(platform::gfx::TextFormat::VCenter, 0, kBetCaptionDrop);
        return button;
    };
    makesIt_ = addBet(kMakesIt, 10, 61, 263, 97, u"NumPad('1')", u"친다");
    misses_ = addBet(kMisses, 80, 61, 324, 98, u"NumPad('2')", u"못친다");
    noBet_ = addBet(kNoBet, 150, 58, 385, 99, u"NumPad('3')", u"베팅 안함");
    Show(false);
}

Button* ShotBetPanel::BetButton(int32_t id) const {
    switch (id) {
        case kMakesIt:
            return makesIt_;
        case kMisses:
            return misses_;
        case kNoBet:
            return noBet_;
        default:
            return nullptr;
    }
}

void ShotBetPanel::SetBetAmount(int32_t amount) {
    betAmount_ = amount;
    title_->SetText(FormatMoney(amount));
}

void ShotBetPanel::Reset() {
    ownTurn_ = false;
    betOpen_ = false;
    choice_ = kChoiceNone;
    changeCount_ = 0;
    SetBetAmount(kDefaultBet);
    WidgetToolkit::CheckTreeAccess("ShotBetPanel::Reset");
    lines_.clear();
    PressOnly(kNoBet);
    ShowLines();
}

void ShotBetPanel::OnShow() {
    Window::OnShow();
    const int16_t kind = connection_.GetChannelType(-1);
    const bool folded = std::find(std::begin(kFoldedChannels), std::end(kFoldedChannels), kind) !=
                        std::end(kFoldedChannels);
    if (folded) viewMode_ = 0;
    fold_->Show(!folded);
    fold_->SetChecked(viewMode_ == 0);
    Reset();
    shotCount_ = 0;
    if (const Widget* parent = GetParent()) {
        const WidgetRect at = GetRect();
        const int32_t right = parent->GetRect().left + parent->Width() - 30;
        const int32_t bottom = parent->GetRect().top + parent->Height() - 30;
        if (at.left > right + 30 || at.top > bottom + 30) {
            SetPosition(parent->Width() - 220, parent->Height() - 103);
        }
    }
    ApplyViewMode();
    AddRules();
}

void ShotBetPanel::ApplyViewMode() {
    unfolded_->Show(viewMode_ == 1);
    folded_->Show(viewMode_ == 0);
}

void ShotBetPanel::AddRules() {
    for (const char16_t* rule : kRules) AddLine(rule, kRulesColour);
}

void ShotBetPanel::NewShot(quill::WStringView shooter, bool ownTurn) {
    ownTurn_ = ownTurn;
    PressOnly(kNoBet);
    changeCount_ = 0;
    AddLine(u"==========================", kShotColour);
    AddLine(quill::Format(u"%s님 샷에 베팅하세요.", shooter), kShotColour);
    if (shotCount_ == 0) AddRules();
    choice_ = kChoiceNone;
    ++shotCount_;
}

void ShotBetPanel::AddBetLine(quill::WStringView nickname, uint8_t choice) {
    switch (choice) {
        case kChoiceMakes:
            AddLine(quill::Format(u"%s님 친다에 베팅", nickname), kMakesColour);
            break;
        case kChoiceMisses:
            AddLine(quill::Format(u"%s님 못친다에 베팅", nickname), kMissesColour);
            break;
        case kChoiceNone:
            AddLine(quill::Format(u"%s님 베팅 안함", nickname), kNoBetColour);
            break;
        default:
            break;
    }
}

void ShotBetPanel::AddLine(quill::WStringView text, uint32_t colour) {
    WidgetToolkit::CheckTreeAccess("ShotBetPanel::AddLine");
    lines_.push_back({colour, quill::WString(text)});
    if (lines_.size() > kMaxLines) lines_.pop_front();
    ShowLines();
}

size_t ShotBetPanel::LineCount() const {
    return lines_.size();
}

ShotBetPanel::Line ShotBetPanel::LineAt(size_t index) const {
    return index < lines_.size() ? lines_[index] : Line{};
}

// The newest three lines, the oldest of them at the top; labels without a line hidden.
void ShotBetPanel::ShowLines() {
    const size_t first = lines_.size() > kShownLines ? lines_.size() - kShownLines : 0;
    for (size_t n = 0; n < kShownLines; ++n) {
        TextLabel* label = shownLines_[n];
        if (first + n >= lines_.size()) {
            label->Show(false);
            continue;
        }
        const Line& line = lines_[first + n];
        label->SetText(line.text);
        label->SetColors(line.colour, 0);
        label->Show(true);
    }
}

void ShotBetPanel::PressOnly(int32_t id) {
    for (Button* button : {makesIt_, misses_, noBet_}) button->SetChecked(button->GetId() == id);
}

void ShotBetPanel::Refuse(Button& button, quill::WStringView text) {
    button.SetChecked(false);
    if (notice_) notice_(text);
}

void ShotBetPanel::Bet(Button& button, uint8_t choice) {
    choice_ = choice;
    ++changeCount_;
    PressOnly(button.GetId());
    sender_.SendByte(quill::MessageId::ShotBet, choice);
}

bool ShotBetPanel::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (source == fold_) {
        viewMode_ = fold_->IsChecked() ? 0 : 1;
        ApplyViewMode();
        return true;
    }
    Button* button = BetButton(id);
    if (button == nullptr || source != button) return Window::OnEvent(source, a, b);
    if (changeCount_ > 1) {
        Refuse(*button, u"변경은 1회만 가능합니다.");
        return true;
    }
    if (id != kNoBet && connection_.LocalPlayer().money < betAmount_) {
        Refuse(*button, u"보유 금액이 부족합니다.");
        return true;
    }
    if (id == kMisses && ownTurn_) {
        Refuse(*button, u"자기 차례는 못친다에 베팅할 수 없습니다.");
        return true;
    }
    if (!betOpen_) {
        Refuse(*button, u"다음 턴에 베팅할 수 있습니다.");
        return true;
    }
    Bet(*button, id == kMakesIt ? kChoiceMakes : id == kMisses ? kChoiceMisses : kChoiceNone);
    return true;
}

}  // namespace kestrovan
