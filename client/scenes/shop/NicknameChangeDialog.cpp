#include "client/scenes/shop/NicknameChangeDialog.h"

#include "QuillLib/core/AppEventId.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/TextEntry.h"
#include "client/scenes/shop/NicknameRules.h"
#include "client/scenes/shop/ShopDecisions.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

NicknameChangeDialog::NicknameChangeDialog(Services services)
    : PopupWindow(200, 200, 400, 250, Face{}, sound_id::kWindowOpen, sound_id::kPopup), services_(std::move(services)) {
    SetModal(true);
    AddTitle(13, 7, 140, u"Change Nick");
    AddLine(15, 42, 370, UiFontAt(UiFont::Bold12), 0)->SetText(u"변경할 닉네임을 입력하세요.");
    AddLine(15, 62, 370, UiFontAt(UiFont::Bold12), 0)->SetText(u"영문,숫자,한글과 일부 특수문자만 사용 가능합니다.");
    AddLine(20, 92, 300, UiFontAt(UiFont::Bold12), 0)->SetText(u"새로운 닉네임 : ");
    CreateImage(150, 89, 86, 20, kCommonTexture, 0, 446);
    edit_ = AddTextEntry(*this, 156, 93, 90, 18, static_cast<int32_t>(NicknameRules::kMaxBytes), kBlack);
    for (size_t i = 0; i < NicknameRules::kSymbolCount; ++i) {
        const int32_t n = static_cast<int32_t>(i);
        Button* button = CreateButton(14 + 21 * (n % kSymbolsPerRow), 122 + 22 * (n / kSymbolsPerRow), 18, 18,
                                      kFirstSymbol + n, -1, kCommonTexture, 85, 0, 85, 32, 18 / 85.0f, 18 / 32.0f);
        button->AddLabel(&UiFontAt(UiFont::Regular12), TextLabel::kAlignCentre, kWhite, 0, 0);
        button->GetCaption()->SetTextF(u"%c", NicknameRules::kSymbols[i]);
    }
    AddButton(kOk, 77, 208, -1, 85, u"OK");
    AddButton(kCancel, 240, 208, -1, 170, u"Cancel");
}

void NicknameChangeDialog::SetItem(uint32_t key, uint32_t subKey) {
    key_ = static_cast<int64_t>(static_cast<uint64_t>(subKey) << 32 | key);
}

quill::WString NicknameChangeDialog::NewNickname() const {
    return newNickname_;
}

void NicknameChangeDialog::OnShow() {
    Window::OnShow();
    CentreOnScreen(*this);
    edit_->SetFocus(true);
}

void NicknameChangeDialog::InsertSymbol(size_t index) {
    if (!NicknameRules::MayInsertSymbol(edit_->GetText())) {
        if (services_.showError) services_.showError(NicknameRules::kTooLong);
        return;
    }
    edit_->SetFocus(true);
    edit_->InsertText(quill::WString(1, NicknameRules::kSymbols[index]));
}

void NicknameChangeDialog::Validate() {
    const quill::WString text = edit_->GetText();
    const quill::WString current = services_.nickname ? services_.nickname() : quill::WString{};
    if (const auto refusal = NicknameRules::Check(text, current)) {
        if (services_.showError) services_.showError(*refusal);
        return;
    }
    newNickname_ = text;
    const uint64_t bits = static_cast<uint64_t>(key_);
    if (services_.poster)
        services_.poster(quill::AppEventId::ShopItemUse, static_cast<uint32_t>(bits), kUseRequestPlain,
                         static_cast<uint32_t>(bits >> 32));
}

bool NicknameChangeDialog::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id >= kFirstSymbol && id < kFirstSymbol + static_cast<int32_t>(NicknameRules::kSymbolCount)) {
        InsertSymbol(static_cast<size_t>(id - kFirstSymbol));
        return true;
    }
    return Answers(source, kOk, kCancel, [this] { Validate(); }) || PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
