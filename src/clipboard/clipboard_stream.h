#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace kv {

class IClipboard;
class IClock;
class IMessageLoop;
class ITextConversion;

// The formats registered at start-up that decide what a snapshot keeps.
struct ClipboardFormats {
    std::uint32_t richText = 0;  // "Rich Text Format"
    std::uint32_t html = 0;      // "HTML Format"
    static ClipboardFormats Register(IClipboard& clipboard);
};

constexpr std::int64_t kAnyFormat = -1;

enum class SnapshotResult {
    Saved,
    Busy,               // another program held the clipboard open through every attempt
    TooLarge,           // more than kSnapshotLimitBytes
    OwnerNotAnswering,  // reading a format it delays would wait on a program that hangs
};

enum class RestoreResult {
    Restored,
    Changed,  // the clipboard changed since the expected moment and was left alone
    Busy,
};

// Snapshots of the whole clipboard as a stream of records (format: 2 bytes, size: 4 bytes,
// little-endian, then the bytes), and plain-text access. The owner window keeps the data
// ours once put (a clipboard opened without an owner refuses data). Every open is tried a few
// times, briefly, because another program may hold the clipboard for a moment.
class ClipboardAccess {
public:
    // A snapshot holds at most this many bytes, its record headers included.
    static constexpr std::size_t kSnapshotLimitBytes = 32u << 20;
    // Formats not fetched within this time of a snapshot's start are left out of it: an owner
    // that renders its delayed formats slowly would hold up the keyboard hook's thread.
    static constexpr std::uint32_t kSnapshotTimeMs = 500;

    ClipboardAccess(IClipboard& clipboard, IMessageLoop& loop, IClock& clock, const ITextConversion& text,
                    ClipboardFormats formats, WindowHandle owner)
        : clipboard_(clipboard), loop_(loop), clock_(clock), text_(text), formats_(formats), owner_(owner) {}

    // Appends the records to `stream`; it is left empty unless the result is Saved.
    SnapshotResult SaveClipboardToStream(std::string& stream);
    bool RestoreClipboardFromStream(std::string_view stream, std::int64_t onlyFormat = kAnyFormat);
    // The whole stream, unless the clipboard's sequence number is no longer `expectedSequence`.
    RestoreResult RestoreUnlessChanged(std::string_view stream, std::uint32_t expectedSequence);
    bool SetClipboardBuffer(std::uint32_t format, std::string_view data, bool emptyFirst);
    // ANSI and Unicode text in one open, so that no reader sees one without the other.
    bool CopyTextToClipboard(std::u16string_view text);
    std::u16string GetClipboardText();
    // One attempt, no waiting: empty while another program holds the clipboard open.
    std::optional<std::u16string> ReadTextIfFree();
    bool EmptyClipboard();
    std::uint32_t SequenceNumber() const;

private:
    bool IsOfficeRichSet() const;
    bool SkippedInSnapshot(std::uint32_t format, bool officeRichSet) const;
    SnapshotResult SaveOpenClipboard(std::string& stream);
    void RestoreOpenClipboard(std::string_view stream, std::int64_t onlyFormat);
    std::u16string ReadOpenClipboardText();

    IClipboard& clipboard_;
    IMessageLoop& loop_;
    IClock& clock_;
    const ITextConversion& text_;
    ClipboardFormats formats_;
    WindowHandle owner_;
};

}  // namespace kv
