// The login screen's side of the conversation with the game server: connecting, logging in, the nickname,
// the channel list and entry, and a game the server still holds for the player. Every handler runs on the
// connection's dispatch thread.
#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/net/FieldReader.h"
#include "client/app/SceneId.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/Settings.h"
#include "client/connection/ConnectionNotice.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/login/LoginMessages.h"
#include "client/scenes/login/LoginTexts.h"
#include "client/scenes/login/NicknameDialog.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/common/PacketRoutes.h"
#include "client/scenes/login/SceneLogin.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"
#include "client/ui/Window.h"
#include "platform/system/Clock.h"

namespace kestrovan {

using quill::MessageId;
using quill::Packet;

namespace {
constexpr uint32_t kVoiceChannel = 2;
constexpr uint8_t kNoNicknameYet = 4;

quill::WString CountText(uint16_t users, uint32_t capacity) {
    return quill::Format(u"%4d/%4d", static_cast<int>(users), static_cast<int>(capacity));
}

}  // namespace

int SceneLogin::OnPacket(MessageId id, Packet& packet) {
    if (const PacketHandler handler = FindPacketHandler(id)) handler(*this, packet);
    return 0;
}

// The login screen's one table from message id to handler.
SceneLogin::PacketHandler SceneLogin::FindPacketHandler(MessageId id) {
    using Login = SceneLogin;
    static constexpr PacketRoute<PacketHandler> kRoutes[] = {
        {MessageId::ConnectionLost, [](Login& login, Packet&) { login.OnConnectionLost(); }},
        {MessageId::ConnectFailed, [](Login& login, Packet& packet) { login.OnConnectFailed(packet); }},
        {MessageId::LoginResult, [](Login& login, Packet& packet) { login.OnLoginResult(packet); }},
        {MessageId::LoginFailed, [](Login& login, Packet& packet) { login.OnLoginFailed(packet); }},
        {MessageId::NicknameCreateResult, [](Login& login, Packet& packet) { login.OnNicknameCreateResult(packet); }},
        {MessageId::ChannelList, [](Login& login, Packet& packet) { login.OnChannelList(packet); }},
        {MessageId::ChannelEnterResult, [](Login& login, Packet& packet) { login.OnChannelEnterResult(packet); }},
        {MessageId::ResumeGameNotice, [](Login& login, Packet& packet) { login.OnResumeGameNotice(packet); }},
        {MessageId::ResumeGame, [](Login& login, Packet& packet) { login.OnResumeGame(packet); }},
        {MessageId::FriendWhere, [](Login& login, Packet& packet) { login.OnFriendWhere(packet); }},
    };
    static_assert(EachIdRoutedOnce(kRoutes), "each message id has one handler");
    return FindPacketRoute(kRoutes, id);
}

void SceneLogin::OnConnectionLost() {
    SetLoginControlsEnabled(true);
    if (loggedIn_) {
        // The program ends as it must once logged in, but only after the player was told why: OK ends it.
        app_.Scenes().ShowBox(this, {u"Error", {u"Connection lost."}, quill::AppEventId::AppQuit},
                              NoticeBox::kLayoutOk);
    } else if (!loginFailure_) {
        app_.Scenes().ShowNoticeBox(this, u"Connection lost..");
    }
}

void SceneLogin::OnConnectFailed(Packet& packet) {
    if (packet.ReadU32() == 0)
        return;
    app_.Scenes().ShowBox(this,
                          {u"Error",
                           {u"Failed to Connected to Server.", u"Check internet connection status..",
                            u"This may occure when server maintanance..", u"Try later..."},
                           quill::AppEventId::AppQuit},
                          NoticeBox::kLayoutOk);
}

void SceneLogin::OnLoginResult(Packet& packet) {
    nicknameDialog_->SetVisible(false);
    const uint8_t result = packet.ReadU8();
    if (result == kNoNicknameYet) {
        if (NoticeBox* box = app_.Scenes().GetMessageBox())
            box->SetVisible(false);
        if (loginWindow_ != nullptr)
            loginWindow_->SetVisible(false);
        if (!nicknameOpenQueued_.exchange(true))
            app_.PostEvent(quill::AppEventId::LoginAccepted, 0, 0, 0);
        return;
    }
    if (result == 0) {
        OnLoggedIn(packet);
        return;
    }
    // Every failure says what failed and gives the controls back, so that the player can try again.
    const LoginResultError error = LoginResultLines(result, result == 1 ? packet.ReadU8() : 0);
    loginFailure_ = true;
    loggedIn_ = false;
    SetLoginControlsEnabled(true);
    app_.Scenes().ShowBox(this, ConnectionNotice::WithLines(u"Error", error.lines, error.okEvent),
                          NoticeBox::kLayoutOk);
}

void SceneLogin::OnLoggedIn(Packet& packet) {
    AccountRecord record;
    if (!AccountRecord::Read(packet, record)) {
        quill::TheLog().LogError(u"WARNING: the account record of LoginResult is cut short; dropped\n");
        return;
    }
    quill::PlayerState& player = connection_.LocalPlayer();
    record.ApplyTo(player);
    // The name the shop's gifts, the school's greeting and the room's own seat go by.
    connection_.SetNickname(record.nickname);
    connection_.SetTaggedText(record.membership, record.membershipText, record.membershipDays);
    connection_.SetValueAndFlag(record.connectionValue, record.connectionFlag);
    Settings& settings = app_.GetSettingsMutable();
    settings.ApplyServerOptions(record.options);
    app_.PostEvent(quill::AppEventId::SetVolume, kVoiceChannel, settings.voiceVolume, 0);
    app_.PostEvent(quill::AppEventId::EnableSoundChannel, kVoiceChannel, settings.voiceOn, 0);
    account_ = record;
    app_.Scenes().ShowBox(this,
                          {u"Notice", {u"Receiving Channel info.. Please wait.."}, quill::AppEventId::LoginNoticeOk},
                          NoticeBox::kLayoutOk);
    loggedIn_ = true;
    messengerButton_->Show(true);
    const char16_t first = record.nickname.empty() ? u' ' : record.nickname[0];
    quill::TheLog().Log(u"Logged on : %c***\n", first);
}

void SceneLogin::OnLoginFailed(Packet& packet) {
    const auto code = static_cast<int32_t>(packet.ReadU32());
    if (code == 0) {
        app_.Scenes().ShowNoticeBox(this, u"what is this");
        return;
    }
    loginFailure_ = true;
    SetLoginControlsEnabled(true);
    app_.Scenes().ShowSecondNoticeBox(this, u"Login Failed...");
    app_.Scenes().ShowBox(this, ConnectionNotice::WithLines(u"Error", LoginFailedLines(code)), NoticeBox::kLayoutOk);
}

void SceneLogin::OnNicknameCreateResult(Packet& packet) {
    const uint8_t result = packet.ReadU8();
    if (result == 0) {
        app_.Scenes().ShowSecondNoticeBox(this, u"Welcome !!", u"Choose a channel to enter lobby..");
    } else {
        app_.Scenes().ShowBox(this, ConnectionNotice::WithLines(u"Error", NicknameResultLines(result)),
                              NoticeBox::kLayoutOk);
    }
    nicknameDialog_->EnableButtons(true);
}

void SceneLogin::OnChannelList(Packet& packet) {
    // The list is read whole first: a list cut short changes nothing.
    std::vector<ChannelRow> list;
    if (!ReadChannelList(packet, list)) {
        quill::TheLog().LogError(u"WARNING: ChannelList is cut short; dropped\n");
        return;
    }
    const uint32_t now = platform::TimeGetTime();
    listTimer_.Arm(now);
    entryTimer_.Arm(now);
    SetChannelControlsEnabled(true);
    if (NoticeBox* box = app_.Scenes().GetMessageBox()) {
        box->SetVisible(false);
        box->Reset();
    }
    if (loginWindow_ != nullptr)
        loginWindow_->SetVisible(false);
    channelWindow_->SetVisible(true);

    const quill::PlayerState& player = connection_.LocalPlayer();
    for (const ChannelRow& row : list)
        connection_.SetChannelKind(row.number, static_cast<int16_t>(row.kind));
    for (size_t i = 0; i < kChannelRows; ++i) {
        if (i < list.size()) {
            ChannelRow row = list[i];
            row.enabled = ChannelRowEnabled(player.age, row.kind);
            FillRow(i, row);
        } else {
            rows_[i].button->Show(false);
        }
    }
    if (selectedRow_ == -1) {
        std::array<ChannelRow, kChannelRows> shown;
        shown = channelRows_;
        const size_t shownCount = std::min(list.size(), kChannelRows);
        const int32_t row = PreselectChannelRow(std::span(shown.data(), shownCount), player.age, player.level);
        if (row >= 0)
            SelectRow(row);
    }
    const JoinWithTarget& target = connection_.JoinTarget();
    if (target.pending != 0 && target.channel >= 1)
        EnterChannel(target.channel - 1);
}

void SceneLogin::FillRow(size_t index, const ChannelRow& row) {
    channelRows_[index] = row;
    RowWidgets& widgets = rows_[index];
    widgets.caption->SetTextF(u"Ch-%d %s", static_cast<int>(row.number) + 1, ChannelKindSuffix(row.kind));
    widgets.count->SetText(CountText(row.users, static_cast<uint32_t>(row.capacity) + row.extra));
    widgets.button->SetEnabled(row.enabled);
    widgets.button->Show(true);
}

void SceneLogin::OnChannelEnterResult(Packet& packet) {
    const auto entry = quill::FieldReader::ReadFields<ChannelEnterResultMessage>(packet);
    const uint8_t result = entry.result;
    const uint8_t channel = entry.channel;
    connection_.LocalPlayer().channel = channel;
    if (result == ChannelEnterResultMessage::kBeyondCapacity || result == ChannelEnterResultMessage::kFull) {
        if (channel >= 1 && channel <= kChannelRows) {
            rows_[channel - 1u].count->SetText(
                CountText(entry.users, static_cast<uint32_t>(entry.capacity) + entry.extra));
        }
        if (result == ChannelEnterResultMessage::kBeyondCapacity) {
            app_.Scenes().ShowBox(this,
                                  {u"Notice",
                                   {u"This channel has exceeded the max capacity.", u"Please use other channels.",
                                    u"초과 입장 서비스 : Kestrovan클럽 멤버십 (최대300명까지)."}},
                                  NoticeBox::kLayoutOk);
        } else {
            app_.Scenes().ShowBox(this, {u"Notice", {u"This channel is full.", u"Please use other channels."}},
                                  NoticeBox::kLayoutOk);
        }
        return;
    }
    if (result != 0)
        return;
    JoinWithTarget& target = connection_.JoinTarget();
    if (target.channel != channel)
        target.Clear();
    quill::TheLog().LogError(u"Trying enter channel : %d\n", static_cast<int>(channel));
    connection_.SetCurrentChannel(channel);
    RequestSceneChange(SceneId::Lobby);
}

void SceneLogin::OnResumeGameNotice(Packet& packet) {
    const auto held = quill::FieldReader::ReadFields<ResumeGameNoticeMessage>(packet);
    const uint8_t channel = held.channel;
    const uint16_t room = held.room;
    const uint8_t answer = 0;
    connection_.SendBytePacket(MessageId::ResumeGameAnswer, &answer);
    app_.Scenes().ShowNoticeBox(this,
                                quill::Format(u"You are in a game in %d room of %d channel..", static_cast<int>(room),
                                              static_cast<int>(channel)),
                                u"You will be automatically connected to the game.",
                                u"Please withdraw after the entrance to end the game.");
    connection_.LocalPlayer().channel = channel;
    connection_.SetCurrentChannel(channel);
}

void SceneLogin::OnResumeGame(Packet& packet) {
    quill::FieldReader io(packet);
    uint32_t result = 0;
    io(result);
    quill::TheLog().LogError(u"Trying resume game :%d", static_cast<int>(result));
    if (result != 0)
        return;
    ResumeGameMessage::HeldRoomLayout(io, connection_.GetRoomInfo());
    if (!io.Holds()) {
        quill::TheLog().LogError(u"WARNING: ResumeGame is cut short; the game is not resumed\n");
        return;
    }
    RequestSceneChange(SceneId::RoomGame);
}

void SceneLogin::OnFriendWhere(Packet& packet) {
    const auto friendWhere = quill::FieldReader::ReadFields<FriendWhereMessage>(packet);
    const quill::WString& nickname = friendWhere.nickname;
    quill::WString where;
    if (friendWhere.online == 0) {
        where = quill::Format(u"대전 상대는 %s 님이며 미접속 상태입니다.", nickname);
    } else {
        const int8_t channel = friendWhere.channel;
        const int16_t room = friendWhere.room;
        if (channel < 1) {
            where = quill::Format(u"%s 님은 현재 접속 상태입니다.", nickname);
        } else if (room < 1) {
            where = quill::Format(u"%s 님은 %d 채널에 있습니다.", nickname, static_cast<int>(channel));
        } else {
            where = quill::Format(u"%s 님은 %d 채널 %d번 방에 있습니다.", nickname, static_cast<int>(channel),
                                  static_cast<int>(room));
        }
    }
    app_.Scenes().ShowSecondNoticeBox(this, u"토너먼트 대회 참가 대상입니다.", where);
}

}  // namespace kestrovan
