// The offline screen on the headless App: the profile's offline equipment, the title bar and the widgets'
// places, activation (the offline inventory with the lent chalk, the table racked for the game type and
// given control), the key guide's F2, and the room-setting dialog: the types it offers, a confirmed
// other type that re-racks the table at the next frame while the same type changes nothing, and Escape, which
// closes an open list of the dialog before it cancels the dialog.
#include "client/rules/TablePhysics.h"
#include "client/scenes/offline/SceneAlone.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableInput.h"
#include "client/table/TableRenderStep.h"

#include <gtest/gtest.h>

#include "QuillLib/gamedata/PlayerState.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/HelpWindow.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/common/ItemQuickBar.h"
#include "client/scenes/common/OfflineDefaults.h"
#include "client/scenes/common/RoomSettingDialog.h"
#include "client/scenes/common/TableBallSelector.h"
#include "client/table/GameTable.h"
#include "client/ui/Button.h"
#include "client/ui/ComboBox.h"
#include "client/ui/Image.h"
#include "client/ui/Window.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "platform/window/VirtualKey.h"
#include "platform/window/Window.h"
#include "platform/window/headless/HeadlessWindowBackend.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {
namespace {

class OfflineSceneTest : public SceneTestApp {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    // The screen as the manager brings it up; without data packs the load stops after the table is made.
    void Bring() {
        scene.Init();
        EXPECT_EQ(scene.LoadResources(nullptr, nullptr), 1) << "no packs: the load fails";
        ASSERT_NE(scene.Table(), nullptr);
        scene.Activate();
    }
    quill::PlayerState& Player() { return app.Connection()->LocalPlayer(); }
    quill::RoomInfo& Room() { return app.Connection()->GetRoomInfo(); }
    void ConfirmType(quill::GameType type) {
        scene.RoomSetting()->SetSelectedType(type);
        scene.OnMessage(quill::AppEventId::RoomSettingConfirm, 0, 0);
    }
    void ClickAt(int32_t x, int32_t y) {
        for (const uint32_t msg : {platform::Msg::MouseMove, platform::Msg::LButtonDown, platform::Msg::LButtonUp})
            scene.RouteMessage(msg, 0, platform::MakePointLParam(x, y));
    }
    // Down and up through the main window, whose key table the buttons' hot keys read, to the screen's widgets.
    void PressKey(uint8_t vk) {
        platform::Window& window = app.MainWindow();
        for (const auto kind : {platform::InputEventKind::KeyDown, platform::InputEventKind::KeyUp}) {
            platform::InputEvent event;
            event.kind = kind;
            event.vk = vk;
            static_cast<platform::HeadlessWindowBackend&>(window.Backend()).Script(event);
            platform::Message message;
            while (window.PeekMessage(message)) {
                window.TranslateMessage(message);
                if (message.id >= platform::Msg::KeyDown && message.id <= platform::Msg::Char)
                    scene.RouteMessage(message.id, message.wParam, message.lParam);
            }
        }
    }

    SceneAlone scene{app};
};

TEST_F(OfflineSceneTest, TheProfileGetsOfflineEquipmentForEveryGameType) {
    const quill::PlayerState& player = Player();
    for (uint16_t cue : player.offlineCueItem) EXPECT_EQ(cue, kStockCue);
    EXPECT_EQ(player.offlineTableItem[0], 1020);
    EXPECT_EQ(player.offlineTableItem[4], 1024);
    EXPECT_EQ(player.offlineTableItem[16], 1035);
    EXPECT_EQ(player.offlineBallSetItem[6], 2008);
    EXPECT_EQ(player.offlineBallSetItem[13], 2006);
    EXPECT_EQ(player.offlineTableItem[11], 0) << "types without defaults keep what they had";
    for (int32_t skill : player.skills) EXPECT_EQ(skill, kOfflineSkillValue);
    EXPECT_EQ(Room().gameType, 10);
}

TEST_F(OfflineSceneTest, ActivationRacksTheTableLendsChalkAndPlacesTheWidgets) {
    Bring();
    const ScreenSize screen = app.GetScreenSize();
    GameTable& table = *scene.Table();
    EXPECT_EQ(table.Equipment().GameMode(), 10);
    EXPECT_EQ(table.Equipment().TableItemId(), 1030);
    EXPECT_EQ(table.Equipment().BallSetItemId(), 2006);
    EXPECT_EQ(table.State(), 5);
    EXPECT_TRUE(table.Turn().IsControlEnabled());
    EXPECT_EQ(table.Physics().BallCount(), 16);
    ASSERT_NE(table.RenderStep().CurrentCue(), nullptr);
    EXPECT_TRUE(table.RenderStep().CurrentCue()->IsCustom()) << "the offline custom cue's parts";
    EXPECT_EQ(Player().age, 20);
    EXPECT_TRUE(scene.IsReady());

    // The lent chalk of 100 uses is selected and shown in the chalk slot.
    const quill::InventoryItem* chalk = Player().GetCurrentCue();
    ASSERT_NE(chalk, nullptr);
    EXPECT_EQ(chalk->typeCode, SceneAlone::kLentChalk);
    EXPECT_EQ(scene.ChalkSlot()->CurrentChalk(), chalk);

    EXPECT_TRUE(scene.KeyGuide()->IsVisible());
    EXPECT_FALSE(scene.ItemBar()->IsVisible());
    EXPECT_EQ(scene.KeyGuide()->GetRect().left, screen.width - 200);
    EXPECT_EQ(scene.ChalkSlot()->GetRect().left, -4);
    EXPECT_EQ(scene.ChalkSlot()->GetRect().top, screen.height - 300);
    EXPECT_EQ(scene.ItemBar()->GetRect().top, screen.height - 430);

    // The help button opens the rules of the game on the table.
    for (Widget* child : scene.GetChildren()) {
        if (child->GetId() == SceneAlone::kHelpButton) scene.OnEvent(child, 0, 0);
    }
    EXPECT_TRUE(scene.Help()->IsVisible());
    EXPECT_EQ(scene.Help()->RulesGameType(), 10);

    // F2 shows and hides the key guide.
    scene.OnMessage(platform::Msg::KeyUp, platform::Vk::F2, 0);
    EXPECT_FALSE(scene.KeyGuide()->IsVisible());
    scene.OnMessage(platform::Msg::KeyUp, platform::Vk::F2, 0);
    EXPECT_TRUE(scene.KeyGuide()->IsVisible());
}

TEST_F(OfflineSceneTest, TheCueFollowsTheViewWhichTheLeftButtonTurnsWhileTheRightButtonZooms) {
    Bring();
    GameTable& table = *scene.Table();
    EXPECT_TRUE(table.Turn().AimFollowsCamera()) << "the player aims: the cue lies along the aiming camera's view";
    for (uint32_t frame = 1; frame <= 200; ++frame) scene.Update(frame, frame * 50, {});
    ASSERT_FALSE(table.Cameras().GetCamera().IsMoving());

    // The left button drags the view, and the aim with it; it strokes nothing (Ctrl does).
    const auto at = platform::MakePointLParam(400, 300);
    scene.OnMessage(platform::Msg::LButtonDown, 1, at);
    EXPECT_TRUE(table.Input().Flags().aimDragHeld);
    EXPECT_FALSE(table.Input().Flags().strokeKeyHeld);
    scene.OnMessage(platform::Msg::LButtonUp, 0, at);
    EXPECT_FALSE(table.Input().Flags().aimDragHeld);

    // The right button zooms; it does not stand in for Shift.
    scene.OnMessage(platform::Msg::RButtonDown, 2, at);
    EXPECT_TRUE(table.Input().Flags().rightButtonZoom);
    EXPECT_FALSE(table.Input().Flags().zoomKeyHeld);
    scene.OnMessage(platform::Msg::RButtonUp, 0, at);
    EXPECT_FALSE(table.Input().Flags().rightButtonZoom);
}

TEST_F(OfflineSceneTest, AnotherGameTypeReRacksTheTableAtTheNextFrame) {
    Bring();
    ConfirmType(10);
    EXPECT_FALSE(scene.ReloadPending()) << "the type already set changes nothing";

    ConfirmType(3);
    EXPECT_TRUE(scene.ReloadPending());
    EXPECT_EQ(Room().gameType, 3);
    EXPECT_EQ(scene.Table()->Equipment().GameMode(), 10) << "the table changes on the main thread, not here";
    scene.Render(nullptr, true);
    EXPECT_FALSE(scene.ReloadPending());
    GameTable& table = *scene.Table();
    EXPECT_EQ(table.Equipment().GameMode(), 3);
    EXPECT_EQ(table.Equipment().TableItemId(), 1027);
    EXPECT_EQ(table.Equipment().BallSetItemId(), 2004);
    EXPECT_EQ(table.Physics().BallCount(), 3u);
    EXPECT_TRUE(table.Turn().IsControlEnabled());

    // A type without offline equipment gets the table's default items.
    ConfirmType(2);
    scene.Render(nullptr, true);
    EXPECT_NE(scene.Table()->Equipment().TableItemId(), 0) << "the table stands its own default in for item 0";
}

TEST_F(OfflineSceneTest, TheRoomSettingDialogOffersGambleTypesOnlyToAdults) {
    Bring();
    RoomSettingDialog& dialog = *scene.RoomSetting();
    EXPECT_EQ(dialog.TypeButton(1), nullptr) << "types without rules have no button";
    dialog.SetVisible(true);
    EXPECT_TRUE(dialog.TypeButton(2)->IsVisible());
    EXPECT_TRUE(dialog.TypeButton(5)->IsVisible());
    EXPECT_TRUE(dialog.TypeButton(10)->IsChecked());
    EXPECT_EQ(dialog.Selector()->TableItem(), 1030) << "the type's default table listed first";
    dialog.SetVisible(false);

    Player().age = 17;
    dialog.SetVisible(true);
    for (quill::GameType gamble : {2, 5, 6}) EXPECT_FALSE(dialog.TypeButton(gamble)->IsVisible()) << gamble;
    EXPECT_TRUE(dialog.TypeButton(3)->IsVisible());

    // A click on a type selects it; OK writes the choice into the connection's room and hides the dialog.
    dialog.OnEvent(dialog.TypeButton(12), 1, 0);
    EXPECT_EQ(dialog.SelectedType(), 12);
    EXPECT_TRUE(dialog.TypeButton(12)->IsChecked());
    EXPECT_FALSE(dialog.TypeButton(10)->IsChecked());
    for (Widget* child : dialog.GetChildren()) {
        if (child->GetId() == RoomSettingDialog::kOk) dialog.OnEvent(child, 0, 0);
    }
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_EQ(Room().tableItem, 1032);
    EXPECT_EQ(Room().ballItem, 2006);
}

// The list takes the whole press of Escape: the dialog stays, and only the next Escape cancels it.
TEST_F(OfflineSceneTest, EscapeClosesAnOpenListOfTheRoomSettingDialogBeforeTheDialog) {
    Bring();
    RoomSettingDialog& dialog = *scene.RoomSetting();
    dialog.SetVisible(true);
    ComboBox* tables = nullptr;
    for (Widget* child : dialog.Selector()->GetChildren()) {
        if (child->GetId() == TableBallSelector::kTableComboId) tables = dynamic_cast<ComboBox*>(child);
    }
    ASSERT_NE(tables, nullptr);
    const WidgetRect face = tables->GetFace()->GetRect();
    ClickAt((face.left + face.right) / 2, (face.top + face.bottom) / 2);
    ASSERT_TRUE(tables->GetDropDown()->IsVisible());
    PressKey(platform::Vk::Escape);
    EXPECT_FALSE(tables->GetDropDown()->IsVisible());
    EXPECT_TRUE(dialog.IsVisible()) << "the first Escape closes the list alone";
    PressKey(platform::Vk::Escape);
    EXPECT_FALSE(dialog.IsVisible());
}

}  // namespace
}  // namespace kestrovan::test
