// The game thread of the App and the application events.
#include <algorithm>

#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/engine/Engine.h"
#include "client/app/App.h"
#include "client/app/AppPlatform.h"
#include "client/app/DirectInputMouse.h"
#include "client/app/SceneId.h"
#include "client/app/SoundQueue.h"
#include "client/connection/GameConnection.h"
#include "platform/system/Clock.h"
#include "platform/system/FpuMode.h"
#include "platform/system/Sleep.h"
#include "platform/system/posix/CrashHandler.h"
#include "platform/window/Window.h"

namespace kestrovan {

namespace {

constexpr int32_t kFrameRate = 200;
constexpr uint32_t kSoundEveryUpdates = 10;
constexpr uint32_t kPenCursor = 130;
constexpr uint32_t kNormalCursor = 129;

// Events whose loss would leave a state that nothing else ends: the shot's hand-over to the server (without
// it every player of the room waits for a shot or a report that never comes), the login's way on, and the end of
// the program that a box's OK asks for. They are posted by the player's own actions and the table, never once per
// server message (the login screen queues its way on once, however often the server answers), so keeping them
// beyond the queue's bound cannot be driven by a flood.
bool MustNotBeLost(uint32_t id) {
    switch (id) {
        case quill::AppEventId::ShotFired:
        case quill::AppEventId::BallsStopped:
        case quill::AppEventId::BallPlaced:
        case quill::AppEventId::PocketCalled:
        case quill::AppEventId::LoginAccepted:
        case quill::AppEventId::AppQuit:
            return true;
        default:
            return false;
    }
}

// The sound category of a SetVolume or EnableSoundChannel word: 0 is music, 1 effects, others the voice.
int CategoryOf(uint32_t wParam) {
    return wParam == 0 ? 1 : wParam == 1 ? 0 : 2;
}

}  // namespace

int App::StartGameThread() {
    clock_.UseMillisecondTimer();
    clock_.SetRenderRate(kFrameRate);
    clock_.SetUpdateRate(kFrameRate);
    gameThread_.Start([this] { GameThreadProc(); }, platform::ThreadPriority::AboveNormal);
    return 1;
}

void App::GameThreadProc() {
    platform::PrepareThreadForCrashes();
    startEvent_.Wait(platform::kInfinite);
    clock_.StartUpdateChannel();
    platform::SetThreadFpuMode();
    sceneManager_.Threads().Register(ProgramThread::Game);
    uint32_t updates = 0;
    while (running_) {
        // Until the next update is due the thread sleeps (a due tick only yields the processor).
        platform::Sleep(clock_.MsUntilUpdateDue());
        Scene* scene = sceneManager_.Current();
        if (scene == nullptr || !clock_.IsUpdateDue() || !scene->IsReady() || scene->IsChangePending()) continue;
        uint32_t now = 0;
        {
            // The times are read under the widget-tree lock: the main thread hands the screen the motion before a
            // release at its own time (HandOverMotionBeforeRelease), and the screen's clock never goes back.
            quill::ScopedLock tree(sceneManager_.WidgetTreeLock());
            const int64_t clockTime = clock_.GetTimeTenthMs();
            now = platform::TimeGetTime();
            const bool readMouse = mouse_ && frameRunning_ && mousePoll_;
            sceneManager_.UpdateCurrentScene(now, clockTime, readMouse ? mouse_.get() : nullptr);
        }
        if (connection_) connection_->Tick(now);
        if (++updates == kSoundEveryUpdates) {
            quill::SoundManager* sounds = engine_ ? engine_->GetSoundManager() : nullptr;
            if (sounds != nullptr) sounds->ReleaseIdleSounds();
            SoundQueue::Instance().Update(sounds);
            updates = 0;
        }
    }
    sceneManager_.Threads().Unregister(ProgramThread::Game);
    doneEvent_.Set();
}

void App::DrainPostedEvents() {
    while (quill::AppEvent* event = postedQueue_.Pop()) {
        heldEvents_.push_back(*event);
        postedQueue_.Release(event);
    }
    // Events for a scene that cannot take them yet (none is current, or it is loading or switching) are
    // held, in order, until it can; quitting never waits.
    while (!heldEvents_.empty()) {
        const quill::AppEvent event = heldEvents_.front();
        if (HandleAppEvent(event) == 0) {
            const Scene* scene = sceneManager_.Current();
            const bool sceneCanTake = scene != nullptr && CanTakePackets(*scene);
            if (event.id != quill::AppEventId::AppQuit && !sceneCanTake) return;
            sceneManager_.OnMessage(event.id, event.wParam, event.lParam);
        }
        heldEvents_.pop_front();
    }
}

void App::PostEvent(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) {
    if (MustNotBeLost(id)) {
        postedQueue_.PostKept(id, wParam, lParam, extra);
    } else {
        postedQueue_.Post(id, wParam, lParam, extra);
    }
}

void App::PostEvent(ConnectionEvent id, uint32_t wParam, uint32_t lParam, uint32_t extra) {
    PostEvent(static_cast<uint32_t>(id), wParam, lParam, extra);
}

int App::HandleAppEvent(const quill::AppEvent& event) {
    quill::SoundManager* sounds = engine_ ? engine_->GetSoundManager() : nullptr;
    switch (event.id) {
        case quill::AppEventId::CursorMode:
            cursorMode_ = event.wParam;
            cursor_.SetCursor(event.wParam == 1 ? kPenCursor : kNormalCursor);
            return 1;
        case quill::AppEventId::WindowPlacement:
            ApplyWindowPlacement(event.wParam);
            return 1;
        case quill::AppEventId::SetVolume: {
            // A volume word past 100 (a bad option word) plays at full volume, never louder.
            const float volume = std::clamp(static_cast<float>(event.lParam) / 100.0f, 0.0f, 1.0f);
            if (sounds != nullptr) sounds->SetCategoryVolume(CategoryOf(event.wParam), volume);
            return 1;
        }
        case quill::AppEventId::EnableSoundChannel:
            if (sounds != nullptr) sounds->SetCategoryEnabled(CategoryOf(event.wParam), event.lParam != 0);
            return 1;
        default:
            return 0;
    }
}

void App::RegisterScenes() {
    const auto add = [this](int32_t id) {
        if (!platform_->createScene) return;
        if (std::unique_ptr<Scene> scene = platform_->createScene(id, *this)) {
            scene->Init();
            sceneManager_.AddScene(std::move(scene));
        }
    };
    if (mode_ != AppMode::Replay) {
        add(SceneId::Intro);
        add(SceneId::Login);
    }
    if (mode_ == AppMode::Online) {
        for (int32_t id : {SceneId::Lobby, SceneId::RoomGame, SceneId::School, SceneId::RoomPractice,
                           SceneId::ShotGallery, SceneId::Shop}) {
            add(id);
        }
    }
    if (mode_ == AppMode::Replay) add(SceneId::Replay);
    if (mode_ == AppMode::Offline) add(SceneId::Alone);
    sceneManager_.SwitchTo(mode_ == AppMode::Replay ? SceneId::Replay : SceneId::Intro);
    if (platform_->createPopups) sceneManager_.SetPopups(platform_->createPopups(*this));
    scenesRegistered_ = true;
}

}  // namespace kestrovan
