// The lobby's channel chat: the checks a typed line passes before it is sent, the lines from the server
// and the notices the lobby writes, and the six-line view. Lines come from the dispatch thread (server
// messages) and the main thread (notices, the chat send); the log and its view are under the screen's lock.
#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/App.h"
#include "client/app/Settings.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/lobby/SceneLobby.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "platform/system/Clock.h"

namespace kestrovan {

using quill::ScopedLock;

namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kYellow = 0xFFFFFF00;
constexpr uint32_t kChatSound = 19;

}  // namespace

bool SceneLobby::SendChat(quill::WStringView text) {
    if (connection_.LocalPlayer().IsStatus3Or4()) {
        AddNoticeLine(u"You are banned from chatting due to language abuse reports.", kRed);
        return true;
    }
    const uint32_t now = platform::TimeGetTime();
    if (flood_.IsFlood(now)) {
        AddNoticeLine(u"No Spamming!", kYellow);
        return false;
    }
    const quill::WString copy = Censored(text);
    if (!connection_.HandleSlashCommand(text)) {
        if (quill::Packet* packet = connection_.AllocPacket()) {
            packet->Init(quill::MessageId::LobbyChatSend).WriteWString(copy);
            connection_.SendPacket(packet);
            connection_.FreePacket(packet);
        }
    }
    flood_.Record(now);
    return true;
}

quill::WString SceneLobby::Censored(quill::WStringView text) {
    if (app_.GetSettings().chatFilter == 0) return quill::WString(text);
    quill::WString copy;
    connection_.CopyAndCensor(text, copy);
    return copy;
}

std::vector<LobbyChatLine> SceneLobby::ChatLines() const {
    ScopedLock hold(lock_);
    return {chat_.Lines().begin(), chat_.Lines().end()};
}

void SceneLobby::AddNoticeLine(quill::WStringView text, uint32_t colour) {
    AddChatLineRecord(colour, text);
}

void SceneLobby::AddChatLineRecord(uint32_t colour, quill::WStringView text) {
    if (quill::SoundManager* sound = quill::SoundManager::Current()) sound->Play(kChatSound, 1.0f, 0, false);
    {
        ScopedLock hold(lock_);
        chat_.Append(colour, text);
        chatScroll_->SetRange(chat_.Range());
        chatScroll_->SetPosition(chat_.Position() - 1, false);
    }
    RefreshChatView();
}

void SceneLobby::RefreshChatView() {
    ScopedLock hold(lock_);
    const std::vector<LobbyChatLine> shown = chat_.Visible();
    for (size_t k = 0; k < chatLabels_.size(); ++k) {
        TextLabel& label = *chatLabels_[k];
        if (k < shown.size()) {
            label.SetColors(shown[k].colour, 0);
            label.SetText(shown[k].text);
        } else {
            label.SetText(u"");
        }
    }
}

}  // namespace kestrovan
