// Small services of the App: screenshots, the system report, sound settings, the options message, quitting.
#include <memory>
#include <optional>
#include <utility>

#include "QuillLib/core/Format.h"
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/engine/SystemInfo.h"
#include "QuillLib/net/MessageId.h"
#include "client/app/App.h"
#include "client/app/AppPlatform.h"
#include "client/app/WordFilter.h"
#include "client/connection/GameConnection.h"
#include "client/render/D3D9RenderDevice.h"
#include "platform/browser/Browser.h"
#include "platform/system/Clock.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Window.h"

namespace kestrovan {

// The picture is taken from the next frame, before it is presented: only then is the back buffer read.
void App::SaveScreenshotNow() {
    screenshotAsked_ = true;
}

// Main thread, within the frame: reading the frame's pixels is all the frame does; the writer's worker encodes
// and writes them.
void App::TakeScreenshot(D3D9RenderDevice& device) {
    const platform::LocalTime time = platform::GetLocalTime();
    if (!screenshots_) screenshots_ = std::make_unique<ScreenshotWriter>();
    platform::gfx::DecodedImage image;
    if (device.ReadScreenshot(image)) {
        screenshots_->Save(desktop_, time, std::move(image));
    } else {
        ShowScreenshotNotice({});  // not taken: no file was named for it
    }
}

// Main thread, within the frame.
void App::ShowWrittenScreenshots() {
    if (!screenshots_) return;
    while (const std::optional<ScreenshotWriter::Finished> finished = screenshots_->TakeFinished()) {
        ShowScreenshotNotice(*finished);
    }
}

// The notice says what happened: saved where, or not.
void App::ShowScreenshotNotice(const ScreenshotWriter::Finished& finished) {
    if (!finished.saved && !finished.path.empty()) {
        quill::TheLog().LogError(u"WARNING: the screenshot %hs could not be saved\n", finished.path.string().c_str());
    }
    noticeText_ = finished.Notice();
    noticeTime_ = platform::TimeGetTime();
    if (noticeTime_ == 0) noticeTime_ = 1;  // 0 means no notice
}

void App::WriteSystemReport() {
    quill::LogSystem& log = quill::TheLog();
    log.Log(u"[App ver]\n");
    log.Log(u"  ver : %s\n", u"09033001");
    log.Log(u"[Operating System]\n");
    log.Log(u"  %s\n", quill::GetOsName());
    // The Windows browser library has no counterpart here: web pages open in the desktop's browser.
    log.Log(u"[Web Browser]\n");
    log.Log(u"  %s\n", u"the desktop's web browser (xdg-open)");
    log.Log(u"[Processor Info]\n");
    log.Log(u"  %s\n", cpuDescription_.valid() ? cpuDescription_.get() : quill::GetCpuDescription());
    log.Log(u"[Memory]\n");
    log.Log(u"  Total Memory: %d MB\n", static_cast<int>(quill::GetPhysicalMemoryMB()));
    log.Log(u"[Display Adapter]\n");
    log.Log(u"  %s\n", quill::GetDisplayAdapterName());
}

void App::ApplySoundSettings() {
    quill::SoundManager* sounds = engine_ ? engine_->GetSoundManager() : nullptr;
    if (sounds == nullptr) return;
    const auto apply = [sounds](int category, uint8_t on, uint32_t volume) {
        sounds->SetCategoryEnabled(category, on != 0);
        if (on != 0) sounds->SetCategoryVolume(category, static_cast<float>(volume) / 100.0f);
    };
    apply(1, settings_.bgmOn, settings_.bgmVolume);
    apply(0, settings_.fxOn, settings_.fxVolume);
    apply(2, settings_.voiceOn, settings_.voiceVolume);
}

void App::SendOptionsToServer() {
    if (!connection_) return;
    connection_->SendWritten([&](quill::Packet& packet) {
        packet.Init(quill::MessageId::OptionsUpdate);
        packet.WriteU32(settings_.EncodeOptionWord());
        packet.WriteU8(settings_.EncodeExtraOptions());
    });
}

void App::SendClanLeave() {
    if (!connection_) return;
    const uint8_t leave = 1;
    connection_->SendBytePacket(quill::MessageId::ClanLeave, &leave);
}

void App::OpenWebPage(quill::WStringView address) {
    if (browser_) browser_->Open(platform::WString(address));
}

void App::SendChatMacro(int slot) {
    quill::WStringView text;
    if (connection_ && slot >= 0 && static_cast<size_t>(slot) < connection_->LocalPlayer().chatTexts.size())
        text = connection_->LocalPlayer().chatTexts[static_cast<size_t>(slot)];
    sceneManager_.SendChatMacro(slot, text);
}

void App::PostQuit() {
    window_->PostQuitMessage(0);
}

void App::ShowLoadErrorBox(quill::WStringView text) {
    platform::ShowMessageBox(window_->Handle(), text, u"Kestrovan", platform::MsgBoxStyle::Ok);
}

bool App::FindCueStatistics(uint32_t itemId, CueStatistics& statistics) {
    return platform_->cueStatistics && platform_->cueStatistics(itemId, statistics);
}

bool App::CensorWords(char16_t* text, size_t maxLength) {
    return kestrovan::CensorWords(text, maxLength);
}

quill::WString App::FormatMoney(int64_t value) {
    quill::WString digits = quill::Format(u"%lld", static_cast<long long>(value < 0 ? -value : value));
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<size_t>(at), u",");
    return value < 0 ? u"-" + digits : digits;
}

}  // namespace kestrovan
