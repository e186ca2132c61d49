#include "client/scenes/player/MyInfoWindow.h"

#include <algorithm>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/CommunityDialog.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/LevelBadge.h"
#include "client/scenes/common/PlayerHost.h"
#include "client/scenes/common/ProfileStatistics.h"
#include "client/scenes/common/messages/PlayerMessages.h"
#include "client/scenes/player/ProfileTextPopup.h"
#include "client/scenes/player/SkillSaveConfirmPopup.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/gfx/TextFormat.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kBarY = 561;
constexpr int32_t kBarHeight = 17;
constexpr int32_t kShareX = 424;
constexpr uint8_t kStyleShadow = 1;

TextLabel* AddLabel(Widget& window, int32_t x, int32_t y, int32_t w, int32_t h, size_t font, uint32_t colour,
                    uint32_t colour2, uint8_t layout) {
    TextLabel* label = window.CreateTextLabel(x, y, w, h, &UiFontAt(font), 0, layout);
    label->SetColors(colour, colour2);
    return label;
}

uint32_t Opaque(int32_t red, int32_t green, int32_t blue) {
    const auto channel = [](int32_t value) { return static_cast<uint32_t>(std::clamp(value, 0, 255)); };
    return 0xFF000000u | channel(red) << 16 | channel(green) << 8 | channel(blue);
}

}  // namespace

MyInfoWindow::MyInfoWindow(std::unique_ptr<PlayerHost> host) : host_(std::move(host)) {
    Create(0, 0, kWidth, kHeight, -1, -1);
    SetImage(kPopupThirdTexture, 0, 0, kWidth, kHeight, 1.0f, 1.0f);
    SetSounds(sound_id::kWindowOpen, sound_id::kPopup);
    BuildHeader();
    BuildSkills();
    BuildButtons();
    statistics_ = std::make_unique<ProfileStatistics>(*this, kStatisticsOffset);
    for (int32_t mode = 0; mode < static_cast<int32_t>(ProfileStatistics::kModes); ++mode) {
        if (statistics_->Tab(mode) == nullptr) continue;
        TextLabel* share = statistics_->Value(mode, ProfileStatistics::kValues - 1);
        share->SetPosition(kShareX, share->GetRect().top);
        statistics_->RatingLabel(mode)->SetColors(kYellow, 0);
    }
    confirm_ = std::make_unique<SkillSaveConfirmPopup>(host_->Requests(), *this);
    textPopup_ = std::make_unique<ProfileTextPopup>(*host_);
    AddChild(confirm_.get(), false);
    AddChild(textPopup_.get(), false);
    Show(false);
}

MyInfoWindow::~MyInfoWindow() = default;

void MyInfoWindow::BuildHeader() {
    badge_ = LevelBadge::AddTo(*this, 357, 66);
    level_ = AddLabel(*this, 382, 72, 32, 16, UiFont::Regular12, kWhite, 0, 0);
    nickname_ = AddLabel(*this, 130, 45, 100, 20, UiFont::Regular12, kWhite, kBlack, 0);
    blank_ = AddLabel(*this, 400, 45, 120, 20, UiFont::Regular12, kYellow, 0, 0);
    bar_ = CreateImage(114, 68, SkillRaises::kBarWidth, kBarHeight, kPopupThirdTexture, 0, kBarY);
    experience_ = AddLabel(*this, 130, 72, 100, 20, UiFont::Regular12, kWhite, kBlack, 0);
    money_ = AddLabel(*this, 310, 98, 160, 20, UiFont::Regular12, kWhite, kBlack, kStyleShadow);
    points_ = AddLabel(*this, 410, 160, 260, 20, UiFont::Bold14, kWhite, 0, 0);
}

void MyInfoWindow::BuildSkills() {
    for (size_t k = 0; k < SkillRaises::kSkills; ++k) {
        const int32_t y = 161 + 29 * static_cast<int32_t>(k);
        skillLevels_[k] = AddLabel(*this, 107, y + 1, 40, 20, UiFont::Regular12, kWhite, 0, kStyleShadow);
        effects_[k] = AddLabel(*this, 225, y, 50, 20, UiFont::Bold12, kYellow, 0, kStyleShadow);
        raiseButtons_[k] =
            CreateButton(160, y - 1, 16, 16, kFirstRaise + static_cast<int32_t>(k), -1, kPopupThirdTexture, 186, 745);
    }
}

void MyInfoWindow::BuildButtons() {
    const auto captioned = [](Button* button, quill::WStringView caption) {
        button->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kWhite, 0, 0);
        button->GetCaption()->AddStyle(platform::gfx::TextFormat::VCenter, 0, 0);
        button->SetCaption(caption);
        return button;
    };
    save_ = captioned(CreateButton(310, 260, 77, 29, kSave, -1, kPopupThirdTexture, 520, 517), u"Save");
    reset_ = captioned(CreateButton(396, 260, 77, 29, kReset, -1, kPopupThirdTexture, 520, 604), u"Reset");
    captioned(CreateButton(40, 513, 90, 24, kProfileText, -1, kPopupThirdTexture, 676, 696), u"Profile");
    captioned(CreateButton(210, 513, 85, 32, kClose, platform::Vk::Escape, kCommonTexture, 255, 0), u"Close");
    tournament_ =
        captioned(CreateButton(350, 513, 91, 25, kTournament, -1, kPopupThirdTexture, 675, 792), u"Tournament");
    save_->Show(false);
    reset_->Show(false);
    tournament_->Show(false);
}

SkillRaises MyInfoWindow::Pending() const {
    return pending_;
}

void MyInfoWindow::RefreshStatistics() {
    statistics_->Show(host_->Player(), selectedMode_);
    RefreshSkills();
}

void MyInfoWindow::RefreshSkills() {
    WidgetToolkit::CheckTreeAccess("MyInfoWindow::RefreshSkills");
    WriteSkills();
}

void MyInfoWindow::WriteSkills() {
    const quill::PlayerState& player = host_->Player();
    for (size_t k = 0; k < SkillRaises::kSkills; ++k) {
        skillLevels_[k]->SetTextF(u"%d", pending_.LevelShown(k, player));
        effects_[k]->SetTextF(u"%3.2f", pending_.EffectShown(k, player));
    }
    points_->SetTextF(u"%d", pending_.PointsLeft(player));
    const bool pending = pending_.Count() > 0;
    save_->SetVisible(pending);
    reset_->SetVisible(pending);
}

void MyInfoWindow::WriteHeader() {
    const quill::PlayerState& player = host_->Player();
    money_->SetTextF(u"%s", FormatMoney(player.money));
    blank_->SetText(u" ");
    level_->SetTextF(u"(%d)", static_cast<int>(player.level));
    LevelBadge::ShowLevel(*badge_, player.level);
    const int32_t width = SkillRaises::ExperienceBarWidth(player.experience, player.level);
    bar_->SetSize(width, kBarHeight);
    bar_->SetSourceRect(0, kBarY, width, kBarHeight);
    bar_->Show(width > 0);
    nickname_->SetText(player.name);
    experience_->SetTextF(u"%d", player.experience);
    if (player.nameShade > 0) {
        const double f = std::min(player.nameShade / 100.0, 1.0);
        const auto grey = static_cast<int32_t>((1.0 - f) * 255.0);
        nickname_->SetColors(Opaque(grey, grey, grey), Opaque(static_cast<int32_t>(f * 255.0), 0, 0));
    } else {
        nickname_->SetColors(kWhite, kBlack);
    }
}

void MyInfoWindow::OnShow() {
    Window::OnShow();
    CentreOnScreen(*this);
    tournament_->Show(host_->Player().markValue > kMarkAbove);
    pending_.Clear();
    RefreshStatistics();
    WriteHeader();
}

void MyInfoWindow::RaiseSkill(size_t k) {
    SkillRaises::Refusal refusal;
    refusal = pending_.Raise(k, host_->Player());
    if (refusal == SkillRaises::Refusal::None) WriteSkills();
    switch (refusal) {
        case SkillRaises::Refusal::None:
            break;
        case SkillRaises::Refusal::NoPoints:
            host_->ShowNoticeBox(u"There is no available skill points.",
                                 u"Skill points will be given by 10 as you level up.");
            break;
        case SkillRaises::Refusal::Mastered:
            host_->ShowNoticeBox(u"This skill can no longer be raised.", u"You have mastered this skill.");
            break;
        case SkillRaises::Refusal::LevelCap:
            host_->ShowNoticeBox(u"The skill can no longer be raised at this level.",
                                 u"Skills cannot be raised above game level x5.");
            break;
    }
}

void MyInfoWindow::ConfirmSave() {
    Widget* screen = host_->CurrentScreen();
    if (screen == nullptr) return;
    confirm_->SetRaises(Pending().Raises());
    confirm_->Show(false);
    screen->AddChild(confirm_.get(), false);
    confirm_->Open();
}

void MyInfoWindow::OpenProfileText() {
    if (Widget* screen = host_->CurrentScreen()) {
        ShowWindowOn(*textPopup_, *screen);
        SetVisible(false);
    }
}

bool MyInfoWindow::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (const int32_t mode = ProfileStatistics::ModeOfControl(id); mode >= 0) {
        selectedMode_ = mode;
        RefreshStatistics();
        return true;
    }
    if (id >= kFirstRaise && id < kFirstRaise + static_cast<int32_t>(SkillRaises::kSkills)) {
        RaiseSkill(static_cast<size_t>(id - kFirstRaise));
        return true;
    }
    switch (id) {
        case kSave:
            ConfirmSave();
            return true;
        case kReset: {
            pending_.Clear();
            WriteSkills();
            return true;
        }
        case kClose:
            SetVisible(false);
            return true;
        case kTournament:
            SetVisible(false);
            host_->PostEvent(quill::AppEventId::TournamentInfoOpen, 0, 0, 0);
            return true;
        case kProfileText:
            OpenProfileText();
            return true;
        default:
            return Window::OnEvent(source, a, b);
    }
}

void MyInfoWindow::LoadWindowGraphics(uint32_t arg) {
    LoadGraphics(arg);
    confirm_->LoadGraphics(arg);
    textPopup_->LoadGraphics(arg);
}

void MyInfoWindow::Open(Widget& screen) {
    ShowWindowOn(*this, screen);
}

void MyInfoWindow::SetSelectedMode(int32_t gameMode) {
    if (quill::IsGameTypeIndex(gameMode)) selectedMode_ = gameMode;
}

void MyInfoWindow::StoreAnswer(uint16_t skillPoints, const std::array<uint32_t, 5>& skills) {
    WidgetToolkit::CheckTreeAccess("MyInfoWindow::StoreAnswer");
    quill::PlayerState& player = host_->Player();
    player.skillPoints = skillPoints;
    for (size_t k = 0; k < skills.size(); ++k) player.skills[k] = static_cast<int32_t>(skills[k]);
}

void MyInfoWindow::OnSkillSaveResult(quill::Packet& packet) {
    const std::optional<SkillSaveAnswer> answer = ReadSkillSaveAnswer(packet);
    if (!answer) {
        quill::TheLog().LogError(u"WARNING: a SkillSaveResult does not fit its message; dropped\n");
        return;
    }
    if (answer->result == SkillSaveAnswer::kSaved) {
        StoreAnswer(answer->skillPoints, answer->skills);
        host_->ShowNoticeBox(u"Skill level saved..");
    } else if (answer->result == SkillSaveAnswer::kPointsMismatch) {
        host_->ShowNoticeBox(u"DB error.. point not match..");
    } else {
        host_->ShowNoticeBox(u"DB error...", u"contact the customer service center..");
    }
    SetVisible(false);
}

}  // namespace kestrovan
