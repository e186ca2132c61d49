#pragma once
// A message box without a screen. It records every box it is asked to show and answers at once: with the
// next scripted answer when there is one, otherwise with the first button of the box's style (OK, or Yes
// for a Yes/No box). Optionally it writes the caption and text to the console, so that a program running
// without a window still tells its user what the box said.
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/ui/MessageBoxBackend.h"

namespace platform {

struct RecordedMessageBox {
    WindowHandle owner = nullptr;
    WString text;
    WString caption;
    uint32_t style = 0;
    int answer = 0;
};

class HeadlessMessageBox : public MessageBoxBackend {
public:
    explicit HeadlessMessageBox(bool echoToConsole = false);

    int Show(const MessageBoxRequest& request) override;

    // Queues the answer of a later box; answers are used in the order they were scripted.
    void ScriptAnswer(int button);
    std::vector<RecordedMessageBox> Calls() const;

    // The answer given when nothing is scripted: the first button of the style's button set.
    static int DefaultAnswer(uint32_t style);

private:
    int NextAnswer(uint32_t style);
    static void Echo(const MessageBoxRequest& request);

    const bool echoToConsole_;
    mutable std::mutex mutex_;
    std::deque<int> scriptedAnswers_;
    std::vector<RecordedMessageBox> calls_;
};

}  // namespace platform
