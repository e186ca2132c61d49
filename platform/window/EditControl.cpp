#include "platform/window/EditControl.h"

#include <algorithm>
#include <cstdlib>

#include "platform/window/MessageIds.h"
#include "platform/window/VirtualKey.h"
#include "platform/window/Window.h"

namespace platform {
namespace {

constexpr char16_t kSelectAll = 1;  // Ctrl+A
constexpr char16_t kCopy = 3;       // Ctrl+C
constexpr char16_t kBackspace = 8;
constexpr char16_t kPaste = 22;  // Ctrl+V
constexpr char16_t kCut = 24;    // Ctrl+X
constexpr char16_t kFirstPrintable = 32;
constexpr char16_t kDeleteCharacter = 127;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

EditControl::EditControl(Window& window) : window_(window), ime_(window.Ime()) {}

void EditControl::SetText(WStringView text) {
    text_.assign(text);
    composition_.clear();
    caret_ = anchor_ = 0;
}

WString EditControl::Text() const {
    WString text = text_;
    text.insert(caret_, composition_);
    return text;
}

EditControl::Selection EditControl::GetSelection() const {
    if (!composition_.empty()) {
        const size_t end = caret_ + composition_.size();
        return Selection{end, end};
    }
    return Selection{std::min(caret_, anchor_), std::max(caret_, anchor_)};
}

void EditControl::SetSelection(long start, long end) {
    if (start < 0) {
        anchor_ = caret_;
        return;
    }
    const size_t length = text_.size();
    anchor_ = std::min(static_cast<size_t>(start), length);
    caret_ = end < 0 ? length : std::min(static_cast<size_t>(end), length);
}

void EditControl::ReplaceSelection(WStringView text) {
    DeleteSelection();
    Insert(text);
}

size_t EditControl::CharFromPos(int x) const {
    if (!measure_) {
        return 0;
    }
    const WString text = Text();
    size_t best = 0;
    int bestDistance = std::abs(x);
    for (size_t i = 1; i <= text.size(); ++i) {
        const int distance = std::abs(measure_(WStringView(text).substr(0, i)) - x);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void EditControl::SetFont(TextMeasure measure) { measure_ = std::move(measure); }

LResult EditControl::HandleMessage(const Message& message) {
    switch (message.id) {
        case Msg::Char:
            OnCharacter(static_cast<char16_t>(message.wParam));
            break;
        case Msg::KeyDown:
            OnKeyDown(static_cast<uint8_t>(message.wParam));
            break;
        case Msg::ImeComposition:
            OnComposition(message);
            break;
        case Msg::ImeEndComposition:
            composition_.clear();
            break;
        default:
            break;
    }
    return 0;
}

void EditControl::OnCharacter(char16_t character) {
    switch (character) {
        case kSelectAll:
            anchor_ = 0;
            caret_ = text_.size();
            return;
        case kCopy:
            Copy();
            return;
        case kPaste:
            Paste();
            return;
        case kCut:
            Cut();
            return;
        case kBackspace:
            if (caret_ == anchor_ && caret_ > 0) {
                anchor_ = caret_ - (caret_ >= 2 && IsLowSurrogate(text_[caret_ - 1]) ? 2 : 1);
            }
            DeleteSelection();
            return;
        default:
            break;
    }
    if (character < kFirstPrintable || character == kDeleteCharacter) {
        return;
    }
    DeleteSelection();
    Insert(WStringView(&character, 1));
}

void EditControl::OnKeyDown(uint8_t vk) {
    const bool shift = window_.Keys().IsDown(Vk::Shift);
    const bool control = window_.Keys().IsDown(Vk::Control);
    switch (vk) {
        case Vk::Left:
            if (caret_ != anchor_ && !shift) {
                MoveCaret(std::min(caret_, anchor_), false);
            } else if (caret_ > 0) {
                MoveCaret(control ? WordBoundary(caret_, false) : caret_ - 1, shift);
            }
            break;
        case Vk::Right:
            if (caret_ != anchor_ && !shift) {
                MoveCaret(std::max(caret_, anchor_), false);
            } else if (caret_ < text_.size()) {
                MoveCaret(control ? WordBoundary(caret_, true) : caret_ + 1, shift);
            }
            break;
        case Vk::Home:
            MoveCaret(0, shift);
            break;
        case Vk::End:
            MoveCaret(text_.size(), shift);
            break;
        case Vk::Delete:
            if (caret_ == anchor_ && caret_ < text_.size()) {
                anchor_ = caret_ + (IsHighSurrogate(text_[caret_]) && caret_ + 1 < text_.size() ? 2 : 1);
            }
            if (shift) {
                Cut();
            } else {
                DeleteSelection();
            }
            break;
        case Vk::Insert:
            if (control) {
                Copy();
            } else if (shift) {
                Paste();
            }
            break;
        default:
            break;
    }
}

void EditControl::OnComposition(const Message& message) {
    if (!ime_.NativeConversion()) {
        composition_.clear();
        return;
    }
    if ((message.lParam & Ime::ResultString) != 0) {
        composition_.clear();
        DeleteSelection();
        Insert(ime_.ResultString());
        return;
    }
    if ((message.lParam & Ime::CompositionString) != 0) {
        if (composition_.empty()) {
            DeleteSelection();  // typing over a selection replaces it
        }
        composition_ = ime_.CompositionString();
    }
}

void EditControl::MoveCaret(size_t position, bool extend) {
    // Never between the halves of a surrogate pair.
    if (position > 0 && position < text_.size() && IsLowSurrogate(text_[position])) {
        position += position > caret_ ? 1 : -1;
    }
    caret_ = position;
    if (!extend) {
        anchor_ = caret_;
    }
}

void EditControl::DeleteSelection() {
    const Selection selection{std::min(caret_, anchor_), std::max(caret_, anchor_)};
    text_.erase(selection.start, selection.end - selection.start);
    caret_ = anchor_ = selection.start;
}

void EditControl::Insert(WStringView text) {
    text_.insert(caret_, text);
    caret_ += text.size();
    anchor_ = caret_;
}

void EditControl::Copy() {
    const Selection selection = GetSelection();
    if (selection.end > selection.start) {
        window_.SetClipboardText(WStringView(text_).substr(selection.start, selection.end - selection.start));
    }
}

void EditControl::Cut() {
    Copy();
    DeleteSelection();
}

void EditControl::Paste() {
    WString pasted = window_.GetClipboardText();
    // One line: the box shows one, and its owner acts on Enter itself.
    std::replace_if(pasted.begin(), pasted.end(), [](char16_t unit) { return unit == u'\r' || unit == u'\n'; }, u' ');
    ReplaceSelection(pasted);
}

size_t EditControl::WordBoundary(size_t from, bool forward) const {
    auto isSpace = [this](size_t i) { return text_[i] == u' ' || text_[i] == u'\t'; };
    size_t i = from;
    if (forward) {
        while (i < text_.size() && !isSpace(i)) ++i;
        while (i < text_.size() && isSpace(i)) ++i;
    } else {
        while (i > 0 && isSpace(i - 1)) --i;
        while (i > 0 && !isSpace(i - 1)) --i;
    }
    return i;
}

}  // namespace platform
