// The App's side of the community: the game connection's friend, clan and chat messages go to the shared
// messenger, the answer to a skill save to the My Info window (on the connection's dispatch thread, under the
// widget-tree lock, as every change of a widget is), once the screens' modules have made them.
#include "QuillLib/core/ScopedLock.h"
#include "client/app/App.h"
#include "client/app/MessengerPopup.h"
#include "client/app/Scene.h"
#include "client/app/SkillPopup.h"

namespace kestrovan {

using quill::ScopedLock;

void App::DispatchThreadStarted() {
    sceneManager_.Threads().Register(ProgramThread::Dispatch);
}

void App::DispatchThreadEnded() {
    sceneManager_.Threads().Unregister(ProgramThread::Dispatch);
}

ConnectionScene* App::CurrentScene() {
    return sceneManager_.Current();
}

void App::OnMessengerChat(quill::Packet& packet, bool echo) {
    ScopedLock tree(sceneManager_.WidgetTreeLock());
    if (MessengerPopup* messenger = sceneManager_.GetMessenger()) messenger->OnChatLine(packet, echo);
}

void App::OnMessengerMessage(quill::MessageId id, quill::Packet& packet) {
    ScopedLock tree(sceneManager_.WidgetTreeLock());
    if (MessengerPopup* messenger = sceneManager_.GetMessenger()) messenger->OnServerMessage(id, packet);
}

void App::OnSkillSaveResult(quill::Packet& packet) {
    ScopedLock tree(sceneManager_.WidgetTreeLock());
    if (SkillPopup* skills = sceneManager_.GetSkillPopup()) skills->OnSkillSaveResult(packet);
}

void App::RefreshMessengerLists() {
    ScopedLock tree(sceneManager_.WidgetTreeLock());
    if (MessengerPopup* messenger = sceneManager_.GetMessenger()) messenger->RefreshMemberList();
}

void App::OnFriendRemoved(uint8_t kind, const quill::PlayerState& record) {
    ScopedLock tree(sceneManager_.WidgetTreeLock());
    if (MessengerPopup* messenger = sceneManager_.GetMessenger()) messenger->OnFriendRemoved(kind, record);
}

void App::OnClanMemberJoined(const quill::PlayerState& record) {
    ScopedLock tree(sceneManager_.WidgetTreeLock());
    if (MessengerPopup* messenger = sceneManager_.GetMessenger()) messenger->OnClanMemberJoined(record);
}

void App::OnClanMemberLeft(const quill::PlayerState& record) {
    ScopedLock tree(sceneManager_.WidgetTreeLock());
    if (MessengerPopup* messenger = sceneManager_.GetMessenger()) messenger->OnClanMemberLeft(record);
}

void App::OnMemberPresence(uint8_t listKind, const quill::PlayerState& record, bool loggedIn) {
    ScopedLock tree(sceneManager_.WidgetTreeLock());
    if (MessengerPopup* messenger = sceneManager_.GetMessenger()) messenger->OnMemberPresence(listKind, record, loggedIn);
}

}  // namespace kestrovan
