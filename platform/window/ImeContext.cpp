#include "platform/window/ImeContext.h"

#include "platform/window/MessageIds.h"

namespace platform {

bool ImeContext::NativeConversion() const { return (conversion_ & Ime::ConversionNative) != 0; }

void ImeContext::SetComposition(WStringView text) {
    composing_ = true;
    composition_.assign(text);
    result_.clear();
}

void ImeContext::Commit(WStringView text) {
    composition_.clear();
    result_.assign(text);
}

void ImeContext::EndComposition() {
    composing_ = false;
    composition_.clear();
}

}  // namespace platform
