#pragma once
// Turns the backend's input events into the messages Windows sends for the same input, with their exact
// parameters: key messages with repeat count, scan code and state bits (system-key messages while Alt is
// held, for F10, and for Alt itself), characters, mouse messages with button flags, the wheel in steps of
// 120 at the cursor's screen position, size, activation and focus, and the input method's composition.
// It keeps the key-state table and the input method's context up to date as it goes, so both read as they
// would when the message is handled. Main thread only.
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/window/ImeContext.h"
#include "platform/window/InputEvent.h"
#include "platform/window/KeyStateTable.h"
#include "platform/window/Message.h"
#include "platform/window/PixelRect.h"
#include "platform/window/RawMouseSink.h"

namespace platform {

// Where the messages of one event go, and how.
struct TranslationTargets {
    WindowId keyboard = kMainWindow;  // the window with the keyboard focus
    WindowId mouse = kMainWindow;
    PixelPoint clientOrigin;          // the client area's top-left on the screen
    bool doubleClicks = false;        // the window asked for double-click messages
};

class MessageTranslator {
public:
    MessageTranslator(KeyStateTable& keys, ImeContext& ime);

    void SetRawMouseSink(RawMouseSink* sink) { rawMouse_ = sink; }
    void SetClientSize(int width, int height);

    // Appends the messages of event to out, in the order Windows sends them.
    void Translate(const InputEvent& event, const TranslationTargets& targets, std::vector<Message>& out);

    // The character Windows' TranslateMessage makes of a key-down that the text input does not report:
    // Backspace, Tab, Enter and Escape, and Ctrl with a letter (1 to 26). Nothing for other keys.
    static std::optional<Message> ControlCharacterFor(const Message& keyDown, const KeyStateTable& keys);


private:
    void TranslateKeyDown(const InputEvent& event, const TranslationTargets& targets, std::vector<Message>& out);
    void TranslateKeyUp(const InputEvent& event, const TranslationTargets& targets, std::vector<Message>& out);
    void TranslateText(const InputEvent& event, const TranslationTargets& targets, std::vector<Message>& out);
    void TranslateComposition(const InputEvent& event, const TranslationTargets& targets,
                              std::vector<Message>& out);
    void TranslateButton(const InputEvent& event, const TranslationTargets& targets, std::vector<Message>& out);
    void TranslateWheel(const InputEvent& event, const TranslationTargets& targets, std::vector<Message>& out);
    void TranslateFocus(bool gained, const InputEvent& event, const TranslationTargets& targets,
                        std::vector<Message>& out);

    void PressModifier(const InputEvent& event);
    void ReleaseModifier(const InputEvent& event);
    uint32_t MouseKeyFlags() const;
    LParam ClientSizeLParam() const;

    KeyStateTable& keys_;
    ImeContext& ime_;
    RawMouseSink* rawMouse_ = nullptr;
    PixelPoint cursor_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    LParam lastKeyLParam_ = 1;  // characters carry the lParam of the key that typed them
    bool altAlone_ = false;     // Alt went down and no other key since: its release is a system key
};

}  // namespace platform
