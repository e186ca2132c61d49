#pragma once
// The asynchronous log. Any thread formats a line into a pooled record and queues it; one writer thread
// per log drains the queue to the console and the log file, flushing once per batch. Log writes to the
// file only; LogError (for lines beginning "ERROR" or "WARNING") to the console and the file. Messages
// carry their own "\n"; each line is stamped "hh:mm:ss " and cut to the record's 256 units.
//
// A log is either fixed-name ("<directory>/<name>.log", replaced at Start) or dated
// ("<directory>/yymmdd_hhmmss<name><suffix>.log", the first file with the suffix "_Start"); a dated log
// starts its next file on the first line made 60 or more minutes after its file was opened, which
// includes the first line of a new day. Files are UTF-8 with "\n" line ends.
//
// A flood stays readable and small. Warnings and errors (LogError's lines, and any line that begins "WARNING")
// are folded by kind, the format they were written with: a few of a kind each second are written, the rest counted and
// summed up in one line ("... N more lines like "<message>"") once that second has passed. A line whose message
// is the one just written (same kind, any time) is counted instead of written; the next other line, or Stop,
// first writes "... repeated N times". The file and the console each take at most the size limit: routine lines
// and warnings stop a quarter short of it, which is kept for errors; each stop is said once, the last by a line
// that says the limit is reached (a dated log's next file starts empty again).
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <span>
#include <string>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/LogOutputLimit.h"
#include "QuillLib/core/LogRecord.h"
#include "QuillLib/core/PacketPool.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/core/WarningFold.h"
#include "platform/system/Clock.h"
#include "platform/system/Event.h"
#include "platform/system/Thread.h"

namespace quill {

class LogSystem {
public:
    LogSystem() = default;
    ~LogSystem();
    LogSystem(const LogSystem&) = delete;
    LogSystem& operator=(const LogSystem&) = delete;

    // The folder of files opened from now on; "." until set.
    void SetDirectory(WStringView directory);

    // The most bytes one log file takes, and the console output likewise; set before Start.
    void SetSizeLimit(uint64_t bytes);
    static constexpr uint64_t kDefaultSizeLimit = 64ull << 20;

    // Makes the record pool, opens the first file and starts the writer. False when the log already
    // runs or the pool or the writer cannot be made. A file that cannot be opened is reported on the
    // console; the log then runs without a file until a later rotation opens one.
    bool Start(WStringView name, uint32_t recordCount, bool fixedName);

    // Writes every line queued so far, joins the writer, closes the file and frees the pool. Lines logged
    // from then on (and by calls that race with Stop and lose) print the not-initialised message.
    void Stop();

    // Waits until every line queued before the call is written and flushed, at most timeoutMs.
    // True when it was.
    bool Flush(uint32_t timeoutMs);

    template <class... Args>
    void Log(const char16_t* format, const Args&... args) {
        Write(LogKind::File, format, MakeFormatArgs(args...));
    }

    template <class... Args>
    void LogError(const char16_t* format, const Args&... args) {
        Write(LogKind::ConsoleAndFile, format, MakeFormatArgs(args...));
    }

private:
    static constexpr uint32_t kRotationMinutes = 60;
    static constexpr int kLingerRounds = 64;  // yields of an idle writer before it sleeps
    static constexpr uint32_t kFoldCheckMs = 250;  // how often an idle writer looks whether to sum up warnings

    void Write(LogKind kind, const char16_t* format, std::span<const FormatArg> args);
    static void FillRecord(LogRecord& record, LogKind kind, const platform::LocalTime& time, const char16_t* format,
                           std::span<const FormatArg> args);

    bool EnterCall();
    void LeaveCall();
    void WaitForCallers();

    void Enqueue(LogRecord* record);
    LogRecord* TakeAll();

    void WriterLoop();
    void WriteWhileLinesCome();
    bool WriteBatch();
    void WriteRecord(const LogRecord& record, bool& wroteFile);
    bool IsRepeat(const LogRecord& record);
    void WriteRepeatCount(bool& wroteFile);
    // The idle writer: what a second that has passed counted (repeats, folded warnings) is written.
    void SumUpPastSeconds();
    void WriteFoldedCounts(bool& wroteFile);
    // line_ to the outputs of kind; an error may use the outputs' reserve.
    void WriteLine(LogKind kind, bool error, bool& wroteFile);
    void WriteToConsole(const std::string& line, bool error);
    void WriteToFile(bool error, bool& wroteFile);
    void OpenFile(const LogRecord* record);
    void CloseFile();
    WString FilePath(const platform::LocalTime& time) const;
    void ReportWritten(uint64_t count);

    // Start and Stop, one at a time.
    std::mutex lifecycleMutex_;

    // Callers count themselves in before they look at started_; Stop clears it and waits for the count
    // to reach zero before it frees anything, so no call ever touches a released pool.
    std::atomic<bool> started_{false};
    std::atomic<int> activeCallers_{0};

    PacketPool pool_;
    platform::Event wakeEvent_{false, false};
    std::atomic<bool> running_{false};

    // The queue of records waiting for the writer.
    CriticalSectionLock queueLock_;
    LogRecord* head_ = nullptr;
    LogRecord* tail_ = nullptr;
    std::atomic<uint32_t> queued_{0};  // changed under the lock; the idle writer reads it without
    uint64_t enqueuedTotal_ = 0;

    // Lines the writer has finished with, for Flush.
    std::mutex progressMutex_;
    std::condition_variable progress_;
    uint64_t writtenTotal_ = 0;

    mutable std::mutex directoryMutex_;  // the writer reads the directory when it rotates
    WString directory_ = u".";

    // Set by Start before the writer starts, then the writer's alone.
    bool fixedName_ = false;
    WString name_;
    WString suffix_;
    WString path_;
    std::string line_;  // the writer's line in UTF-8, its storage kept from line to line
    FILE* file_ = nullptr;
    uint32_t openStamp_ = 0;
    LogOutputLimit fileLimit_{kDefaultSizeLimit};
    LogOutputLimit consoleLimit_{kDefaultSizeLimit};
    WarningFold fold_;
    // The last line written: its kind, whether an error, message (without the time) and second, and how often
    // it came again in that second. Only a line that comes again in the same second is counted instead of
    // written: the same routine line a while later (each shot's "BallsStopped") is a line of its own.
    LogKind lastKind_ = LogKind::File;
    bool lastError_ = false;
    std::u16string lastMessage_;
    uint64_t repeats_ = 0;
    uint32_t lastSecond_ = 0;
    WString lastPrefix_;

    platform::Thread writer_;
};

// The process-wide log. It is never destroyed, so that threads and global destructors running during
// exit can still call it; an exit hook stops it, writing what was queued.
LogSystem& TheLog();

}  // namespace quill
