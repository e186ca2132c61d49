#include "QuillLib/core/LogSystem.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <new>
#include <string>
#include <thread>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/core/TextConvert.h"
#include "platform/system/Console.h"
#include "platform/system/Path.h"

namespace quill {
namespace {

constexpr uint32_t kQuickExitFlushMs = 1000;
constexpr std::string_view kNotInitializedMessage = "Log system is not initialized..\nUse LOG0() instead..\n";

struct TimePrefix {
    int hour = -1;
    int minute = -1;
    int second = -1;
    char16_t text[LogRecord::kPrefixUnits + 1] = {};
};

bool EndsWithNewLine(const char16_t* format) {
    const WStringView text(format ? format : u"");
    return text.ends_with(u'\n');
}

bool IsWarning(WStringView message) {
    return message.starts_with(u"WARNING");
}

// LogError's lines warn or report an error; a routine line may warn too.
bool IsFoldable(const LogRecord& record) {
    return record.kind == LogKind::ConsoleAndFile || IsWarning(record.text + LogRecord::kPrefixUnits);
}

// An error may take the outputs' reserve: LogError's lines that are no warning.
bool IsError(LogKind kind, WStringView message) {
    return kind != LogKind::File && !IsWarning(message);
}

// The line that takes the place of the one that reached an output's reserve (only errors follow) or its limit
// (nothing follows), with that line's time prefix.
std::string LimitNotice(std::string_view line, const char16_t* output, uint64_t limit, bool full) {
    const auto bytes = static_cast<unsigned long long>(limit);
    const WString message =
        full ? Format(u"ERROR: %s reached its size limit of %llu bytes; no more lines are written to it\n", output,
                      bytes)
             : Format(u"WARNING: %s nearly reached its size limit of %llu bytes; only errors are written to it from "
                      u"now on\n",
                      output, bytes);
    std::string notice(line.substr(0, LogRecord::kPrefixUnits));
    std::string text;
    WideToUtf8(message, text);
    return notice + text;
}

}  // namespace

LogSystem::~LogSystem() {
    Stop();
}

void LogSystem::SetDirectory(WStringView directory) {
    std::lock_guard lock(directoryMutex_);
    directory_ = directory;
}

void LogSystem::SetSizeLimit(uint64_t bytes) {
    std::lock_guard lifecycle(lifecycleMutex_);
    if (started_.load()) return;
    fileLimit_.SetLimit(bytes);
    consoleLimit_.SetLimit(bytes);
}

bool LogSystem::Start(WStringView name, uint32_t recordCount, bool fixedName) {
    std::lock_guard lifecycle(lifecycleMutex_);
    if (started_.load() || !pool_.Init(recordCount, PacketPool::kLinkWordSize + sizeof(LogRecord))) {
        return false;
    }
    lastMessage_.clear();
    repeats_ = 0;
    consoleLimit_.Reset();
    fixedName_ = fixedName;
    name_ = name;
    suffix_ = u"_Start";
    OpenFile(nullptr);
    suffix_.clear();  // only the first dated file carries "_Start"

    // Running is set before the writer starts, so that a Stop right after Start is never overwritten.
    running_.store(true);
    if (!writer_.Start([this] { WriterLoop(); })) {
        running_.store(false);
        CloseFile();
        pool_.Release();
        return false;
    }
    started_.store(true);
    return true;
}

void LogSystem::Stop() {
    std::lock_guard lifecycle(lifecycleMutex_);
    if (!started_.exchange(false)) {
        return;
    }
    WaitForCallers();
    running_.store(false);
    wakeEvent_.Set();
    writer_.Join();
    CloseFile();
    pool_.Release();
}

bool LogSystem::Flush(uint32_t timeoutMs) {
    uint64_t target;
    {
        ScopedLock lock(queueLock_);
        target = enqueuedTotal_;
    }
    std::unique_lock lock(progressMutex_);
    const auto written = [&] { return writtenTotal_ >= target; };
    if (timeoutMs == platform::kInfinite) {
        progress_.wait(lock, written);
        return true;
    }
    return progress_.wait_for(lock, std::chrono::milliseconds(timeoutMs), written);
}

void LogSystem::Write(LogKind kind, const char16_t* format, std::span<const FormatArg> args) {
    if (!EnterCall()) {
        platform::ConsoleWrite(kNotInitializedMessage);
        return;
    }
    // One round of tries only: a caller stalls at most about five seconds on a full pool, then the line
    // is dropped.
    if (void* block = pool_.Alloc(PacketPool::kDefaultTries)) {
        auto* record = new (block) LogRecord;
        FillRecord(*record, kind, platform::GetLocalTime(), format, args);
        Enqueue(record);
    }
    LeaveCall();
}

void LogSystem::FillRecord(LogRecord& record, LogKind kind, const platform::LocalTime& time, const char16_t* format,
                           std::span<const FormatArg> args) {
    // The prefix of the second this thread last logged in: a thread formats it once per second.
    thread_local TimePrefix prefix;
    if (time.hour != prefix.hour || time.minute != prefix.minute || time.second != prefix.second) {
        FormatTo(prefix.text, LogRecord::kPrefixUnits + 1, u"%02d:%02d:%02d ", time.hour, time.minute, time.second);
        prefix.hour = time.hour;
        prefix.minute = time.minute;
        prefix.second = time.second;
    }
    std::copy_n(prefix.text, LogRecord::kPrefixUnits, record.text);
    char16_t* message = record.text + LogRecord::kPrefixUnits;
    const size_t room = LogRecord::kTextUnits - LogRecord::kPrefixUnits;
    const size_t length = FormatListTo(message, room, format, args);
    const size_t end = std::min(length, room - 1);
    // A zero unit inside the message (text from a file or the server may hold one) would end the line
    // there and glue the next line to it; it is shown as '?', like any character that cannot be written.
    // At a cut, the unit left over by a surrogate pair that did not fit shows as '?' too.
    std::replace(message, message + end, u'\0', u'?');
    message[end] = u'\0';
    if (length > end && EndsWithNewLine(format)) {
        // A cut line still ends its line in the file.
        message[end - 1] = u'\n';
    }
    record.kind = kind;
    record.format = format;
    record.next = nullptr;
    record.day = static_cast<uint16_t>(time.day);
    record.hour = static_cast<uint16_t>(time.hour);
    record.minute = static_cast<uint16_t>(time.minute);
    record.second = static_cast<uint16_t>(time.second);
}

bool LogSystem::EnterCall() {
    activeCallers_.fetch_add(1);
    if (started_.load()) {
        return true;
    }
    LeaveCall();
    return false;
}

void LogSystem::LeaveCall() {
    activeCallers_.fetch_sub(1);
    // Either Stop sees this caller gone, or this caller sees Stop waiting and wakes it.
    if (!started_.load()) {
        activeCallers_.notify_all();
    }
}

void LogSystem::WaitForCallers() {
    for (int active = activeCallers_.load(); active != 0; active = activeCallers_.load()) {
        activeCallers_.wait(active);
    }
}

void LogSystem::Enqueue(LogRecord* record) {
    ScopedLock lock(queueLock_);
    record->next = nullptr;
    if (tail_) {
        tail_->next = record;
    } else {
        head_ = record;
    }
    tail_ = record;
    ++enqueuedTotal_;
    // The writer takes every queued line once it wakes, and waits again only after it found the queue empty: a
    // line that finds others queued needs no signal of its own.
    if (queued_.fetch_add(1, std::memory_order_relaxed) == 0) {
        wakeEvent_.Set();
    }
}

// Detaches every queued record at once, oldest first: one lock for the whole batch. Null when none is queued.
LogRecord* LogSystem::TakeAll() {
    ScopedLock lock(queueLock_);
    LogRecord* records = head_;
    head_ = nullptr;
    tail_ = nullptr;
    queued_.store(0, std::memory_order_relaxed);
    return records;
}

// The writer must never log through Write: Stop holds the lifecycle while it joins the writer.
void LogSystem::WriterLoop() {
    while (running_.load()) {
        // While lines are counted, the writer wakes now and then to sum them up once their second has passed.
        wakeEvent_.Wait(fold_.HasCounted() || repeats_ > 0 ? kFoldCheckMs : platform::kInfinite);
        WriteWhileLinesCome();
        SumUpPastSeconds();
    }
    // Lines queued after the last wake-up, while Stop was signalling.
    while (WriteBatch()) {
    }
    bool wroteFile = false;
    WriteFoldedCounts(wroteFile);
    WriteRepeatCount(wroteFile);
}

// Writes batch after batch, and waits a little (giving the processor away) before it goes back to sleep: while
// lines keep coming, the writer takes them without being woken for each, which would cost their callers a
// system call per line.
void LogSystem::WriteWhileLinesCome() {
    for (int idle = 0; idle < kLingerRounds && running_.load();) {
        if (WriteBatch()) {
            idle = 0;
        } else if (queued_.load(std::memory_order_relaxed) == 0) {
            std::this_thread::yield();
            ++idle;
        }
    }
}

// Writes every queued line and flushes the file once. True when there was a line.
bool LogSystem::WriteBatch() {
    LogRecord* record = TakeAll();
    if (!record) {
        return false;
    }
    uint64_t count = 0;
    bool wroteFile = false;
    while (record) {
        LogRecord* next = record->next;
        WriteRecord(*record, wroteFile);
        pool_.Free(record);
        record = next;
        ++count;
    }
    if (wroteFile && file_) {
        std::fflush(file_);
    }
    ReportWritten(count);
    return true;
}

void LogSystem::WriteRecord(const LogRecord& record, bool& wroteFile) {
    const WStringView prefix(record.text, LogRecord::kPrefixUnits);
    const WStringView message(record.text + LogRecord::kPrefixUnits);
    // A later second first sums up the warnings the last one counted.
    if (fold_.HasCountedBefore(record.SecondStamp())) WriteFoldedCounts(wroteFile);
    // Unsigned: a stamp below the file's (a new month) also starts a new file.
    if (record.kind != LogKind::Console && !fixedName_ && record.Stamp() - openStamp_ >= kRotationMinutes) {
        WriteRepeatCount(wroteFile);
        OpenFile(&record);
        lastMessage_.clear();
    }
    if (IsRepeat(record)) {
        ++repeats_;
        return;
    }
    if (IsFoldable(record) && !fold_.Admit(record)) {
        // Counted: the next line is no repeat of one written before this.
        lastMessage_.clear();
        return;
    }
    WriteRepeatCount(wroteFile);
    lastKind_ = record.kind;
    lastError_ = IsError(record.kind, message);
    lastMessage_.assign(message);
    lastSecond_ = record.SecondStamp();
    lastPrefix_.assign(prefix);
    WideToUtf8(record.text, line_);
    WriteLine(record.kind, lastError_, wroteFile);
}

bool LogSystem::IsRepeat(const LogRecord& record) {
    return !lastMessage_.empty() && record.kind == lastKind_ && record.SecondStamp() == lastSecond_ &&
           lastMessage_ == record.text + LogRecord::kPrefixUnits;
}

// Says how often the last line came again in its second, where and with the time it was written; nothing when it
// did not.
void LogSystem::WriteRepeatCount(bool& wroteFile) {
    if (repeats_ == 0) {
        return;
    }
    WideToUtf8(Format(u"%s... repeated %llu times\n", lastPrefix_, static_cast<unsigned long long>(repeats_)), line_);
    repeats_ = 0;
    WriteLine(lastKind_, lastError_, wroteFile);
}

// The idle writer's look at the clock: a second that has passed sums up what it counted.
void LogSystem::SumUpPastSeconds() {
    const platform::LocalTime now = platform::GetLocalTime();
    const uint32_t second = LogRecord::SecondStamp(now.day, now.hour, now.minute, now.second);
    const bool repeatsPassed = repeats_ > 0 && lastSecond_ != second;
    if (!fold_.HasCountedBefore(second) && !repeatsPassed) {
        return;
    }
    bool wroteFile = false;
    if (repeatsPassed) WriteRepeatCount(wroteFile);
    WriteFoldedCounts(wroteFile);
    if (wroteFile && file_) {
        std::fflush(file_);
    }
}

// One line for each kind of warning counted, where its lines went; a line after them is no repeat of one before.
void LogSystem::WriteFoldedCounts(bool& wroteFile) {
    for (const WarningFold::Counted& counted : fold_.TakeCounted()) {
        WriteRepeatCount(wroteFile);
        WideToUtf8(Format(u"%s... %llu more lines like \"%s\"\n", counted.prefix,
                          static_cast<unsigned long long>(counted.count), counted.sample),
                   line_);
        WriteLine(counted.kind, IsError(counted.kind, counted.sample), wroteFile);
        lastMessage_.clear();
    }
}

void LogSystem::WriteLine(LogKind kind, bool error, bool& wroteFile) {
    if (kind != LogKind::File) {
        WriteToConsole(line_, error);
    }
    if (kind != LogKind::Console && file_) {
        WriteToFile(error, wroteFile);
    }
}

void LogSystem::WriteToConsole(const std::string& line, bool error) {
    const LogOutputLimit::Verdict verdict = consoleLimit_.Admit(line.size(), error);
    if (verdict == LogOutputLimit::Verdict::Drop) {
        return;
    }
    if (verdict == LogOutputLimit::Verdict::Write) {
        platform::ConsoleWrite(line);
        consoleLimit_.Count(line.size());
        return;
    }
    const std::string notice = LimitNotice(line, u"the console output", consoleLimit_.Limit(),
                                           verdict == LogOutputLimit::Verdict::LimitReached);
    platform::ConsoleWrite(notice);
    consoleLimit_.Count(notice.size());
}

void LogSystem::WriteToFile(bool error, bool& wroteFile) {
    const LogOutputLimit::Verdict verdict = fileLimit_.Admit(line_.size(), error);
    if (verdict == LogOutputLimit::Verdict::Drop) {
        return;
    }
    if (verdict != LogOutputLimit::Verdict::Write) {
        // Said on the console too: the file takes fewer lines from now on.
        const bool full = verdict == LogOutputLimit::Verdict::LimitReached;
        line_ = LimitNotice(line_, u"the log file", fileLimit_.Limit(), full);
        WriteToConsole(line_, true);
    }
    if (std::fwrite(line_.data(), 1, line_.size(), file_) == line_.size()) {
        fileLimit_.Count(line_.size());
        wroteFile = true;
    }
}

// Opens the next file, named with the current local time; a rotating record's day, hour and minute take
// the place of the clock's.
void LogSystem::OpenFile(const LogRecord* record) {
    CloseFile();
    platform::LocalTime time = platform::GetLocalTime();
    if (record) {
        time.day = record->day;
        time.hour = record->hour;
        time.minute = record->minute;
    }
    path_ = FilePath(time);
    file_ = platform::OpenFile(path_, "wb");
    fileLimit_.Reset();
    openStamp_ = LogRecord::Stamp(time.day, time.hour, time.minute);
    if (!file_) {
        std::string message;
        WideToUtf8(Format(u"ERROR: cannot open the log file %s\n", path_), message);
        platform::ConsoleWrite(message);
    }
}

void LogSystem::CloseFile() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

WString LogSystem::FilePath(const platform::LocalTime& time) const {
    WString directory;
    {
        std::lock_guard lock(directoryMutex_);
        directory = directory_;
    }
    if (fixedName_) {
        return Format(u"%s/%s.log", directory, name_);
    }
    return Format(u"%s/%02d%02d%02d_%02d%02d%02d%s%s.log", directory, time.year % 100, time.month, time.day, time.hour,
                  time.minute, time.second, name_, suffix_);
}

void LogSystem::ReportWritten(uint64_t count) {
    {
        std::lock_guard lock(progressMutex_);
        writtenTotal_ += count;
    }
    progress_.notify_all();
}

LogSystem& TheLog() {
    static LogSystem* const log = [] {
        auto* created = new LogSystem;
        std::atexit([] { TheLog().Stop(); });
        // A quick exit (the display was lost) ends every thread at once: what was queued is written first.
        std::at_quick_exit([] { TheLog().Flush(kQuickExitFlushMs); });
        return created;
    }();
    return *log;
}

}  // namespace quill
