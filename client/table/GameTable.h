#pragma once
// The billiards table world of a game screen: the physics holder with its balls, the state code and the shot's
// life (the stroke, the shot records, the update that steps a running shot), and the parts that hold the rest of
// the table's state with the operations on it. Every game screen that shows a
// table owns exactly one.
//
// The parts, each reached through the table and each with at most one lock of its own (its header says which
// threads call it and which lock it takes):
// - Turn() (TableTurn): whether the table takes the keys, the player may strike and the cue follows the camera.
// - Records() (TableShotRecords): the shot, report and committed records, under the physics lock.
// - Aim() (TableAim): the aim's pose, the cue pose and its clearance, the strike point, the stroke's power and
//   sampler, the target ball, the power gauge and the aiming cursor; under the table lock, no lock of its own.
// - Input() (TableInput): the keys and the mouse, the mode flags and the controls the screen allows; HandleInput
//   and PollKeys take the table lock.
// - RenderStep() (TableRenderStep): the render step and the draw passes with the render step's copy of the balls,
//   the shown models, whether the table is shown, and the current cue, under the model lock.
// - CameraEvents() (TableCameraEvents): the camera and cue events the input and the update post and the render
//   step applies, under the queue's own lock.
// - Cameras() (TableCameraRig): the cameras, the camera options and the camera moves; the view lock guards the
//   unprojection matrix.
// - Picking() (TableBallPicking): the balls' screen records, the ball in hand and the pockets; the screen-info lock.
// - Trails() (TableTrails): the balls' trails, the guide line and the snooker D; each line keeps its own lock.
// - PensAndMarks() (TablePensAndMarks): the players' pen strokes and the server's marks (the pen lock and the
//   marks' lock inside them).
// - HudValues() (TableHudValues): the HUD and the values it shows (the cursor lock inside the HUD).
// - ChalkBursts() (TableChalkBursts) and Ambient() (TableAmbient): the effects, under the effect lock and the
//   ambient lock.
// - Equipment() (TableEquipment): the game mode, the table and ball-set items and what the physics takes of them.
// - Models() (TableModels): the balls', markers', shadow's and environment's models and what they are built from;
//   the table's set-up, load and unload.
// - Rack() (TableRack): racks and re-racks, balls and the cue ball placed, the camera re-aimed behind the cue
//   ball; no lock of its own (the physics lock, and the table lock for the aim).
// - Messages() (TableMessageIo): the ball state, shot result report, shot and ball placement written from the
//   table, another player's ball state and shot read into it; no lock of its own (the physics lock).
// - CueModels() (TableCueModels): the cue models the players' cues share, under the cue-model-list lock.
// The table itself keeps the services the screen sets (TableServices), the shot's life (TableShotLife) and the
// requests other threads leave for the next update (TableRequests, under the remote lock).
//
// Threads: the main thread draws (HUD, lines, particles) and runs the input, the game thread the per-frame update
// and the shot, and the dispatch thread applies messages from other players; the screens make every one of these
// calls holding the widget-tree lock (Scene.h). The lock the table keeps itself, the table lock, guards the aim
// and the render step's copies; the physics lock (inside the physics holder) guards the balls.
// Cameras change in the input, the update and the render step, each under its own lock; the render step receives
// the input's and the update's camera requests through the camera events' queue. What the dispatch thread's
// messages or a screen's turn handling ask of the aim or the cameras is made at once (the aim under the table
// lock) or handed to the next update through the requests (ApplyRemoteRequests).
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
//   Update with the frame clock's time and the frame's mouse motion. Either holds the table lock while it runs.
// - Every drawn frame on the main thread, after the scene manager's update: RenderStep().Render3D(true)
//   (Render3D(false) while frames are paused, so that camera input is not lost); inside the 3D pass, after the
//   scene's tree: RenderStep().RenderOverlay, then RenderStep().DrawScene; in the 2D pass: HudValues().DrawHud.
// - Leaving: Models().UnloadModels (or destroying the table) on the main thread, before the device or the scene goes.
#include <cstdint>
#include <memory>

#include "QuillLib/core/CriticalSectionLock.h"
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
    // One step of the mouse stroke (called by the update).
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

    // --- the parts (each header says which threads call it and which lock it takes) ---
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
    // The table lock: the aim and the render step's copies; the input and the update run under it.
    quill::CriticalSectionLock& TableLock() const { return tableLock_; }
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

    // The aim, under the table lock, which also guards the render step's copies.
    mutable quill::CriticalSectionLock tableLock_;
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
    // The render step and the draw passes with the shown models, under the model lock.
    std::unique_ptr<TableRenderStep> render_;
    // The cue models the players' cues share; their list lock is taken before an entry's lock, which is taken
    // before the model lock.
    std::unique_ptr<TableCueModels> cueModels_;
    std::unique_ptr<TableChalkBursts> chalkBursts_;
    std::unique_ptr<TableAmbient> ambient_;
};

}  // namespace kestrovan
