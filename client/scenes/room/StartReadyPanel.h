#pragma once
// The room's bottom-right panel with which a player picks a seat (1 to 6 play, 0 watches), declares himself
// ready, and with which the room master starts the game. It sends nothing itself: each choice is posted as an
// application event (SlotSelected when the seat needs more money than the player has, SlotChosen,
// RoomToggleChanged, StartReadyPressed) that the room turns into a request; the room drives it back from the
// server's answers (the seat granted, who is master, game start and end).
//
// Threads: only a screen's entries call it (client/app/Scene.h); the seat and the flags are atomic.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>

#include "QuillLib/core/WString.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/ui/Image.h"

namespace kestrovan {

class Button;
class GameConnection;

class StartReadyPanel : public Image {
public:
    static constexpr int32_t kSeatCount = 7;
    static constexpr int32_t kFirstSeatId = 80;  // + seat
    static constexpr int32_t kReadyId = 11;
    static constexpr int32_t kStartId = 12;
    static constexpr int32_t kWidth = 240;
    static constexpr int32_t kHeight = 56;
    static constexpr int16_t kTournamentChannel = 8;

    // notice shows the shared notice box.
    StartReadyPanel(GameConnection& connection, AppEventPoster poster,
                    std::function<void(quill::WStringView)> notice);

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    void Tick(uint32_t now) override;

    void SetMasterFlag(bool master) { master_ = master; }
    // The master sees Start, the others Ready (released when resetReady); a watcher's Ready is disabled.
    void SetMaster(bool resetReady);
    void SetStartEnabled(bool on);
    void OnGameStart();
    void OnGameEnd();
    // The seat the server granted.
    void SetSeat(int32_t seat);
    int32_t Seat() const { return seat_; }
    void Refresh();
    void ShowPanel();
    void EnableAll();
    // At (width - 370, height - 80).
    void Place(int32_t width, int32_t height);
    bool GameRunning() const { return gameRunning_; }

    Button* SeatButton(int32_t seat) const { return seatButtons_[static_cast<size_t>(seat)]; }
    Button* ReadyButton() const { return ready_; }
    Button* StartButton() const { return start_; }
    Image* Hint() const { return hint_; }

private:
    void ChooseSeat(int32_t seat);
    void PressSeats(int32_t seat);
    void OnReady();

    GameConnection& connection_;
    AppEventPoster poster_;
    std::function<void(quill::WStringView)> notice_;
    std::array<Button*, kSeatCount> seatButtons_{};
    Button* ready_ = nullptr;
    Button* start_ = nullptr;
    Image* hint_ = nullptr;
    std::atomic<bool> master_{false};
    std::atomic<int32_t> seat_{-1};
    std::atomic<bool> gameRunning_{false};
};

}  // namespace kestrovan
