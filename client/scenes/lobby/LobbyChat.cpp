#include "client/scenes/lobby/LobbyChat.h"

#include <memory>

#include "QuillLib/core/Format.h"
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/Settings.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/TextEntry.h"
#include "client/scenes/common/messages/LobbyMessages.h"
#include "client/scenes/lobby/LobbyRules.h"
#include "client/scenes/lobby/LobbyWidgets.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"

namespace kestrovan {


namespace {

constexpr uint32_t kChatSound = 19;

}  // namespace

LobbyChat::LobbyChat(GameConnection& connection, const Settings& settings)
    : connection_(connection), settings_(settings) {}

void LobbyChat::Build(Widget& screen, int32_t scrollId) {
    panel_ = screen.CreateImage(0, 610, 476, 165, lobby_texture::kLobby, 0, 0);
    Anchor();
    channel_ = panel_->CreateTextLabel(120, 8, 200, 18, &UiFontAt(UiFont::Bold12), 0, 0);
    for (size_t k = 0; k < kLines; ++k)
        labels_[k] = panel_->CreateTextLabel(15, 32 + 18 * static_cast<int32_t>(k), 430, 18,
                                             &UiFontAt(UiFont::Regular12), 0, 0);
    input_ = AddTextEntry(*panel_, 17, 140, 375, 18, kInputLength * 2, kWhite, kDarkEntryField);
    // What the box is for, between it and the scroll bar.
    panel_->CreateTextLabel(397, 140, 46, 18, &UiFontAt(UiFont::Regular12), 0, 0)->SetText(u"Chat");
    scroll_ = AddLobbyScrollBar(*panel_, 447, 27, 108, scrollId);
    scroll_->SetSecondRect(4, 30, 466, 130);
}

void LobbyChat::Anchor() {
    panel_->SetAnchor(AnchorMode::Left, 20, AnchorMode::Bottom, -180);
}

void LobbyChat::ApplyFont(const Settings& settings) {
    const FontDesc* font = &UiFontAt(settings.largeChatFont != 0 ? UiFont::Bold14 : UiFont::Regular12);
    for (TextLabel* label : labels_) label->SetFontDesc(font);
}

void LobbyChat::ShowChannel(int32_t channel, quill::WStringView kindSuffix) {
    channel_->SetTextF(u"Ch-%d %s", channel, kindSuffix);
}

void LobbyChat::Enter() {
    log_.SetPosition(1);
    flood_.Clear();
}

bool LobbyChat::Send(quill::WStringView text) {
    if (connection_.LocalPlayer().IsStatus3Or4()) {
        AddLine(u"You are banned from chatting due to language abuse reports.", kRed);
        return true;
    }
    const uint32_t now = platform::TimeGetTime();
    if (flood_.IsTooFast(now)) {
        AddLine(u"No Spamming!", kYellow);
        return false;
    }
    const quill::WString copy = Censored(text);
    if (!connection_.HandleSlashCommand(text)) {
        connection_.SendWritten(
            [&](quill::Packet& packet) { packet.Init(quill::MessageId::LobbyChatSend).WriteWString(copy); });
    }
    flood_.Record(now);
    return true;
}

void LobbyChat::SubmitInput() {
    const quill::WString text = input_->GetText();
    if (!text.empty() && Send(text)) input_->SetText(u"");
}

void LobbyChat::FocusInput() {
    input_->SetFocus(true);
}

quill::WString LobbyChat::Censored(quill::WStringView text) {
    if (settings_.chatFilter == 0) return quill::WString(text);
    quill::WString copy;
    connection_.CopyAndCensor(text, copy);
    return copy;
}

std::vector<LobbyChatLine> LobbyChat::Lines() const {
    return {log_.Lines().begin(), log_.Lines().end()};
}

void LobbyChat::AddLine(quill::WStringView text, uint32_t colour) {
    log_.Append(colour, text);
    scroll_->SetRange(log_.Range());
    scroll_->SetPosition(log_.Position() - 1, false);
    refresh_.Mark(ChatRefresh::kLines | ChatRefresh::kSound);
}

void LobbyChat::Tick() {
    const uint32_t marks = refresh_.Take();
    if ((marks & ChatRefresh::kLines) != 0) RefreshView();
    if ((marks & ChatRefresh::kSound) == 0) return;
    if (quill::SoundManager* sound = quill::SoundManager::Current()) sound->Play(kChatSound, 1.0f, 0, false);
}

void LobbyChat::ScrollTo(int32_t position) {
    log_.SetPosition(position);
    RefreshView();
}

void LobbyChat::RefreshView() {
    WidgetToolkit::CheckTreeAccess("LobbyChat::RefreshView");
    const std::vector<LobbyChatLine> shown = log_.Visible();
    for (size_t k = 0; k < labels_.size(); ++k) {
        TextLabel& label = *labels_[k];
        if (k < shown.size()) {
            label.SetColors(shown[k].colour, 0);
            label.SetText(shown[k].text);
        } else {
            label.SetText(u"");
        }
    }
}

void LobbyChat::OnLobbyChat(quill::Packet& packet) {
    const auto line = ReadLobbyChat(packet);
    if (!line) {
        quill::TheLog().LogError(u"WARNING: lobby chat line dropped\n");
        return;
    }
    AddLine(quill::Format(u"%s : %s", line->nickname, Censored(line->text)), kWhite);
}

void LobbyChat::OnChatBanned(quill::Packet& packet) {
    const auto ban = ReadChatBanned(packet);
    if (!ban) return;
    for (const quill::WString& line : ChatBanLines(ban->kind, ban->nickname)) AddLine(line, kRed);
}

void LobbyChat::OnSystemNotice(quill::Packet& packet) {
    if (const auto text = ReadNoticeText(packet)) AddLine(*text, kRed);
}

void LobbyChat::OnLobbyNotice(quill::Packet& packet) {
    if (const auto result = ReadNoticeByte(packet)) AddLine(*result == 0 ? u"- Cancled" : u"+ Done", kGreen);
}

}  // namespace kestrovan
