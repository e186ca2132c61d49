#pragma once
// The room's invitation window: on opening it asks the server for the users that can be invited
// (InvitableUsersRequest, 1194), lists the answer seven rows at a time, and sends the chosen users'
// ids (InvitePlayers, 1196). A user just invited stays faint for ten seconds; the list may be asked for
// again at most every five seconds.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>
#include <functional>

#include "QuillLib/net/Packet.h"
#include "client/scenes/room/InviteList.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Button;
class InviteRow;
class RequestSender;
class ScrollBar;
class TextLabel;

class InviteWindow : public Window {
public:
    static constexpr int32_t kWidth = 343;
    static constexpr int32_t kHeight = 259;
    static constexpr int32_t kFirstRowId = 100;
    static constexpr int32_t kScrollBarId = 10;
    static constexpr int32_t kInviteId = 2050;
    static constexpr int32_t kRefreshId = 2053;
    static constexpr int32_t kCloseId = 2049;
    static constexpr uint32_t kRefreshSeconds = 5;
    static constexpr uint32_t kExpireEveryTicks = 20;

    struct Services {
        RequestSender* sender = nullptr;
        std::function<void(quill::WStringView text)> notice;  // the shared notice box
        std::function<uint32_t()> clock;                      // the millisecond clock
    };

    explicit InviteWindow(Services services);

    // The server's InvitableUsersList, the packet at its payload.
    void OnList(quill::Packet& packet);

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    void Tick(uint32_t now) override;

    const InviteList& List() const { return list_; }
    InviteRow* Row(size_t index) const { return rows_[index]; }
    TextLabel* EmptyLabel() const { return emptyLabel_; }
    TextLabel* WaitLabel() const { return waitLabel_; }
    ScrollBar* Scroll() const { return scrollBar_; }

private:
    void RequestList(uint32_t now);
    void Refresh();
    void RefreshRows();
    void SendInvitations();
    uint32_t Now() const;

    Services services_;
    std::array<InviteRow*, InviteList::kRows> rows_{};
    TextLabel* emptyLabel_ = nullptr;
    TextLabel* waitLabel_ = nullptr;
    ScrollBar* scrollBar_ = nullptr;
    InviteList list_;
    uint32_t lastRequestMs_ = 0;
    uint32_t ticks_ = 0;
};

}  // namespace kestrovan
