#pragma once
// Turns the backend's input events into the messages Windows sends for the same input, with their exact
// parameters: key messages with repeat count, scan code and state bits (system-key messages while Alt is
// held, for F10, and for Alt itself), characters, mouse messages with button flags, the wheel in steps of
// 120 at the cursor's screen position, size, activation and focus, and the input method's composition.
// It keeps the key-state table and the input method's context up to date as it goes, so both read as they
// would when the message is handled.
//
// A held key belongs to the window its press went to: its auto-repeats, the characters they type and its
// release go there too, whatever took the keyboard meanwhile. A text entry given the focus while a key is held
// (the game's chat, opened by a click) thus never swallows the release of a key that the game window holds, and
// the game window never sees the release of a key typed into the entry. Characters follow the key press that
// typed them, also when their text event comes after later key events: Alt's state is the press's.
// Main thread only.
#include <array>
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
    // Every event the system had was translated (main thread).
    void InputDrained() {
        if (rawMouse_ != nullptr) rawMouse_->OnInputDrained();
    }
    void SetClientSize(int width, int height);

    // Appends the messages of event to out, in the order Windows sends them.
    void Translate(const InputEvent& event, const TranslationTargets& targets, std::vector<Message>& out);

    // The character Windows' TranslateMessage makes of a key-down that the text input does not report:
    // Backspace, Tab, Enter (10 with Ctrl, a line feed) and Escape, and Ctrl with a letter (1 to 26). Nothing for
    // other keys.
    static std::optional<Message> ControlCharacterFor(const Message& keyDown, const KeyStateTable& keys);

private:
    // A key press whose text has not come yet: its characters go where it went, with its lParam, and as system
    // characters when Alt was held. It waits only while its key is down: text that comes after (an input
    // method's) is no key's and goes to the keyboard's window.
    struct KeyPress {
        WindowId window = kMainWindow;
        LParam lParam = 1;
        bool alt = false;
        uint8_t vk = 0;
    };

    void TranslateKeyDown(const InputEvent& event, const TranslationTargets& targets, std::vector<Message>& out);
    void TranslateKeyUp(const InputEvent& event, const TranslationTargets& targets, std::vector<Message>& out);
    void TranslateText(const InputEvent& event, const TranslationTargets& targets, std::vector<Message>& out);
    void TranslateComposition(const InputEvent& event, const TranslationTargets& targets,
                              std::vector<Message>& out);
    void TranslateButton(const InputEvent& event, const TranslationTargets& targets, std::vector<Message>& out);
    void TranslateWheel(const InputEvent& event, const TranslationTargets& targets, std::vector<Message>& out);
    void TranslateFocus(bool gained, const InputEvent& event, const TranslationTargets& targets,
                        std::vector<Message>& out);

    // Text that no key press waits for (an input method's) goes to the keyboard's window.
    KeyPress UntypedText(const TranslationTargets& targets) const;
    // The window the key's messages go to: where its press went while it is held, else the keyboard's.
    WindowId KeyWindow(uint8_t vk, const TranslationTargets& targets) const;
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
    std::optional<KeyPress> pressToType_;
    LParam lastKeyLParam_ = 1;  // text that comes without a key press (an input method's) carries the last key's
    std::array<WindowId, 256> keyWindows_{};  // per virtual key: where its press went; kNoWindow while it is up
    bool altAlone_ = false;                   // Alt went down and no other key since: its release is a system key
};

}  // namespace platform
