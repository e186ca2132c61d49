// Windows of the lobby, the room, the shop and the school drawn through OpenGL (under Xvfb with Mesa's
// software renderer) from the default data, each alone: every one wears a face painted (or stretched) for its
// own size, so its sides and foot are one edge of that face instead of running across the neighbouring faces
// of its texture. The frames are saved in the build tree (window_faces_<name>.png).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <tuple>

#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/ResourcePackCatalog.h"
#include "client/app/SiteConfig.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/RoomPasswordPopup.h"
#include "client/scenes/lobby/EventPagePopup.h"
#include "client/scenes/lobby/LobbyImageWindow.h"
#include "client/scenes/lobby/TournamentAlarmDialog.h"
#include "client/scenes/practice/ChallengeSelectWindow.h"
#include "client/scenes/practice/SchoolGiftWindow.h"
#include "client/scenes/room/LevelUpPopup.h"
#include "client/scenes/room/RankingPopup.h"
#include "client/scenes/room/RoomMenu.h"
#include "client/scenes/room/ShotBetPanel.h"
#include "client/scenes/room/ScoreSummaryPopup.h"
#include "client/scenes/room/WithdrawMenuPopup.h"
#include "client/scenes/shop/DeleteItemConfirm.h"
#include "client/scenes/shop/MembershipDialog.h"
#include "client/scenes/shop/PictureWindow.h"
#include "client/ui/Button.h"
#include "client/ui/Panel.h"
#include "platform/system/FpuMode.h"
#include "tests/support/gfx/SdlGlWindow.h"
#include "tests/support/gfx/TableStage.h"
#include "tests/support/scenes/IdleConnectionHost.h"
#include "tests/support/scenes/InterfaceFrame.h"
#include "tests/support/scenes/RecordingSender.h"

namespace kestrovan {
namespace {

constexpr int kFacesWidth = 1024, kFacesHeight = 768;

class WindowFacesGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X display: ./test.sh starts Xvfb for this test";
        ASSERT_TRUE(window.IsOpen()) << window.Error();
        platform::SetThreadFpuMode();
        stage = std::make_unique<kvtest::TableStage>(factory, KV_DATA_FOLDER, kFacesWidth, kFacesHeight);
        ASSERT_TRUE(stage->Ready()) << stage->Error();
        catalog = std::make_unique<ResourcePackCatalog>(stage->resources);
        const std::string missing = kvtest::InstallInterfaceSlots(*stage, *catalog, {0, 8, 12, 14, 15, 16, 22});
        ASSERT_TRUE(missing.empty()) << missing;
        root.Create(0, 0, kFacesWidth, kFacesHeight, -1, -1);
    }

    // One frame of the window alone at (40, 40), written as window_faces_<name>.png.
    std::vector<uint32_t> DrawAlone(Widget& shown, const std::string& name) {
        shown.SetPosition(40, 40);
        shown.Show(true);
        root.LoadGraphics(0);
        std::vector<uint32_t> pixels = kvtest::DrawWidgetFrame(*stage, root, 0xFF102040);
        stage->device->Present();
        stage->device->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / ("window_faces_" + name + ".png"));
        shown.Show(false);
        return pixels;
    }

    // Near-white pixels of the rectangle (x, y, w, h) of the window at (40, 40).
    static int Light(const std::vector<uint32_t>& pixels, int x, int y, int w, int h) {
        int light = 0;
        for (int row = 40 + y; row < 40 + y + h; ++row) {
            for (int column = 40 + x; column < 40 + x + w; ++column) {
                const uint32_t p = pixels[static_cast<size_t>(row) * kFacesWidth + column];
                light += (p >> 16 & 0xFF) > 180 && (p >> 8 & 0xFF) > 180 && (p & 0xFF) > 180 ? 1 : 0;
            }
        }
        return light;
    }

    // How much of each side of the window's outline is one edge of a face: near the side's middle colour and
    // apart from the face 7 pixels in. The least of the left, right and bottom sides (headers may stand
    // over the top one).
    double EdgedSides(Widget& shown, const std::string& name) {
        const std::vector<uint32_t> pixels = DrawAlone(shown, name);
        if (pixels.empty()) return 0.0;
        const auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y) * kFacesWidth + x]; };
        const auto distance = [](uint32_t a, uint32_t b) {
            int most = 0;
            for (int shift = 0; shift < 24; shift += 8)
                most = std::max(most, std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)));
            return most;
        };
        // (x0, y0) runs along the side by (dx, dy); (ix, iy) points inwards. The edge is the outermost pixel or,
        // for a stretched face whose outermost pixels blend with what lies around it, the next one in.
        const auto side = [&](int x0, int y0, int dx, int dy, int ix, int iy, int length) {
            std::vector<uint32_t> line;
            std::vector<uint32_t> inner;
            for (int n = 0; n < length; ++n) {
                const int x = x0 + dx * n, y = y0 + dy * n;
                const uint32_t deep = at(x + 7 * ix, y + 7 * iy);
                const uint32_t outer = at(x, y), next = at(x + ix, y + iy);
                line.push_back(distance(outer, deep) >= distance(next, deep) ? outer : next);
                inner.push_back(deep);
            }
            std::vector<uint32_t> sorted = line;
            std::nth_element(sorted.begin(), sorted.begin() + length / 2, sorted.end());
            const uint32_t middle = sorted[static_cast<size_t>(length / 2)];
            int edged = 0;
            for (size_t n = 0; n < line.size(); ++n)
                edged += distance(line[n], middle) <= 40 && distance(line[n], inner[n]) > 20 ? 1 : 0;
            return static_cast<double>(edged) / length;
        };
        const WidgetRect r = shown.GetRect();
        const int w = r.right - r.left + 1, h = r.bottom - r.top + 1;
        // Inside the corners, which bevels and brackets round off.
        return std::min({side(r.left + 8, r.bottom, 1, 0, 0, -1, w - 16), side(r.left, r.top + 8, 0, 1, 1, 0, h - 16),
                         side(r.right, r.top + 8, 0, 1, -1, 0, h - 16)});
    }

    kvtest::SdlGlWindow window{kFacesWidth, kFacesHeight};
    kvtest::TestEngineFactory factory{[this] { return window.CreateSystem(); }, kFacesWidth, kFacesHeight};
    std::unique_ptr<kvtest::TableStage> stage;
    std::unique_ptr<ResourcePackCatalog> catalog;
    Panel root;
};

TEST_F(WindowFacesGlTest, EveryWindowWearsAFaceOfItsSize) {
    quill::PlayerState player;
    std::vector<std::pair<std::string, Window*>> windows;
    const auto add = [&](const std::string& name, std::unique_ptr<Window> made) {
        windows.emplace_back(name, static_cast<Window*>(root.AddChild(std::move(made), false)));
    };
    add("room_menu", std::make_unique<RoomMenu>(AppEventPoster{}));
    add("ranking", std::make_unique<RankingPopup>());
    add("level_up", std::make_unique<LevelUpPopup>(player, AppEventPoster{}));
    add("score_summary", std::make_unique<ScoreSummaryPopup>());
    add("withdraw_menu", std::make_unique<WithdrawMenuPopup>(WithdrawMenuPopup::EventPoster{}, WithdrawMenuPopup::ErrorBox{}));
    add("delete_item", std::make_unique<DeleteItemConfirm>(DeleteItemConfirm::EventPoster{}));
    add("membership", std::make_unique<MembershipDialog>(MembershipDialog::Services{}));
    add("challenge", std::make_unique<ChallengeSelectWindow>(ChallengeSelectWindow::Services{}));
    add("picture", std::make_unique<PictureWindow>());
    add("school_gift", std::make_unique<SchoolGiftWindow>());
    add("lobby_image", std::make_unique<LobbyImageWindow>(LobbyImageWindow::EventPoster{}));
    for (const auto& [name, shown] : windows) {
        EXPECT_GT(EdgedSides(*shown, name), 0.9) << name << ": see window_faces_" << name << ".png";
    }
}

// The event page's face begins below the room number's digits, whose last (clear) row it took: its top edge,
// beside its header, is the edge of its own face, as its left side is; its header and picture are painted. The folded betting panel shows the edge of its own face right of its folded
// picture, not the score board's beside it in the texture: the light side of a sunken face.
TEST_F(WindowFacesGlTest, TheEventPageAndTheFoldedBettingPanelShowOnlyTheirOwnFaces) {
    const SiteConfig site;
    auto* page = static_cast<EventPagePopup*>(root.AddChild(
        std::make_unique<EventPagePopup>(site, nullptr, nullptr, nullptr, nullptr), false));
    const std::vector<uint32_t> pagePixels = DrawAlone(*page, "event_page");
    ASSERT_FALSE(pagePixels.empty());
    const auto at = [](const std::vector<uint32_t>& pixels, int x, int y) {
        return pixels[static_cast<size_t>(40 + y) * kFacesWidth + 40 + x] & 0xFFFFFF;
    };
    const uint32_t edge = at(pagePixels, 0, 100);  // the face's left edge
    for (int x = 2; x < 40; ++x) EXPECT_EQ(at(pagePixels, x, 0), edge) << x << ": see window_faces_event_page.png";
    // Its header over the top edge carries its gold title, and its coupon's picture stands below it.
    int gold = 0, picture = 0;
    for (int y = -20; y < 80; ++y) {
        for (int x = 42; x < 273; ++x) {
            const uint32_t p = at(pagePixels, x, y);
            const bool isGold = (p >> 16) > 200 && (p >> 8 & 0xFF) > 150 && (p & 0xFF) < 100;
            (y < 22 ? gold : picture) += isGold ? 1 : 0;
        }
    }
    EXPECT_GT(gold, 30) << "the header's title: see window_faces_event_page.png";
    EXPECT_GT(picture, 300) << "the coupon: see window_faces_event_page.png";

    kvtest::IdleConnectionHost host;
    GameConnection connection(host);
    test::RecordingSender sender;
    auto* bets = static_cast<ShotBetPanel*>(root.AddChild(std::make_unique<ShotBetPanel>(connection, sender, nullptr), false));
    bets->FoldButton()->SetChecked(true);
    bets->OnEvent(bets->FoldButton(), 1, 0);
    ASSERT_EQ(bets->ViewMode(), 0) << "folded";
    const std::vector<uint32_t> betPixels = DrawAlone(*bets, "bet_panel");
    ASSERT_FALSE(betPixels.empty());
    const auto brightness = [](uint32_t p) { return (p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF); };
    for (int y = 10; y < 90; y += 10) {
        EXPECT_GT(brightness(at(betPixels, 218, y)), brightness(at(betPixels, 211, y)) + 30)
            << y << ": see window_faces_bet_panel.png";
    }
}

// The ranking and level-up popups' OK stands in the middle of its button, not along its top.
TEST_F(WindowFacesGlTest, ThePopupsOkStandsInTheMiddleOfItsButton) {
    quill::PlayerState player;
    auto* ranking = static_cast<Window*>(root.AddChild(std::make_unique<RankingPopup>(), false));
    auto* levelUp = static_cast<Window*>(root.AddChild(std::make_unique<LevelUpPopup>(player, AppEventPoster{}), false));
    for (const auto& [popup, name, okY] : {std::tuple{ranking, "ranking", 250}, std::tuple{levelUp, "level_up", 255}}) {
        const std::vector<uint32_t> pixels = DrawAlone(*popup, name);
        ASSERT_FALSE(pixels.empty());
        EXPECT_EQ(Light(pixels, 115, okY, 85, 8), 0) << name << ": see window_faces_" << name << ".png";
        EXPECT_GT(Light(pixels, 115, okY + 10, 85, 13), 15) << name << ": see window_faces_" << name << ".png";
    }
}

// The tournament alarm names its lists above them and its number box beside it; the room password popup
// captions its box on its own face.
TEST_F(WindowFacesGlTest, TheirListsAndBoxesHaveTheirCaptions) {
    test::RecordingSender sender;
    auto* alarm = static_cast<TournamentAlarmDialog*>(root.AddChild(std::make_unique<TournamentAlarmDialog>(sender), false));
    const std::vector<uint32_t> alarmPixels = DrawAlone(*alarm, "tournament_alarm");
    ASSERT_FALSE(alarmPixels.empty());
    const struct {
        const char* what;
        int x, y, w, h;
    } alarmCaptions[] = {{"kind", 20, 27, 110, 12},   {"game type", 140, 27, 160, 12}, {"handicap", 20, 61, 110, 11},
                         {"level", 260, 61, 60, 11},  {"number", 126, 112, 80, 14},   {"start", 20, 136, 105, 13}};
    for (const auto& caption : alarmCaptions) {
        EXPECT_GT(Light(alarmPixels, caption.x, caption.y, caption.w, caption.h), 8)
            << caption.what << ": see window_faces_tournament_alarm.png";
    }
    // The number's dark field.
    const uint32_t field = alarmPixels[static_cast<size_t>(40 + 119) * kFacesWidth + 40 + 70];
    EXPECT_LT(std::max({field >> 16 & 0xFF, field >> 8 & 0xFF, field & 0xFF}), 60u) << "the number's field";
    auto* password = static_cast<RoomPasswordPopup*>(
        root.AddChild(std::make_unique<RoomPasswordPopup>(RoomPasswordPopup::EventPoster{}), false));
    const std::vector<uint32_t> passwordPixels = DrawAlone(*password, "room_password");
    ASSERT_FALSE(passwordPixels.empty());
    EXPECT_GT(Light(passwordPixels, 10, 70, 96, 18), 15) << "the password's caption: see window_faces_room_password.png";
    EXPECT_GT(Light(passwordPixels, 14, 4, 200, 24), 30) << "the popup's title";
}

}  // namespace
}  // namespace kestrovan
