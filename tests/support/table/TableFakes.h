#pragma once
// Stand-ins for what the game table reaches through its interfaces: the application (window size, events,
// cursor), the connection (packets whose bytes are kept), the player, the item catalogue, models and drawers.
#include <bit>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "QuillLib/net/FieldWriter.h"
#include "QuillLib/net/Packet.h"
#include "client/table/ItemModels.h"
#include "client/table/ParticleDrawer.h"
#include "client/table/ItemModelRecord.h"
#include "client/table/SceneCameraSelector.h"
#include "client/table/TableConnection.h"
#include "client/table/TableHost.h"
#include "client/table/TableModelNode.h"
#include "client/table/TablePlayer.h"
#include "client/table/TableHud.h"
#include "client/table/TableMessages.h"
#include "client/ui/FontDesc.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiServices.h"
#include "client/ui/WidgetRenderer.h"
#include "client/ui/WidgetResources.h"
#include "client/ui/WidgetTexture.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {
class D3D9RenderDevice;
}

namespace kestrovan::test {

struct PostedEvent {
    uint32_t id, wParam, lParam, extra;
};

class FakeHost : public TableHost {
public:
    uint16_t ClientWidth() const override { return width; }
    uint16_t ClientHeight() const override { return height; }
    void PostEvent(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) override {
        events.push_back({id, wParam, lParam, extra});
    }
    void ShowCursor(bool show) override { calls.push_back(show ? "show" : "hide"); }
    void SetMouseCapture(bool capture) override { calls.push_back(capture ? "capture" : "release"); }
    void ClipCursorToWindow(bool clip) override { calls.push_back(clip ? "clip" : "unclip"); }
    void GetCursorPosition(int32_t& x, int32_t& y) const override {
        x = cursorX;
        y = cursorY;
    }
    void SetCursorPosition(int32_t x, int32_t y) override {
        calls.push_back("warp " + std::to_string(x) + "," + std::to_string(y));
    }
    void RecentreRelativeMouse() override { calls.push_back("recentre"); }
    void ForgetEarlierMotion() override { calls.push_back("forget motion"); }
    bool IsKeyDown(int virtualKey) const override { return keysDown.count(virtualKey) != 0; }
    bool IsAppActive() const override { return appActive; }
    bool IsTextInputFocused() const override { return textFocused; }
    MouseSpeed GetMouseSpeed() const override { return mouseSpeed; }
    void SetMouseSpeed(const MouseSpeed& speed) override { mouseSpeed = speed; }

    // How many events of that id were posted so far.
    int CountEvents(uint32_t id) const {
        int count = 0;
        for (const PostedEvent& event : events) {
            count += event.id == id ? 1 : 0;
        }
        return count;
    }

    std::set<int> keysDown;
    bool appActive = true;
    bool textFocused = false;
    MouseSpeed mouseSpeed{6, 10, 1};
    uint16_t width = 1024;
    uint16_t height = 768;
    int32_t cursorX = 0;
    int32_t cursorY = 0;
    std::vector<PostedEvent> events;
    std::vector<std::string> calls;
};

// Hands out packets of its own and keeps the bytes of every packet sent.
class FakeConnection : public TableConnection {
public:
    quill::Packet* AllocPacket() override {
        if (emptyPool) {
            return nullptr;
        }
        packets.push_back(std::make_unique<quill::Packet>());
        return packets.back().get();
    }
    void SendPacket(quill::Packet* packet) override {
        packet->Finish();
        const auto bytes = packet->Bytes();
        sent.emplace_back(bytes.begin(), bytes.end());
    }
    void FreePacket(quill::Packet* /*packet*/) override { ++freed; }
    int32_t GetGuideLineBonus() const override { return guideLineBonus; }
    int32_t GetPerfectChalkBonus() const override { return perfectChalk; }
    bool IsNoDeviationActive() const override { return noDeviation; }
    int32_t GetGuideValue() const override { return guideValue; }
    bool IsGaugeItemActive() const override { return gaugeItem; }

    bool emptyPool = false;
    int32_t guideValue = 0;
    bool gaugeItem = false;
    int32_t guideLineBonus = 0;
    int32_t perfectChalk = 0;
    bool noDeviation = true;
    int freed = 0;
    std::vector<std::unique_ptr<quill::Packet>> packets;
    std::vector<std::vector<uint8_t>> sent;
};

class FakePlayer : public TablePlayer {
public:
    StrokeSkills GetSkills() const override { return skills; }
    EquippedCue GetEquippedCue(quill::GameType /*gameType*/) const override { return cue; }
    uint16_t GetCurrentChalkId() const override { return chalkId; }
    int32_t GetAimItemBonus() const override { return aimItemBonus; }

    StrokeSkills skills;
    EquippedCue cue;
    uint16_t chalkId = 0;
    int32_t aimItemBonus = 0;
};

class FakeItemModels : public ItemModels {
public:
    std::optional<uint32_t> FindPhysicsProperty(uint32_t itemId) const override {
        const auto found = properties.find(itemId);
        return found != properties.end() ? std::optional(found->second) : std::nullopt;
    }
    std::optional<ChalkStatistics> FindChalkStatistics(uint32_t itemId) const override {
        const auto found = chalks.find(itemId);
        return found != chalks.end() ? std::optional(found->second) : std::nullopt;
    }

    const ItemModelRecord* FindRecord(uint32_t itemId) const override {
        const auto found = records.find(itemId);
        return found != records.end() ? &found->second : nullptr;
    }

    std::map<uint32_t, uint32_t> properties;
    std::map<uint32_t, ChalkStatistics> chalks;
    std::map<uint32_t, ItemModelRecord> records;
};

class RecordingModel : public TableModelNode {
public:
    explicit RecordingModel(int* destroyed = nullptr) : destroyed_(destroyed) {}
    ~RecordingModel() override {
        if (destroyed_ != nullptr) {
            ++*destroyed_;
        }
    }
    void SetVisible(bool visible) override { this->visible = visible; }
    bool IsVisible() const override { return visible; }
    void SetTransform(const quill::Transform& transform) override {
        placement = transform;
        ++placements;
    }
    void UploadStatic() override { ++uploads; }
    void PrepareForView(const quill::Camera& /*view*/) override { ++prepares; }
    void AdvanceAnimation(float /*elapsed*/) override {}
    void Draw(D3D9RenderDevice& /*device*/, float alpha) override { drawnAlphas.push_back(alpha); }

    bool visible = true;
    quill::Transform placement;
    int placements = 0;
    int uploads = 0;
    int prepares = 0;
    std::vector<float> drawnAlphas;

private:
    int* destroyed_;
};

// A scene that keeps the cameras it takes over and records which one it draws through.
class RecordingScene : public SceneCameraSelector {
public:
    RecordingScene() { sceneCamera.SetFrame({0.0f, -300.0f, 200.0f}, {}, {0.0f, 0.0f, 1.0f}, {1.0f, 0.0f, 0.0f}); }
    bool SelectCamera(uint32_t cameraId) override {
        selected.push_back(cameraId);
        return true;
    }
    const quill::Camera* CurrentCamera() const override { return &sceneCamera; }
    float AspectRatio() const override { return 0.625f; }
    AddedCamera AddCamera(std::unique_ptr<quill::Camera> camera) override {
        added.push_back(std::move(camera));
        return {added.back().get(), static_cast<uint32_t>(added.size()) + 10};
    }

    quill::Camera sceneCamera{u"scene"};
    std::vector<std::unique_ptr<quill::Camera>> added;
    std::vector<uint32_t> selected;
};

// What the table's HUD needs of the application and the pack catalogue: a 1024 x 768 screen and a texture per
// id, for the widget toolkit the table tests install.
class HudServices : public UiServices {
public:
    uint16_t GetScreenWidth() const override { return 1024; }
    uint16_t GetScreenHeight() const override { return 768; }
    bool IsUiUpdateEnabled() const override { return true; }
    int16_t GetKeyState(int32_t /*vk*/) const override { return 0; }
    void PlaySound(uint32_t /*id*/) override {}
    EditBridge* GetEditBridge() override { return nullptr; }
    const FontDesc& GetDefaultFont() const override { return font_; }

private:
    FontDesc font_{u"Sans", 12, 400, false};
};

class HudTexture : public WidgetTexture {
public:
    explicit HudTexture(int32_t textureId) : id(textureId) {}
    platform::gfx::BaseTexture* GetDeviceTexture() override { return nullptr; }
    const int32_t id;
};

class HudResources : public WidgetResources {
public:
    quill::SharedPtr<WidgetTexture> GetTextureById(int32_t id) override { return quill::make_shared<HudTexture>(id); }
    quill::SharedPtr<SpriteAnimation> GetSpriteAnimationById(int32_t /*id*/, int32_t /*value*/) override { return {}; }
};

// Keeps every image the HUD draws, with its texture, source, position, opacity and turn.
class RecordingHudRenderer : public WidgetRenderer {
public:
    struct Drawn {
        int32_t texture;
        WidgetRect source;
        float x, y, opacity, radians;
    };
    void DrawImage(WidgetTexture& texture, const WidgetRect& source, float x, float y, float /*scaleX*/,
                   float /*scaleY*/, float opacity, uint32_t /*updateArg*/) override {
        images.push_back({static_cast<HudTexture&>(texture).id, source, x, y, opacity, 0.0f});
    }
    void DrawRotatedImage(WidgetTexture& texture, const WidgetRect& source, float x, float y, float /*scaleX*/,
                          float /*scaleY*/, float opacity, float /*pivotX*/, float /*pivotY*/, float radians,
                          uint32_t /*updateArg*/) override {
        images.push_back({static_cast<HudTexture&>(texture).id, source, x, y, opacity, radians});
    }
    void DrawText(quill::TextEntry& /*text*/, float /*x*/, float /*y*/) override {}
    quill::TextSurface* GetTextSurface(const FontDesc& /*font*/) override { return nullptr; }

    std::vector<Drawn> images;
};

// The widget toolkit every table test runs with (the HUD is a widget tree); installed for the whole binary.
struct HudToolkit {
    HudServices services;
    HudResources resources;
    RecordingHudRenderer renderer;
    WidgetToolkit toolkit{services, resources, renderer};
};
HudToolkit& TheHudToolkit();

// A HUD element's rectangle within its parent (the panel's, or the window's for the panels).
inline WidgetRect HudPlace(const TableHud& hud, int32_t part) {
    WidgetRect rect = hud.GetWidget(part).GetRect();
    if (const Widget* parent = hud.GetWidget(part).GetParent(); parent != nullptr && parent != &hud.Root()) {
        rect.Offset(-parent->GetRect().left, -parent->GetRect().top);
    }
    return rect;
}

inline platform::WString HudText(const TableHud& hud, int32_t part) {
    return static_cast<const TextLabel&>(hud.GetWidget(part)).GetText();
}

class RecordingParticleDrawer : public ParticleDrawer {
public:
    void SetProjectionOffset(float offset) override { offsets.push_back(offset); }
    void DrawSprite(quill::Texture* /*texture*/, const quill::Transform& /*world*/, float /*opacity*/) override {
        ++sprites;
    }

    std::vector<float> offsets;
    int sprites = 0;
};

// The little-endian bytes of a float as the wire carries it.
inline std::vector<uint8_t> FloatBytes(float value) {
    const auto bits = std::bit_cast<uint32_t>(value);
    return {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8), static_cast<uint8_t>(bits >> 16),
            static_cast<uint8_t>(bits >> 24)};
}

inline void AppendFloats(std::vector<uint8_t>& bytes, std::initializer_list<float> values) {
    for (float value : values) {
        const auto f = FloatBytes(value);
        bytes.insert(bytes.end(), f.begin(), f.end());
    }
}

// A TableState payload announcing count balls of which the first written are present: positions (index + xOffset,
// 1, 3), identity rotations, then a flag byte each (the index) when flags is set.
inline std::vector<uint8_t> BallStatePayload(uint8_t count, uint32_t written, float xOffset, bool flags) {
    BallStateMessage message;
    message.count = count;
    for (uint32_t i = 0; i < written; ++i) {
        message.positions.push_back({static_cast<float>(i) + xOffset, 1.0f, 3.0f});
        message.rotations.push_back({0.0f, 0.0f, 0.0f, 1.0f});
        message.flags.push_back(static_cast<uint8_t>(i));
    }
    quill::Packet packet;
    packet.Init(quill::MessageId::TableState);
    quill::WriteMessage(packet, message, flags ? quill::GameType{10} : quill::GameType{3});
    packet.Finish();
    const auto payload = packet.Bytes().subspan(quill::Packet::kHeaderSize);
    return {payload.begin(), payload.end()};
}

// A received message: the bytes of a sent one loaded as the socket would hand them over.
inline std::unique_ptr<quill::Packet> Received(std::span<const uint8_t> bytes) {
    auto packet = std::make_unique<quill::Packet>();
    packet->LoadReceived(bytes);
    return packet;
}

// A received message of id with the given payload.
inline std::unique_ptr<quill::Packet> ReceivedMessage(quill::MessageId id, const std::vector<uint8_t>& payload) {
    std::vector<uint8_t> bytes{0, 0, static_cast<uint8_t>(static_cast<uint16_t>(id)),
                               static_cast<uint8_t>(static_cast<uint16_t>(id) >> 8)};
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    bytes[0] = static_cast<uint8_t>(bytes.size());
    bytes[1] = static_cast<uint8_t>(bytes.size() >> 8);
    return Received(bytes);
}

}  // namespace kestrovan::test

#include "QuillLib/math/Camera.h"
#include "client/physics/PhysicsModelFactory.h"
#include "client/rules/TablePhysics.h"
#include "client/table/CameraController.h"
#include "client/table/CueModelEntry.h"
#include "client/table/GameTable.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableCueModels.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableModels.h"
#include "client/table/TableRenderStep.h"
#include "platform/system/FpuMode.h"

namespace kestrovan::test {

// A camera behind the near long rail, looking down at the table's centre.
inline std::unique_ptr<quill::Camera> MakeTableCamera() {
    auto camera = std::make_unique<quill::Camera>(u"table");
    camera->SetFrame({0.0f, -350.0f, 250.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {1.0f, 0.0f, 0.0f});
    return camera;
}

// Table kinds and ball sets of the physics by their item ids in the fake catalogue.
inline constexpr uint32_t kCaromTableItem = 1003;  // kind 0: 240 x 120, H = 30
inline constexpr uint32_t kPoolTableItem = 1010;   // kind 1: 255 x 127.5, H = 31.875
inline constexpr uint32_t kSnookerTableItem = 1035;  // kind 11: 355.6 x 177.8, H = 44.45

// A game table with every service faked and a camera per mode, equipped for a game on a real physics holder.
class TableFixture {
public:
    TableFixture() {
        platform::SetThreadFpuMode();
        ResetPhysicsStateForTest();
        items.properties = {{kCaromTableItem, 0}, {2004, 3}, {kPoolTableItem, 1},
                            {2006, 5},            {kSnookerTableItem, 11}, {2007, 6}};
        table = std::make_unique<GameTable>();
        table->Services().host = &host;
        table->Services().connection = &connection;
        table->Services().player = &player;
        table->Services().itemModels = &items;
        for (uint32_t mode = 0; mode < CameraController::kModeCount; ++mode) {
            cameras[mode] = MakeTableCamera();
            table->Cameras().GetCamera().SetCamera(mode, cameras[mode].get());
        }
    }
    ~TableFixture() {
        table.reset();
        ResetPhysicsStateForTest();
    }
    TableFixture(const TableFixture&) = delete;
    TableFixture& operator=(const TableFixture&) = delete;

    // The game mode with its default items, set up on the default physics model, the balls in a row.
    void Equip(quill::GameType gameMode) {
        table->Equipment().SetGameMode(gameMode);
        table->Equipment().SetEquipmentItems(0, 0);
        table->Models().SetupTable(kDefaultPhysicsModelCode, 1);
        table->Physics().PlaceBallsSpaced();
        table->Cameras().UpdateUnprojection();
    }

    // A cue model shown as the program shows one: the stock cue's entry holds it, the table takes that cue and
    // the next render step (here one that draws nothing) switches to the entry's model. The entry owns it.
    RecordingModel& ShowCueModel() {
        CueModelEntry* stock = table->CueModels().GetCueModel(1, 0xFFFF, 0, 0, 0, 0);
        auto model = std::make_unique<RecordingModel>();
        RecordingModel& shown = *model;
        stock->SetModel(std::move(model));
        table->RenderStep().SetCurrentCue(stock);
        table->RenderStep().Render3D(false);
        return shown;
    }

    FakeHost host;
    FakeConnection connection;
    FakePlayer player;
    FakeItemModels items;
    std::unique_ptr<quill::Camera> cameras[CameraController::kModeCount];
    std::unique_ptr<GameTable> table;
};

}  // namespace kestrovan::test
