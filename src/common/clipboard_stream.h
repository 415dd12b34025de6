#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace kv {

class IClipboard;
class IMessageLoop;
class ITextConversion;

// The formats registered at start-up that decide what a snapshot keeps.
struct ClipboardFormats {
    std::uint32_t richText = 0;  // "Rich Text Format"
    std::uint32_t html = 0;      // "HTML Format"
    static ClipboardFormats Register(IClipboard& clipboard);
};

constexpr std::int64_t kAnyFormat = -1;

// Snapshots of the whole clipboard as a stream of records (format: 2 bytes, size: 4 bytes,
// little-endian, then the bytes), and plain-text access. The owner window keeps the data
// ours once put (a clipboard opened without an owner refuses data).
class ClipboardAccess {
public:
    ClipboardAccess(IClipboard& clipboard, IMessageLoop& loop, const ITextConversion& text, ClipboardFormats formats,
                    WindowHandle owner)
        : clipboard_(clipboard), loop_(loop), text_(text), formats_(formats), owner_(owner) {}

    bool SaveClipboardToStream(std::string& stream);
    bool RestoreClipboardFromStream(std::string_view stream, std::int64_t onlyFormat = kAnyFormat);
    bool SetClipboardBuffer(std::uint32_t format, std::string_view data, bool emptyFirst);
    bool CopyTextToClipboard(std::u16string_view text);
    std::u16string GetClipboardText();
    // False also when the clipboard cannot be opened.
    bool HasAnyFormat();
    bool EmptyClipboard();

private:
    bool IsOfficeRichSet() const;
    bool SkippedInSnapshot(std::uint32_t format, bool officeRichSet) const;

    IClipboard& clipboard_;
    IMessageLoop& loop_;
    const ITextConversion& text_;
    ClipboardFormats formats_;
    WindowHandle owner_;
};

}  // namespace kv
