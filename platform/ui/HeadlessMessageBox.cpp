#include "platform/ui/HeadlessMessageBox.h"

#include <string>

#include "platform/system/CodePage.h"
#include "platform/system/Console.h"
#include "platform/ui/MessageBox.h"

namespace platform {

HeadlessMessageBox::HeadlessMessageBox(bool echoToConsole) : echoToConsole_(echoToConsole) {}

int HeadlessMessageBox::Show(const MessageBoxRequest& request) {
    if (echoToConsole_) {
        Echo(request);
    }
    std::lock_guard lock(mutex_);
    const int answer = NextAnswer(request.style);
    calls_.push_back(
        RecordedMessageBox{request.owner, WString(request.text), WString(request.caption), request.style, answer});
    return answer;
}

void HeadlessMessageBox::ScriptAnswer(int button) {
    std::lock_guard lock(mutex_);
    scriptedAnswers_.push_back(button);
}

std::vector<RecordedMessageBox> HeadlessMessageBox::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

int HeadlessMessageBox::DefaultAnswer(uint32_t style) {
    return (style & MsgBoxStyle::ButtonMask) == MsgBoxStyle::YesNo ? MsgBoxResult::Yes : MsgBoxResult::Ok;
}

int HeadlessMessageBox::NextAnswer(uint32_t style) {
    if (scriptedAnswers_.empty()) {
        return DefaultAnswer(style);
    }
    const int answer = scriptedAnswers_.front();
    scriptedAnswers_.pop_front();
    return answer;
}

void HeadlessMessageBox::Echo(const MessageBoxRequest& request) {
    std::string line = Utf16ToUtf8(request.caption);
    line += ": ";
    line += Utf16ToUtf8(request.text);
    line += '\n';
    ConsoleWrite(line);
}

}  // namespace platform
