#pragma once
// An App on the shell's headless backends, initialised up to its window (so the widget toolkit and the game
// connection exist) but with no main loop: the screens under test are built, driven and checked on the test
// thread, which plays the program's main thread from the App's start to its end. Held to the thread contract
// as the main thread is, it changes a widget or enters a screen only under the widget-tree lock, through
// MainThreadTurn or the scene manager's entry points; anything else ends the test with "Thread contract
// broken".
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/net/Packet.h"
#include "client/app/App.h"
#include "client/ui/Widget.h"
#include "tests/client/app/AppFixture.h"

namespace kestrovan::test {

class SceneTestApp : public ::testing::Test {
protected:
    explicit SceneTestApp(AppMode mode = AppMode::Offline, std::initializer_list<const char16_t*> words = {u"offline"});
    ~SceneTestApp() override;

    // One turn of the main thread: the widget-tree lock held for the scope, as the main loop holds it for each
    // entry it makes into the screens. A test that drives its windows alone takes one turn for its whole body;
    // one that waits for the dispatch thread takes one for each step between its waits (a wait inside a turn
    // keeps every server message out).
    [[nodiscard]] quill::ScopedLock MainThreadTurn();

    // Polls a condition that another thread (the dispatch thread, say) makes true, within a generous bound.
    // Each look is a turn of the main thread: once the condition holds, the handler that made it true has
    // ended. pass, when given, runs before each look (a pass of the main loop).
    bool Eventually(const std::function<bool()>& condition, const std::function<void()>& pass = {});

    // A control's event delivered as routed input delivers it: in a turn of the main thread. The dispatch
    // thread takes the tree's lock before a screen's own, so an event without it could take the screen's lock
    // first and then wait for the tree's while a packet holds the tree and waits for the screen's.
    bool Routed(Widget& target, Widget* source, int32_t a, int32_t b);

    // The message as the server would send it, dispatched as the connection dispatches what it receives
    // (GameConnection::Dispatch, the connection's handlers, SceneManager::DeliverPacket): the test's thread
    // plays the dispatch thread for it. Only for a test whose connection runs no dispatch thread of its own;
    // the others have the stand-in server send it.
    void Receive(quill::Packet message);

    HeadlessApp fixture;
    App app;
};

}  // namespace kestrovan::test
