// The shop in the real program online, on a real X display: the stand-in server runs the login (an account
// with an expired table), lobby and shop scripts. In the lobby the expired-items question comes; Yes sends
// ExpiredItemsSeen and EnterShop and the shop opens (shop.png), each balance with its caption, over a quiet dark
// backdrop: its cards draw their item models, which turn (shop_turned.png differs in the cards); a card chosen
// shows its model in the large preview (preview.png).
// Buying the royal-R chalk in the purchase dialog, framed at its size (purchase.png), sends ItemBuy, the notice
// shows (bought.png) and the owned grid lists the chalk
// beside the basic cue (owned_before.png, owned.png); the membership dialog sends MembershipRequest; "To Lobby"
// sends LeaveShop. The cue tab's stock cues draw their models, and a gift to oneself is refused at home (the
// gift dialog framed at its size: gift.png).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "QuillLib/net/MessageId.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/x11/FigureCaptions.h"
#include "tests/support/x11/ProgramUnderX.h"

namespace kv::test {
namespace {

using quill::MessageId;

// Where the shop's parts stand on a 1024 x 768 screen: the main panel at (0, 77), its grid panel 50 lower,
// eight cells of 120 x 145 from (24, 45) of the grid, 129 and 155 apart; the large preview's panel at (572, 62),
// below the balances, 305 wide, its view 10 lower; the backdrop right of the main panel, below the top bar.
constexpr int kGridX = 0;
constexpr int kGridY = 77 + 50;
constexpr int kItemsTabX = kGridX + 348 + 34;
constexpr int kItemsTabY = kGridY - 4 + 19;
constexpr int kCueTabX = kGridX + 147 + 34;
constexpr int kMyItemsX = 160 + 69;
constexpr int kShopViewX = 20 + 69;
constexpr int kMyItemsY = 77 - 3 + 24;
constexpr int kLargePreviewX = 572;
constexpr int kLargePreviewY = 72;
constexpr int kLargePreviewRight = kLargePreviewX + 305;
constexpr int kBackdropX = 570;
constexpr int kTopBarHeight = 103;
// The purchase and gift dialog, centred, and the pixels of the 2-pixel frame round its face.
constexpr int kPurchaseWidth = 554;
constexpr int kPurchaseHeight = 360;
constexpr int kPurchaseX = (1024 - kPurchaseWidth) / 2;
constexpr int kPurchaseY = (768 - kPurchaseHeight) / 2;
constexpr int kPurchaseFrame = 4 * (kPurchaseWidth + kPurchaseHeight) - 8;

int CellX(int n) {
    return kGridX + 24 + (n % 4) * 129;
}

int CellY(int n) {
    return kGridY + 45 + (n / 4) * 155;
}

class ShopOnline : public ProgramUnderX {
protected:
    // The program online in the lobby of the first channel, with the expired-items question up.
    bool ReachLobby() {
        if (StartOnline() <= 0) return false;
        kvtest::LoginScript login;
        login.account.cash = 50000;
        login.account.cueMoney = 30000;
        login.items = {{0x20, 4, 1101, 1, 0, 0, {}}};
        kvtest::InstallLoginScript(server(), login);
        kvtest::InstallLobbyScript(server());
        kvtest::InstallShopScript(server(), {.cash = 50000, .cueMoney = 30000});
        area_ = WaitForWindow();
        if (HasFailure()) return false;
        return EnterFirstChannel(area_);
    }
    int X(int x) const { return area_.x + x; }
    int Y(int y) const { return area_.y + y; }
    int CellsDiffer(const Screenshot& a, const Screenshot& b) const {
        int differing = 0;
        for (int n = 0; n < 8; ++n)
            differing += DifferingPixels(a, b, X(CellX(n)), Y(CellY(n)), X(CellX(n) + 120), Y(CellY(n) + 145));
        return differing;
    }
    // Clicks and waits until the rectangle (window coordinates) changes; the screen then.
    Screenshot ClickAndWait(int x, int y, const std::string& png, int left, int top, int right, int bottom) {
        const Screenshot before = Capture(folder() / png);
        Click(X(x), Y(y));
        return WaitForScreen(folder() / png, [&](const Screenshot& shot) {
            return DifferingPixels(before, shot, X(left), Y(top), X(right), Y(bottom)) > 1500;
        });
    }
    bool BoxShown(const Screenshot& shot) const { return MessageBoxShown(shot, area_); }
    // The dark frame round the purchase dialog's face: its pixels, when the face is the dialog's size.
    int DialogFrame(const Screenshot& shot) const {
        const auto dark = [](uint32_t rgb) { return std::max({rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF}) < 50; };
        const int right = kPurchaseX + kPurchaseWidth, bottom = kPurchaseY + kPurchaseHeight;
        return Count(shot, X(kPurchaseX), Y(kPurchaseY), X(right), Y(kPurchaseY + 2), dark) +
               Count(shot, X(kPurchaseX), Y(bottom - 2), X(right), Y(bottom), dark) +
               Count(shot, X(kPurchaseX), Y(kPurchaseY + 2), X(kPurchaseX + 2), Y(bottom - 2), dark) +
               Count(shot, X(right - 2), Y(kPurchaseY + 2), X(right), Y(bottom - 2), dark);
    }
    // Near-white pixels, as captions and figures are written.
    int Light(const Screenshot& shot, int left, int top, int right, int bottom) const {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const uint32_t rgb = shot.At(X(x), Y(y));
                count += (rgb >> 16 & 0xFF) > 200 && (rgb >> 8 & 0xFF) > 200 && (rgb & 0xFF) > 200 ? 1 : 0;
            }
        }
        return count;
    }
    // Colours other than the interface's greys and slates: a model's (and no longer the backdrop's).
    int Coloured(const Screenshot& shot, int left, int top, int right, int bottom) const {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const uint32_t rgb = shot.At(X(x), Y(y));
                const int r = static_cast<int>(rgb >> 16 & 0xFF), g = static_cast<int>(rgb >> 8 & 0xFF),
                          b = static_cast<int>(rgb & 0xFF);
                count += std::max({r, g, b}) - std::min({r, g, b}) > 60 ? 1 : 0;
            }
        }
        return count;
    }

    // A model's pixels: coloured, or white as a cue's shaft.
    int ModelPixels(const Screenshot& shot, int left, int top, int right, int bottom) const {
        return Coloured(shot, left, top, right, bottom) + Light(shot, left, top, right, bottom);
    }
    // Pixels lighter than the backdrop's dark slates.
    int Bright(const Screenshot& shot, int left, int top, int right, int bottom) const {
        return Count(shot, X(left), Y(top), X(right), Y(bottom), [](uint32_t rgb) { return !IsDarkSlate(rgb); });
    }

    // The large preview: the panel's slate face over the drifting background, and a model in it, coloured or
    // white as a cue's shaft.
    bool PreviewShown(const Screenshot& shot) const {
        const int right = kLargePreviewX + 300;
        const int bottom = 768;
        return IsSlate(shot.At(X(kLargePreviewX + 20), Y(kLargePreviewY + 100))) &&
               ModelPixels(shot, kLargePreviewX, kLargePreviewY, right, bottom) > 300;
    }

    XWindowGeometry area_;
};

TEST_F(ShopOnline, ShopTheExpiredItemsLeadInAndItemsAreBoughtAsTheServerSays) {
    ASSERT_TRUE(ReachLobby()) << ReadFile(folder() / "StartLog.log");
    // The question about the expired table: Yes goes to the shop, and the server hears the items were seen.
    ASSERT_TRUE(server().WaitForMessage(MessageId::LobbyEnter).has_value());
    ASSERT_TRUE(AnswerExpiredItemsWithShop(area_).has_value()) << "see expired.png";
    ASSERT_TRUE(server().WaitForMessage(MessageId::ExpiredItemsSeen).has_value()) << "see expired.png";

    // The shop: the cards draw their models, and they turn. The balances and the cash button are judged at rest
    // (the cards turn, the backdrop drifts).
    const Screenshot expired = Capture(folder() / "expired_answered.png");
    const Screenshot shop = WaitForScreenAtRest(
        folder() / "shop.png", {{X(300), Y(35), 600, 23}, {X(320), Y(58), 121, 67}}, [&](const Screenshot& shot) {
            return DifferingPixels(expired, shot, X(0), Y(0), X(560), Y(768)) > 20000 &&
                   Coloured(shot, CellX(0), CellY(0), CellX(3) + 120, CellY(4) + 145) > 50;
        });
    EXPECT_GT(Coloured(shop, CellX(0), CellY(0), CellX(3) + 120, CellY(4) + 145), 50) << "see shop.png";
    // The cash figure in the top bar at (373, 41) with nothing written under it, and the cash button's
    // caption between the view buttons and the workshop button.
    EXPECT_GT(Light(shop, 373, 41, 441, 57), 30) << "the cash figure: see shop.png";
    EXPECT_LT(Light(shop, 320, 58, 441, 76), 5) << "nothing under the cash figure: see shop.png";
    EXPECT_GT(Light(shop, 320, 92, 441, 125), 30) << "the cash button's caption: see shop.png";
    // Each balance has its caption before it: cash on the account panel, gold and clan money on the top bar.
    for (int x : {373, 580, 800})
        EXPECT_GT(CaptionLight(shop, X(x), Y(41)), 10) << "the caption of the balance at x " << x << ": see shop.png";
    // Right of the main panel the backdrop is a quiet dark face, for the panels to stand out against.
    EXPECT_LT(Bright(shop, kBackdropX, kTopBarHeight, 1024, 768), 10) << "the backdrop: see shop.png";
    const Screenshot turned =
        WaitForScreen(folder() / "shop_turned.png", [&](const Screenshot& shot) { return CellsDiffer(shop, shot) > 100; });
    EXPECT_GT(CellsDiffer(shop, turned), 100) << "the cards' models turn: see shop.png, shop_turned.png";

    // The owned grid first: the basic cue alone.
    const int gridRight = CellX(3) + 120;
    const int gridBottom = CellY(4) + 145;
    const Screenshot ownedBefore =
        ClickAndWait(kMyItemsX, kMyItemsY, "owned_before.png", CellX(0), CellY(0), gridRight, gridBottom);
    ClickAndWait(kShopViewX, kMyItemsY, "shop_again.png", CellX(0), CellY(0), gridRight, gridBottom);

    // The items tab, then the royal-R chalk (third of its cards): the large preview shows it.
    const Screenshot before =
        ClickAndWait(kItemsTabX, kItemsTabY, "items.png", CellX(0), CellY(0), gridRight, gridBottom);
    Click(X(CellX(2) + 60), Y(CellY(2) + 60));
    // The balances beside the preview and the panel's foot judged at rest (the model turns in the panel).
    const Screenshot preview = WaitForScreenAtRest(folder() / "preview.png",
                                                   {{X(520), Y(49), 360, 9}, {X(kLargePreviewX + 120), Y(730), 20, 38}},
                                                   [&](const Screenshot& shot) { return PreviewShown(shot); });
    EXPECT_TRUE(PreviewShown(preview)) << "the large preview: see items.png, preview.png";
    EXPECT_LT(ModelPixels(before, kLargePreviewX, kLargePreviewY, kLargePreviewRight, 768), 20)
        << "no model in the preview's place before the choice: see items.png";
    // The shown preview leaves the top bar's gold and clan money whole, captions and figures, down to their foot.
    for (int x : {580, 800}) {
        const int whole = Light(shop, x - 60, 49, x + 80, 58);
        EXPECT_GT(whole, 20) << "the lower half of the balance at x " << x << ": see shop.png";
        EXPECT_GE(Light(preview, x - 60, 49, x + 80, 58), whole)
            << "the lower half of the balance at x " << x << " beside the preview: see preview.png";
    }
    // The panel's frame ends at the screen's foot with its lower edge, lighter than the view above it, instead of
    // running past the foot.
    const auto brightness = [](uint32_t rgb) { return (rgb >> 16 & 0xFF) + (rgb >> 8 & 0xFF) + (rgb & 0xFF); };
    EXPECT_GT(brightness(preview.At(X(kLargePreviewX + 130), Y(767))),
              brightness(preview.At(X(kLargePreviewX + 130), Y(737))) + 60)
        << "the panel's foot: see preview.png";

    // Buy: the panel's Buy button, then the purchase dialog's OK (Return); the notice's OK (Return). The dialog
    // is judged once it stands whole.
    Click(X(2 + 370 + 41), Y(77 + 442 + 210 + 11));
    const Screenshot purchase = WaitForScreenAtRest(
        folder() / "purchase.png", {{X(kPurchaseX), Y(kPurchaseY), kPurchaseWidth, kPurchaseHeight}},
        [&](const Screenshot& shot) {
            return IsSlate(shot.At(X(kPurchaseX + 20), Y(kPurchaseY + kPurchaseHeight / 2)));
        });
    EXPECT_GT(DialogFrame(purchase), kPurchaseFrame * 95 / 100) << "the dialog's own frame: see purchase.png";
    PressKey("Return");
    const auto buy = server().WaitForMessage(MessageId::ItemBuy);
    ASSERT_TRUE(buy.has_value()) << "see purchase.png";
    EXPECT_EQ(buy->Read().ReadU32(), 4901u);
    const Screenshot bought = WaitForScreen(folder() / "bought.png", [&](const Screenshot& shot) { return BoxShown(shot); });
    EXPECT_TRUE(BoxShown(bought)) << "the notice of the purchase: see bought.png";
    PressKey("Return");
    WaitForScreen(folder() / "bought_closed.png", [&](const Screenshot& shot) { return !BoxShown(shot); });

    // The owned grid lists the chalk beside the basic cue.
    Click(X(kMyItemsX), Y(kMyItemsY));
    const Screenshot owned = WaitForScreen(folder() / "owned.png", [&](const Screenshot& shot) {
        return DifferingPixels(ownedBefore, shot, X(CellX(1)), Y(CellY(1)), X(CellX(1) + 120), Y(CellY(1) + 145)) > 200;
    });
    EXPECT_GT(DifferingPixels(ownedBefore, owned, X(CellX(1)), Y(CellY(1)), X(CellX(1) + 120), Y(CellY(1) + 145)), 200)
        << "the chalk's card beside the basic cue: see owned_before.png, owned.png";
    EXPECT_GT(Coloured(owned, CellX(1), CellY(1), CellX(1) + 120, CellY(1) + 145), 20) << "the chalk's model";

    // The membership dialog (centred, 350 x 338): standard, then Buy.
    const int dialogX = (1024 - 350) / 2;
    const int dialogY = (768 - 338) / 2;
    ClickAndWait(1 + 240 + 37, 26 + 11, "membership.png", dialogX, dialogY, dialogX + 350, dialogY + 338);
    Click(X(dialogX + 22 + 75), Y(dialogY + 45 + 10));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Click(X(dialogX + 50 + 41), Y(dialogY + 295 + 11));
    ASSERT_TRUE(server().WaitForMessage(MessageId::MembershipRequest).has_value()) << "see membership.png";
    // The answer's notice, closed with Return before the next click: it holds every other click while it is up.
    const Screenshot done =
        WaitForScreen(folder() / "membership_done.png", [&](const Screenshot& shot) { return BoxShown(shot); });
    ASSERT_TRUE(BoxShown(done)) << "the membership's notice: see membership_done.png";
    PressKey("Return");
    WaitForScreen(folder() / "membership_closed.png", [&](const Screenshot& shot) { return !BoxShown(shot); });

    // "To Lobby".
    Click(X(1024 - 35 + 16), Y(17));
    EXPECT_TRUE(server().WaitForMessage(MessageId::LeaveShop).has_value());
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

// The cue tab: its first page ends with the carom cues 3010 and 3011, whose cards draw their models, and 3010
// chosen stands whole inside the large preview's panel (cues.png, cue_chosen.png). Its gift to "Carom", the player's own nickname
// from the login's answer, is refused with the Error box and never reaches the server (gift_refused.png).
TEST_F(ShopOnline, StockCuesShowTheirModelsAndAGiftToOneselfIsRefused) {
    ASSERT_TRUE(ReachLobby()) << ReadFile(folder() / "StartLog.log");
    ASSERT_TRUE(server().WaitForMessage(MessageId::LobbyEnter).has_value());
    ASSERT_TRUE(AnswerExpiredItemsWithShop(area_).has_value()) << "see expired.png";

    // The cue tab's cards 6 and 7: the cue drawn across the card's picture, above its caption.
    const auto cueDrawn = [&](const Screenshot& shot, int n) {
        return Light(shot, CellX(n) + 10, CellY(n) + 40, CellX(n) + 110, CellY(n) + 110);
    };
    const Screenshot shop = WaitForScreen(folder() / "shop.png", [&](const Screenshot& shot) {
        return Coloured(shot, CellX(0), CellY(0), CellX(3) + 120, CellY(4) + 145) > 50;
    });
    Click(X(kCueTabX), Y(kItemsTabY));
    const Screenshot cues = WaitForScreen(folder() / "cues.png", [&](const Screenshot& shot) {
        return CellsDiffer(shop, shot) > 1500 && cueDrawn(shot, 0) > 30 && cueDrawn(shot, 6) > 30 &&
               cueDrawn(shot, 7) > 30;
    });
    EXPECT_GT(cueDrawn(cues, 0), 30) << "cue 3003: see cues.png";
    EXPECT_GT(cueDrawn(cues, 6), 30) << "cue 3010: see cues.png";
    EXPECT_GT(cueDrawn(cues, 7), 30) << "cue 3011: see cues.png";
    Click(X(CellX(6) + 60), Y(CellY(6) + 60));
    const Screenshot chosen =
        WaitForScreen(folder() / "cue_chosen.png", [&](const Screenshot& shot) { return PreviewShown(shot); });
    EXPECT_TRUE(PreviewShown(chosen)) << "cue 3010 in the large preview: see cue_chosen.png";
    // The cue stands whole inside the panel: none of it past the panel's right edge, none on the view's edges.
    EXPECT_EQ(ModelPixels(chosen, kLargePreviewRight, kLargePreviewY, 1024, 768), 0)
        << "the cue runs past the panel: see cue_chosen.png";
    EXPECT_EQ(ModelPixels(chosen, kLargePreviewX, kLargePreviewY, kLargePreviewX + 4, 768), 0)
        << "the cue is cut at the panel's left edge: see cue_chosen.png";
    EXPECT_EQ(ModelPixels(chosen, kLargePreviewRight - 4, kLargePreviewY, kLargePreviewRight, 768), 0)
        << "the cue is cut at the panel's right edge: see cue_chosen.png";

    // Gift: the recipient's box has the focus; the panel's OK.
    Click(X(2 + 458 + 41), Y(77 + 442 + 210 + 11));
    const auto giftShown = [&](const Screenshot& shot) { return DialogFrame(shot) > kPurchaseFrame * 95 / 100; };
    EXPECT_TRUE(giftShown(WaitForScreen(folder() / "gift.png", giftShown)))
        << "the gift dialog's own frame: see gift.png";
    Type("Carom");
    Click(X(582), Y(490));
    const Screenshot refused =
        WaitForScreen(folder() / "gift_refused.png", [&](const Screenshot& shot) { return BoxShown(shot); });
    EXPECT_TRUE(BoxShown(refused)) << "the Error box: see gift_refused.png";
    EXPECT_FALSE(server().WaitForMessage(MessageId::ItemGift, 2000).has_value()) << "a gift to oneself was sent";
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

}  // namespace
}  // namespace kv::test
