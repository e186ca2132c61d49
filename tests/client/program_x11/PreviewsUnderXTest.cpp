// The item previews a player may turn, in the real program on a real X display: the room setting dialog offline,
// the room creation dialog in the lobby and the game option dialog in the room online, the shop's large preview
// and the cue workshop's part preview, and the school's gift. On each the left button held stops the model's own
// slow turn (the held picture comes to rest); a 60-pixel drag out of the preview turns the model (the picture at
// rest again differs) while the window around it stays where it is, and the drag back turns it back; a backward
// turn of the wheel takes the camera farther (less of the model shows) and a forward turn brings it back. Let go
// outside the preview (on the workshop's part thumbnail), the model turns on its own again, and the wheel over it
// zooms it as well. The pictures are written as <kind>_held.png, <kind>_dragged.png, <kind>_returned.png,
// <kind>_farther.png, <kind>_nearer.png, <kind>_released.png and <kind>_wheeled.png.
// The previews a player may not turn (a shop card's, a workshop part thumbnail's) zoom under the wheel as well and
// leave the clicks, the hover and whatever scrolls under the wheel to what they stand on.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "QuillLib/net/MessageId.h"
#include "tests/client/program_x11/RoomUnderX.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/net/WorkshopScript.h"

namespace kv::test {
namespace {

using namespace std::chrono_literals;
using quill::MessageId;

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
// The room dialogs' table and ball choice: the ball preview (115 x 76) at (288, 26) of the choice.
constexpr int kBallViewX = 288;
constexpr int kBallViewY = 26;

class PreviewsUnderX : public RoomUnderX {
protected:
    // The model's pixels in the view: those unlike their row's middle colour, which the face behind it shows
    // (the faces' shades run down the views, and no model fills half a row).
    static int ModelPixels(const Screenshot& shot, const XWindowGeometry& view) {
        int count = 0;
        std::vector<uint32_t> row(static_cast<size_t>(view.width));
        for (int y = view.y; y < view.y + view.height; ++y) {
            for (int x = 0; x < view.width; ++x) row[static_cast<size_t>(x)] = shot.At(view.x + x, y);
            const auto lightness = [](uint32_t rgb) { return (rgb >> 16 & 0xFF) + (rgb >> 8 & 0xFF) + (rgb & 0xFF); };
            std::vector<uint32_t> sorted = row;
            std::nth_element(sorted.begin(), sorted.begin() + view.width / 2, sorted.end(),
                             [&](uint32_t a, uint32_t b) { return lightness(a) < lightness(b); });
            const uint32_t face = sorted[static_cast<size_t>(view.width / 2)];
            for (uint32_t rgb : row) {
                int gap = 0;
                for (int shift : {0, 8, 16})
                    gap += std::abs(static_cast<int>(rgb >> shift & 0xFF) - static_cast<int>(face >> shift & 0xFF));
                count += gap > 40 ? 1 : 0;
            }
        }
        return count;
    }
    static int Differing(const Screenshot& a, const Screenshot& b, const XWindowGeometry& r) {
        return DifferingPixels(a, b, r.x, r.y, r.x + r.width, r.y + r.height);
    }
    // Waits for the preview's model in view, on a shown face at (faceX, faceY).
    void WaitForModel(const std::string& name, const XWindowGeometry& view, int faceX, int faceY) {
        const auto shown = [&](const Screenshot& shot) {
            return IsSlate(shot.At(faceX, faceY)) && ModelPixels(shot, view) > 200;
        };
        ASSERT_TRUE(shown(WaitForScreen(folder() / (name + ".png"), shown))) << "see " << name << ".png";
    }
    void TurnWheel(unsigned button) {
        x.Button(button, true);
        x.Button(button, false);
    }

    // Online, the shop reached through the lobby's expired-items question (config.ini's further sections given),
    // its items tab shown: the program's window. A failure of the way there is the test's.
    XWindowGeometry ShopItemsOnline(const std::string& furtherConfig = {}) {
        if (StartOnline(furtherConfig) <= 0) {
            ADD_FAILURE() << "the program did not start";
            return {};
        }
        kvtest::InstallShopWayScripts(server());
        const XWindowGeometry area = WaitForWindow();
        if (HasFailure()) return area;
        if (!EnterFirstChannel(area)) {
            ADD_FAILURE() << ReadFile(folder() / "StartLog.log");
            return area;
        }
        const std::optional<Screenshot> asked = AnswerExpiredItemsWithShop(area);
        if (!asked) {
            ADD_FAILURE() << "see expired.png";
            return area;
        }
        // The shop's grid replaces the lobby and its question, then the items tab's cards replace the first tab's.
        const XWindowGeometry grid = Grid(area);
        const auto changed = [&](const Screenshot& from) {
            return [&, from](const Screenshot& shot) { return Differing(from, shot, grid) > 1500; };
        };
        const Screenshot shop = WaitForScreen(folder() / "shop.png", changed(*asked));
        Click(area.x + 348 + 34, area.y + 127 - 4 + 19);  // the items tab
        WaitForScreen(folder() / "items.png", changed(shop));
        return area;
    }
    // The shop's grid: eight cards of 120 x 145 from (24, 172), 129 and 155 apart.
    static XWindowGeometry Grid(const XWindowGeometry& area) {
        return {area.x + 24, area.y + 172, 3 * 129 + 120, 155 + 145};
    }
    // From the shop: the workshop's "Custom Cue" window (541 x 448, centred), its first slot's menu and "파츠 구입":
    // the parts window (623 x 383), 40 left of the workshop's and 70 lower, once its part preview (147 x 242 at
    // (20, 40)) shows its part.
    XWindowGeometry OpenPartsWindow(const XWindowGeometry& area) {
        Click(area.x + 445 + 53, area.y + 77 + 24);  // "Custom Cue"
        const int cuesX = area.x + (kWidth - 541) / 2, cuesY = area.y + (kHeight - 448) / 2;
        const XWindowGeometry slot{cuesX + 51, cuesY + 123 + 20, 58, 200};
        WaitForModel("workshop", slot, cuesX + 20, cuesY + 200);
        // The slot's menu (80 x 60, its entries 20 high) opens where the slot was clicked.
        const XWindowGeometry menu{slot.x + 29, slot.y + 80, 80, 60};
        const Screenshot closed = CaptureArea(0, 0, 0, 0);
        Click(menu.x, menu.y);
        WaitForScreen(folder() / "menu.png",
                      [&](const Screenshot& shot) { return Differing(closed, shot, menu) > 2000; });
        Click(menu.x + 40, menu.y + 30);  // "파츠 구입"
        const XWindowGeometry parts{cuesX - 40, cuesY + 70, 623, 383};
        WaitForModel("parts", {parts.x + 20, parts.y + 40, 147, 242}, parts.x + 300, parts.y + 180);
        return parts;
    }

    // Alt+Enter, and the program's window placed where it is expected, within thirty seconds.
    void ToggleFullScreen(const XWindowGeometry& expected) {
        x.Key("Alt_L", true);
        PressKey("Return");
        x.Key("Alt_L", false);
        std::optional<XWindowGeometry> placed;
        const auto there = [&] {
            placed = x.Geometry(window());
            return placed && placed->x == expected.x && placed->y == expected.y && placed->width == expected.width &&
                   placed->height == expected.height;
        };
        for (const auto deadline = Clock::now() + 30s; !there() && Clock::now() < deadline;)
            std::this_thread::sleep_for(100ms);
        EXPECT_TRUE(there()) << "the window was not placed at " << expected.x << ", " << expected.y << " ("
                             << expected.width << " x " << expected.height << ") after Alt+Enter";
    }

    // The model's pixels in the view once their count holds within 3 % over the rest span (the picture itself
    // never rests: the model turns), written as <name>.png: the preview shown, its model built, and nothing
    // fading in over it any more. For a model that looks the same however it turns.
    int SteadyModelPixels(const std::string& name, const XWindowGeometry& view) {
        std::vector<std::pair<Clock::time_point, int>> counts;
        for (const auto deadline = Clock::now() + 30s; Clock::now() < deadline;) {
            const auto now = Clock::now();
            const int count = ModelPixels(CaptureArea(0, 0, 0, 0), view);
            counts.emplace_back(now, count);
            const auto steady = [&](const auto& seen) { return std::abs(seen.second - count) * 100 <= count * 3; };
            const auto since = std::find_if(counts.rbegin(), counts.rend(), [&](const auto& seen) {
                                   return !steady(seen);
                               }).base();
            if (count > 100 && since != counts.end() && now - since->first >= kRestSpan) {
                Capture(folder() / (name + ".png"));
                return count;
            }
            std::this_thread::sleep_for(100ms);
        }
        Capture(folder() / (name + ".png"));
        ADD_FAILURE() << "the model's pixels never held steady in " << name << ".png";
        return 0;
    }
    // A preview that cannot be turned, under the pointer, its model looking the same however it turns: a backward
    // notch of the wheel takes its camera farther, a forward notch brings it back.
    void ZoomsUnderTheWheel(const std::string& name, const XWindowGeometry& view) {
        const int model = SteadyModelPixels(name, view);
        TurnWheel(5);
        const auto farther = [&](const Screenshot& shot) { return ModelPixels(shot, view) < model * 17 / 20; };
        const int far = ModelPixels(WaitForScreen(folder() / (name + "_farther.png"), farther), view);
        EXPECT_LT(far, model * 17 / 20) << "the wheel did not move the camera farther: see " << name << ".png, "
                                        << name << "_farther.png";
        TurnWheel(4);
        const auto nearer = [&](const Screenshot& shot) { return ModelPixels(shot, view) > model * 19 / 20; };
        const int near = ModelPixels(WaitForScreen(folder() / (name + "_nearer.png"), nearer), view);
        EXPECT_GT(near, model * 19 / 20) << "the wheel did not bring the camera back: see " << name << "_farther.png, "
                                         << name << "_nearer.png";
        std::fprintf(stderr, "[ PREVIEW  ] %s: the model %d pixels, %d one notch farther, %d one notch back\n",
                     name.c_str(), model, far, near);
    }

    // Moves the pointer 60 pixels sideways (to the right, or left), as a hand draws a mouse.
    void Drag60(int direction) { x.MovePointerInSteps(6, 10 * direction, 0, 30); }

    // The preview in view held with the left button 5 pixels inside its right edge: dragged 60 pixels to the right,
    // out of the view, and back; zoomed out and in again with the wheel; dragged out once more and let go there;
    // zoomed out again with the pointer back over it. frame is a band of the window around the preview that shows
    // none; turnsByItself says whether the model turns slowly on its own.
    void TurnsAndZooms(const std::string& name, const XWindowGeometry& view, const XWindowGeometry& frame,
                       bool turnsByItself = true) {
        const Screenshot before = CaptureAtRest(folder() / (name + "_frame.png"), {frame});
        const int pressX = view.x + view.width - 5, pressY = view.y + view.height / 2;
        x.MovePointer(pressX, pressY);
        x.Button(1, true);
        const Screenshot held = CaptureAtRest(folder() / (name + "_held.png"), {view});
        const int model = ModelPixels(held, view);
        const bool stopped = Differing(held, CaptureArea(0, 0, 0, 0), view) == 0;
        EXPECT_TRUE(stopped) << "the press did not stop the model's own turn: see " << name << "_held.png";

        // Each picture below is waited for until it shows what the input should have made, then at rest: a
        // program held up for longer than the rest span stands still before it has handled the input.
        Drag60(1);
        const Screenshot dragged =
            WaitForScreenAtRest(folder() / (name + "_dragged.png"), {view, frame},
                                [&](const Screenshot& shot) { return Differing(held, shot, view) > model / 3; });
        const int turned = Differing(held, dragged, view);
        const bool stayed = Differing(before, dragged, frame) < 20;
        EXPECT_GT(turned, model / 3) << "the drag did not turn the model: see " << name << "_held.png, " << name
                                     << "_dragged.png";
        EXPECT_TRUE(stayed) << "the window moved: see " << name << "_frame.png, " << name << "_dragged.png";
        std::fprintf(stderr, "[ PREVIEW  ] %s: the model %d pixels, %d changed by the drag\n", name.c_str(), model,
                     turned);
        if (!stopped || !stayed || turned <= model / 3) {
            // The preview never had the press: what follows would only wait for what never comes.
            x.Button(1, false);
            return;
        }
        Drag60(-1);
        const auto back = [&](const Screenshot& shot) { return Differing(held, shot, view) < model / 20; };
        const Screenshot returned = WaitForScreenAtRest(folder() / (name + "_returned.png"), {view}, back);
        EXPECT_LT(Differing(held, returned, view), model / 20)
            << "the drag back did not turn the model back: see " << name << "_held.png, " << name << "_returned.png";

        // Two notches back and two forward: within every preview's limits either way.
        for (int notch = 0; notch < 2; ++notch) TurnWheel(5);
        const Screenshot farther =
            WaitForScreenAtRest(folder() / (name + "_farther.png"), {view},
                                [&](const Screenshot& shot) { return ModelPixels(shot, view) < model * 4 / 5; });
        for (int notch = 0; notch < 2; ++notch) TurnWheel(4);
        const Screenshot nearer =
            WaitForScreenAtRest(folder() / (name + "_nearer.png"), {view},
                                [&](const Screenshot& shot) { return Differing(returned, shot, view) < model / 20; });
        EXPECT_LT(ModelPixels(farther, view), model * 4 / 5)
            << "the wheel did not move the camera farther: see " << name << "_returned.png, " << name << "_farther.png";
        EXPECT_LT(Differing(returned, nearer, view), model / 20)
            << "the wheel did not bring the camera back: see " << name << "_farther.png, " << name << "_nearer.png";

        // Let go outside the view, the drag has ended: the model turns on its own again, and the wheel over it
        // zooms it without the button.
        Drag60(1);
        x.Button(1, false);
        if (turnsByItself) {
            const auto turning = [&](const Screenshot& shot) { return Differing(dragged, shot, view) > model / 3; };
            EXPECT_TRUE(turning(WaitForScreen(folder() / (name + "_released.png"), turning)))
                << "the model does not turn on its own after the release: see " << name << "_dragged.png, " << name
                << "_released.png";
        }
        x.MovePointer(pressX, pressY);
        for (int notch = 0; notch < 2; ++notch) TurnWheel(5);
        const auto smaller = [&](const Screenshot& shot) { return ModelPixels(shot, view) < model * 4 / 5; };
        EXPECT_TRUE(smaller(WaitForScreen(folder() / (name + "_wheeled.png"), smaller)))
            << "the wheel without the button did not zoom: see " << name << "_wheeled.png";
    }
};

// Offline, the room setting dialog (403 x 392, centred) of the room-setting title button; its choice at (-9, 214).
TEST_F(PreviewsUnderX, DialogOfRoomSettingOfflineTurnsAndZoomsItsBalls) {
    const XWindowGeometry area = OfflineTable();
    ASSERT_FALSE(HasFailure());
    Click(area.x + kWidth - 200 + 16, area.y + 17);
    const int left = area.x + (kWidth - 403) / 2, top = area.y + (kHeight - 392) / 2;
    const XWindowGeometry view{left - 9 + kBallViewX, top + 214 + kBallViewY, 115, 76};
    WaitForModel("setting", view, left + 200, top + 300);
    TurnsAndZooms("setting", view, {left, top, 403, 36});
    EXPECT_EQ(CloseAndWait(10s), 0) << ReadFile(folder() / "program.out");
}

// Online, the lobby's room creation dialog (427 x 627, centred; its choice at (0, 347)) of "Create New Game".
TEST_F(PreviewsUnderX, DialogOfRoomCreationOnlineTurnsAndZoomsItsBalls) {
    const XWindowGeometry area = EnterLobby();
    ASSERT_FALSE(HasFailure());
    Click(area.x + 20 + 286 + 61, area.y + 40 + 450 + 61);
    const int left = area.x + (kWidth - 427) / 2, top = area.y + (kHeight - 627) / 2;
    const XWindowGeometry view{left + kBallViewX, top + 347 + kBallViewY, 115, 76};
    WaitForModel("create", view, left + 20, top + 200);
    TurnsAndZooms("create", view, {left, top, 427, 36});
    EXPECT_EQ(CloseAndWait(10s), 0) << ReadFile(folder() / "program.out");
}

// Online, the room joined from the lobby: its "Room setting" title button opens the game option dialog (427 x 375,
// centred; its choice at (-1, 221)).
TEST_F(PreviewsUnderX, DialogOfGameOptionOnlineTurnsAndZoomsItsBalls) {
    const XWindowGeometry area = JoinScriptedRoom();
    ASSERT_FALSE(HasFailure());
    Click(area.x + kWidth - 200 + 16, area.y + 17);
    const int left = area.x + (kWidth - 427) / 2, top = area.y + (kHeight - 375) / 2;
    const XWindowGeometry view{left - 1 + kBallViewX, top + 221 + kBallViewY, 115, 76};
    WaitForModel("option", view, left + 20, top + 200);
    TurnsAndZooms("option", view, {left, top, 427, 36});
    EXPECT_EQ(CloseAndWait(10s), 0) << ReadFile(folder() / "program.out");
}

// Online, the shop reached through the lobby's expired-items question: the items tab's royal-R chalk (its third
// card) in the large preview (305 wide at (572, 72), on its panel from (572, 62)); then the workshop's "Custom
// Cue" window (541 x 448, centred), its first slot's menu and "파츠 구입": the parts window (623 x 383) 40 left of
// the workshop's and 70 lower, its part preview 147 x 242 at (20, 40) and its first part thumbnail (79 x 124)
// at (215, 70), where the drag from the preview ends.
TEST_F(PreviewsUnderX, ShopsLargePreviewAndWorkshopsPartTurnAndZoom) {
    const XWindowGeometry area = ShopItemsOnline();
    ASSERT_FALSE(HasFailure());
    const XWindowGeometry grid = Grid(area);
    Click(grid.x + 2 * 129 + 60, grid.y + 60);  // its third card
    const XWindowGeometry shopView{area.x + 572, area.y + 72, 305, kHeight - 72};
    WaitForModel("shop", shopView, area.x + 572 + 20, area.y + 72 + 100);
    TurnsAndZooms("shop", shopView, {area.x + 572, area.y + 62, 305, 10}, false);

    const XWindowGeometry parts = OpenPartsWindow(area);
    const XWindowGeometry partView{parts.x + 20, parts.y + 40, 147, 242};
    TurnsAndZooms("parts", partView, {parts.x, parts.y, 623, 36});
    EXPECT_EQ(CloseAndWait(10s), 0) << ReadFile(folder() / "program.out");
}

// Online, a newcomer who stopped at the school's page 12 gets its cue in the gift window (500 x 300, below the
// lesson board left of the index), its preview 115 x 219 at (21, 52).
TEST_F(PreviewsUnderX, SchoolsGiftTurnsAndZooms) {
    ASSERT_GT(StartOnline(), 0);
    kvtest::LoginScript login;
    login.account.tutorialDone = 0;
    login.account.schoolProgress = 12;
    kvtest::InstallLoginScript(server(), login);
    kvtest::InstallLobbyScript(server());
    kvtest::InstallPracticeScript(server());
    const XWindowGeometry area = WaitForWindow();
    ASSERT_FALSE(HasFailure());
    ASSERT_TRUE(EnterFirstChannel(area)) << ReadFile(folder() / "StartLog.log");
    ASSERT_TRUE(server().WaitForMessage(MessageId::QuestDone, 30000).has_value()) << "page 12 reached";
    const int giftX = area.x + (kWidth - 10 - 259 - 81 - 500) / 2, giftY = area.y + 295 + (kHeight - 295 - 300) / 2;
    const XWindowGeometry view{giftX + 21, giftY + 52, 115, 219};
    WaitForModel("gift", view, giftX + 250, giftY + 100);
    TurnsAndZooms("gift", view, {giftX, giftY, 500, 36});
    EXPECT_EQ(CloseAndWait(10s), 0) << ReadFile(folder() / "program.out");
}

// Online and in a window on a larger screen, so that the window's client area starts away from the screen's
// corner (the wheel comes with the pointer's place on the screen): the shop through the lobby's expired-items
// question, its items tab, and the pointer over its sixth card (the energy drink, a ball that looks the same
// however it turns), whose preview cannot be turned. The card under the pointer shows in the large preview; a
// backward notch of the wheel takes the card's camera farther (fewer of the ball's pixels: card_farther.png), a
// forward notch brings it back (card_nearer.png), and the grid stays where it was. Over the grid's scroll bar the
// wheel scrolls the grid (scrolled.png); switched to full screen with Alt+Enter, the client area at the screen's
// corner, it scrolls the grid back there (full.png, full_scrolled.png). Back in the window, the workshop's parts
// window, as in the check above: over its first part thumbnail (a shaft standing on end) the wheel zooms the part
// the same way (thumb_farther.png, thumb_nearer.png).
TEST_F(PreviewsUnderX, FixedPreviewsZoomUnderTheWheelAndTheGridStillScrolls) {
    const XWindowGeometry area = ShopItemsOnline("[Video]\r\nfullscreen=0\r\n");
    ASSERT_FALSE(HasFailure());
    const XWindowGeometry grid = Grid(area);

    // The sixth card's picture: its preview above the card's caption.
    const XWindowGeometry card{grid.x + 129 + 3, grid.y + 155 + 3, 114, 95};
    const XWindowGeometry large{area.x + 572, area.y + 72, 305, kHeight - 72};
    x.MovePointer(card.x + card.width / 2, card.y + card.height / 2);
    const Screenshot hovered = WaitForScreen(folder() / "hovered.png", [&](const Screenshot& shot) {
        return ModelPixels(shot, large) > 200;
    });
    EXPECT_GT(ModelPixels(hovered, large), 200)
        << "the card under the pointer is not in the large preview: see hovered.png";
    const XWindowGeometry bar{area.x + 534, area.y + 172, 13, 300};
    ZoomsUnderTheWheel("card", card);
    EXPECT_LT(Differing(hovered, CaptureArea(0, 0, 0, 0), bar), 20) << "the grid scrolled under the card";

    // Where the wheel scrolled the grid before, over its scroll bar, it scrolls a row: the bar's thumb moves, and
    // the first row's captions become the second's.
    const XWindowGeometry captions{grid.x, grid.y + 105, grid.width, 40};
    x.MovePointer(bar.x + 6, bar.y + 150);
    TurnWheel(5);
    const auto rowOn = [&](const Screenshot& shot) {
        return Differing(hovered, shot, bar) > 100 && Differing(hovered, shot, captions) > 300;
    };
    const Screenshot scrolled = WaitForScreen(folder() / "scrolled.png", rowOn);
    EXPECT_TRUE(rowOn(scrolled)) << "the wheel over the grid's bar did not scroll it: see hovered.png, scrolled.png";
    std::fprintf(stderr, "[ PREVIEW  ] grid: %d pixels of the bar and %d of the first captions changed\n",
                 Differing(hovered, scrolled, bar), Differing(hovered, scrolled, captions));

    // Full screen from the window (Alt+Enter): the client area starts at the screen's corner now, and the wheel
    // over the bar, where it stands now, scrolls the grid back. Then back into the window.
    ToggleFullScreen({0, 0, 1280, 1024});
    const XWindowGeometry fullBar{bar.x - area.x, bar.y - area.y, bar.width, bar.height};
    const XWindowGeometry fullCaptions{captions.x - area.x, captions.y - area.y, captions.width, captions.height};
    const Screenshot full = WaitForScreen(folder() / "full.png", [&](const Screenshot& shot) {
        return Count(shot, fullCaptions.x, fullCaptions.y, fullCaptions.x + fullCaptions.width,
                     fullCaptions.y + fullCaptions.height, IsLight) > 100;
    });
    x.MovePointer(fullBar.x + 6, fullBar.y + 150);
    TurnWheel(4);
    const auto rowBack = [&](const Screenshot& shot) {
        return Differing(full, shot, fullBar) > 100 && Differing(full, shot, fullCaptions) > 300;
    };
    const Screenshot back = WaitForScreen(folder() / "full_scrolled.png", rowBack);
    EXPECT_TRUE(rowBack(back)) << "in full screen the wheel over the grid's bar did not scroll it: see full.png, "
                                  "full_scrolled.png";
    std::fprintf(stderr, "[ PREVIEW  ] full screen: %d pixels of the bar and %d of the first captions changed\n",
                 Differing(full, back, fullBar), Differing(full, back, fullCaptions));
    ToggleFullScreen(area);

    const XWindowGeometry parts = OpenPartsWindow(area);
    const XWindowGeometry thumb{parts.x + 215 + 2, parts.y + 70 + 2, 75, 118};
    x.MovePointer(thumb.x + thumb.width / 2, thumb.y + thumb.height / 2);
    ZoomsUnderTheWheel("thumb", thumb);
    EXPECT_EQ(CloseAndWait(10s), 0) << ReadFile(folder() / "program.out");
}

}  // namespace
}  // namespace kv::test
