// The replay panel on the game data (headless App, recording device): a shot on the panel's own equipment
// plays at once, one on other equipment after the next drawn frame set the table up for it; the view's size
// changes once per drawn frame; a practice shot or another player's is not registered, stickers and title are
// checked, and the registered text reads back into the same shot; hiding the panel stops the shot.
#include <gtest/gtest.h>

#include <filesystem>

#include "QuillLib/core/AppEventId.h"
#include "client/connection/GameConnection.h"
#include "client/rules/TablePhysics.h"
#include "client/scenes/SceneFactory.h"
#include "client/scenes/common/ReplayPanel.h"
#include "client/scenes/common/ShotSaveWindow.h"
#include "client/table/GameTable.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableRenderStep.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/Panel.h"
#include "tests/support/scenes/RecordingSender.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {
namespace {

class ReplayPanelTest : public SceneTestApp {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    ReplayPanelTest() : SceneTestApp(AppMode::Online, {u"launcher"}) {
        RegisterItemModels();
        std::filesystem::copy(KV_DATA_FOLDER, fixture.folder.Path() / "data", std::filesystem::copy_options::recursive);
        loaded = app.InitRenderer();
        root.Create(0, 0, 1024, 768, -1, -1);
        ReplayPanel::Services services;
        services.sender = &sender;
        services.poster = [this](uint32_t id, uint32_t, uint32_t, uint32_t) { posted.push_back(id); };
        services.notice = [this](quill::WStringView text) { notices.emplace_back(text); };
        services.error = [this](quill::WStringView text) { notices.emplace_back(text); };
        services.notice3 = [this](quill::WStringView first, quill::WStringView, quill::WStringView) {
            notices.emplace_back(first);
        };
        panel = static_cast<ReplayPanel*>(
            root.AddChild(std::make_unique<ReplayPanel>(app, Player(), services), false));
        room.gameType = 0;
        room.tableItem = 1020;
        room.ballItem = 2003;
    }
    ~ReplayPanelTest() override { panel->ReleaseTable(); }
    quill::PlayerState& Player() { return app.Connection()->LocalPlayer(); }
    // A shot of four balls in a row on the room's equipment.
    ShotRecord Shot(uint16_t tableItem, uint16_t ballSet, uint8_t mode, uint32_t valid) const {
        ShotRecord shot;
        shot.valid = valid;
        shot.gameMode = mode;
        shot.tableItemId = tableItem;
        shot.ballSetItemId = ballSet;
        shot.cueItemId = 3000;
        shot.cuePartIds.fill(0xFFFF);
        shot.physicsModelCode = 0x10014;
        shot.ballCount = mode == 3 ? 3 : 4;
        for (uint8_t ball = 0; ball < shot.ballCount; ++ball) shot.positions[ball] = {-60.0f + 30.0f * ball, 10.0f, 3.0f};
        shot.aimPointX = 1.0f;
        shot.power = 0.4f;
        return shot;
    }
    void Press(int32_t id, bool checked = false) {
        Button* button = panel->ControlButton(id);
        ASSERT_NE(button, nullptr) << id;
        button->SetChecked(checked);
        panel->OnEvent(button, checked ? 1 : 0, 0);
    }

    static constexpr uint32_t kRoomShot = ShotRecord::kValidFilled | ShotRecord::kValidState7 | ShotRecord::kValidLocalShot;
    bool loaded = false;
    Panel root;
    RecordingSender sender;
    std::vector<uint32_t> posted;
    std::vector<quill::WString> notices;
    quill::RoomInfo room;
    ReplayPanel* panel = nullptr;
};

TEST_F(ReplayPanelTest, AShotOnOtherEquipmentPlaysAfterTheNextFrameSetTheTableUp) {
    ASSERT_TRUE(loaded);
    ASSERT_TRUE(panel->CreateTable(room, *app.GetResourceManager(), *app.GetDevice()));
    panel->SetVisible(true);
    panel->LoadShot(Shot(1020, 2003, 0, kRoomShot));
    EXPECT_TRUE(panel->IsPlaying());
    EXPECT_FALSE(panel->IsReloadPending());
    ASSERT_NE(panel->Table()->RenderStep().CurrentCue(), nullptr);
    EXPECT_EQ(panel->Table()->RenderStep().CurrentCue()->ItemId(), 3000);

    panel->LoadShot(Shot(1027, 2004, 3, kRoomShot));
    EXPECT_TRUE(panel->IsReloadPending());
    EXPECT_EQ(panel->Table()->Equipment().TableItemId(), 1020) << "the table changes on the main thread's frame";
    panel->DrawTable(*app.GetDevice());
    EXPECT_FALSE(panel->IsReloadPending());
    EXPECT_EQ(panel->Table()->Equipment().TableItemId(), 1027);
    EXPECT_EQ(panel->Table()->Equipment().BallSetItemId(), 2004);
    EXPECT_EQ(panel->Table()->Physics().BallCount(), 3u);
    EXPECT_TRUE(panel->IsPlaying());

    // The game thread's frames run the shot while playing; Pause holds it; hiding stops it.
    for (uint32_t frame = 1; frame <= 50; ++frame) panel->UpdateTable(frame * 100);
    Press(ReplayPanel::kPause);
    EXPECT_FALSE(panel->IsPlaying());
    Press(ReplayPanel::kPause);
    EXPECT_TRUE(panel->IsPlaying());
    panel->SetVisible(false);
    EXPECT_FALSE(panel->IsPlaying()) << "no shot plays unseen";

    panel->SetVisible(true);
    Press(ReplayPanel::kReplayLast);
    Press(ReplayPanel::kClose);
    EXPECT_EQ(posted, (std::vector<uint32_t>{quill::AppEventId::ReplayLastShotRequest, quill::AppEventId::RoomWindowsToggle}));
    EXPECT_FALSE(panel->IsVisible());
}

TEST_F(ReplayPanelTest, TheViewWidensOncePerFrameAndOnlyInsideMouseButtonsReachTheTable) {
    ASSERT_TRUE(loaded);
    ASSERT_TRUE(panel->CreateTable(room, *app.GetResourceManager(), *app.GetDevice()));
    // As the room places it: 190 pixels from the right edge.
    panel->SetAnchor(AnchorMode::Right, -190, 0, 0);
    root.ApplyChildAnchors(1024, 768);
    panel->SetVisible(true);
    panel->DrawTable(*app.GetDevice());
    const int32_t left = panel->GetRect().left;
    EXPECT_EQ(left, 1024 - 190);
    Press(ReplayPanel::kWindowSize, true);
    EXPECT_TRUE(panel->IsEnlarged());
    EXPECT_EQ(panel->GetRect().left, left - 184);
    Press(ReplayPanel::kWindowSize, false);
    EXPECT_TRUE(panel->IsEnlarged()) << "a second press before the frame changes nothing";
    EXPECT_TRUE(panel->ControlButton(ReplayPanel::kWindowSize)->IsChecked());
    EXPECT_EQ(panel->GetRect().left, left - 184);
    panel->DrawTable(*app.GetDevice());
    Press(ReplayPanel::kWindowSize, false);
    EXPECT_FALSE(panel->IsEnlarged());
    EXPECT_EQ(panel->GetRect().left, left);

    const WidgetRect at = panel->GetRect();
    EXPECT_TRUE(panel->IsInside(at.left + 5, at.top + 5));
    EXPECT_FALSE(panel->IsInside(at.right + 100, at.top + 5));
    panel->DrawTable(*app.GetDevice());
    Press(ReplayPanel::kWindowSize, true);
    EXPECT_TRUE(panel->IsInside(panel->GetRect().right + 100, at.top + 5)) << "the doubled view's area";

    Press(ReplayPanel::kCameraMode, true);
    EXPECT_EQ(panel->CameraMode(), ReplayPanel::kTopCamera);
}

TEST_F(ReplayPanelTest, OnlyOnesOwnOnlineShotIsRegisteredAndItsTextReadsBack) {
    ASSERT_TRUE(loaded);
    ASSERT_TRUE(panel->CreateTable(room, *app.GetResourceManager(), *app.GetDevice()));
    panel->SetVisible(true);
    panel->LoadShot(Shot(1020, 2003, 0, ShotRecord::kValidFilled | ShotRecord::kValidLocalShot));
    Press(ReplayPanel::kSave);
    EXPECT_EQ(notices.back(), u"Cannot save a practice shot.");
    EXPECT_FALSE(panel->SaveWindow()->IsVisible());
    panel->LoadShot(Shot(1020, 2003, 0, ShotRecord::kValidFilled | ShotRecord::kValidState7));
    Press(ReplayPanel::kSave);
    EXPECT_EQ(notices.back(), u"Other people's shots cannot be registered.");

    const ShotRecord own = Shot(1020, 2003, 0, kRoomShot);
    panel->LoadShot(own);
    Player().stickerCount = 0;
    Press(ReplayPanel::kSave);
    ShotSaveWindow& save = *panel->SaveWindow();
    ASSERT_TRUE(save.IsVisible());
    save.OnEvent(save.OkButton(), 0, 0);
    EXPECT_EQ(notices.back(), u"No registration sticker is available.");
    save.SetVisible(false);

    Player().stickerCount = 2;
    Press(ReplayPanel::kSave);
    EXPECT_EQ(save.Stickers(), 2);
    save.TitleBox()->SetText(u"G");
    save.OnEvent(save.OkButton(), 0, 0);
    EXPECT_EQ(notices.back(), u"Enter title more than 4 bytes.");
    save.TitleBox()->SetText(u"Go");
    save.OnEvent(save.OkButton(), 0, 0);
    EXPECT_FALSE(save.IsVisible());
    EXPECT_EQ(Player().stickerCount, 1);

    const auto sent = sender.Of(quill::MessageId::ShotRegister);
    ASSERT_EQ(sent.size(), 1u);
    quill::Packet message;
    ASSERT_TRUE(message.LoadReceived(sent[0]));
    message.SetCursor(4);
    EXPECT_EQ(message.ReadU8(), 0) << "the table's game mode";
    EXPECT_EQ(message.ReadWString(), u"Go");
    const uint16_t length = message.ReadU16();
    std::string text;
    for (uint16_t i = 0; i < length; ++i) text.push_back(static_cast<char>(message.ReadU8()));
    EXPECT_EQ(message.ReadU8(), 0) << "one zero byte ends the text";
    EXPECT_EQ(message.Cursor(), sent[0].size());
    EXPECT_EQ(text, ShotRecord::WriteHex(own));
    ShotData back;
    ASSERT_TRUE(ShotRecord::ParseHex(text, back));
    EXPECT_EQ(back.version, ShotRecord::kWrittenVersion);
    EXPECT_EQ(back.tableItemId, 1020);
    EXPECT_EQ(back.ballSetItemId, 2003);
    EXPECT_EQ(back.ballCount, 4);
    EXPECT_EQ(back.positions[3].x, own.positions[3].x);
    EXPECT_EQ(back.power, own.power);
    EXPECT_EQ(back.cuePartIds, own.cuePartIds) << "the fields after the balls read back too";
}

}  // namespace
}  // namespace kestrovan::test
