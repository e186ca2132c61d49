#include "client/app/DirectInputMouse.h"

#include <algorithm>

namespace kestrovan {

DirectInputMouse::~DirectInputMouse() {
    released_ = true;
    if (window_ != nullptr && device_) {
        window_->SetRawMouseSink(nullptr);
    }
}

uint32_t DirectInputMouse::Create(platform::Window& window) {
    window_ = &window;
    if (!useDirectInput_) {
        return 0;
    }
    device_ = std::make_unique<platform::Mouse>();
    device_->SetBufferSize(buffered_ ? kBufferRecords : 0);
    window.SetRawMouseSink(device_.get());
    device_->OnForegroundChanged(window.IsActive());
    device_->Acquire();  // in the background it is acquired on the first read in the foreground
    return 0;
}

MouseMotion DirectInputMouse::Update() {
    if (released_) {
        return {};
    }
    return useDirectInput_ ? Read() : ReadCursor();
}

MouseMotion DirectInputMouse::UpdateBeforeRelease() {
    if (device_ && useDirectInput_) device_->DeliverReceived();
    return Update();
}

void DirectInputMouse::ForgetEarlierMotion() {
    if (useDirectInput_) {
        if (device_) device_->Discard();
    } else if (window_ != nullptr) {
        lastCursor_ = window_->GetCursorPos();
    }
}

void DirectInputMouse::SetCursorCentre(int x, int y) {
    if (useDirectInput_ || window_ == nullptr) {
        return;
    }
    centre_ = platform::PixelPoint{x, y};
    window_->SetCursorPos(centre_);
}

MouseMotion DirectInputMouse::Read() {
    eventCount_ = 0;
    MouseMotion motion;
    if (!device_) {
        return motion;
    }
    size_t count = 0;
    const uint32_t result = device_->GetDeviceData(records_, count);
    if (result != platform::MouseResult::Ok) {
        // Lost input is regained by acquiring again, once per tick: a window in the background cannot
        // take the device back, and the next tick tries anew.
        device_->Acquire();
        return motion;
    }
    if (count == 0) {
        return motion;
    }
    if (!buffered_) {
        eventCount_ = 1;
        return motion;
    }
    const auto first = records_.begin();
    const auto last = first + static_cast<std::ptrdiff_t>(count);
    std::sort(first, last, [](const platform::MouseRecord& a, const platform::MouseRecord& b) {
        return static_cast<int32_t>(a.sequence - b.sequence) < 0;
    });
    for (auto record = first; record != last; ++record) {
        ++eventCount_;
        if (record->offset == platform::MouseOffset::X) {
            motion.dx += record->data;
        } else if (record->offset == platform::MouseOffset::Y) {
            motion.dy += record->data;
        } else if (record->offset == platform::MouseOffset::Wheel) {
            motion.wheel += record->data;
        }
    }
    return motion;
}

MouseMotion DirectInputMouse::ReadCursor() {
    if (!captured_ || paused_ || window_ == nullptr) {
        return {};
    }
    const platform::PixelPoint position = window_->GetCursorPos();
    const MouseMotion motion{position.x - lastCursor_.x, position.y - lastCursor_.y, 0};
    if (motion.dx == 0 && motion.dy == 0) {
        return motion;
    }
    lastCursor_ = centre_;
    window_->SetCursorPos(centre_);
    return motion;
}

}  // namespace kestrovan
