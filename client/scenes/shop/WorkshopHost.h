#pragma once
// What the cue workshop's windows need of the screen that holds them: the local player (balances, level,
// inventory; read under its lock), the requests whose answers it waits for, notices, the confirmation on one of the two shared
// message boxes, application events, and raising a window above the others.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>

#include "QuillLib/core/WString.h"

namespace quill {
class Packet;
class PlayerState;
}  // namespace quill

namespace kestrovan {

class Widget;

// A confirmation: on OK the box posts event with value.
struct WorkshopQuestion {
    bool secondBox = false;
    quill::WString title;
    std::array<quill::WString, 5> lines;
    uint32_t event = 0;
    uint32_t value = 0;
};

class WorkshopHost {
public:
    virtual ~WorkshopHost() = default;
    virtual quill::PlayerState& Player() = 0;
    // Sends a request whose answer the workshop waits for: the shop's in-progress notice shows once it has gone,
    // the not-sent notice when it did not go (false).
    virtual bool SendAwaited(const std::function<void(quill::Packet&)>& write) = 0;
    // One to four lines on the shared notice box.
    virtual void ShowNotice(std::initializer_list<quill::WStringView> lines) = 0;
    virtual void Ask(const WorkshopQuestion& question) = 0;
    virtual void PostEvent(uint32_t id, uint32_t value) = 0;
    // Brings the window to the front of the screen and shows it.
    virtual void Raise(Widget& window) = 0;
};

}  // namespace kestrovan
