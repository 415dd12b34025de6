#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace kv {

// The system clipboard. Data is the bytes of a format's global memory block.
class IClipboard {
public:
    virtual ~IClipboard() = default;
    virtual bool Open(WindowHandle owner) = 0;
    virtual void Close() = 0;
    virtual bool Empty() = 0;
    // While open: the formats in the system's enumeration order.
    virtual std::vector<std::uint32_t> Formats() = 0;
    // While open: empty when the data cannot be fetched or is no memory block (bitmaps, metafiles).
    virtual std::optional<std::string> Data(std::uint32_t format) = 0;
    // While open: the size of the format's memory block without copying it (a format the owner
    // delays is rendered first); empty as for Data.
    virtual std::optional<std::size_t> DataSize(std::uint32_t format) = 0;
    // While open: false when the system refused the data.
    virtual bool SetData(std::uint32_t format, std::string_view bytes) = 0;
    virtual bool HasFormat(std::uint32_t format) const = 0;
    // The registered name of a format; empty for the predefined ones.
    virtual std::u16string FormatName(std::uint32_t format) const = 0;
    virtual std::uint32_t RegisterFormat(std::u16string_view name) = 0;
    // The number of formats on the clipboard; needs no open.
    virtual std::size_t FormatCount() const = 0;
    // Grows with every change of the content, the program's own included; needs no open.
    virtual std::uint32_t SequenceNumber() const = 0;
    // Whether the program that owns the content answers within `timeoutMs`: a format it delays
    // is rendered by it while the reader waits. True when there is no owner or the owner is ours.
    virtual bool OwnerAnswers(std::uint32_t timeoutMs) = 0;

    // Change notifications to a window. The format listener (posted WM_CLIPBOARDUPDATE) exists
    // from Vista on, and only when the system exports it; the viewer chain (WM_DRAWCLIPBOARD, sent
    // to the first viewer, which passes it on) exists everywhere.
    virtual bool ChangeListenerAvailable() const = 0;
    virtual bool AddChangeListener(WindowHandle window) = 0;
    virtual bool RemoveChangeListener(WindowHandle window) = 0;
    // Makes the window the first viewer; returns the previous first viewer, 0 when none.
    virtual WindowHandle JoinViewerChain(WindowHandle window) = 0;
    // Takes the window out of the chain; `next` is the viewer that followed it.
    virtual bool LeaveViewerChain(WindowHandle window, WindowHandle next) = 0;
};

namespace clip {
constexpr std::uint32_t kText = 1;
constexpr std::uint32_t kBitmap = 2;
constexpr std::uint32_t kMetafilePict = 3;
constexpr std::uint32_t kSylk = 4;
constexpr std::uint32_t kUnicodeText = 13;
constexpr std::uint32_t kEnhMetafile = 14;
constexpr std::uint32_t kPalette = 9;
constexpr std::uint32_t kDibV5 = 17;
constexpr std::uint32_t kOwnerDisplay = 0x80;
constexpr std::uint32_t kDspBitmap = 0x82;
constexpr std::uint32_t kDspMetafilePict = 0x83;
constexpr std::uint32_t kDspEnhMetafile = 0x8E;
constexpr std::uint32_t kPrivateFirst = 0x200;
constexpr std::uint32_t kGdiObjectLast = 0x3FF;

// Formats whose data is a handle (a bitmap, palette, metafile, a memory block holding a metafile
// handle, or anything a program keeps in the private and GDI-object ranges) rather than bytes:
// their bytes mean nothing once the clipboard is emptied, so a snapshot leaves them out.
constexpr bool HoldsHandle(std::uint32_t format) {
    return format == kBitmap || format == kMetafilePict || format == kPalette || format == kEnhMetafile ||
           format == kOwnerDisplay || format == kDspBitmap || format == kDspMetafilePict ||
           format == kDspEnhMetafile || (format >= kPrivateFirst && format <= kGdiObjectLast);
}
}  // namespace clip

}  // namespace kv
