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
    // While open: false when the system refused the data.
    virtual bool SetData(std::uint32_t format, std::string_view bytes) = 0;
    virtual bool HasFormat(std::uint32_t format) const = 0;
    // The registered name of a format; empty for the predefined ones.
    virtual std::u16string FormatName(std::uint32_t format) const = 0;
    virtual std::uint32_t RegisterFormat(std::u16string_view name) = 0;
    // The number of formats on the clipboard; needs no open.
    virtual std::size_t FormatCount() const = 0;

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
constexpr std::uint32_t kDibV5 = 17;
}  // namespace clip

}  // namespace kv
