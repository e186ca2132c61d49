#pragma once
// The input method's state for the main window, Windows' input context: the composition being typed, the
// text it last committed and the conversion mode (native characters, such as Hangul, or alphanumeric).
// Read by whoever handles the composition messages, on the main thread only.
#include <cstdint>

#include "platform/system/WString.h"

namespace platform {

class ImeContext {
public:
    bool Composing() const { return composing_; }
    const WString& CompositionString() const { return composition_; }
    const WString& ResultString() const { return result_; }

    // The conversion status bits (Ime::ConversionNative, Ime::ConversionKatakana). The system's input
    // method cannot be switched from here; with the native bit clear, typed native characters are not
    // taken by the program's edit control (an alphanumeric box stays alphanumeric).
    uint32_t ConversionStatus() const { return conversion_; }
    void SetConversionStatus(uint32_t status) { conversion_ = status; }
    bool NativeConversion() const;

    // Kept by the window layer as the backend reports composition.
    void SetComposition(WStringView text);
    void Commit(WStringView text);
    void EndComposition();

private:
    bool composing_ = false;
    WString composition_;
    WString result_;
    uint32_t conversion_ = 1;  // native
};

}  // namespace platform
