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

void DirectInputMouse::Update() {
    if (released_) {
        return;
    }
    if (useDirectInput_) {
        Read();
        return;
    }
    ReadCursor();
}

void DirectInputMouse::SetCursorCentre(int x, int y) {
    if (useDirectInput_ || window_ == nullptr) {
        return;
    }
    centre_ = platform::PixelPoint{x, y};
    window_->SetCursorPos(centre_);
}

void DirectInputMouse::Read() {
    eventCount_ = 0;
    if (!device_) {
        return;
    }
    dx_ = dy_ = dWheel_ = 0;
    size_t count = 0;
    const uint32_t result = device_->GetDeviceData(records_, count);
    if (result != platform::MouseResult::Ok) {
        // Lost input is regained by acquiring again, once per tick: a window in the background cannot
        // take the device back, and the next tick tries anew.
        device_->Acquire();
        return;
    }
    if (count == 0) {
        return;
    }
    if (!buffered_) {
        eventCount_ = 1;
        return;
    }
    const auto first = records_.begin();
    const auto last = first + static_cast<std::ptrdiff_t>(count);
    std::sort(first, last, [](const platform::MouseRecord& a, const platform::MouseRecord& b) {
        return static_cast<int32_t>(a.sequence - b.sequence) < 0;
    });
    for (auto record = first; record != last; ++record) {
        ++eventCount_;
        if (record->offset == platform::MouseOffset::X) {
            dx_ += record->data;
        } else if (record->offset == platform::MouseOffset::Y) {
            dy_ += record->data;
        } else if (record->offset == platform::MouseOffset::Wheel) {
            dWheel_ += record->data;
        }
    }
}

void DirectInputMouse::ReadCursor() {
    if (!captured_ || paused_ || window_ == nullptr) {
        dx_ = dy_ = 0;
        return;
    }
    const platform::PixelPoint position = window_->GetCursorPos();
    dx_ = position.x - lastCursor_.x;
    dy_ = position.y - lastCursor_.y;
    if (dx_ == 0 && dy_ == 0) {
        return;
    }
    lastCursor_ = centre_;
    window_->SetCursorPos(centre_);
}

}  // namespace kestrovan
