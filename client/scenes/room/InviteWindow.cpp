#include "client/scenes/room/InviteWindow.h"

#include <algorithm>

#include "QuillLib/core/Format.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/AwaitedRequest.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/RequestSender.h"
#include "client/scenes/common/SharedScrollArt.h"
#include "client/scenes/room/InviteRow.h"
#include "client/ui/Button.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr const char16_t* kNobody = u"No available users to invite";

}  // namespace

InviteWindow::InviteWindow(Services services) : services_(std::move(services)) {
    Create(0, 0, kWidth, kHeight, -1, -1);
    SetImage(kGameSecondTexture, 121, 648, kWidth, kHeight, 1.0f, 1.0f);
    SetSounds(sound_id::kPopup, 0);
    for (int32_t i = 0; i < InviteList::kRows; ++i) {
        auto row = std::make_unique<InviteRow>(8, 50 + 21 * i, kFirstRowId + i);
        rows_[static_cast<size_t>(i)] = static_cast<InviteRow*>(AddChild(std::move(row), false));
    }
    for (TextLabel** label : {&emptyLabel_, &waitLabel_}) {
        *label = CreateTextLabel(50, 80, 300, 20, &UiFontAt(UiFont::Bold12), 0, 0);
        (*label)->SetColors(0xFFFFFFFF, 0);
        (*label)->SetText(kNobody);
        (*label)->Show(false);
    }
    scrollBar_ =
        ScrollBar::AddTo(*this, {.x = 321, .y = 48, .w = 16, .h = 146, .id = kScrollBarId},
                         SharedScrollArt(14, 146));
    scrollBar_->SetSecondRect(0, 50, 330, 150);
    CreateButton(310, 24, 26, 19, kCloseId, platform::Vk::Escape, kGameSecondTexture, 342, 291);
    const auto addAction = [this](int32_t id, int32_t x, int32_t srcX, const char16_t* caption) {
        Button* button = CreateButton(x, 227, 78, 25, id, -1, kGameSecondTexture, srcX, 291);
        SetCentredCaption(*button, caption);
    };
    addAction(kInviteId, 230, 368, u"Invite");
    addAction(kRefreshId, 50, 446, u"Refresh");
    Show(false);
}

uint32_t InviteWindow::Now() const {
    return services_.clock ? services_.clock() : platform::TimeGetTime();
}

void InviteWindow::OnShow() {
    Window::OnShow();
    list_.Clear();
    for (InviteRow* row : rows_) row->Show(false);
    CentreOnScreen(*this);
    RequestList(Now());
}

// A request that did not go starts no wait: the refresh may ask again at once.
void InviteWindow::RequestList(uint32_t now) {
    emptyLabel_->Show(false);
    if (services_.sender == nullptr) return;
    AwaitedRequest(*services_.sender, services_.notice)
        .SendByte(quill::MessageId::InvitableUsersRequest, 0, [this, now] {
            lastRequestMs_ = now;
            waitLabel_->Show(true);
        });
}

void InviteWindow::OnList(quill::Packet& packet) {
    WidgetToolkit::CheckTreeAccess("InviteWindow::OnList");
    list_.Replace(InviteList::Read(packet), Now());
    waitLabel_->Show(false);
    Refresh();
}

// The rows from the view's first user on, or the empty notice.
void InviteWindow::Refresh() {
    if (list_.Count() == 0) {
        for (InviteRow* row : rows_) row->Show(false);
        emptyLabel_->Show(true);
        return;
    }
    emptyLabel_->Show(false);
    RefreshRows();
}

void InviteWindow::RefreshRows() {
    list_.SetScrollOffset(list_.ScrollOffset());
    scrollBar_->SetRange(list_.ScrollRange());
    scrollBar_->SetPosition(list_.ScrollOffset() - 1, false);
    for (size_t i = 0; i < rows_.size(); ++i) {
        const size_t index = static_cast<size_t>(list_.ScrollOffset() - 1) + i;
        if (index < list_.Count()) {
            rows_[i]->SetUser(list_.At(index));
        } else {
            rows_[i]->Show(false);
        }
    }
}

bool InviteWindow::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id >= kFirstRowId && id < kFirstRowId + InviteList::kRows) {
        const auto row = static_cast<size_t>(id - kFirstRowId);
        list_.Select(static_cast<size_t>(list_.ScrollOffset() - 1) + row, rows_[row]->Toggle()->IsChecked());
        return true;
    }
    switch (id) {
        case kCloseId:
            SetVisible(false);
            return true;
        case kRefreshId: {
            const uint32_t now = Now();
            const uint32_t passed = (now - lastRequestMs_) / 1000;
            if (passed >= kRefreshSeconds) {
                RequestList(now);
            } else if (services_.notice) {
                services_.notice(quill::Format(u"Try again in %d seconds", static_cast<int32_t>(kRefreshSeconds - passed)));
            }
            return true;
        }
        case kInviteId:
            SendInvitations();
            return true;
        case kScrollBarId: {
            list_.SetScrollOffset(a);
            RefreshRows();
            return true;
        }
        default:
            return Window::OnEvent(source, a, b);
    }
}

void InviteWindow::SendInvitations() {
    const std::variant<quill::WString, std::vector<int64_t>> choice = list_.Invite(Now());
    if (std::holds_alternative<std::vector<int64_t>>(choice)) {
        list_.ExpireRecent(Now());
        RefreshRows();
    }
    if (const quill::WString* refusal = std::get_if<quill::WString>(&choice)) {
        if (services_.notice) services_.notice(*refusal);
        return;
    }
    const auto& ids = std::get<std::vector<int64_t>>(choice);
    if (services_.sender == nullptr) return;
    AwaitedRequest(*services_.sender, services_.notice)
        .Send([&ids](quill::Packet& packet) { InviteList::WriteInvitation(packet, ids); }, [this] {
            if (services_.notice) services_.notice(u"Invitation message has been sent.");
        });
}

void InviteWindow::Tick(uint32_t now) {
    Window::Tick(now);
    if (++ticks_ % kExpireEveryTicks != 0) return;
    if (list_.ExpireRecent(Now()) && list_.Count() > 0) RefreshRows();
}

}  // namespace kestrovan
