#pragma once
// The once-a-frame refresh of a chat list. A line that comes is kept by its chat at once and only marks what it
// changes (the shown lines, the chat's sound, the chat's own parts); the frame's pass takes the marks, lays the
// list out and plays the sound once for all the lines since the last pass. A flood of lines (the dispatch thread
// brings thousands at once) thus costs one layout and one sound a frame, not one of each per line under the
// widget-tree lock, where they held the game's own messages back.
//
// Threads: any thread marks; the chat's frame pass (the game thread's update, or the main thread's pass) takes.
// A line marked while a pass lays out is laid out by the next pass.
#include <atomic>
#include <cstdint>

namespace kestrovan {

class ChatRefresh {
public:
    static constexpr uint32_t kLines = 1;  // the shown lines and their scroll bar are laid out again
    static constexpr uint32_t kSound = 2;  // a line that rings came: the chat's sound plays once
    static constexpr uint32_t kFirstOwnMark = 4;  // a chat's own marks, from this bit up

    void Mark(uint32_t marks) { marks_.fetch_or(marks, std::memory_order_relaxed); }
    // What came since the last pass, cleared; 0 when nothing did.
    uint32_t Take() { return marks_.exchange(0, std::memory_order_relaxed); }

private:
    std::atomic<uint32_t> marks_{0};
};

}  // namespace kestrovan
