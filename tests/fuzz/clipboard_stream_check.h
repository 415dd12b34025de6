#pragma once
// What must hold for any bytes read back as a clipboard snapshot: the restore puts exactly the
// whole records there, in order, and a snapshot of the result is the same records again (less
// the handle formats, which a snapshot never holds). The fuzzer aborts on a violation.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "clipboard/clipboard_stream.h"
#include "platform/clipboard_api.h"
#include "platform/clock_api.h"
#include "platform/system_api.h"

namespace kv::fuzz {

using ClipboardContent = std::vector<std::pair<std::uint32_t, std::string>>;

// A clipboard in memory: formats in the order first put, a second put replaces the bytes.
class MemoryClipboard : public IClipboard {
public:
    bool Open(WindowHandle) override {
        if (open_) return false;
        open_ = true;
        return true;
    }
    void Close() override { open_ = false; }
    bool Empty() override {
        if (!open_) return false;
        content_.clear();
        ++sequence_;
        return true;
    }
    std::vector<std::uint32_t> Formats() override {
        std::vector<std::uint32_t> formats;
        for (const auto& [format, bytes] : content_) formats.push_back(format);
        return formats;
    }
    std::optional<std::string> Data(std::uint32_t format) override {
        if (!open_) return std::nullopt;
        for (const auto& [f, bytes] : content_) {
            if (f == format) return bytes;
        }
        return std::nullopt;
    }
    std::optional<std::size_t> DataSize(std::uint32_t format) override {
        const auto data = Data(format);
        return data ? std::optional<std::size_t>(data->size()) : std::nullopt;
    }
    bool SetData(std::uint32_t format, std::string_view bytes) override {
        if (!open_) return false;
        Put(content_, format, bytes);
        ++sequence_;
        return true;
    }
    bool HasFormat(std::uint32_t format) const override {
        for (const auto& [f, bytes] : content_) {
            if (f == format) return true;
        }
        return false;
    }
    std::u16string FormatName(std::uint32_t) const override { return {}; }
    std::uint32_t RegisterFormat(std::u16string_view) override { return 0xC000; }
    std::size_t FormatCount() const override { return content_.size(); }
    std::uint32_t SequenceNumber() const override { return sequence_; }
    bool OwnerAnswers(std::uint32_t) override { return true; }
    bool ChangeListenerAvailable() const override { return false; }
    bool AddChangeListener(WindowHandle) override { return false; }
    bool RemoveChangeListener(WindowHandle) override { return false; }
    WindowHandle JoinViewerChain(WindowHandle) override { return kNoWindow; }
    bool LeaveViewerChain(WindowHandle, WindowHandle) override { return false; }

    static void Put(ClipboardContent& content, std::uint32_t format, std::string_view bytes) {
        for (auto& [f, existing] : content) {
            if (f == format) {
                existing = std::string(bytes);
                return;
            }
        }
        content.emplace_back(format, std::string(bytes));
    }
    const ClipboardContent& Content() const { return content_; }
    bool IsOpen() const { return open_; }

private:
    ClipboardContent content_;
    bool open_ = false;
    std::uint32_t sequence_ = 0;
};

class StillClockAndLoop : public IClock, public IMessageLoop {
public:
    std::uint64_t NowMs() const override { return now_; }
    void Sleep(std::uint32_t ms) override { now_ += ms; }
    void SleepAlertable(std::uint32_t ms) override { now_ += ms; }
    std::u16string LocalDateTimeText() const override { return {}; }
    void Run() override {}
    void Quit() override {}
    bool QuitRequested() const override { return false; }
    void ProcessPendingMessages() override {}
    void WaitForMessages(std::uint32_t timeoutMs) override { now_ += timeoutMs; }
    TimerId StartTimer(std::uint32_t, std::function<void()>) override { return 0; }
    void StopTimer(TimerId) override {}
    void EnableTimer(TimerId, bool) override {}
    PostedWorkId RegisterPostedWork(std::function<void()>) override { return 0; }
    void UnregisterPostedWork(PostedWorkId) override {}
    void PostWork(PostedWorkId) override {}

private:
    std::uint64_t now_ = 0;
};

class Latin1Text : public ITextConversion {
public:
    std::string ToAnsi(std::u16string_view text) const override {
        std::string out;
        for (char16_t c : text) out.push_back(c < 0x100 ? static_cast<char>(c) : '?');
        return out;
    }
    std::u16string FromAnsi(std::string_view text) const override {
        std::u16string out;
        for (char c : text) out.push_back(static_cast<unsigned char>(c));
        return out;
    }
    char16_t CharToUpper(char16_t c) const override { return c; }
    char16_t CharToLower(char16_t c) const override { return c; }
};

// The records of a stream, read independently of the program: whole records only, in order.
inline std::vector<std::pair<std::uint32_t, std::string_view>> StreamRecords(std::string_view stream) {
    std::vector<std::pair<std::uint32_t, std::string_view>> records;
    const auto byte = [&](std::size_t at) { return static_cast<std::uint32_t>(static_cast<unsigned char>(stream[at])); };
    std::size_t at = 0;
    while (stream.size() - at >= 6) {
        const std::uint32_t format = byte(at) | byte(at + 1) << 8;
        const std::uint64_t size = byte(at + 2) | byte(at + 3) << 8 | byte(at + 4) << 16 | std::uint64_t{byte(at + 5)} << 24;
        if (stream.size() - at - 6 < size) break;
        records.emplace_back(format, stream.substr(at + 6, static_cast<std::size_t>(size)));
        at += 6 + static_cast<std::size_t>(size);
    }
    return records;
}

inline std::string EncodeRecords(const ClipboardContent& content) {
    std::string stream;
    for (const auto& [format, bytes] : content) {
        const auto size = static_cast<std::uint32_t>(bytes.size());
        for (std::uint32_t value : {format & 0xFF, format >> 8 & 0xFF}) stream.push_back(static_cast<char>(value));
        for (int shift = 0; shift < 32; shift += 8) stream.push_back(static_cast<char>(size >> shift & 0xFF));
        stream += bytes;
    }
    return stream;
}

// Empty when every property holds, else what broke.
inline std::string ClipboardStreamViolation(std::string_view stream) {
    MemoryClipboard clipboard;
    StillClockAndLoop loop;
    Latin1Text text;
    ClipboardAccess access(clipboard, loop, loop, text, ClipboardFormats{0xC001, 0xC002}, 1);

    const auto records = StreamRecords(stream);
    ClipboardContent expected;
    for (const auto& [format, bytes] : records) MemoryClipboard::Put(expected, format, bytes);

    if (!access.RestoreClipboardFromStream(stream)) return "a free clipboard refused the restore";
    if (clipboard.IsOpen()) return "the clipboard stays open after the restore";
    if (clipboard.Content() != expected) return "the restore put other than the stream's whole records";

    ClipboardContent kept;
    for (const auto& [format, bytes] : expected) {
        if (!clip::HoldsHandle(format)) kept.emplace_back(format, bytes);
    }
    std::string saved;
    if (access.SaveClipboardToStream(saved) != SnapshotResult::Saved) return "a small clipboard was not saved";
    if (saved != EncodeRecords(kept)) return "the snapshot of the restored clipboard differs from its records";

    // One format asked for: the first record of it, alone, or nothing at all.
    const std::uint32_t wanted = records.empty() ? 1 : records[records.size() / 2].first;
    if (!access.RestoreClipboardFromStream(stream, wanted)) return "a free clipboard refused the one-format restore";
    ClipboardContent only;
    for (const auto& [format, bytes] : records) {
        if (format == wanted) {
            only.emplace_back(format, std::string(bytes));
            break;
        }
    }
    if (clipboard.Content() != only) return "the one-format restore left other than that format";
    return {};
}

}  // namespace kv::fuzz
