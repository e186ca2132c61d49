// Throughput of the window layer's queue: messages per second on the main thread.
//   TranslateAndDispatch  SDL events (a key press with its character and release, a mouse move, a wheel step)
//                         converted as the SDL backend converts them, translated into messages and dispatched
//                         with the main loop's TranslateMessage, on a headless window.
//   PostAndDispatch       messages posted by the main thread itself and dispatched.
//   PostFromAnotherThread a second thread posts while the main thread takes and dispatches.
#include <benchmark/benchmark.h>

#include <SDL_events.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "platform/window/MessageIds.h"
#include "platform/window/Window.h"
#include "platform/window/headless/HeadlessWindowBackend.h"
#include "platform/window/sdl/SdlEventConverter.h"

namespace {

using platform::Message;

struct BenchWindow {
    BenchWindow() {
        auto owned = std::make_unique<platform::HeadlessWindowBackend>();
        backend = owned.get();
        window = std::make_unique<platform::Window>(std::move(owned));
        platform::WindowDesc desc;
        desc.rect = platform::PixelRect{0, 0, 1024, 768};
        window->Create(desc);
        window->SetProcedure(platform::kMainWindow, [this](const Message& m) {
            ++dispatched;
            return static_cast<platform::LResult>(m.id);
        });
    }

    // Takes and dispatches every message; returns how many there were.
    int64_t Pump() {
        int64_t count = 0;
        Message m;
        while (window->PeekMessage(m)) {
            window->TranslateMessage(m);
            window->DispatchMessage(m);
            ++count;
        }
        return count;
    }

    platform::HeadlessWindowBackend* backend = nullptr;
    std::unique_ptr<platform::Window> window;
    int64_t dispatched = 0;
};

std::vector<SDL_Event> TypicalEvents() {
    std::vector<SDL_Event> events(5);
    events[0].type = SDL_KEYDOWN;
    events[0].key.keysym.scancode = SDL_SCANCODE_A;
    events[0].key.keysym.sym = SDLK_a;
    events[1].type = SDL_TEXTINPUT;
    events[1].text.text[0] = 'a';
    events[2].type = SDL_KEYUP;
    events[2].key.keysym.scancode = SDL_SCANCODE_A;
    events[2].key.keysym.sym = SDLK_a;
    events[3].type = SDL_MOUSEMOTION;
    events[3].motion.x = 300;
    events[3].motion.y = 200;
    events[3].motion.xrel = 2;
    events[4].type = SDL_MOUSEWHEEL;
    events[4].wheel.y = 1;
    events[4].wheel.preciseY = 1.0f;
    return events;
}

void TranslateAndDispatch(benchmark::State& state) {
    BenchWindow bench;
    const platform::SdlEventConverter converter;
    const std::vector<SDL_Event> events = TypicalEvents();
    int64_t messages = 0;
    std::vector<platform::InputEvent> inputs;
    for (auto _ : state) {
        for (const SDL_Event& event : events) {
            converter.Convert(event, inputs);
        }
        for (platform::InputEvent& input : inputs) {
            bench.backend->Script(std::move(input));
        }
        inputs.clear();
        messages += bench.Pump();
    }
    state.SetItemsProcessed(messages);
}
BENCHMARK(TranslateAndDispatch);

void PostAndDispatch(benchmark::State& state) {
    BenchWindow bench;
    int64_t messages = 0;
    for (auto _ : state) {
        for (int i = 0; i < 64; ++i) {
            bench.window->PostMessage(platform::kMainWindow, platform::Msg::User, static_cast<platform::WParam>(i), 0);
        }
        messages += bench.Pump();
    }
    state.SetItemsProcessed(messages);
}
BENCHMARK(PostAndDispatch);

void PostFromAnotherThread(benchmark::State& state) {
    BenchWindow bench;
    std::atomic<bool> stop{false};
    std::thread poster([&] {
        while (!stop.load(std::memory_order_relaxed)) {
            bench.window->PostMessage(platform::kMainWindow, platform::Msg::User, 0, 0);
        }
    });
    int64_t messages = 0;
    for (auto _ : state) {
        messages += bench.Pump();
    }
    stop = true;
    poster.join();
    state.SetItemsProcessed(messages);
}
BENCHMARK(PostFromAnotherThread)->UseRealTime();

}  // namespace
