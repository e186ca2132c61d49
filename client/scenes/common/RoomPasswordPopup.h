#pragma once
// The prompt for a locked room's password (at most 4 characters, shown masked). OK (2050) or Enter in the
// box keeps the text, closes the prompt and posts RoomPasswordEntered (1052); Cancel (2051) only closes it.
// The lobby stores the room number before opening it and reads both back when the event arrives.
//
// Threads: see the table in client/app/Scene.h.
#include <atomic>
#include <cstdint>

#include "QuillLib/core/AppEventId.h"
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class EditBox;

class RoomPasswordPopup : public PopupWindow {
public:
    static constexpr int32_t kMaxLength = 4;

    explicit RoomPasswordPopup(EventPoster poster);

    void SetRoom(uint16_t room) { room_ = room; }
    uint16_t Room() const { return room_; }
    quill::WString Password() const;
    EditBox* Edit() const { return edit_; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    // Centres the prompt, empties the box and gives it the keyboard.
    void OnShow() override;

private:
    void Accept();

    EventPoster poster_;
    EditBox* edit_ = nullptr;
    std::atomic<uint16_t> room_{0};
    quill::WString password_;
};

}  // namespace kestrovan
