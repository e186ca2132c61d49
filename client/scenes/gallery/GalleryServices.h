#pragma once
// What the gallery's windows need of the program: their exchange with the web site, the game server, the
// player's record (own nickname and recommendation stickers), the application's event queue and the shared
// message boxes. The screen fills it from the App, with each window's own exchange; tests give fakes.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>
#include <functional>

#include "QuillLib/core/WString.h"

namespace quill {
class PlayerState;
}

namespace kestrovan {

class GalleryExchange;
class RequestSender;

struct GalleryServices {
    GalleryExchange* exchange = nullptr;
    RequestSender* sender = nullptr;
    quill::PlayerState* player = nullptr;
    // App::PostEvent with the event's first value.
    std::function<void(uint32_t id, uint32_t wParam)> post;
    // The shared box titled "Notice", one line.
    std::function<void(quill::WStringView line)> notice;
    // The shared box titled "Error", up to three lines.
    std::function<void(quill::WStringView, quill::WStringView, quill::WStringView)> error;
};

}  // namespace kestrovan
