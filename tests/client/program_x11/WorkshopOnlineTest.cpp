// The cue workshop in the real program online, on a real X display: the stand-in server runs the login, lobby,
// shop and workshop scripts (an account with an expired table, two tuning cues, the custom cue, a tuning cue of
// a family the item models list no record of, and gems). The expired-items question leads to the shop
// (shop.png, its backdrop dark); its "Custom Cue" button opens the personal-cue window, whose slots draw the four
// cues standing upright (workshop.png); a slot's cue turns while the pointer is
// over it (workshop_turned.png differs in that slot); the slot's menu opens the repair window for the worn tuning
// cue (repair.png), whose confirmation (repair_question.png) sends CueRepair, and the notice of the answer
// follows (repaired.png).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "QuillLib/net/MessageId.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/net/WorkshopScript.h"
#include "tests/support/x11/ProgramUnderX.h"

namespace kv::test {
namespace {

using quill::MessageId;

// Where the workshop stands on a 1024 x 768 screen: the shop's main panel at (0, 77) holds the "Custom Cue"
// button at (445, 0); the personal-cue window (541 x 448) is centred, its slots 58 x 258 at (51 + 77 i, 123),
// the last two 152 further right; the repair window (185 x 414) is centred, its repair button at (40, 307).
constexpr int kWorkshopButtonX = 445 + 53;
constexpr int kWorkshopButtonY = 77 + 24;
constexpr int kWindowX = (1024 - 541) / 2;
constexpr int kWindowY = (768 - 448) / 2;
constexpr int kRepairX = (1024 - 185) / 2;
constexpr int kRepairY = (768 - 414) / 2;

int SlotX(int n) {
    return kWindowX + 51 + 77 * n + (n >= 2 ? 152 : 0);
}

constexpr int kSlotY = kWindowY + 123;

class WorkshopUnderX : public ProgramUnderX {
protected:
    int X(int x) const { return area_.x + x; }
    int Y(int y) const { return area_.y + y; }
    // The cue models in the slots: light pixels over the slot's face, above the name.
    int SlotModel(const Screenshot& shot, int n) const {
        int count = 0;
        for (int y = kSlotY + 20; y < kSlotY + 230; ++y) {
            for (int x = SlotX(n) + 2; x < SlotX(n) + 56; ++x) {
                const uint32_t rgb = shot.At(X(x), Y(y));
                count += (rgb >> 16 & 0xFF) > 200 && (rgb >> 8 & 0xFF) > 200 && (rgb & 0xFF) > 200 ? 1 : 0;
            }
        }
        return count;
    }

    // The rows of a slot, above its name, in which its cue shows: anything but the slot's slate face in the
    // slot's middle columns. A cue standing upright fills most of them.
    int SlotCueRows(const Screenshot& shot, int n) const {
        int rows = 0;
        for (int y = kSlotY + 20; y < kSlotY + 230; ++y) {
            bool cue = false;
            for (int x = SlotX(n) + 12; x < SlotX(n) + 46 && !cue; ++x) cue = !IsSlate(shot.At(X(x), Y(y)));
            rows += cue ? 1 : 0;
        }
        return rows;
    }

    // The program online in the shop, reached through the lobby's expired-items question.
    bool ReachShop() {
        if (StartOnline() <= 0) return false;
        kvtest::WorkshopScript workshop;
        // Listed first, it takes the last slot.
        workshop.cues.insert(workshop.cues.begin(), {0x33, 3101, 50000, 100000, u"My tuning cue", 5000,
                                                     {10, 10, 10, 10, 10}, {}});
        kvtest::InstallShopWayScripts(server(), workshop);
        area_ = WaitForWindow();
        if (HasFailure()) return false;
        return EnterFirstChannel(area_) && AnswerExpiredItemsWithShop(area_).has_value();
    }

    // Right of the main panel and below the top bar, the shop's backdrop: its tiles drift there.
    int BrightBackdrop(const Screenshot& shot) const {
        return Count(shot, X(570), Y(103), X(1024), Y(768), [](uint32_t rgb) { return !IsDarkSlate(rgb); });
    }

    XWindowGeometry area_;
};

TEST_F(WorkshopUnderX, WorkshopOpensFromTheShopShowsTheCuesAndRepairsAsTheServerSays) {
    ASSERT_TRUE(ReachShop()) << ReadFile(folder() / "StartLog.log");
    // The shop once it replaced the lobby, its title bar and the grid's scroll bar at rest.
    const Screenshot shop =
        WaitForScreenAtRest(folder() / "shop.png", {{X(1024 - 167), Y(0), 167, 34}, {X(535), Y(225), 12, 227}},
                            [&](const Screenshot& shot) { return BrightBackdrop(shot) < 10; });
    // Right of the main panel and below the top bar, the shop's backdrop is a quiet dark face.
    EXPECT_LT(BrightBackdrop(shop), 10) << "the backdrop: see shop.png";
    // The title-bar buttons wear the pictograms of every screen (a letter has at most 36 light pixels).
    for (int right : {35, 68, 134, 167}) {
        EXPECT_GT(Count(shop, X(1024 - right + 3), Y(3), X(1024 - right + 30), Y(31), IsLight), 60)
            << "the pictogram of the title button " << right << " from the right edge: see shop.png";
    }
    // The grid's scroll bar shows its track whole under the thumb: no accent of a window's title in it.
    EXPECT_EQ(Count(shop, X(535), Y(225), X(547), Y(452), IsAccent), 0) << "the grid's scroll track: see shop.png";

    // The personal-cue window: the four cues drawn in their slots, "My tuning cue" in the last.
    Click(X(kWorkshopButtonX), Y(kWorkshopButtonY));
    const Screenshot workshop = WaitForScreenAtRest(
        folder() / "workshop.png", {{X(kWindowX), Y(kWindowY), 541, 448}}, [&](const Screenshot& shot) {
            return SlotModel(shot, 0) > 10 && SlotModel(shot, 1) > 10 && SlotModel(shot, 2) > 10 &&
                   SlotModel(shot, 3) > 10;
        });
    for (int n = 0; n < 4; ++n) {
        EXPECT_GT(SlotModel(workshop, n), 10) << "slot " << n << ": see workshop.png";
        EXPECT_GT(SlotCueRows(workshop, n), 150) << "slot " << n << "'s cue stands its height: see workshop.png";
    }
    EXPECT_GT(DifferingPixels(shop, workshop, X(kWindowX), Y(kWindowY), X(kWindowX + 541), Y(kWindowY + 448)), 20000)
        << "the window: see shop.png, workshop.png";

    // The pointer over the first slot turns its cue.
    x.MovePointer(X(SlotX(0) + 29), Y(kSlotY + 100));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const Screenshot before = Capture(folder() / "workshop_hovered.png");
    const Screenshot turned = WaitForScreen(folder() / "workshop_turned.png", [&](const Screenshot& shot) {
        return DifferingPixels(before, shot, X(SlotX(0)), Y(kSlotY), X(SlotX(0) + 58), Y(kSlotY + 258)) > 30;
    });
    EXPECT_GT(DifferingPixels(before, turned, X(SlotX(0)), Y(kSlotY), X(SlotX(0) + 58), Y(kSlotY + 258)), 30)
        << "the cue turns under the pointer: see workshop_hovered.png, workshop_turned.png";

    // The worn tuning cue (third slot): its menu, then "수리" opens the repair window.
    const int clickX = SlotX(2) + 29;
    const int clickY = kSlotY + 100;
    Click(X(clickX), Y(clickY));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    Capture(folder() / "menu.png");
    Click(X(clickX + 40), Y(clickY + 10));
    const Screenshot repair = WaitForScreen(folder() / "repair.png", [&](const Screenshot& shot) {
        return DifferingPixels(turned, shot, X(kRepairX), Y(kRepairY), X(kRepairX + 185), Y(kRepairY + 414)) > 5000;
    });
    Click(X(kRepairX + 40 + 52), Y(kRepairY + 307 + 11));
    const XWindowGeometry box{X(312), Y(259), 400, 250};
    const Screenshot question = WaitForScreenAtRest(
        folder() / "repair_question.png", {box}, [&](const Screenshot& shot) { return MessageBoxShown(shot, area_); });
    PressKey("Return");
    ASSERT_TRUE(server().WaitForMessage(MessageId::CueRepair).has_value()) << "see repair.png, repair_question.png";
    const Screenshot repaired = WaitForScreenAtRest(folder() / "repaired.png", {box}, [&](const Screenshot& shot) {
        return MessageBoxShown(shot, area_) && DifferingPixels(question, shot, X(312), Y(259), X(712), Y(509)) > 500;
    });
    EXPECT_GT(DifferingPixels(question, repaired, X(312), Y(259), X(712), Y(509)), 500)
        << "the answer's notice replaces the question: see repair_question.png, repaired.png";
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

}  // namespace
}  // namespace kv::test
