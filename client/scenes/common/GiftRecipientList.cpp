#include "client/scenes/common/GiftRecipientList.h"

#include <utility>

#include "QuillLib/core/ScopedLock.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/connection/MemberDirectories.h"
#include "client/scenes/common/SharedScrollArt.h"
#include "client/ui/Button.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {

namespace {

constexpr int32_t kRowTileX = 0;
constexpr int32_t kRowTileY = 446;
constexpr int32_t kBarWidth = 14;
constexpr int32_t kStepHeight = 17;
constexpr uint32_t kRowColour = 0xFF000000;

}  // namespace

GiftRecipientList::GiftRecipientList(MemberDirectories& members, std::function<void()> showEmpty)
    : members_(members), showEmpty_(std::move(showEmpty)) {
    const int32_t height = kRowHeight * static_cast<int32_t>(kRows);
    Create(0, 0, kRowWidth + kBarWidth, height, -1, -1);
    MakePopup();
    for (size_t i = 0; i < kRows; ++i) {
        Button* row = CreateButton(0, kRowHeight * static_cast<int32_t>(i), kRowWidth, kRowHeight,
                                   kFirstRowId + static_cast<int32_t>(i), -1, kCommonTexture, kRowTileX, kRowTileY);
        row->SetFrameCount(1);
        row->AddLabel(&UiFontAt(UiFont::Regular12), 0, kRowColour, 0, -4);
        rows_[i] = row;
    }
    // The step buttons above and below the rows wear the scroll bars' step faces, stretched to the rows' width.
    const float across = static_cast<float>(kRowWidth) / kBarWidth;
    up_ = CreateButton(0, -kStepHeight, kRowWidth, kStepHeight, kUpId, -1, kCommonTexture, 609, 0, kBarWidth,
                       kStepHeight, across, 1.0f);
    down_ = CreateButton(0, height, kRowWidth, kStepHeight, kDownId, -1, kCommonTexture, 623, 0, kBarWidth,
                         kStepHeight, across, 1.0f);
    scrollBar_ = ScrollBar::AddTo(*this, {.x = kRowWidth, .w = kBarWidth, .h = height, .id = kScrollBarId},
                                  SharedScrollArt(kBarWidth, 150));
    Show(false);
}

std::optional<GiftRecipientList::Member> GiftRecipientList::Selected() const {
    return selected_;
}

quill::WString GiftRecipientList::RowNickname(size_t row) const {
    return row < kRows && rows_[row]->IsVisible() ? shown_[row].nickname : quill::WString();
}

void GiftRecipientList::SetVisible(bool visible) {
    if (visible) {
        selected_.reset();
        pager_.Reset();
        scrollBar_->SetPosition(0, false);
        Refresh();
        if (count_ == 0) {
            if (showEmpty_) showEmpty_();
            return;
        }
    }
    Window::SetVisible(visible);
}

void GiftRecipientList::Refresh() {
    quill::UserDirectory& directory = kind_ == kClanMembers ? members_.ClanMembers() : members_.Friends();
    WidgetToolkit::CheckTreeAccess("GiftRecipientList::Refresh");
    size_t shown = 0;
    {
        quill::ScopedLock list(directory.GetLock());
        count_ = static_cast<int32_t>(directory.Records().size());
        int32_t number = 0;
        for (const auto& [id, record] : directory.Records()) {
            if (++number < pager_.First() || shown == kRows) continue;
            shown_[shown] = {record->userId, record->name};
            ++shown;
        }
    }
    for (size_t i = 0; i < kRows; ++i) {
        rows_[i]->Show(i < shown);
        rows_[i]->SetCaption(i < shown ? shown_[i].nickname : quill::WString());
    }
    scrollBar_->SetRange(pager_.Range(count_));
    const bool paged = count_ >= static_cast<int32_t>(kRows);
    up_->Show(paged);
    down_->Show(paged);
    up_->SetEnabled(pager_.CanStepBack());
    down_->SetEnabled(pager_.CanStepForward(count_));
}

void GiftRecipientList::Scroll(int32_t first) {
    pager_.ScrollTo(first, count_);
    scrollBar_->SetPosition(pager_.BarPosition(), false);
    Refresh();
}

bool GiftRecipientList::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id >= kFirstRowId && id < kFirstRowId + static_cast<int32_t>(kRows)) {
        const auto row = static_cast<size_t>(id - kFirstRowId);
        if (pager_.First() + static_cast<int32_t>(row) > count_) return true;
        selected_ = shown_[row];
        SetVisible(false);
        if (Widget* parent = GetParent()) parent->OnEvent(this, kChosenEvent, 0);
        return true;
    }
    switch (id) {
        case kScrollBarId:
            Scroll(a);
            return true;
        case kUpId:
            Scroll(pager_.First() - 1);
            return true;
        case kDownId:
            Scroll(pager_.First() + 1);
            return true;
        default:
            return Window::OnEvent(source, a, b);
    }
}

}  // namespace kestrovan
