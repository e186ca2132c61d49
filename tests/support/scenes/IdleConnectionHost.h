#pragma once
// A game connection's host that asks nothing of the program around it: no scene, no notices, no messenger,
// money in the program's format. For tests that need a GameConnection for its state alone (the player, the
// lists), without an App.
#include "QuillLib/core/CriticalSectionLock.h"
#include "client/connection/ConnectionHost.h"
#include "client/table/SharedUtilities.h"

namespace kvtest {

class IdleConnectionHost : public kestrovan::ConnectionHost {
public:
    kestrovan::ConnectionScene* CurrentScene() override { return nullptr; }
    bool DeliverPacket(quill::MessageId, quill::Packet&) override { return false; }
    quill::Lock& ProfileLock() override { return profileLock_; }
    void PostEvent(kestrovan::ConnectionEvent, uint32_t, uint32_t, uint32_t) override {}
    void ShowNotice(const kestrovan::ConnectionNotice&) override {}
    void OnMessengerChat(quill::Packet&, bool) override {}
    void OnMessengerMessage(quill::MessageId, quill::Packet&) override {}
    void OnSkillSaveResult(quill::Packet&) override {}
    void RefreshMessengerLists() override {}
    void OnFriendRemoved(uint8_t, const quill::PlayerState&) override {}
    void OnClanMemberJoined(const quill::PlayerState&) override {}
    void OnClanMemberLeft(const quill::PlayerState&) override {}
    void OnMemberPresence(uint8_t, const quill::PlayerState&, bool) override {}
    void ShowInvitation(const kestrovan::Invitation&) override {}
    bool FindCueStatistics(uint32_t, kestrovan::CueStatistics&) override { return false; }
    bool CensorWords(char16_t*, size_t) override { return false; }
    quill::WString FormatMoney(int64_t value) override { return kestrovan::FormatMoney(value); }

private:
    quill::CriticalSectionLock profileLock_;
};

}  // namespace kvtest
