#pragma once
// The shot gallery (SceneId 9): a table in the room of "Map0000" with the gallery's list and shot windows
// over it. The player browses today's best shots or the pages of all registered shots, opens one with its
// comments, recommends it, and watches it replayed on the table again and again at normal, half and quarter
// speed in turn. Server notices show as lines at the lower left; the title bar's buttons lead back to the
// lobby and open the shared windows.
//
// Threads: see the table in client/app/Scene.h. The web posts run on each window's exchange thread (GalleryExchange),
// which touches no widget; Update shows the replies that came. A replay asked for from any entry is only marked pending
// and started by Render, which alone loads models; flags read across threads are atomic.
#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>

#include "QuillLib/core/WString.h"
#include "client/app/Scene.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/OfflineDefaults.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/scenes/common/TitleBarButtons.h"
#include "client/scenes/gallery/GalleryExchange.h"
#include "client/scenes/gallery/GalleryServices.h"
#include "client/scenes/gallery/GalleryTransport.h"
#include "client/table/ShotData.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

class Button;
class GalleryListDialog;
class GalleryShotDialog;
class GameConnection;
class Image;
class ScreenServices;
class TextLabel;

class SceneShotGallery : public Scene {
public:
    // Control ids of the title bar's buttons.
    static constexpr int32_t kToLobby = 1;
    static constexpr int32_t kSettings = 2;
    static constexpr int32_t kHelp = 3;
    static constexpr int32_t kMyInfo = 4;
    static constexpr int32_t kMessenger = 5;
    static constexpr int32_t kPlayShot = 77;
    static constexpr int32_t kViewList = 99;

    static constexpr size_t kNoticePanels = 8;
    static constexpr size_t kMaxNoticeLines = 200;
    static constexpr size_t kNoticeChars = 79;
    static constexpr int32_t kNoticePanelWidth = 382;
    static constexpr int32_t kMaxNoticeWidth = 600;

    // Speed indices of the replay cycle; -1: no replay.
    static constexpr int32_t kNoSpeed = -1;
    static constexpr int32_t kSpeeds = 3;

    struct NoticeLine {
        uint32_t colour = 0;
        quill::WString text;
        uint32_t stamp = 0;
    };

    // The web service is the site of the App's configuration, unless a transport is given (tests).
    explicit SceneShotGallery(ScreenServices& app, std::unique_ptr<GalleryTransport> transport = nullptr);
    ~SceneShotGallery() override;

    // --- Scene slots ---
    void Init() override;
    void Activate() override;
    int LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) override;
    void Render(D3D9RenderDevice* device, bool draw) override;
    int OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) override;
    bool OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) override;
    void Update(uint32_t timeMs, int64_t clockTenthMs, const MouseMotion& motion) override;
    int OnPacket(quill::MessageId id, quill::Packet& packet) override;
    void OnResize(uint32_t width, uint32_t height) override;
    void OnActivate(bool active) override;
    void AddChatLine(quill::WStringView text, uint32_t value) override { AddNoticeLine(text, value); }
    bool OnEvent(Widget* source, int32_t kind, int32_t key) override;

    // --- The gallery ---
    void OpenShot(int32_t shotNumber);
    // Marks the shot window's shot for replay at normal speed; Render starts it.
    void PlayShot();
    // The shot again from its start at the current speed (table already set up for it).
    void StartReplay();
    // The first camera event of a replay: the shot starts and the camera's pitch is kept within 20..60.
    void ClampCameraPitch();
    void OnBallsStopped();
    void AddNoticeLine(quill::WStringView text, uint32_t colour);

    // --- What tests read ---
    GalleryListDialog* ListDialog() const { return list_; }
    GalleryShotDialog* ShotDialog() const { return shot_; }
    GameTable* Table() const { return stage_.Table(); }
    TextLabel* SpeedCaption() const { return speedCaption_; }
    TextLabel* NoticeLabel(size_t k) const { return noticeLabels_[k]; }
    Image* NoticePanel(size_t k) const { return noticePanels_[k]; }
    Button* TitleButton(int32_t id) const;
    int32_t SpeedIndex() const { return speedIndex_; }
    bool IsReplayPending() const { return replayPending_; }
    bool IsCameraClampDone() const { return clampDone_; }
    uint8_t ReplayGameMode() const { return gameMode_; }
    size_t NoticeCount() const;
    int32_t FirstNoticeShown() const;
    std::deque<NoticeLine> NoticeLines() const;

private:
    void BuildTitleBar();
    void BuildNoticeLines();
    void SendLeaveToLobby();
    void OnEscape();
    void StartPendingReplay();
    void ApplySpeed(GameTable& table, int32_t speed);
    void EquipShotCue(const ShotData& shot);
    void DrawNoticeLines();
    void OnShotVoteResult(quill::Packet& packet);
    // What a window needs of the program, with the window's own exchange.
    GalleryServices Services(GalleryExchange* exchange);

    ScreenServices& app_;
    GameConnection& connection_;
    ConnectionRequestSender sender_;
    std::unique_ptr<GalleryTransport> transport_;
    // The windows' posts to the site, each on a thread of its own; declared after the transport they use, so
    // that they end (cancelled and joined) before it goes.
    std::unique_ptr<GalleryExchange> listExchange_;
    std::unique_ptr<GalleryExchange> shotExchange_;
    TableSceneStage stage_;
    TitleBarButtons titleBarButtons_;
    bool built_ = false;
    bool resourcesLoaded_ = false;

    GalleryListDialog* list_ = nullptr;
    GalleryShotDialog* shot_ = nullptr;
    Image* titleBar_ = nullptr;
    std::array<Button*, 5> titleButtons_{};
    Image* noticeBox_ = nullptr;
    std::array<Image*, kNoticePanels> noticePanels_{};
    std::array<TextLabel*, kNoticePanels> noticeLabels_{};
    TextLabel* speedCaption_ = nullptr;

    std::deque<NoticeLine> notices_;
    int32_t firstNotice_ = 1;

    ShotData replayShot_;
    std::atomic<bool> replayPending_{false};
    std::atomic<uint8_t> gameMode_{0};
    std::atomic<int32_t> speedIndex_{kNoSpeed};
    std::atomic<bool> clampDone_{false};
};

}  // namespace kestrovan
