// The messenger and the profile window drawn through OpenGL (under Xvfb with Mesa's software renderer) from
// the default data's interface textures: the messenger's friend list with online friends first, its chat
// view, the new-message icon blinking, and a profile with its statistics. Each frame is read back, saved as a
// screenshot in the build tree and checked where the windows and their texts are.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/ResourcePackCatalog.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/community/BlinkingIcon.h"
#include "client/scenes/common/CommunityDialog.h"
#include "client/scenes/community/CommunityHost.h"
#include "client/scenes/community/MemberListRow.h"
#include "client/scenes/community/Messenger.h"
#include "client/scenes/common/ProfileStatistics.h"
#include "client/scenes/community/ProfileWindow.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Panel.h"
#include "client/ui/TextLabel.h"
#include "platform/system/FpuMode.h"
#include "tests/support/gfx/SdlGlWindow.h"
#include "tests/support/gfx/TableStage.h"
#include "tests/support/net/CommunityMessages.h"
#include "tests/support/scenes/IdleConnectionHost.h"
#include "tests/support/scenes/InterfaceFrame.h"

namespace kestrovan {
namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr uint32_t kClear = 0xFF102040;

struct Pixel {
    int r, g, b;
    bool IsClear() const { return r == 0x10 && g == 0x20 && b == 0x40; }
};

// The messenger's host on the bare connection: no screen, no boxes, no sounds.
class StageCommunityHost : public CommunityHost {
public:
    explicit StageCommunityHost(GameConnection& connection) : connection_(connection) {}
    GameConnection& Connection() override { return connection_; }
    Scene* CurrentScene() override { return nullptr; }
    void PostEvent(uint32_t, uint32_t, uint32_t, uint32_t) override {}
    void ShowErrorBox(quill::WStringView, quill::WStringView) override {}
    void ShowNoticeBox(quill::WStringView) override {}
    NoticeBox* MessageBox() override { return nullptr; }
    quill::WString FormatMoney(int64_t value) override { return kestrovan::FormatMoney(value); }
    void PlaySound(uint32_t) override {}

private:
    GameConnection& connection_;
};

class CommunityWindowsGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X display: ./test.sh starts Xvfb for this test";
        ASSERT_TRUE(window.IsOpen()) << window.Error();
        platform::SetThreadFpuMode();
        stage = std::make_unique<kvtest::TableStage>(factory, KV_DATA_FOLDER, kWidth, kHeight);
        ASSERT_TRUE(stage->Ready()) << stage->Error();
        catalog = std::make_unique<ResourcePackCatalog>(stage->resources);
        const std::string missing = kvtest::InstallInterfaceSlots(*stage, *catalog, {0, 13, 18});
        ASSERT_TRUE(missing.empty()) << missing;
        connection = std::make_unique<GameConnection>(connectionHost);
        connection->LocalPlayer().channel = 3;
        connection->LocalPlayer().name = u"Carom";
        quill::Packet friends = kvtest::AsReceived(kvtest::FriendListMessage(
            {{1, 1001, u"Sleeper", 0xFF, 0xFFFD, 0}, {2, 1002, u"Roomie", 3, 12, 0}, {3, 1003, u"Faraway", 5, 0, 0}}));
        connection->Directories().OnFriendList(friends);
        root.Create(0, 0, kWidth, kHeight, -1, -1);
        auto owned = std::make_unique<Messenger>(std::make_unique<StageCommunityHost>(*connection));
        messenger = owned.get();
        messengerOwner = std::move(owned);
        profile = std::make_unique<ProfileWindow>();
        messenger->LoadWindowGraphics(0);
        profile->LoadWindowGraphics(0);
        root.LoadGraphics(0);
    }

    std::vector<uint32_t> DrawFrame() { return kvtest::DrawWidgetFrame(*stage, root, kClear); }
    void Save(const char* name) {
        stage->device->Present();
        stage->device->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / name);
    }
    static Pixel At(const std::vector<uint32_t>& pixels, int x, int y) {
        const uint32_t p = pixels[static_cast<size_t>(y) * kWidth + x];
        return Pixel{static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
    }
    // Pixels of the rectangle that pass the test.
    template <class Test>
    static int Count(const std::vector<uint32_t>& pixels, const WidgetRect& rect, Test test) {
        int passing = 0;
        for (int y = std::max(rect.top, 0); y <= std::min(rect.bottom, kHeight - 1); ++y) {
            for (int x = std::max(rect.left, 0); x <= std::min(rect.right, kWidth - 1); ++x)
                passing += test(At(pixels, x, y)) ? 1 : 0;
        }
        return passing;
    }
    // The nicknames' yellow over a red shadow, and the lines' yellow in a thin font over the dark panel.
    static bool Yellowish(const Pixel& p) { return p.r > 120 && p.g > 80 && p.b < 70; }
    // Text lighter than the faces it is written on.
    static bool Light(const Pixel& p) { return p.r > 140 && p.g > 140 && p.b > 140; }

    kvtest::SdlGlWindow window{kWidth, kHeight};
    kvtest::TestEngineFactory factory{[this] { return window.CreateSystem(); }, kWidth, kHeight};
    std::unique_ptr<kvtest::TableStage> stage;
    std::unique_ptr<ResourcePackCatalog> catalog;
    kvtest::IdleConnectionHost connectionHost;
    std::unique_ptr<GameConnection> connection;
    Panel root;
    Messenger* messenger = nullptr;
    std::unique_ptr<MessengerPopup> messengerOwner;
    std::unique_ptr<ProfileWindow> profile;
};

TEST_F(CommunityWindowsGlTest, TheMessengerListsFriendsOnlineFirstAndItsIconBlinks) {
    messenger->Toggle(root);
    const std::vector<uint32_t> list = DrawFrame();
    Save("messenger_friends.png");
    const WidgetRect face = messenger->GetRect();
    EXPECT_EQ(face.left, (kWidth - Messenger::kWidth) / 2);
    EXPECT_FALSE(At(list, face.left + 10, face.top + 40).IsClear()) << "the face is drawn";
    EXPECT_EQ(messenger->Row(0)->NicknameLabel()->GetText(), u"Roomie");
    EXPECT_EQ(messenger->Row(0)->LocationLabel()->GetText(), u"Room12");
    EXPECT_EQ(messenger->Row(2)->NicknameLabel()->GetText(), u"Sleeper");
    // Each row's nickname is written in yellow; the rows past the list are not drawn.
    for (int32_t n = 0; n < 3; ++n) {
        const WidgetRect name = messenger->Row(n)->NicknameLabel()->GetRect();
        EXPECT_GT(Count(list, name, Yellowish), 8) << "row " << n;
    }
    const WidgetRect empty = messenger->Row(4)->GetRect();
    EXPECT_EQ(Count(list, empty, Yellowish), 0);

    // Closed, a friend's line leaves the blinking icon: lit, then dim a second later.
    messenger->SetVisible(false);
    quill::Packet line = kvtest::AsReceived(kvtest::ChatMessage(quill::MessageId::MessengerChat, 1, 2, u"hello"));
    messenger->OnChatLine(line, false);
    BlinkingIcon& icon = *messenger->NewMessageIcon();
    root.AddChild(&icon, true);
    icon.SetBlinkStart(10000);
    icon.TickTree(10100);
    icon.TickTree(10200);
    const std::vector<uint32_t> lit = DrawFrame();
    Save("messenger_icon_lit.png");
    icon.TickTree(11200);
    icon.TickTree(11300);
    const std::vector<uint32_t> dim = DrawFrame();
    Save("messenger_icon_dim.png");
    const WidgetRect at = icon.GetRect();
    int differ = 0;
    for (int y = at.top; y <= at.bottom; ++y) {
        for (int x = at.left; x <= at.right; ++x) {
            const size_t i = static_cast<size_t>(y) * kWidth + x;
            differ += (lit[i] & 0xFFFFFF) != (dim[i] & 0xFFFFFF) ? 1 : 0;
        }
    }
    EXPECT_GT(differ, 200) << "the icon's rectangle changes as it blinks";
    root.RemoveChild(&icon).release();

    // Opened again, it lands in the chat with the line.
    messenger->Toggle(root);
    const std::vector<uint32_t> chat = DrawFrame();
    Save("messenger_chat.png");
    EXPECT_EQ(messenger->View(), MessengerView::Chat);
    EXPECT_EQ(messenger->ChatLineLabel(1)->GetText(), u"Roomie : hello");
    EXPECT_GT(Count(chat, messenger->ChatLineLabel(1)->GetRect(), Yellowish), 8);
}

TEST_F(CommunityWindowsGlTest, TheProfileWindowShowsAPlayersHeaderAndStatistics) {
    kvtest::TestProfile visitor;
    visitor.nickname = u"Visitor";
    visitor.level = 7;
    visitor.icon = 3;
    visitor.mark = 120;
    visitor.modes = {{10, 0, 1500, {30, 10, 3, 4, 1234, 6, 7, 8}}};
    quill::Packet packet = kvtest::AsReceived(kvtest::UserProfileMessage(visitor));
    ASSERT_TRUE(profile->OnUserProfile(root, packet));
    profile->ShowPending();
    ASSERT_TRUE(profile->IsVisible());
    const std::vector<uint32_t> shown = DrawFrame();
    Save("profile_window.png");
    const WidgetRect face = profile->GetRect();
    EXPECT_EQ(face.left, (kWidth - ProfileWindow::kWidth) / 2);
    EXPECT_FALSE(At(shown, face.left + 30, face.top + 150).IsClear());
    // Texts on the face: the nickname, the money and the 8-ball values, the fifth in hundredths.
    EXPECT_GT(Count(shown, profile->NicknameLabel()->GetRect(), Light), 8);
    EXPECT_GT(Count(shown, profile->MoneyLabel()->GetRect(), Light), 8);
    EXPECT_EQ(profile->Statistics().Value(10, 8)->GetText(), u"75.0%");
    EXPECT_EQ(profile->Statistics().Value(10, 4)->GetText(), u"12.34") << "in the threads' rounding mode too";
    EXPECT_GT(Count(shown, profile->Statistics().Value(10, 8)->GetRect(), Light), 8);
    // The rating's picture is its caption, shown with the rating.
    EXPECT_GT(Count(shown, profile->Statistics().Rating(10)->GetRect(), Light), 8) << "see profile_window.png";
    // The mark is a gold star; the icon a round badge whose corners show the window's face, with no piece of
    // the star's picture across its top.
    const auto gold = [](const Pixel& p) { return p.r > 200 && p.g > 150 && p.b < 90; };
    EXPECT_GT(Count(shown, profile->MarkIcon()->GetRect(), gold), 30) << "the star: see profile_window.png";
    const WidgetRect icon = profile->Icon()->GetRect();
    EXPECT_EQ(Count(shown, icon, gold), 0) << "the star across the icon: see profile_window.png";
    const Pixel corner = At(shown, icon.left, icon.top), beside = At(shown, icon.left - 3, icon.top);
    EXPECT_LE(std::abs(corner.r - beside.r) + std::abs(corner.g - beside.g) + std::abs(corner.b - beside.b), 12)
        << "the icon's corner: see profile_window.png";
    const Pixel middle = At(shown, (icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2);
    EXPECT_GT(std::abs(middle.r - beside.r) + std::abs(middle.g - beside.g) + std::abs(middle.b - beside.b), 60)
        << "the icon's badge: see profile_window.png";
}

}  // namespace
}  // namespace kestrovan
