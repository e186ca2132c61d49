// The thread contract's checks: an entry on a thread it is not meant for, and a change of the widget tree by a
// program thread that does not hold the widget-tree lock (a worker the program started too), are reported;
// threads that are none of the program's are left alone.
#include "client/app/ThreadContract.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/ScopedLock.h"

namespace kestrovan {
namespace {

class ThreadContractTest : public ::testing::Test {
protected:
    ThreadContractTest() {
        contract.SetFailureHandler([this](const std::string& line) { failures.push_back(line); });
    }
    // Runs body on a thread of its own that registers as the given program thread.
    void OnThread(ProgramThread thread, const std::function<void()>& body) {
        std::thread([&] {
            contract.Register(thread);
            body();
            contract.Unregister(thread);
        }).join();
    }

    quill::CriticalSectionLock tree;
    ThreadContract contract{tree};
    std::vector<std::string> failures;
};

TEST_F(ThreadContractTest, EntriesOnTheWrongProgramThreadAreReported) {
    if (!ThreadContract::kChecked) GTEST_SKIP() << "the checks are off in this build";
    contract.ExpectThread({ProgramThread::Main}, "Render");
    EXPECT_TRUE(failures.empty()) << "a test's own thread drives the screens as the main thread would";
    OnThread(ProgramThread::Dispatch, [&] {
        EXPECT_EQ(contract.Current(), ProgramThread::Dispatch);
        contract.ExpectThread({ProgramThread::Dispatch}, "a server message");
        contract.ExpectThread({ProgramThread::Main}, "Render");
    });
    OnThread(ProgramThread::Game, [&] { contract.ExpectThread({ProgramThread::Game, ProgramThread::Main}, "Update"); });
    EXPECT_EQ(failures, std::vector<std::string>{"Render ran on the dispatch thread"});
    EXPECT_EQ(contract.Current(), ProgramThread::Other) << "the thread ended its part";
}

TEST_F(ThreadContractTest, AProgramThreadChangesWidgetsOnlyUnderTheLock) {
    if (!ThreadContract::kChecked) GTEST_SKIP() << "the checks are off in this build";
    contract.ExpectWidgetTreeHeld("SetVisible");
    OnThread(ProgramThread::Dispatch, [&] {
        contract.ExpectWidgetTreeHeld("SetVisible");
        quill::ScopedLock hold(tree);
        contract.ExpectWidgetTreeHeld("SetText");
    });
    OnThread(ProgramThread::Main, [&] {
        std::thread([&] { quill::ScopedLock other(tree); }).join();
        contract.ExpectWidgetTreeHeld("AddChild");
    });
    // A thread the program started for work of its own (a web exchange, say) is held to the rule unregistered.
    platform::Thread worker;
    worker.Start([&] { contract.ExpectWidgetTreeHeld("Show"); });
    worker.Join();
    EXPECT_EQ(failures, (std::vector<std::string>{"SetVisible ran on the dispatch thread without the widget-tree lock",
                                                  "AddChild ran on the main thread without the widget-tree lock",
                                                  "Show ran on the worker thread without the widget-tree lock"}));
}

}  // namespace
}  // namespace kestrovan
