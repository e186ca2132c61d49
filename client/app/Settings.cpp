#include "client/app/Settings.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <string>

#include "QuillLib/core/AtomicFileWriter.h"
#include "QuillLib/core/LogSystem.h"
#include "platform/system/CodePage.h"
#include "platform/system/Path.h"

namespace kestrovan {

namespace {

constexpr const char* kVideo = "Video";
constexpr const char* kAudio = "Audio";
constexpr const char* kControl = "Control";
constexpr const char* kGame = "Game";
constexpr const char* kServer = "Server";

// Reads a key with the field's value as the default; the profile read is signed.
int Read(const platform::ProfileDocument& profile, const char* section, const char* key, int64_t current) {
    return profile.GetInt(section, key, static_cast<int>(current));
}

uint8_t ReadBool(const platform::ProfileDocument& profile, const char* section, const char* key, uint8_t current) {
    return Read(profile, section, key, current) != 0 ? 1 : 0;
}

uint32_t ReadClamped(const platform::ProfileDocument& profile, const char* section, const char* key,
                     uint32_t current, int low, int high) {
    return static_cast<uint32_t>(std::clamp(Read(profile, section, key, current), low, high));
}

uint32_t ReadRaw(const platform::ProfileDocument& profile, const char* section, const char* key, uint32_t current) {
    return static_cast<uint32_t>(Read(profile, section, key, static_cast<int32_t>(current)));
}

void Write(platform::ProfileDocument& profile, const char* section, const char* key, int64_t value) {
    profile.SetString(section, key, " " + std::to_string(static_cast<int32_t>(value)));
}

// The options the server keeps are written on the connection's dispatch thread after login and read on the
// main thread when the options message is built; one lock for every Settings object keeps the two apart.
std::mutex& ServerOptionsMutex() {
    static std::mutex mutex;
    return mutex;
}

// The host as the file holds it (system code page), and the port; what cannot be used keeps its value.
void ReadServerAddress(const platform::ProfileDocument& profile, ServerAddress& server) {
    std::string host;
    if (profile.GetString(kServer, "Host", host) && !host.empty() && host.size() <= ServerAddress::kMaximumHostLength) {
        server.host = platform::FromCodePage(host);
    }
    const int port = profile.GetInt(kServer, "Port", server.port);
    if (port >= 1 && port <= 65535) server.port = static_cast<uint16_t>(port);
}

// UTF-16 text after its byte-order mark, in the system code page the profile works in.
std::string Utf16ProfileText(std::string_view bytes, bool bigEndian) {
    std::u16string wide;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<uint8_t>(bytes[i]);
        const auto second = static_cast<uint8_t>(bytes[i + 1]);
        wide.push_back(static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
    }
    return platform::ToCodePage(wide);
}

}  // namespace

platform::ProfileDocument ReadProfileFile(const std::u16string& path, bool* rewritable) {
    if (rewritable != nullptr) *rewritable = true;
    FILE* file = platform::OpenFile(path, "rb");
    if (file == nullptr) return {};
    std::string text;
    char chunk[1 << 16];
    for (size_t got = 0; text.size() <= kMaxProfileFileBytes && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
        text.append(chunk, got);
    }
    const bool whole = text.size() <= kMaxProfileFileBytes && std::ferror(file) == 0;
    std::fclose(file);
    if (!whole) text.resize(std::min(text.size(), kMaxProfileFileBytes));
    const bool littleEndian = text.starts_with("\xFF\xFE");
    const bool bigEndian = text.starts_with("\xFE\xFF");
    if (littleEndian || bigEndian) text = Utf16ProfileText(text, bigEndian);
    if (rewritable != nullptr) *rewritable = whole && !littleEndian && !bigEndian;
    return platform::ProfileDocument(text);
}

void Settings::Load(const platform::ProfileDocument& p) {
    fullScreen = ReadBool(p, kVideo, "fullscreen", fullScreen);
    width = ReadRaw(p, kVideo, "width", width);
    height = ReadRaw(p, kVideo, "height", height);
    bitsPerPixel = ReadRaw(p, kVideo, "bpp", bitsPerPixel);
    vsync = ReadBool(p, kVideo, "vsync", vsync);
    refreshRate = ReadRaw(p, kVideo, "refreshrate", refreshRate);
    textureDetail = ReadClamped(p, kVideo, "texturedetail", textureDetail, 0, 2);
    meshDetail = ReadRaw(p, kVideo, "meshdetail", meshDetail);
    textureFilter = ReadClamped(p, kVideo, "texturefilter", textureFilter, 1, 3);
    anisotropy = ReadClamped(p, kVideo, "anisotropic", anisotropy, 0, 16);
    fsaa = ReadClamped(p, kVideo, "fsaa", fsaa, 0, 8) & ~1u;
    tableEffect = ReadBool(p, kVideo, "tableeffect", tableEffect);
    waterEffect = ReadBool(p, kVideo, "watereffect", waterEffect);
    gamma = ReadClamped(p, kVideo, "gamma", gamma, 50, 150);
    traceAll = ReadBool(p, kGame, "traceall", traceAll);
    largeChatFont = ReadBool(p, kGame, "chatfontsize", largeChatFont);
    bgmOn = ReadBool(p, kAudio, "BGM", bgmOn);
    bgmVolume = ReadClamped(p, kAudio, "BGMVolume", bgmVolume, 0, 100);
    fxOn = ReadBool(p, kAudio, "FX", fxOn);
    fxVolume = ReadClamped(p, kAudio, "FXVolume", fxVolume, 0, 100);
    // The third channel follows the effects until the server's option word says otherwise.
    voiceOn = fxOn;
    voiceVolume = fxVolume;
    shotSensitivity = ReadClamped(p, kControl, "shotsensitive", shotSensitivity, 10, 300);
    verticalSensitivity = ReadClamped(p, kControl, "verticalsensitive", verticalSensitivity, 10, 200);
    horizontalSensitivity = ReadClamped(p, kControl, "horizentalsensitive", horizontalSensitivity, 10, 200);
    verticalInverse = ReadBool(p, kControl, "verticalinverse", verticalInverse);
    horizontalInverse = ReadBool(p, kControl, "horizentalinverse", horizontalInverse);
    cameraMode = ReadClamped(p, kControl, "cameramode", cameraMode, 1, 3);
    shotZoom = ReadBool(p, kControl, "shotzoom", shotZoom);
    turnZoom = ReadBool(p, kControl, "turnzoom", turnZoom);
    mouseFix = ReadBool(p, kControl, "mousefix", mouseFix);
    language = Read(p, kGame, "lang", language) != 0 ? 1 : 0;
    ReadServerAddress(p, server);
}

void Settings::Save(platform::ProfileDocument& p) const {
    Write(p, kVideo, "fullscreen", fullScreen);
    Write(p, kVideo, "width", width);
    Write(p, kVideo, "height", height);
    Write(p, kVideo, "bpp", bitsPerPixel);
    Write(p, kVideo, "vsync", vsync);
    Write(p, kVideo, "refreshrate", refreshRate);
    Write(p, kVideo, "gamma", gamma);
    Write(p, kVideo, "texturedetail", textureDetail);
    Write(p, kVideo, "meshdetail", meshDetail);
    Write(p, kVideo, "texturefilter", textureFilter);
    Write(p, kVideo, "anisotropic", anisotropy);
    Write(p, kVideo, "fsaa", fsaa);
    Write(p, kVideo, "tableeffect", tableEffect);
    Write(p, kVideo, "watereffect", waterEffect);
    Write(p, kGame, "traceall", traceAll);
    Write(p, kGame, "chatfontsize", largeChatFont != 0 ? 1 : 0);
    Write(p, kAudio, "BGM", bgmOn);
    Write(p, kAudio, "BGMVolume", bgmVolume);
    Write(p, kAudio, "FX", fxOn);
    Write(p, kAudio, "FXVolume", fxVolume);
    Write(p, kControl, "shotsensitive", shotSensitivity);
    Write(p, kControl, "verticalsensitive", verticalSensitivity);
    Write(p, kControl, "horizentalsensitive", horizontalSensitivity);
    Write(p, kControl, "verticalinverse", verticalInverse);
    Write(p, kControl, "horizentalinverse", horizontalInverse);
    Write(p, kControl, "cameramode", cameraMode);
    Write(p, kControl, "shotzoom", shotZoom);
    Write(p, kControl, "turnzoom", turnZoom);
    Write(p, kControl, "mousefix", mouseFix);
    Write(p, kGame, "lang", language);
}

void Settings::LoadFile(const std::u16string& path) {
    Load(ReadProfileFile(path));
}

bool Settings::SaveFile(const std::u16string& path) const {
    bool rewritable = true;
    platform::ProfileDocument profile = ReadProfileFile(path, &rewritable);
    if (!rewritable) {
        // Rebuilt from part of it, or in another encoding, the file would lose what the user put in it.
        quill::TheLog().LogError(u"WARNING: %s is too large or not in the system code page; the settings are not "
                                 u"saved into it\n",
                                 path);
        return false;
    }
    Save(profile);
    const std::string text = profile.Text();
    quill::AtomicFileWriter out{quill::WString(path)};
    if (!out.Open()) return false;
    out.Write(text.data(), static_cast<uint32_t>(text.size()));
    return out.Commit();
}

void Settings::ApplyServerOptions(uint32_t word) {
    std::lock_guard lock(ServerOptionsMutex());
    voiceOn = (word & 0x100) == 0;
    chatFilter = (word & 0x200) == 0;
    roomOption = (word & 0x400) == 0;
    // A low byte above 100 would wrap the volume: it is taken as silence.
    const uint32_t lowered = word & 0xFF;
    voiceVolume = lowered >= 100 ? 0 : 100 - lowered;
    if ((word & 0x800) != 0) {
        serverOptionsKnown = 1;
        schoolGuideState = (word & 0x1000) != 0 ? 1 : 2;
    } else {
        serverOptionsKnown = 0;
        schoolGuideState = 2;
    }
}

uint32_t Settings::EncodeOptionWord() const {
    std::lock_guard lock(ServerOptionsMutex());
    uint32_t word = ((100 - std::min<uint32_t>(voiceVolume, 100)) & 0xFF) | 0x800;
    if (schoolGuideState == 1) word |= 0x1000;
    if (roomOption == 0) word |= 0x400;
    if (chatFilter == 0) word |= 0x200;
    if (voiceOn == 0) word |= 0x100;
    return word;
}

uint8_t Settings::EncodeExtraOptions() const {
    return static_cast<uint8_t>((extraOptionB != 0 ? 2 : 0) + (extraOptionA != 0 ? 1 : 0));
}

void Settings::SetMultisampleSupported(uint32_t level) {
    if (level < kMultisampleLevels) multisampleSupported[level] = 1;
}

bool Settings::IsMultisampleSupported(uint32_t level) const {
    return level < kMultisampleLevels && multisampleSupported[level] != 0;
}

uint32_t Settings::HighestMultisampleAtMost(uint32_t level) const {
    for (uint32_t m = std::min<uint32_t>(level, kMultisampleLevels - 1); m >= 1; --m) {
        if (multisampleSupported[m] != 0) return m;
    }
    return 0;
}

bool Settings::ClampAnisotropy() {
    if (static_cast<int32_t>(anisotropy) < 0) {
        anisotropy = 0;
        return false;
    }
    if (static_cast<int64_t>(anisotropy) > maxAnisotropy) {
        anisotropy = static_cast<uint32_t>(std::max(maxAnisotropy, 0));
        return false;
    }
    return true;
}

bool Settings::ApplyDeviceCaps(const GraphicsCaps& newCaps) {
    caps = newCaps;
    bool unchanged = true;
    if (!caps.EffectsSupported() && (tableEffect != 0 || waterEffect != 0)) {
        tableEffect = 0;
        waterEffect = 0;
        unchanged = false;
    }
    if (caps.limits[5] < 2 && effectFlagE != 0) {
        effectFlagE = 0;
        unchanged = false;
    }
    if (caps.MaxTextureSize() < 2048 && textureDetail == 0) {
        textureDetail = 1;
        unchanged = false;
    }
    if (caps.flags[2] == 0 && (textureDetail != 2 || bitsPerPixel != 16)) {
        textureDetail = 2;
        bitsPerPixel = 16;
        unchanged = false;
    }
    return unchanged;
}

bool Settings::IsChatGroupChanged(const Settings& o) const {
    return traceAll != o.traceAll || largeChatFont != o.largeChatFont;
}
bool Settings::IsEffectsGroupChanged(const Settings& o) const {
    return tableEffect != o.tableEffect || waterEffect != o.waterEffect;
}
bool Settings::IsFilterGroupChanged(const Settings& o) const {
    if (textureFilter != o.textureFilter) return true;
    return textureFilter == 3 && anisotropy != o.anisotropy;
}
bool Settings::IsQualityGroupChanged(const Settings& o) const {
    return vsync != o.vsync || refreshRate != o.refreshRate || fsaa != o.fsaa || textureDetail != o.textureDetail;
}
bool Settings::IsModeGroupChanged(const Settings& o) const {
    return width != o.width || height != o.height || bitsPerPixel != o.bitsPerPixel || fullScreen != o.fullScreen;
}
bool Settings::IsControlGroupChanged(const Settings& o) const {
    return shotSensitivity != o.shotSensitivity || verticalSensitivity != o.verticalSensitivity ||
           horizontalSensitivity != o.horizontalSensitivity || verticalInverse != o.verticalInverse ||
           horizontalInverse != o.horizontalInverse || cameraMode != o.cameraMode || shotZoom != o.shotZoom ||
           turnZoom != o.turnZoom || schoolGuideState != o.schoolGuideState;
}
bool Settings::IsSchoolGuideChanged(const Settings& o) const {
    return schoolGuideState != o.schoolGuideState;
}
bool Settings::IsVoiceChanged(const Settings& o) const {
    return voiceOn != o.voiceOn || voiceVolume != o.voiceVolume;
}
bool Settings::IsChatFilterChanged(const Settings& o) const {
    return chatFilter != o.chatFilter;
}
bool Settings::IsRoomOptionChanged(const Settings& o) const {
    return roomOption != o.roomOption;
}
bool Settings::IsExtraOptionsChanged(const Settings& o) const {
    return extraOptionA != o.extraOptionA || extraOptionB != o.extraOptionB;
}

}  // namespace kestrovan
