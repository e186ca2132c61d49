#include "client/scenes/community/MemberListRow.h"

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

namespace {

constexpr int32_t kRowSourceX = 650;
constexpr int32_t kRowSourceY = 0;
constexpr int32_t kMarkX = 40;
constexpr int32_t kMasterMarkY = 978;
constexpr int32_t kOfficerMarkY = 963;
constexpr uint32_t kNicknameColour = 0xFFFFFF00;
constexpr uint32_t kNicknameShadow = 0xFFFF0000;
constexpr uint32_t kLocationColour = 0xFFFFFFFF;
constexpr uint8_t kShadow = 1;

}  // namespace

MemberListRow::MemberListRow(int32_t x, int32_t y, int32_t id) {
    Create(x, y, kWidth, kHeight, id, -1);
    SetImage(kCommonSecondTexture, kRowSourceX, kRowSourceY, kWidth, kHeight, 1.0f, 1.0f);
    nickname_ = CreateTextLabel(12, 2, 92, 13, &UiFontAt(UiFont::Regular12), 0, kShadow);
    nickname_->SetColors(kNicknameColour, kNicknameShadow);
    location_ = CreateTextLabel(140, 2, 58, 13, &UiFontAt(UiFont::Regular12), TextLabel::kAlignRight, 0);
    location_->SetColors(kLocationColour, 0);
    rank_ = CreateImage(105, 0, 23, 15, kCommonTexture, kMarkX, kOfficerMarkY);
    rank_->Show(false);
    Show(false);
}

void MemberListRow::SetMember(const MemberSnapshot& member, uint8_t listKind, quill::WStringView location) {
    member_ = member;
    listKind_ = listKind;
    hasMember_ = true;
    nickname_->SetText(member.nickname);
    location_->SetText(location);
    const bool marked = listKind == kClanList && member.clanRank >= kOfficerRank;
    if (marked) {
        rank_->SetSourceRect(kMarkX, member.clanRank >= kMasterRank ? kMasterMarkY : kOfficerMarkY, -1, -1);
    }
    rank_->Show(marked);
    SetEnabled(true);
    Show(true);
}

void MemberListRow::Clear() {
    hasMember_ = false;
    member_ = MemberSnapshot{};
    Show(false);
}

}  // namespace kestrovan
