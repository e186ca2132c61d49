// The renderer start of the App: the engine, the device check and the display mode, the resource packs.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "QuillLib/core/Format.h"
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/engine/DeviceErrorText.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/render/RenderSceneManager.h"
#include "QuillLib/resource/ResourceManager.h"
#include "QuillLib/resource/ResourceOptions.h"
#include "client/app/App.h"
#include "client/app/AppEngineFactory.h"
#include "client/app/AppExitCode.h"
#include "client/app/AppPlatform.h"
#include "client/app/DeviceErrorDialog.h"
#include "client/app/DisplayModes.h"
#include "client/app/LauncherWindow.h"
#include "client/app/ResourcePackCatalog.h"
#include "client/render/D3D9RenderDevice.h"
#include "platform/system/CodePage.h"
#include "platform/system/Path.h"
#include "platform/system/posix/NamedEvent.h"
#include "platform/ui/MessageBox.h"

namespace kestrovan {

namespace {

constexpr const char16_t* kTitle = u"Kestrovan";
constexpr uint32_t kErrorBoxStyle = platform::MsgBoxStyle::IconError | platform::MsgBoxStyle::TaskModal;

// The capability record the settings keep, read from the device.
GraphicsCaps CapsOfDevice(const D3D9RenderDevice& device, bool fullColourModes) {
    GraphicsCaps caps;
    caps.multisampleLevels = device.multiSampleTypes;
    const uint16_t textureSize = std::min(device.maxTextureWidth, device.maxTextureHeight);
    caps.limits = {device.maxLights, textureSize, device.maxTextureBlendStages, device.maxLights,
                   device.maxAnisotropy, device.maxSimultaneousTextures};
    caps.flags = {device.cubeMapping, device.bumpMapping, static_cast<uint8_t>(fullColourModes ? 1 : 0),
                  static_cast<uint8_t>(fullColourModes ? 1 : 0), device.hardwareVertexProcessing};
    return caps;
}

}  // namespace

void App::FailStart(int exitCode) {
    exitCode_ = exitCode;
    PostQuit();
}

void App::GiveGraphicsDisplayRecord() {
    auto* graphics = static_cast<Graphics*>(engine_->GetGraphics());
    DisplayMode mode;
    mode.fullscreen = fullScreen_ ? 1 : 0;
    mode.vsync = vsync_;
    mode.width = screenSize_.width;
    mode.height = screenSize_.height;
    mode.bitsPerPixel = static_cast<uint16_t>(bitsPerPixel_);
    mode.refreshRate = static_cast<uint16_t>(refreshRate_);
    mode.multiSample = static_cast<uint16_t>(multisample_);
    graphics->SetDisplayMode(mode);
}

bool App::InitRenderer() {
    if (!StartRendererEngine() || !CheckDevice()) return false;
    ConfigureFromDevice();
    return CreateDeviceAndPacks();
}

bool App::StartRendererEngine() {
    if (platform_->engineFactory) {
        factory_ = platform_->engineFactory(window_->Handle());
    } else {
        factory_ = std::make_unique<AppEngineFactory>(window_->Handle(), platform_->graphicsSystem,
                                                      platform_->audioDevice);
    }
    engine_ = factory_->CreateEngine();
    if (fullScreen_) {
        ShowLauncherWindow(0, true);
        launcherMinimised_ = true;
    }
    if (!engine_->Initialize() || engine_->GetGraphics() == nullptr) {
        quill::TheLog().LogError(u"ERROR: the engine did not start\n");
        FailStart(AppExitCode::EngineFailed);
        return false;
    }
    GiveGraphicsDisplayRecord();
    StoreTextureDetail();
    ApplySoundSettings();
    return true;
}

// Textures made from now on drop as many top mip levels of their DDS images as the texture detail says
// (0 full detail, 2 the lowest).
void App::StoreTextureDetail() {
    quill::SetResourceOptions(0, 0);
    quill::GetResourceOptions().value = static_cast<uint16_t>(settings_.textureDetail);
}

bool App::CheckDevice() {
    D3D9RenderDevice* device = GetDevice();
    // What Linux can tell of the adapter: the OpenGL renderer, its maker and version.
    const std::string adapter = device->DescribeAdapter();
    quill::TheLog().Log(u"renderer : %hs\n", adapter.empty() ? "unknown" : adapter.c_str());
    device->beforeReset = [] {};
    const uint32_t code = device->CheckCapabilities();
    if (code == DeviceResult::Ok) return true;
    quill::TheLog().Log(u"Renderer error: %s\n", quill::GetDeviceErrorText(code, 1));
    if (browser_) ShowDeviceErrorDialog(*window_, *browser_, site_, code);
    FailStart(AppExitCode::DeviceCapsFailed);
    return false;
}

void App::ConfigureFromDevice() {
    D3D9RenderDevice* device = GetDevice();
    std::vector<AdapterMode> modes;
    device->EnumerateModes(modes);
    BuildDisplayModeList(settings_, modes);
    const bool fullColour = std::any_of(modes.begin(), modes.end(), [](const AdapterMode& m) {
        return m.bitsPerPixel == 32;
    });
    bool changed = false;
    settings_.SetMultisampleSupported(0);
    for (uint16_t level : device->multiSampleTypes) settings_.SetMultisampleSupported(level);
    if (!settings_.IsMultisampleSupported(settings_.fsaa)) {
        settings_.fsaa = settings_.HighestMultisampleAtMost(settings_.fsaa);
        multisample_ = settings_.fsaa;
        changed = true;
    }
    settings_.maxAnisotropy = device->maxAnisotropy;
    changed |= !settings_.ClampAnisotropy();
    changed |= !settings_.ApplyDeviceCaps(CapsOfDevice(*device, fullColour));
    if (changed) bitsPerPixel_ = settings_.bitsPerPixel;

    uint16_t width = screenSize_.width;
    uint16_t height = screenSize_.height;
    uint8_t depth = static_cast<uint8_t>(bitsPerPixel_);
    uint32_t refresh = refreshRate_;
    uint8_t vsync = vsync_;
    const bool corrected = ValidateDisplayMode(settings_, width, height, depth, refresh, vsync);
    // A listed size with an unlisted rate answers false but gets a listed rate: that rate is kept too, so
    // the device is never created with a rate the adapter does not offer.
    const bool rateReplaced = refresh != refreshRate_;
    if (corrected) {
        screenSize_ = {width, height};
        bitsPerPixel_ = depth;
        vsync_ = vsync;
        SetWindowRect(fullScreen_, width, height, depth, windowX_, windowY_);
        PlaceWindow(fullScreen_);
    }
    refreshRate_ = refresh;
    settings_.refreshRate = refresh;
    // A first start also writes the file, so that the user finds the options the game runs with.
    std::error_code error;
    const bool firstStart = !std::filesystem::exists(platform::NativePath(configPath_), error);
    if (corrected || changed || rateReplaced || firstStart) {
        if (mode_ != AppMode::Replay) settings_.SaveFile(configPath_);
        bitsPerPixel_ = settings_.bitsPerPixel;
        GiveGraphicsDisplayRecord();
    }
}

void App::PlaceWindow(bool fullScreen) {
    if (!window_->IsCreated()) return;
    if (fullScreen) {
        window_->SetWindowPos(platform::PixelRect{0, 0, screenSize_.width, screenSize_.height}, true);
    } else {
        window_->SetWindowPos(platform::PixelRect{windowX_, windowY_, windowX_ + screenSize_.width,
                                                  windowY_ + screenSize_.height},
                              false);
    }
}

// The window shows a frame of the first screen's background as soon as the device exists, not whatever the
// window system left in it while the packs and the first screen load: the intro's white, the replay's black.
void App::ShowFirstFrame(D3D9RenderDevice& device) {
    device.clearColor = mode_ == AppMode::Replay ? 0xFF000000u : 0xFFFFFFFFu;
    if (device.BeginFrame()) device.Present();
}

bool App::CreateDeviceAndPacks() {
    quill::ResourceManager* resources = GetResourceManager();
    resources->SetRootFolder(workingFolder_);
    resources->SetDataFolder(u"data");
    catalog_ = std::make_unique<ResourcePackCatalog>(resources);
    catalog_->FillSlots(settings_.language);

    auto* graphics = static_cast<Graphics*>(engine_->GetGraphics());
    const uint32_t code = graphics->ApplyDisplayMode();
    if (code != DeviceResult::Ok) {
        const quill::WString text = quill::GetDeviceErrorText(code, 1);
        quill::TheLog().Log(u"Renderer error: %s\n", text);
        platform::ShowMessageBox(window_->Handle(), text, kTitle, kErrorBoxStyle);
        FailStart(AppExitCode::DeviceCreationFailed);
        return false;
    }
    deviceCreated_ = true;
    D3D9RenderDevice* device = GetDevice();
    ShowFirstFrame(*device);
    uint32_t memory[3] = {0, 0, 0};
    if (device->GetVideoMemory(memory)) {
        quill::TheLog().Log(u"Initial Free Video Memory : %.2fMB / %.2fMB\n", memory[2] / 1024.0 / 1024.0,
                            memory[1] / 1024.0 / 1024.0);
    }

    if (!catalog_->LoadCommon(engine_->GetSoundManager())) {
        const quill::WString folder = resources->GetPackageFolder() + u"\\" + catalog_->FailedPackage() + u".tpk";
        std::error_code error;
        if (std::filesystem::exists(platform::NativePath(folder), error)) {
            device->SetDialogBoxMode(true);
            const quill::ResourceLoadContext& failure = resources->GetLoadContext();
            platform::ShowMessageBox(window_->Handle(),
                                     LoadingErrorText(1, failure.fileName, failure.packageName, failure.kind), kTitle,
                                     kErrorBoxStyle);
            FailStart(AppExitCode::PackLoadFailed);
            return false;
        }
        // No data packs at all (they are made by the data build): the start goes on without them, and the first
        // screen that needs them ends the program with its loading error.
        quill::TheLog().LogError(u"WARNING: data package %s is missing; the game starts without its pictures and "
                                 u"sounds, and the first screen that needs them cannot load\n",
                                 catalog_->FailedPackage());
    }

    device->clearColor = 0;
    ApplyTextureFilter(settings_.textureFilter, settings_.anisotropy);
    ApplyAspectRatio(screenSize_.width, screenSize_.height);
    quill::TheLog().Log(u"Init done...\n");
    platform::SignalNamedEvent("Kestrovan Init");
    return true;
}

void App::ApplyTextureFilter(uint32_t filter, uint32_t anisotropy) {
    D3D9RenderDevice* device = GetDevice();
    if (device == nullptr) return;
    if (filter == 2) {
        device->filterQuality = 2;
        device->filterMaxAnisotropy = 1;
    } else if (filter == 3) {
        device->filterQuality = 3;
        device->filterMaxAnisotropy = static_cast<uint16_t>(anisotropy);
    } else {
        device->filterQuality = 1;
        device->filterMaxAnisotropy = 1;
    }
}

// The 3D views take the shape of the screen: height / width.
void App::ApplyAspectRatio(uint32_t width, uint32_t height) {
    quill::RenderSceneManager* scenes = GetRenderScenes();
    if (scenes == nullptr || width == 0) return;
    scenes->SetAspectRatio(static_cast<float>(height) / static_cast<float>(width));
}

quill::ResourceManager* App::GetResourceManager() {
    return engine_ ? engine_->GetResourceManager() : nullptr;
}

quill::RenderSceneManager* App::GetRenderScenes() {
    return engine_ ? engine_->GetRenderSceneManager() : nullptr;
}

D3D9RenderDevice* App::GetDevice() {
    if (!engine_ || engine_->GetGraphics() == nullptr) return nullptr;
    return static_cast<Graphics*>(engine_->GetGraphics())->GetDevice();
}

}  // namespace kestrovan
