// The gallery's server messages (dispatch thread) and its notice lines at the lower left (under the
// widget-tree lock, as every entry).
#include <algorithm>

#include "QuillLib/net/MessageId.h"
#include "QuillLib/net/Packet.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/scenes/gallery/GalleryShotDialog.h"
#include "client/scenes/gallery/SceneShotGallery.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"

namespace kestrovan {

namespace {

constexpr uint32_t kTextMargin = 40;

}  // namespace

int SceneShotGallery::OnPacket(quill::MessageId id, quill::Packet& packet) {
    switch (id) {
        case quill::MessageId::SystemNotice: {
            const uint16_t errors = packet.ErrorCount();
            const quill::WString text = packet.ReadWString();
            if (packet.ErrorCount() == errors)
                AddNoticeLine(text, kRed);
            break;
        }
        case quill::MessageId::ShotVoteResult:
            OnShotVoteResult(packet);
            break;
        default:
            break;
    }
    return 0;
}

// The shot is fetched again whatever the answer: the shot window leaves the fetch to the game thread.
void SceneShotGallery::OnShotVoteResult(quill::Packet& packet) {
    const uint16_t errors = packet.ErrorCount();
    const uint8_t result = packet.ReadU8();
    if (packet.ErrorCount() != errors)
        return;
    SceneManager& scenes = app_.Scenes();
    if (result == 0) {
        scenes.ShowNoticeBox(this, u"한표 던졌습니다.");
    } else if (result == 1) {
        scenes.ShowNoticeBox(this, u"추천 스티커가 부족합니다.");
    } else {
        scenes.ShowNoticeBox(this, u"DB error.", u"운영자에게 문의하세요.");
    }
    shot_->Reload();
}

void SceneShotGallery::AddNoticeLine(quill::WStringView text, uint32_t colour) {
    notices_.push_back({colour, quill::WString(text.substr(0, kNoticeChars)), platform::TimeGetTime()});
    if (notices_.size() > kMaxNoticeLines)
        notices_.pop_front();
    if (notices_.size() > kNoticePanels)
        firstNotice_ = static_cast<int32_t>(notices_.size()) - 7;
    DrawNoticeLines();
}

void SceneShotGallery::DrawNoticeLines() {
    if (!IsReady())
        return;
    WidgetToolkit::CheckTreeAccess("SceneShotGallery::DrawNoticeLines");
    const size_t first = static_cast<size_t>(std::max(firstNotice_, 1)) - 1;
    const size_t shown = first < notices_.size() ? std::min(kNoticePanels, notices_.size() - first) : 0;
    // Fewer lines than panels fill the panels from the bottom; each shown panel is stretched to its own line.
    const size_t top = kNoticePanels - shown;
    for (size_t k = 0; k < kNoticePanels; ++k) {
        if (k < top) {
            noticePanels_[k]->Show(false);
            continue;
        }
        const NoticeLine& line = notices_[first + (k - top)];
        TextLabel& label = *noticeLabels_[k];
        label.SetText(line.text);
        label.SetColors(line.colour, 0);
        const int32_t width = std::min(label.MeasureText(), kMaxNoticeWidth);
        noticePanels_[k]->SetScale(
            static_cast<float>(width + static_cast<int32_t>(kTextMargin)) / static_cast<float>(kNoticePanelWidth),
            1.0f);
        noticePanels_[k]->Show(true);
    }
}

size_t SceneShotGallery::NoticeCount() const {
    return notices_.size();
}

int32_t SceneShotGallery::FirstNoticeShown() const {
    return firstNotice_;
}

std::deque<SceneShotGallery::NoticeLine> SceneShotGallery::NoticeLines() const {
    return notices_;
}

}  // namespace kestrovan
