#include "client/scenes/shop/CueOptionUpgradeWindow.h"

#include <array>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/net/Packet.h"
#include "client/scenes/shop/CuePartPreview.h"
#include "client/scenes/shop/CueRequests.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

using quill::Format;

namespace {

constexpr std::array<const char16_t*, kCueOptionCount> kLimitTexts{
    u"파워옵션 최대 %d", u"밸런스옵션 최대 %d", u"스핀옵션 최대 %d", u"미스큐옵션 최대 %d", u"스쿼트옵션 최대 %d"};

}  // namespace

CueOptionUpgradeWindow::CueOptionUpgradeWindow(WorkshopHost& host) : WorkshopWindow(host, 389, 450) {
    SetModal(true);
    AddTitle(14, 7, 300, u"튜닝큐 업그레이드");
    normalButton_ = AddToggle(kNormalMode, 20, 40, 100, 22, u"일반");
    gemButton_ = AddToggle(kGemMode, 130, 40, 100, 22, u"보석");
    gemButton_->Show(false);
    partPreview_ = static_cast<CuePartPreview*>(AddChild(std::make_unique<CuePartPreview>(20, 70, 120, 126, true), true));
    part_ = AddText(20, 200, 150, u"", kYellow);
    limit_ = AddText(180, 80, 190, u"", kYellow);
    AddText(180, 110, 80, u"현재");
    current_ = AddText(260, 110, 110, u"", kYellow);
    AddText(180, 135, 80, u"다음");
    next_ = AddText(260, 135, 110, u"", kYellow);
    AddText(20, 240, 120, u"업그레이드 포인트");
    points_ = AddText(160, 240, 80, u"", kYellow);
    AddText(20, 265, 120, u"필요 포인트");
    needed_ = AddText(160, 265, 80, u"", kYellow);
    AddText(20, 290, 120, u"성공 확률");
    rate_ = AddText(160, 290, 210, u"", kYellow);
    AddText(20, 315, 120, u"비용");
    cost_ = AddText(160, 315, 210, u"", kYellow);
    gemText_ = AddText(160, 315, 210, u"", kYellow);
    AddCommand(kOk, 90, 410, u"업그레이드");
    AddCommand(kClose, 210, 410, u"닫기");
}

void CueOptionUpgradeWindow::SetOption(const quill::InventoryItem& cue, size_t option) {
    cue_ = cue;
    option_ = option < kCueOptionCount ? option : 0;
    Refresh();
}

void CueOptionUpgradeWindow::OnShow() {
    SetMode(mode_);
    WorkshopWindow::OnShow();
}

void CueOptionUpgradeWindow::SetMode(int32_t mode) {
    mode_ = mode;
    normalButton_->SetChecked(mode == kNormalMode);
    gemButton_->SetChecked(mode == kGemMode);
    cost_->Show(mode == kNormalMode);
    gemText_->Show(mode == kGemMode);
    Refresh();
}

void CueOptionUpgradeWindow::Refresh() {
    if (!cue_) return;
    const quill::InventoryItem& cue = *cue_;
    const uint8_t type = CueRules::LimitingPart(option_);
    const uint16_t partId = cue.statValues[type];
    const quill::CuePartRecord* part = quill::TheCuePartCatalogue().Find(type, partId);
    partPreview_->SetPart(type, static_cast<int16_t>(partId));
    part_->SetText(Format(u"%s %d번", quill::GetItemAttributeName(type), partId + 1));
    terms_ = CueRules::UpgradeTerms(option_, cue.statistics[option_], part, mode_ == kGemMode);
    limit_->SetText(Format(kLimitTexts[option_], terms_.limit));
    current_->SetText(Format(u"%d  %s", terms_.current, CueRules::EffectFloatText(option_, terms_.current)));
    next_->SetText(Format(u"%d  %s", terms_.next, CueRules::EffectFloatText(option_, terms_.next)));
    points_->SetText(Format(u"%d", static_cast<int32_t>(cue.upgradePoints / 1000)));
    needed_->SetText(Format(u"%d", terms_.pointsNeeded));
    rate_->SetText(Format(u"%d%% (Kestrovan클럽 %d%%)", 100 - terms_.failChance, 100 - terms_.failChance / 2));
    cost_->SetText(Format(u"%s (큐머니)", FormatMoney(terms_.cost)));
    {
        quill::PlayerState& player = host_.Player();
        quill::ScopedLock hold(player.GetLock());
        gems_ = CueRules::GemCount(player);
    }
    gemText_->SetText(gems_ == 0 ? quill::WString(u"(보석 없음)") : Format(u"(%d개 있음)", gems_));
}

bool CueOptionUpgradeWindow::OnClick(int32_t id) {
    switch (id) {
        case kNormalMode:
        case kGemMode: SetMode(id); return true;
        case kOk: Confirm(); return true;
        case kClose: SetVisible(false); return true;
        default: return false;
    }
}

void CueOptionUpgradeWindow::Confirm() {
    if (!cue_) return;
    Refresh();
    if (terms_.current >= terms_.limit) {
        host_.ShowNotice({u"이 옵션은 더 이상 업그레이드 할 수 없습니다.", u"상위 등급의 파츠가 필요합니다."});
        return;
    }
    if (mode_ == kGemMode && gems_ < 1) {
        host_.ShowNotice({u"고급 업그레이드용 아이템이 없습니다.", u"고급 업그레이드에는 보석 아이템이 필요합니다."});
        return;
    }
    if (mode_ == kNormalMode) {
        if (terms_.cost > Wallet().cueMoney) {
            host_.ShowNotice({u"업그레이드에 필요한 큐머니가 부족합니다."});
            return;
        }
        if (cue_->upgradePoints / 1000 < terms_.pointsNeeded) {
            host_.ShowNotice({u"큐의 업그레이드 포인트가 부족합니다.", u"업그레이드 포인트는 큐 내구도 사용 1 당",
                              u"1 포인트씩 누적됩니다."});
            return;
        }
    }
    WorkshopQuestion question;
    question.secondBox = true;
    question.title = u"튜닝큐 업그레이드";
    if (mode_ == kGemMode)
        question.lines = {u"업그레이드시에 보석 1개가 소모됩니다.", u"업그레이드 성공 확률은 100% 입니다.", u"",
                          u"업그레이드를 시도하시겠습니까?"};
    else
        question.lines = {u"업그레이드는 실패할 수도 있으며,", u"성공시 +1, 실패시 0 또는 1/4 확률로 -1",
                          u"업그레이드 실패시 사용된 포인트와 큐머니는", u"반환되지 않습니다.",
                          u"업그레이드를 시도하시겠습니까?"};
    question.event = quill::AppEventId::CueOptionConfirm;
    question.value = 2;
    host_.Ask(question);
}

void CueOptionUpgradeWindow::SendUpgrade() {
    if (!cue_) return;
    const int64_t id = CueRequests::ItemIdOf(*cue_);
    const auto mode = static_cast<uint8_t>(mode_);
    const auto option = static_cast<uint8_t>(option_);
    host_.SendAwaited([=](quill::Packet& packet) { CueRequests::WriteUpgrade(packet, mode, id, option); });
}

}  // namespace kestrovan
