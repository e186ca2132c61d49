#include "client/scenes/room/WithdrawMenuPopup.h"

#include "QuillLib/core/AppEventId.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

constexpr int32_t kGameTexture = 16;
// The close button's hot key, as the menu has always had it.
constexpr int32_t kCloseKey = 3;

// The games whose players cannot ask the opponent for anything: the gambles and six balls.
bool KnowsNoRequests(int32_t gameType) {
    return gameType == 2 || gameType == 5 || gameType == 6;
}

}  // namespace

WithdrawMenuPopup::WithdrawMenuPopup(EventPoster poster, ErrorBox showError)
    : PopupWindow(0, 0, 511, 336, Face{kGameTexture, 513, 0}, sound_id::kDialogOpen, sound_id::kDialogClose),
      poster_(std::move(poster)),
      showError_(std::move(showError)) {
    AddButton(kWithdraw, 20, 50, -1, 265, u"Withdraw", kGameTexture, 0, 82, 80);
    AddButton(kRequestLoss, 20, 130, -1, 347, u"Loss", kGameTexture, 0, 82, 80);
    AddButton(kRequestInvalid, 20, 210, -1, 429, u"Invalid", kGameTexture, 0, 82, 80);
    for (size_t n = 0; n < kLineCount; ++n) {
        const auto group = static_cast<int32_t>(n / 4);
        const auto row = static_cast<int32_t>(n % 4);
        lines_[n] = AddLine(120, 65 + 80 * group + 17 * row, 330, UiFontAt(UiFont::Small10), 0);
    }
    lines_[3]->SetColors(kRed, 0);
    AddButton(kClose, 225, 305, kCloseKey, 458, u"Close", kGameTexture, 240, 55, 20);
}

void WithdrawMenuPopup::Fill(size_t group, std::initializer_list<quill::WStringView> texts) {
    size_t n = group * 4;
    for (quill::WStringView text : texts)
        lines_[n++]->SetText(text);
}

void WithdrawMenuPopup::SetGameType(int32_t gameType) {
    for (TextLabel* line : lines_)
        line->SetText(u"");
    gameType_ = gameType;
    if (KnowsNoRequests(gameType)) {
        if (gameType == 6) {
            Fill(0, {u"Withdraw from the game now and end the game.", u"All bets will be lost and",
                     u"this game will be recorded as a loss."});
        } else {
            Fill(0, {u"The game will end now.", u"It will be recorded as a regular game end (not by withdrawal)",
                     u"a win or loss will be recorded by the current amount of gold gained.",
                     u"If you end the game before the last player finishes the game, half of the amount you "
                     u"gained will be lost."});
        }
        for (size_t group : {1u, 2u}) {
            Fill(group, {u"", u"It is not allowed for this type of game.", u"Use [Withdrawal] to end the game."});
        }
        return;
    }
    Fill(0, {u"Withdraw from the game now and end the game.", u"You will lose as much gold as your opponent's points",
             u"and a loss and withdrawal will be recorded.",
             u"Your nickname will be marked red and may receive penalties."});
    Fill(1, {u"Request for a loss by withdrawal.", u"If the opponent accepts the request,",
             u"you will lose cue gold and you will lose the game."});
    Fill(2, {u"Request for an invalid game.", u"If the opponent accepts the request,",
             u"the game will become invalid, and no game-related info",
             u"such as win/loss, scores, cue gold, GA,will be recorded."});
}

bool WithdrawMenuPopup::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    switch (id) {
        case kWithdraw:
            SetVisible(false);
            if (poster_)
                poster_(quill::AppEventId::WithdrawConfirm, 1, 0, 0);
            return false;
        case kRequestLoss:
        case kRequestInvalid:
            if (KnowsNoRequests(gameType_)) {
                if (showError_)
                    showError_(u"On this game, request not available..", u"You can withdraw for quit game.");
                return true;
            }
            SetVisible(false);
            if (poster_)
                poster_(quill::AppEventId::WithdrawChoice, id == kRequestLoss ? 1 : 2, 0, 0);
            return true;
        case kClose:
            SetVisible(false);
            return true;
        default:
            return PopupWindow::OnEvent(source, a, b);
    }
}

}  // namespace kestrovan
