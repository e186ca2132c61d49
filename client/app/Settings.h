#pragma once
// Every user option of the client: display mode and picture quality, sound, camera and mouse control, chat
// and language (kept in "config.ini"), the game server's address (read from "config.ini" only), and the
// options the game server keeps for the account (the packed option word). One instance lives in the App; the
// settings dialog keeps a working copy.
//
// Threads: the main thread reads and writes it; the dispatch thread decodes the server's option word into
// it after login (the fields it writes are plain words that the main thread only reads for display).
#include <array>
#include <cstdint>
#include <string>

#include "client/app/GraphicsCaps.h"
#include "client/connection/ServerAddress.h"
#include "platform/system/ProfileDocument.h"

namespace kestrovan {

// A profile file's text by Windows path; empty when it is missing. A file that starts with a UTF-16 byte-order
// mark is read as UTF-16. rewritable (when given) says whether a save may rebuild the file from what was read:
// not when the file could not be read whole (past kMaxProfileFileBytes, or a read error) nor when it is UTF-16,
// which the save, writing the system code page, would change under its other readers.
platform::ProfileDocument ReadProfileFile(const std::u16string& path, bool* rewritable = nullptr);
inline constexpr size_t kMaxProfileFileBytes = 16u << 20;

class Settings {
public:
    static constexpr int kMultisampleLevels = 16;

    // Reads the options from the text of a config file; a missing key keeps the current value, every value
    // is normalised to its range.
    void Load(const platform::ProfileDocument& profile);
    // Writes every option of the file into profile, in the file's order, as " %d".
    void Save(platform::ProfileDocument& profile) const;
    // The file itself, by Windows path. A missing file loads nothing; Save replaces the file whole and
    // only once it is written (false when it could not be).
    void LoadFile(const std::u16string& path);
    // Writes the settings into the file, keeping its other sections and keys; false, with a log line, when
    // the file may not be rebuilt (ReadProfileFile) or cannot be written.
    bool SaveFile(const std::u16string& path) const;

    // The server's option word after login, and the word the client sends.
    void ApplyServerOptions(uint32_t word);
    uint32_t EncodeOptionWord() const;
    uint8_t EncodeExtraOptions() const;

    // Multisample levels 0 to 15; other levels are never supported.
    void SetMultisampleSupported(uint32_t level);
    bool IsMultisampleSupported(uint32_t level) const;
    bool GetIndexedFlag(uint32_t level) const { return IsMultisampleSupported(level); }
    uint32_t HighestMultisampleAtMost(uint32_t level) const;
    bool ClampAnisotropy();
    // Stores the record and lowers what the device cannot carry; true when nothing had to change.
    bool ApplyDeviceCaps(const GraphicsCaps& caps);

    bool IsChatGroupChanged(const Settings& other) const;
    bool IsEffectsGroupChanged(const Settings& other) const;
    bool IsFilterGroupChanged(const Settings& other) const;
    bool IsQualityGroupChanged(const Settings& other) const;
    bool IsModeGroupChanged(const Settings& other) const;
    bool IsControlGroupChanged(const Settings& other) const;
    bool IsSchoolGuideChanged(const Settings& other) const;
    bool IsVoiceChanged(const Settings& other) const;
    bool IsChatFilterChanged(const Settings& other) const;
    bool IsRoomOptionChanged(const Settings& other) const;
    bool IsExtraOptionsChanged(const Settings& other) const;

    uint8_t serverOptionsKnown = 1;
    uint8_t fullScreen = 1;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPixel = 0;
    uint8_t vsync = 0;
    uint32_t refreshRate = 60;
    uint32_t textureDetail = 1;
    uint32_t meshDetail = 1;
    uint32_t textureFilter = 2;
    uint32_t anisotropy = 8;
    uint32_t fsaa = 0;
    uint8_t effectFlagA = 1;
    uint8_t waterEffect = 0;
    uint8_t effectFlagB = 0;
    uint8_t effectFlagC = 0;
    uint8_t tableEffect = 1;
    uint8_t effectFlagD = 1;
    uint8_t effectFlagE = 1;
    uint32_t gamma = 100;
    uint8_t traceAll = 0;
    uint8_t largeChatFont = 0;
    int32_t maxAnisotropy = -1;
    uint8_t displayModesListed = 0;
    std::array<uint8_t, kMultisampleLevels> multisampleSupported{};
    uint8_t bgmOn = 1;
    uint32_t bgmVolume = 100;
    uint8_t fxOn = 1;
    uint32_t fxVolume = 100;
    uint8_t voiceOn = 1;
    uint32_t voiceVolume = 100;
    uint32_t shotSensitivity = 100;
    uint32_t verticalSensitivity = 100;
    uint32_t horizontalSensitivity = 100;
    uint8_t verticalInverse = 0;
    uint8_t horizontalInverse = 0;
    uint32_t schoolGuideState = 1;
    uint32_t cameraMode = 1;
    uint8_t shotZoom = 1;
    uint8_t turnZoom = 1;
    uint8_t mouseFix = 0;
    uint8_t chatFilter = 1;
    uint8_t roomOption = 1;
    uint8_t extraOptionA = 1;
    uint8_t extraOptionB = 1;
    uint32_t language = 0;
    // [Server] Host and Port; read, never written. An empty or overlong host, or a port outside 1 to 65535,
    // keeps the default.
    ServerAddress server;
    GraphicsCaps caps;
};

}  // namespace kestrovan
