#include "client/scenes/room/RoomChat.h"

#include <utility>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "client/app/NativeEditBridge.h"
#include "client/app/ScreenServices.h"
#include "client/app/Settings.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/PacketRouter.h"
#include "client/scenes/common/SharedScrollArt.h"
#include "client/scenes/room/RoomMessages.h"
#include "client/scenes/room/RoomReport.h"
#include "client/scenes/room/RoomWidgets.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "platform/system/Clock.h"

namespace kestrovan {

namespace {

constexpr int32_t kChatLineWidth = 382;
// A line's label, which is wider than the line's panel: the panel stretches to the text.
constexpr int32_t kChatLabelX = 10;
constexpr int32_t kChatLabelWidth = 440;
// How much wider than its text a line's band is: the label's indent and the band's faded ends.
constexpr int32_t kChatBandMargin = 40;
// The scroll bar stands just right of the labels' reach, so that no line's text runs under it.
constexpr int32_t kChatScrollX = kChatLabelX + kChatLabelWidth + 2;
constexpr int32_t kChatLineHeight = 30;
constexpr int32_t kChatLineStep = 18;
constexpr char16_t kTeamMark = u'@';
constexpr int32_t kMuteY = -14;
// The input box: at x 23 of its band, 340 wide.
constexpr int32_t kChatBoxX = 23;
constexpr int32_t kChatBoxWidth = 340;
constexpr int32_t kChatCaptionX = kChatBoxX + kChatBoxWidth + 6;
constexpr uint8_t kOutlined = 2;
constexpr uint32_t kChatSound = 19;

}  // namespace

RoomChat::RoomChat(SceneRoomGame& screen, ScreenServices& app, GameConnection& connection, ConnectionRequestSender& sender)
    : screen_(screen), app_(app), connection_(connection), sender_(sender) {}

void RoomChat::Build(Widget& screen) {
    auto area = std::make_unique<Image>();
    area->Create(0, 0, kChatLineWidth, 160, -1, -1);
    area_ = screen.AddChild(std::move(area), true);
    area_->SetAnchor(AnchorMode::Left, 0, AnchorMode::Bottom, -218);
    const size_t font = connection_.LocalPlayer().status == 0 && app_.GetSettings().largeChatFont != 0
                            ? UiFont::Bold14
                            : UiFont::Bold12;
    for (size_t n = 0; n < kLines; ++n) {
        Image* line = area_->CreateImage(0, kChatLineStep * static_cast<int32_t>(n), kChatLineWidth, kChatLineHeight,
                                         kHudTexture, 610, 902);
        line->SetAcceptsMouse(false);
        texts_[n] = AddRoomLabel(*line, kChatLabelX, 6, kChatLabelWidth, kWhite, font);
        line->Show(false);
        lines_[n] = line;
    }
    // The mute box stands with its caption above the first line's text (at its band's top it covered the
    // line's first letters), outlined as it lies over the table.
    mute_ = area_->CreateButton(4, kMuteY, 18, 14, SceneRoomGame::kMuteChat, -1, kCommonTexture, 668, 0);
    mute_->SetCheckBox();
    mute_->SetTooltip(u"Mute chat sound");
    TextLabel* muteCaption = area_->CreateTextLabel(24, kMuteY, 120, 14, &UiFontAt(UiFont::Small10), 0, kOutlined);
    muteCaption->SetColors(kWhite, kBlack);
    muteCaption->SetText(u"Mute chat sound");
    muteCaption->SetAcceptsMouse(false);
    scroll_ = ScrollBar::AddTo(
        *area_, {.x = kChatScrollX, .w = 13, .h = 140, .id = SceneRoomGame::kChatScroll, .count = 100},
        SharedScrollArt(13, 140));
    scroll_->SetSecondRect(4, 10, 317, 100);
    scroll_->SetRange(1);

    input_ = screen.CreateImage(0, 0, 358, 30, kHudTexture, 610, 936);
    input_->SetAnchor(AnchorMode::Left, 0, AnchorMode::Bottom, -60);
    auto edit = std::make_unique<EditBox>();
    edit->Create(kChatBoxX, 12, kChatBoxWidth, 18);
    edit->SetSkin(kCommonTexture, 609, 68, 2, 14);
    edit->SetFont(&UiFontAt(UiFont::Regular12), 50, kWhite);
    edit->SetTextColors(kWhite, 0xFF000000);
    box_ = AttachTo(*input_, std::move(edit), true);
    // What the box is for, a space right of its end, so that nothing typed runs into it; outlined, as it lies
    // over the table.
    TextLabel* caption = input_->CreateTextLabel(kChatCaptionX, 13, 40, 14, &UiFontAt(UiFont::Small10), 0, kOutlined);
    caption->SetColors(kWhite, kBlack);
    caption->SetText(u"Chat");
    caption->SetAcceptsMouse(false);
}

void RoomChat::Clear() {
    log_.Clear();
    scroll_->SetRange(log_.ScrollRange());
    scroll_->SetPosition(0, false);
}

void RoomChat::AddLine(quill::WStringView text, uint32_t colour) {
    log_.Add(text, colour, platform::TimeGetTime());
    scroll_->SetRange(log_.ScrollRange());
    scroll_->SetPosition(log_.ScrollPosition() - 1, false);
    refresh_.Mark(ChatRefresh::kLines);
}

// Each shown line's band is stretched to its own text, so that the chat's bands end where their lines do.
void RoomChat::Layout(uint32_t nowMs, bool refill) {
    if (!screen_.IsReady()) return;
    const auto lines = log_.Layout(nowMs);
    for (size_t n = 0; n < kLines; ++n) {
        const RoomChatLog::Line& line = lines[n];
        if (!line.shown) {
            lines_[n]->Show(false);
            continue;
        }
        if (refill) {
            texts_[n]->SetTextF(u"%s", line.text);
            texts_[n]->SetColors(line.colour, 0);
            lines_[n]->Show(true);
            const int32_t width = texts_[n]->MeasureText();
            lines_[n]->SetScale(static_cast<float>(width + kChatBandMargin) / kChatLineWidth, 1.0f);
        }
        lines_[n]->SetAlpha(line.opacity);
    }
}

void RoomChat::Tick(uint32_t nowMs) {
    const uint32_t marks = refresh_.Take();
    Layout(nowMs, (marks & ChatRefresh::kLines) != 0);
    if ((marks & ChatRefresh::kSound) != 0) SceneRoomGame::PlaySound(kChatSound);
}

void RoomChat::ScrollTo(int32_t position, uint32_t nowMs) {
    log_.SetScrollPosition(position);
    Layout(nowMs, true);
}

bool RoomChat::Send(quill::WStringView text, bool rejectSpam) {
    if (connection_.LocalPlayer().IsStatus3Or4()) {
        AddLine(u"Due to language abuse, chatting has been banned.", kRed);
        return true;
    }
    const uint32_t now = platform::TimeGetTime();
    if (spamGuard_.IsTooFast(now) && rejectSpam) {
        AddLine(u"No Spamming!", kYellow);
        return false;
    }
    if (text.empty()) return true;
    if (connection_.IsConnected()) {
        app_.PostEvent(quill::AppEventId::UserActivity, 0, 0, 0);
        if (!connection_.HandleSlashCommand(text)) {
            const bool team = text.front() == kTeamMark;
            if (!team || text.size() > 2) {
                const quill::WString line(team ? text.substr(1) : text);
                sender_.Send([&](quill::Packet& packet) {
                    packet.Init(quill::MessageId::RoomChatSend);
                    packet.WriteU8(team ? 1 : 0);
                    packet.WriteWString(line);
                });
            }
        }
    }
    spamGuard_.Record(now);
    return true;
}

void RoomChat::SubmitInput() {
    if (!box_->GetText().empty() && Send(box_->GetText(), true)) box_->SetText(u"");
    NativeEditBridge::ClearFocus();
}

void RoomChat::ClearInput() {
    box_->SetText(u"");
}

void RoomChat::ColourInputForSeat(uint8_t seat) {
    box_->SetTextColors(SceneRoomGame::kSeatChatColours[seat % SceneRoomGame::kSeatChatColours.size()], 0);
}

void RoomChat::AddRoutes(PacketRouter& routes) {
    routes.Add(quill::MessageId::RoomChat, [this](quill::Packet& packet) { OnRoomChat(packet); });
}

void RoomChat::OnRoomChat(quill::Packet& packet) {
    const std::optional<RoomChatMessage> chat = ReadRoomChat(packet);
    if (!chat) return;
    const auto lineOf = [&](quill::WStringView text) {
        return chat->team == 1 ? quill::Format(u"(Team)%s : %s", chat->nickname, text)
                               : quill::Format(u"%s : %s", chat->nickname, text);
    };
    // A report quotes what was said; the chat box shows it through the word filter when the player has it on.
    received_.push_back(lineOf(chat->text));
    while (received_.size() > kReceivedLines) received_.pop_front();
    AddLine(lineOf(Filtered(chat->text)),
            IsRoomSeat(chat->seat) ? SceneRoomGame::kSeatChatColours[chat->seat] : kWhite);
    if (soundOn_) refresh_.Mark(ChatRefresh::kSound);
}

quill::WString RoomChat::Filtered(quill::WStringView text) {
    if (app_.GetSettings().chatFilter == 0) return quill::WString(text);
    quill::WString copy;
    connection_.CopyAndCensor(text, copy);
    return copy;
}

bool RoomChat::ReportReceived(const std::function<bool(const std::string& block)>& send) {
    std::deque<quill::WString> rest = received_;
    if (!send(RoomReport::TakeLines(rest))) return false;
    received_ = std::move(rest);
    return true;
}

}  // namespace kestrovan
