#include "tools/mkdata/SpeechSynth.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <vector>

extern char** environ;

namespace mkdata {
namespace {

// Runs the program with its arguments (no shell) and returns what it wrote to standard output; empty when
// it cannot be started or does not end with status 0.
std::optional<std::vector<uint8_t>> RunForOutput(std::vector<std::string> arguments) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", 0, 0);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::vector<uint8_t> output;
    if (spawned == 0) {
        uint8_t buffer[16384];
        ssize_t got = 0;
        while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
            output.insert(output.end(), buffer, buffer + got);
        }
    }
    close(pipeEnds[0]);
    if (spawned != 0) {
        return std::nullopt;
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    return output;
}

uint32_t ReadU32(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<uint32_t>(bytes[at + 2]) << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

// The 16-bit mono samples of a WAVE file written to a pipe; its data chunk may claim any length, so
// everything after the chunk's header is taken.
std::optional<PcmSound> ParseStreamedWave(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    uint32_t sampleRate = 0;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const uint32_t size = ReadU32(bytes, at + 4);
        if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0 && at + 16 <= bytes.size()) {
            sampleRate = ReadU32(bytes, at + 12);
        } else if (std::memcmp(bytes.data() + at, "data", 4) == 0) {
            if (sampleRate == 0) {
                return std::nullopt;
            }
            const size_t first = at + 8;
            const size_t count = (bytes.size() - first) / 2;
            PcmSound sound(sampleRate, 0.0f);
            sound.Samples().resize(count);
            for (size_t i = 0; i < count; ++i) {
                const auto sample = static_cast<int16_t>(bytes[first + 2 * i] | (bytes[first + 2 * i + 1] << 8));
                sound.Samples()[i] = static_cast<float>(sample) / 32768.0f;
            }
            return sound;
        }
        if (size > bytes.size()) {
            return std::nullopt;
        }
        at += 8 + size + (size & 1);
    }
    return std::nullopt;
}

}  // namespace

bool SpeechSynth::IsAvailable() {
    return Speak("ok", "en").has_value();
}

std::optional<PcmSound> SpeechSynth::Speak(const std::string& text, const std::string& voice) {
    const auto output = RunForOutput({"espeak-ng", "--stdout", "-v", voice, "-s", "155", "-a", "160", text});
    if (!output) {
        return std::nullopt;
    }
    return ParseStreamedWave(*output);
}

PcmSound SpeechSynth::Tone() {
    PcmSound sound(22050, 0.6f);
    sound.AddTone(0.0f, 0.25f, 660.0f, 0.4f);
    sound.AddTone(0.25f, 0.35f, 880.0f, 0.4f);
    sound.FadeOut(0.05f);
    return sound;
}

}  // namespace mkdata
