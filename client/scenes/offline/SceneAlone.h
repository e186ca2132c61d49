#pragma once
// The offline screen: the player shoots alone on a table, with no server. The constructor gives the local
// profile offline equipment for every game type (cue, table and ball set); each activation rebuilds the
// offline inventory, racks the table and equips the cue the profile keeps for the game type. The title bar's
// buttons quit, open the settings, the help and the room-setting dialog; choosing another game type there
// re-racks the table at the next frame. F2 shows or hides the key guide; the chalk slot and the item bar sit
// at the left edge.
//
// Threads (Scene.h): Init, LoadResources, Activate, Render, OnLeave and OnMessage on the main thread; Update on
// the game thread. The game type chosen in the room-setting dialog (an application event) reaches Render as the
// stage's equipment request.
#include <cstdint>
#include <memory>

#include "QuillLib/gamedata/GameTypes.h"
#include "client/app/Scene.h"
#include "client/app/SoundIds.h"
#include "client/scenes/common/LentChalk.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/scenes/common/TitleBarButtons.h"

namespace quill {
struct InventoryItem;
class PlayerState;
class RoomInfo;
}  // namespace quill

namespace kestrovan {

class Button;
class ChalkQuickSlot;
class GameTable;
class HelpWindow;
class Image;
class ItemQuickBar;
class RoomSettingDialog;
class ScreenServices;
class TextLabel;

class SceneAlone : public Scene {
public:
    static constexpr int32_t kExitButton = 1;
    static constexpr int32_t kSettingsButton = 2;
    static constexpr int32_t kHelpButton = 3;
    static constexpr int32_t kRoomSettingButton = 6;
    static constexpr uint32_t kPhysicsModel = 0x10014;
    static constexpr uint32_t kClickSound = 1;
    static constexpr uint32_t kLentChalk = LentChalk::kType;

    explicit SceneAlone(ScreenServices& app);
    ~SceneAlone() override;

    void Init() override;
    int LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) override;
    void Activate() override;
    void Render(D3D9RenderDevice* device, bool draw) override;
    int OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) override;
    bool OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) override;
    void Update(uint32_t timeMs, int64_t clockTenthMs, const MouseMotion& motion) override;
    void TakeMotionBeforeRelease(int64_t clockTenthMs, const MouseMotion& motion) override;
    void OnSettingsChanged(const Settings& settings) override;
    void OnResize(uint32_t width, uint32_t height) override;
    void OnActivate(bool active) override;
    // Once per main-loop pass: the table's key poll.
    bool Poll() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

    // Whether the player may shoot now (the table's answer); the offline screen always lets him.
    bool CanShoot() const { return true; }

    GameTable* Table() const { return stage_.Table(); }
    RoomSettingDialog* RoomSetting() const { return roomSetting_; }
    HelpWindow* Help() const { return help_; }
    ChalkQuickSlot* ChalkSlot() const { return chalkSlot_; }
    ItemQuickBar* ItemBar() const { return itemBar_; }
    Image* KeyGuide() const { return keyGuide_; }
    bool ReloadPending() const { return stage_.HasPendingEquipment(); }

private:
    quill::PlayerState& Player() const;
    quill::RoomInfo& Room() const;
    void BuildTitleBar();
    void BuildKeyGuide();
    void LoadSounds();
    void SetUpTable();
    // The profile's cue for the game type on the table (a custom cue with its parts).
    void EquipProfileCue();
    void OnItemBarAction(uint32_t action);
    void EquipCue(const quill::InventoryItem& item);
    // The equipment of the room's game type in the profile.
    TableSceneStage::Equipment OfflineEquipment() const;
    // The main thread's side of a game-type change: the table set up again and racked.
    void ReloadTable(const TableSceneStage::Equipment& equipment);

    ScreenServices& app_;
    TableSceneStage stage_;
    LentChalk lentChalk_;
    TitleBarButtons titleBarButtons_;
    uint32_t lastRenderMs_ = 0;  // the frame clock of the last drawn frame, for the scene's animations
    bool built_ = false;

    Image* titleBar_ = nullptr;
    TextLabel* titleLabel_ = nullptr;
    Image* keyGuide_ = nullptr;
    ItemQuickBar* itemBar_ = nullptr;
    ChalkQuickSlot* chalkSlot_ = nullptr;
    RoomSettingDialog* roomSetting_ = nullptr;
    HelpWindow* help_ = nullptr;
};

}  // namespace kestrovan
