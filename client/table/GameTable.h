#pragma once
// The billiards table world of a game screen: the physics holder with its balls, the state code and the shot's
// life (the stroke, the shot records, the update that steps a running shot), and the parts that hold the rest of
// the table's state with the operations on it. Every game screen that shows a
// table owns exactly one.
//
// The parts, each reached through the table (its header says what is particular about its threads):
// - Turn() (TableTurn): whether the table takes the keys, the player may strike and the cue follows the camera.
// - Records() (TableShotRecords): the shot, report and committed records, under the physics lock.
// - Aim() (TableAim): the aim's pose, the cue pose and its clearance, the strike point, the stroke's power and
//   sampler, the target ball, the power gauge and the aiming cursor.
// - Input() (TableInput): the keys and the mouse, the mode flags and the controls the screen allows.
// - RenderStep() (TableRenderStep): the render step and the draw passes with the render step's copy of the balls,
//   the shown models, whether the table is shown, and the current cue.
// - CameraEvents() (TableCameraEvents): the camera and cue events the input and the update post and the render
//   step applies, under the queue's own lock.
// - Cameras() (TableCameraRig): the cameras, the camera options, the camera moves and the
//   unprojection matrix.
// - Picking() (TableBallPicking): the balls' screen records, the ball in hand and the pockets.
// - Trails() (TableTrails): the balls' trails, the guide line and the snooker D.
// - PensAndMarks() (TablePensAndMarks): the players' pen strokes and the server's marks.
// - HudValues() (TableHudValues): the HUD and the values it shows.
// - ChalkBursts() (TableChalkBursts) and Ambient() (TableAmbient): the effects.
// - Equipment() (TableEquipment): the game mode, the table and ball-set items and what the physics takes of them.
// - Models() (TableModels): the balls', markers', shadow's and environment's models and what they are built from;
//   the table's set-up, load and unload.
// - Rack() (TableRack): racks and re-racks, balls and the cue ball placed, the camera re-aimed behind the cue
//   ball; the balls under the physics lock.
// - Messages() (TableMessageIo): the ball state, shot result report, shot and ball placement written from the
//   table, another player's ball state and shot read into it; no lock of its own (the physics lock).
// - CueModels() (TableCueModels): the cue models the players' cues share.
// The table itself keeps the services the screen sets (TableServices), the shot's life (TableShotLife) and the
// requests other threads leave for the next update (TableRequests).
//
// Threads: see the table in client/app/Scene.h: the screens make every call holding the widget-tree lock, which guards
// the table and its parts; the physics lock (inside the physics holder) guards the balls, and each camera changes under
// its own lock. The render step receives the input's and the update's camera requests through the camera events' queue.
// What the dispatch thread's messages or a screen's turn handling ask of the aim or the cameras is made at once or
// handed to the next update through the requests (ApplyRemoteRequests).
//
// What the table needs of the application, the connection, the player, the item catalogue and the sound system it
// reaches through small interfaces (TableHost, TableConnection, TablePlayer, ItemModels, TableSound) that the
// screen sets; without one, the operations that need it do nothing. The HUD is a widget tree: the widget toolkit
// must be installed before a table is made.
//
// How a screen drives its table:
// - Loading (main thread, once its 3D scene exists): the services and Equipment().SetGameMode, SetEquipmentItems
//   and Models().SetupTable, Cameras().SetupCameras with the scene (RenderSceneCameras) and
//   Cameras().GetCamera().SetScene with the same, then Models().LoadModels with the resources and the device, and Reset
//   for the first rack.
// - Input().HandleInput for each window message the screen receives (main thread), and every game-thread frame
//   Update with the frame clock's time and the frame's mouse motion.
// - Every drawn frame on the main thread, after the scene manager's update: RenderStep().Render3D(true)
//   (Render3D(false) while frames are paused, so that camera input is not lost); inside the 3D pass, after the
//   scene's tree: RenderStep().RenderOverlay, then RenderStep().DrawScene; in the 2D pass: HudValues().DrawHud.
// - Leaving: Models().UnloadModels (or destroying the table) on the main thread, before the device or the scene goes.
#include <cstdint>
#include <memory>

#include "client/table/TableRequests.h"
#include "client/table/TableServices.h"
#include "client/table/TableShotLife.h"
#include "client/table/TableTurn.h"

namespace quill {
struct Transform;
struct Vec3;
}  // namespace quill

namespace kestrovan {

struct ShotData;
struct ShotRecord;
class TableAim;
class TableAmbient;
class TableBallPicking;
class TableCameraEvents;
class TableCameraRig;
class TableChalkBursts;
class TableCueModels;
class TableEquipment;
class TableHudValues;
class TableInput;
class TableMessageIo;
class TableModels;
struct TableOptions;
class TablePensAndMarks;
class TablePhysics;
class TableRack;
class TableRenderStep;
class TableShotRecords;
class TableTrails;

class GameTable {
public:
    static constexpr int32_t kInitialState = 4;
    static constexpr uint32_t kReRackSound = 27;
    static constexpr uint32_t kPocketCallSound = 17;
    static constexpr float kRestingPullBack = -3.0f;

    GameTable();
    ~GameTable();
    GameTable(const GameTable&) = delete;
    GameTable& operator=(const GameTable&) = delete;

    // --- services ---
    // The screen sets the host, connection, player, item models and random draws through Services(); the sound
    // goes to the physics as well.
    void SetSound(TableSound* sound);

    // --- state and setters ---
    int32_t SetState(int32_t state);
    int32_t State() const { return state_; }
    void SnapshotBalls();
    // Stops a running shot under the physics lock; whether one was running. No lock is taken otherwise.
    bool StopShot();
    // The rule's shot code with its bank count capped at 3 (GetClampedCounter).
    int32_t GetClampedCounter();
    // Sets the rule's counter that GetClampedCounter reads (the room's foul reset); whether it changed.
    bool SetRuleCounter(int32_t counter);
    // r = v mod 1000, q = v div 1000: r when r < 4, else min(q, 3) x 1000 + r.
    static int32_t ClampTurnCode(int32_t code);

    // --- the stroke (game thread) ---
    // Freezes the balls into the shot record and computes the stroke from the aim, the player and the equipment.
    void ComputeStroke();

    // --- the aim (the screens' input, events, updates and handlers; angles in degrees) ---
    void ApplyAppOptions(const TableOptions& options);

    // --- the shot (game thread) ---
    // The local player's released stroke (computed into the shot record) becomes the committed shot and starts.
    void CommitShot();
    // Starts the shot of the shot record. With swings above 0 the cue first swings that many times and the shot
    // starts in the update when the swing has ended; such a start may be asked from any thread and begins at the
    // next update.
    void StartShot(int32_t swings, bool keepCamera);

    // --- per-frame update (game thread) ---
    // time: the frame clock in 0.1 ms units; dx, dy: the frame's mouse motion (dy positive toward the player);
    // holdPhysics keeps a running shot from being stepped this frame. Returns false.
    bool Update(uint32_t time, int32_t dx, int32_t dy, bool holdPhysics);
    // The mouse's motion as input alone, the part of the update that the held modes take of it: the camera and
    // cue events of the drags and views, the stroke and the right button's zoom. The update runs it every frame;
    // the main thread runs it alone with the motion made before a release, so that the mode the release ends
    // takes that motion first, while the frame's own steps (the physics, the camera's move, the cue's swing) keep
    // to the game thread's frames.
    void TakeMouseInput(uint32_t time, int32_t dx, int32_t dy);
    // One step of the mouse stroke, from TakeMouseInput: the update's on the game thread, and the main thread's
    // with the motion made ahead of a release.
    void UpdateStroke(int32_t dy, uint32_t time);

    // --- reset and shot restore (game thread, while no shot runs) ---
    // Everything back for a new game or rack: input modes, aim, records, pen strokes, the rack from the argument.
    void Reset(uint32_t rackArgument);
    void RestoreShotRecord(const ShotRecord& record);
    void LoadShotRecord(const ShotData& data);
    void ResetBallsFromShotRecord();

    // --- shown models and effects ---
    // Restarts the ambient effect when it exists, the table is visible and it is not showing already.
    void StartAmbientEffect(uint32_t now);

    // --- the parts (each header says what is particular about its threads) ---
    TableCameraRig& Cameras() { return *cameras_; }
    const TableCameraRig& Cameras() const { return *cameras_; }
    TableBallPicking& Picking() { return *picking_; }
    const TableBallPicking& Picking() const { return *picking_; }
    TableTrails& Trails() { return *trails_; }
    TablePensAndMarks& PensAndMarks() { return *pensAndMarks_; }
    const TablePensAndMarks& PensAndMarks() const { return *pensAndMarks_; }
    TableHudValues& HudValues() { return *hudValues_; }
    TableChalkBursts& ChalkBursts() { return *chalkBursts_; }
    TableAmbient& Ambient() { return *ambient_; }
    TableEquipment& Equipment() { return *equipment_; }
    const TableEquipment& Equipment() const { return *equipment_; }
    TableModels& Models() { return *models_; }
    TableCueModels& CueModels() { return *cueModels_; }
    const TableCueModels& CueModels() const { return *cueModels_; }

    TableTurn& Turn() { return turn_; }
    const TableTurn& Turn() const { return turn_; }
    TableShotRecords& Records() { return *records_; }
    const TableShotRecords& Records() const { return *records_; }
    TableAim& Aim() { return *aim_; }
    const TableAim& Aim() const { return *aim_; }
    TableInput& Input() { return *input_; }
    const TableInput& Input() const { return *input_; }
    TableRenderStep& RenderStep() { return *render_; }
    const TableRenderStep& RenderStep() const { return *render_; }
    TableCameraEvents& CameraEvents() { return *cameraEvents_; }
    TableRack& Rack() { return *rack_; }
    TableMessageIo& Messages() { return *messages_; }

    // --- what the table keeps itself ---
    TableServices& Services() { return services_; }
    const TableServices& Services() const { return services_; }
    TablePhysics& Physics() { return *physics_; }
    uint32_t BallCount() const;
    quill::Vec3 CueBallPosition() const;
    // Half the table's size, the unit the camera distances are measured in.
    float TableUnit() const;

    bool IsShotRunning() const { return shot_.running; }
    void SetShotRunning(bool running) { shot_.running = running; }
    bool IsShotPending() const { return shot_.pending; }
    int32_t ShotCost() const { return shot_.cost; }

private:
    using CameraMove = TableRequests::CameraMove;

    // Remote requests (GameTableRemote).
    void ApplyRemoteRequests();
    void MakeCameraMove(CameraMove move);
    void AimFromShotRecord();

    // The shot (GameTableShot).
    void StartShotNow(int32_t swings, bool keepCamera);
    void FollowShotWithCamera(bool keepCamera);
    bool TableCornersInView() const;
    float StartPhysics();
    void PlayChalkBurst(float strikeValue, const quill::Transform& impact);
    void ChargeLocalShot(float strikeValue);

    // The update (GameTableUpdate).
    void PostCameraInput(int32_t dx, int32_t dy);
    void StepShot();
    void FinishShot();
    void TickCameraController();

    // Stops every ball and any running shot of the physics.
    void StopPhysics();

    TableServices services_;

    // The state code and the shot's life.
    int32_t state_ = kInitialState;
    TableTurn turn_;
    TableShotLife shot_;
    std::unique_ptr<TablePhysics> physics_;
    // The shot records, under the physics lock.
    std::unique_ptr<TableShotRecords> records_;

    // The aim.
    std::unique_ptr<TableAim> aim_;

    // The parts, made in this order in the constructor (each takes the ones above it) and destroyed in reverse.
    std::unique_ptr<TableCameraRig> cameras_;
    std::unique_ptr<TablePensAndMarks> pensAndMarks_;
    std::unique_ptr<TableHudValues> hudValues_;
    std::unique_ptr<TableTrails> trails_;
    std::unique_ptr<TableEquipment> equipment_;
    std::unique_ptr<TableBallPicking> picking_;
    std::unique_ptr<TableModels> models_;
    std::unique_ptr<TableInput> input_;
    // The camera and cue events the input and the update post for the render step.
    std::unique_ptr<TableCameraEvents> cameraEvents_;
    // Requests of other threads for the next update.
    TableRequests requests_;
    std::unique_ptr<TableRack> rack_;
    std::unique_ptr<TableMessageIo> messages_;
    // The render step and the draw passes with the shown models.
    std::unique_ptr<TableRenderStep> render_;
    // The cue models the players' cues share.
    std::unique_ptr<TableCueModels> cueModels_;
    std::unique_ptr<TableChalkBursts> chalkBursts_;
    std::unique_ptr<TableAmbient> ambient_;
};

}  // namespace kestrovan
