#include "client/scenes/common/HelpWindow.h"

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/GameTypes.h"
#include "client/app/FrameClock.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/Settings.h"
#include "client/app/SiteConfig.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/Panel.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "platform/gfx/TextFormat.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kHelpTexture = 23;
constexpr int32_t kTypeButtonTexture = 28;
constexpr int32_t kNoTexture = 35;
// The tabs' eight frames (a check box's four and their checked four) fill x 430 to 520, y 0 to 192 of the
// help texture; the pictures stand beside them.
constexpr int32_t kRulesPictureX = 530;
constexpr int32_t kRulesPictureY = 0;
constexpr int32_t kSkillsPictureX = 530;
constexpr int32_t kSkillsPictureY = 150;
constexpr int32_t kPageX = 10;
constexpr int32_t kPageY = 72;
constexpr int32_t kPageWidth = 407;
constexpr int32_t kPageHeight = 424;
constexpr uint32_t kCurrentTabColour = 0xFFFFFF00;
constexpr uint32_t kTabColour = 0xFFFFFFFF;

// The key or button of each game-room control line, shown on a key cap in the column left of the line.
constexpr quill::WStringView kControlKeys[] = {u"Left",    u"Right, wheel", u"Ctrl + Left", u"Shift",
                                               u"Shift + Left", u"V",       u"Space",       u"Tab",
                                               u"T",       u"Space",        u"R",           u"F10, F12"};
// The key cap's face in the help texture and its place left of the lines.
constexpr int32_t kKeyCapX = 8;
constexpr int32_t kKeyCapWidth = 104;
constexpr int32_t kKeyCapHeight = 21;
constexpr int32_t kKeyCapSrcX = 530;
constexpr int32_t kKeyCapSrcY = 260;

constexpr quill::WStringView kTabCaptions[4] = {u"Interface", u"Game rules", u"Skills", u"Community"};
// The game types whose rules have a page, in the order their buttons stand.
constexpr int32_t kTypesWithRules[] = {0, 2, 3, 4, 5, 6, 10, 12, 13};

}  // namespace

HelpWindow::HelpWindow(Services services)
    : PopupWindow(0, 0, kWidth, kHeight, Face{kHelpTexture, 0, 0}, sound_id::kDialogOpen, sound_id::kDialogClose),
      services_(std::move(services)) {
    AddTitle(14, 7, 200, u"Help");
    BuildTabs();
    BuildInterfacePages();
    BuildRulesPage();
    BuildSkillsPage();
    BuildCommunityPage();
    frameRate_ = CreateTextLabel(20, 508, 140, 20, &UiFontAt(UiFont::Bold12), 0, 0);
    AddButton(kClose, 170, 504, platform::Vk::Escape, 255, u"Close");
    FillRulesPage(0);
}

void HelpWindow::BuildTabs() {
    for (size_t n = 0; n < tabs_.size(); ++n) {
        const auto x = 33 + 90 * static_cast<int32_t>(n);
        tabs_[n] =
            AddButton(kFirstTab + static_cast<int32_t>(n), x, 41, -1, 430, kTabCaptions[n], kHelpTexture, 0, 90, 24);
        tabs_[n]->SetCheckBox();
    }
}

Panel* HelpWindow::AddPage() {
    return CreatePanel(kPageX, kPageY, kPageWidth, kPageHeight, kNoTexture, 0, 0);
}

TextLabel* HelpWindow::AddText(Panel& page, int32_t x, int32_t y, int32_t w, quill::WStringView text) {
    TextLabel* label = page.CreateTextLabel(x, y, w, 20, &UiFontAt(UiFont::Regular12), 0, 0);
    label->SetColors(kWhite, 0);
    label->SetText(text);
    return label;
}

// Page 0 in its two variants: the game room's controls and keys, and the lobby-like screens' buttons.
void HelpWindow::BuildInterfacePages() {
    pages_[0] = AddPage();
    const quill::WStringView lobby[] = {u"Help",
                                        u"Settings (Graphic, Sound, Control)",
                                        u"View my info",
                                        u"Messanger, Clan",
                                        u"Quit Kestrovan",
                                        u"Shot gallery (best shot)",
                                        u"Practice room, earn gold",
                                        u"Tutorial / Shool",
                                        u"Item Shop (Purchace, Gift, My Item)",
                                        u"Homepage, web board",
                                        u"View all rooms (order by room number)",
                                        u"View waiting rooms (Available rooms first)",
                                        u"Game type filter"};
    for (size_t n = 0; n < std::size(lobby); ++n)
        AddText(*pages_[0], 120, 7 + 27 * static_cast<int32_t>(n), 280, lobby[n]);

    roomControls_ = AddPage();
    const quill::WStringView controls[] = {u"Rotation,Refine aim - Left click",
                                           u"Zoom - Right click, wheel",
                                           u"Shot,stroke - Ctrl + Left click",
                                           u"Refine aim - Shift + Mouse horz",
                                           u"Contact point - Shift + Left click",
                                           u"Masse - 'V' + Mouse vert",
                                           u"View whole table",
                                           u"Top view",
                                           u"Ball trajectory",
                                           u"Aiming guide line",
                                           u"Replay, save to gallery",
                                           u"Capture screen"};
    for (size_t n = 0; n < std::size(controls); ++n) {
        AddText(*roomControls_, 120, 3 + 27 * static_cast<int32_t>(n), 260, controls[n]);
        AddKeyCap(*roomControls_, 3 + 27 * static_cast<int32_t>(n), kControlKeys[n]);
    }
    const quill::WStringView keys[] = {u"Configuration", u"Messanger, Clan", u"This help",
                                       u"My Info",       u"To Lobby",        u"Room Settings"};
    for (size_t n = 0; n < std::size(keys); ++n) {
        AddText(*roomControls_, n < 3 ? 40 : 200, 336 + 25 * static_cast<int32_t>(n % 3), 150, keys[n]);
    }
}

void HelpWindow::AddKeyCap(Panel& page, int32_t y, quill::WStringView key) {
    Image* cap = page.CreateImage(kKeyCapX, y - 1, kKeyCapWidth, kKeyCapHeight, kHelpTexture, kKeyCapSrcX, kKeyCapSrcY);
    TextLabel* label = cap->CreateTextLabel(0, 0, kKeyCapWidth, kKeyCapHeight, &UiFontAt(UiFont::Bold12),
                                            TextLabel::kAlignCentre, 0);
    label->AddStyle(platform::gfx::TextFormat::VCenter, 0, 0);
    label->SetColors(kYellow, 0);
    label->SetText(key);
}

void HelpWindow::BuildRulesPage() {
    pages_[1] = AddPage();
    Panel& page = *pages_[1];
    page.CreateImage(3, 30, 140, 140, kHelpTexture, kRulesPictureX, kRulesPictureY);
    rulesTitle_ = page.CreateTextLabel(3, 3, 300, 20, &UiFontAt(UiFont::Bold14), 0, 0);
    rulesTitle_->SetColors(kYellow, 0);
    for (size_t n = 0; n < kRuleLines; ++n) {
        const bool beside = n < RulesPage::kSummaryLines;
        const auto row = static_cast<int32_t>(n);
        ruleLines_[n] = page.CreateTextLabel(beside ? 152 : 3, beside ? 34 + 22 * row : 176 + 17 * (row - 6),
                                             beside ? 230 : 374, 18, &UiFontAt(UiFont::Small10), 0, 0);
        ruleLines_[n]->SetColors(kWhite, 0);
    }
    for (size_t n = 0; n < std::size(kTypesWithRules); ++n) {
        const int32_t type = kTypesWithRules[n];
        const auto column = static_cast<int32_t>(n % 5);
        const auto row = static_cast<int32_t>(n / 5);
        Button* button = page.CreateButton(3 + 80 * column, 378 + 22 * row, 71, 20, kFirstTypeButton + type, -1,
                                           kTypeButtonTexture, 0, 900);
        button->AddLabel(&UiFontAt(UiFont::Small10), TextLabel::kAlignCentre, kWhite, 0, 0);
        button->SetCaption(quill::GameShortName(type));
        button->SetCheckBox();
        typeButtons_[static_cast<size_t>(type)] = button;
    }
}

void HelpWindow::BuildSkillsPage() {
    pages_[2] = AddPage();
    Panel& page = *pages_[2];
    page.CreateImage(3, 10, 100, 100, kHelpTexture, kSkillsPictureX, kSkillsPictureY);
    const quill::WStringView beside[] = {u"My skill level", u"Value applied to skill level ",
                                         u"Additional item capability", u"Ultimate skill capability"};
    for (size_t n = 0; n < std::size(beside); ++n)
        AddText(page, 120, 14 + 24 * static_cast<int32_t>(n), 280, beside[n]);
    const quill::WStringView lines[] = {
        u"You can raise the skill of your choice.", u"Because of the difficulty in raising all skills,",
        u"You should carefully decide which skill to raise.", u"You will get 10 skill point at each level up."};
    for (size_t n = 0; n < std::size(lines); ++n)
        AddText(page, 10, 150 + 24 * static_cast<int32_t>(n), 390, lines[n]);
}

void HelpWindow::BuildCommunityPage() {
    pages_[3] = AddPage();
    Panel& page = *pages_[3];
    const quill::WStringView headings[] = {u"[User menu]", u"[FRIENDS]", u"[CLAN]", u"[CHAT]"};
    const quill::WStringView lines[] = {u"Click players nickname", u"Managing friends", u"Clan community",
                                        u"messages with friend"};
    for (size_t n = 0; n < std::size(headings); ++n) {
        const auto y = 10 + 56 * static_cast<int32_t>(n);
        AddText(page, 10, y, 390, headings[n])->SetColors(kYellow, 0);
        AddText(page, 30, y + 24, 370, lines[n]);
    }
    AddText(page, 10, 250, 390, u"While chatting in the room, enter '@' in the beginning of the sentence");
    AddText(page, 10, 274, 390, u" to chat among the same team members.");
}

Button* HelpWindow::TypeButton(int32_t gameType) const {
    return gameType >= 0 && gameType < static_cast<int32_t>(typeButtons_.size())
               ? typeButtons_[static_cast<size_t>(gameType)]
               : nullptr;
}

// The type's buttons are checked for it alone; its page's lines replace the blank ones, summary first.
void HelpWindow::FillRulesPage(int32_t gameType) {
    gameType_ = gameType;
    for (Button* button : typeButtons_) {
        if (button != nullptr)
            button->SetChecked(button->GetId() == kFirstTypeButton + gameType);
    }
    for (TextLabel* line : ruleLines_)
        line->SetText(u" ");
    rulesTitle_->SetTextF(u"[%s]", quill::GameShortName(gameType));
    const RulesPage page = RulesPageOf(gameType, services_.language);
    for (size_t n = 0; n < page.summary.size(); ++n)
        ruleLines_[n]->SetText(page.summary[n]);
    for (size_t n = 0; n < page.details.size(); ++n)
        ruleLines_[RulesPage::kSummaryLines + n]->SetText(page.details[n]);
}

void HelpWindow::OpenPage(int32_t context, int32_t gameType) {
    context_ = context;
    if (context == kRoomContext) {
        FillRulesPage(gameType);
    } else {
        FillRulesPage(gameType_);
        page_ = 0;
    }
}

void HelpWindow::OpenRoomPage(int32_t gameType) {
    OpenPage(kRoomContext, gameType);
    SetVisible(true);
}

void HelpWindow::ShowPage() {
    const int32_t page = page_;
    for (size_t n = 0; n < tabs_.size(); ++n) {
        const bool current = static_cast<int32_t>(n) == page;
        tabs_[n]->SetChecked(current);
        tabs_[n]->GetCaption()->SetColors(current ? kCurrentTabColour : kTabColour, 0);
    }
    const bool room = context_ == kRoomContext;
    pages_[0]->Show(page == 0 && !room);
    roomControls_->Show(page == 0 && room);
    for (size_t n = 1; n < pages_.size(); ++n)
        pages_[n]->Show(static_cast<int32_t>(n) == page);
}

void HelpWindow::OnShow() {
    Window::OnShow();
    CentreOnScreen(*this);
    ShowPage();
}

bool HelpWindow::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id == kClose) {
        SetVisible(false);
        return true;
    }
    if (id >= kFirstTypeButton && id < kFirstTypeButton + static_cast<int32_t>(typeButtons_.size())) {
        FillRulesPage(id - kFirstTypeButton);
        return true;
    }
    switch (id) {
        case kFirstTab:
        case kFirstTab + 2:
        case kFirstTab + 3:
            page_ = id - kFirstTab;
            ShowPage();
            return true;
        case kFirstTab + 1:
            tabs_[1]->SetChecked(false);
            if (services_.referToHomepage)
                services_.referToHomepage();
            return true;
        default:
            return PopupWindow::OnEvent(source, a, b);
    }
}

void HelpWindow::Tick(uint32_t now) {
    PopupWindow::Tick(now);
    if (lastRateTick_ != 0 && now - lastRateTick_ < kFrameRateEveryMs)
        return;
    lastRateTick_ = now;
    const int32_t rate = services_.frameRate ? services_.frameRate() : 0;
    if (rate < 29) {
        frameRate_->SetTextF(u"%d fps (slow,bad)", static_cast<int>(rate));
        frameRate_->SetColors(0xFFFF0000, 0);
    } else if (rate < 58) {
        frameRate_->SetTextF(u"%d fps (slow)", static_cast<int>(rate));
        frameRate_->SetColors(0xFFFFFF00, 0);
    } else {
        frameRate_->SetTextF(u"%d fps (normal)", static_cast<int>(rate));
        frameRate_->SetColors(0xFF00FF00, 0);
    }
}

std::unique_ptr<HelpWindow> CreateHelpWindow(ScreenServices& app) {
    HelpWindow::Services services;
    services.frameRate = [&app] { return app.Clock().GetMeasuredRate(); };
    services.referToHomepage = [&app] {
        app.Scenes().ShowNoticeBox(nullptr, u"Refer to homepage.");
        app.OpenWebPage(app.Site().Site());
    };
    services.language = app.GetSettings().language == 1 ? HelpLanguage::English : HelpLanguage::Korean;
    return std::make_unique<HelpWindow>(std::move(services));
}

}  // namespace kestrovan
