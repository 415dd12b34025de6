#include "common/clipboard_stream.h"

#include <cstring>

#include "platform/clipboard_api.h"
#include "platform/clock_api.h"
#include "platform/system_api.h"

namespace kv {

namespace {

constexpr std::size_t kRecordHeader = 6;

// Closes the clipboard on every way out.
class OpenedClipboard {
public:
    OpenedClipboard(IClipboard& clipboard, WindowHandle owner) : clipboard_(clipboard), open_(clipboard.Open(owner)) {}
    ~OpenedClipboard() {
        if (open_) clipboard_.Close();
    }
    explicit operator bool() const { return open_; }

private:
    IClipboard& clipboard_;
    bool open_;
};

void AppendRecord(std::string& stream, std::uint32_t format, std::string_view data) {
    const auto size = static_cast<std::uint32_t>(data.size());
    const unsigned char header[kRecordHeader] = {
        static_cast<unsigned char>(format), static_cast<unsigned char>(format >> 8),
        static_cast<unsigned char>(size), static_cast<unsigned char>(size >> 8),
        static_cast<unsigned char>(size >> 16), static_cast<unsigned char>(size >> 24)};
    stream.append(reinterpret_cast<const char*>(header), kRecordHeader);
    stream.append(data);
}

std::uint32_t ReadLittleEndian(std::string_view bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::u16string TextUpToTerminator(std::u16string text) {
    const auto end = text.find(u'\0');
    if (end != std::u16string::npos) text.resize(end);
    return text;
}

}  // namespace

ClipboardFormats ClipboardFormats::Register(IClipboard& clipboard) {
    return ClipboardFormats{clipboard.RegisterFormat(u"Rich Text Format"), clipboard.RegisterFormat(u"HTML Format")};
}

bool ClipboardAccess::IsOfficeRichSet() const {
    for (std::uint32_t format : {clip::kEnhMetafile, clip::kBitmap, clip::kSylk, clip::kUnicodeText, clip::kText,
                                 clip::kDibV5, formats_.html, formats_.richText}) {
        if (!clipboard_.HasFormat(format)) return false;
    }
    return true;
}

bool ClipboardAccess::SkippedInSnapshot(std::uint32_t format, bool officeRichSet) const {
    const std::u16string name = clipboard_.FormatName(format);
    // OLE embedding data is only valid in the process that offered it.
    if (name == u"Embed Source" || name == u"Native") return true;
    if (!officeRichSet) return false;
    // Office rebuilds these from the rest; saving them is slow and they can be huge.
    return format == clip::kMetafilePict || format == clip::kEnhMetafile || name == u"DataObject" ||
           name == u"Ole Private Data";
}

bool ClipboardAccess::SaveClipboardToStream(std::string& stream) {
    OpenedClipboard opened(clipboard_, owner_);
    if (!opened) return false;
    const bool officeRichSet = IsOfficeRichSet();
    for (std::uint32_t format : clipboard_.Formats()) {
        if (SkippedInSnapshot(format, officeRichSet)) continue;
        loop_.ProcessPendingMessages();
        if (auto data = clipboard_.Data(format)) AppendRecord(stream, format, *data);
    }
    return true;
}

bool ClipboardAccess::RestoreClipboardFromStream(std::string_view stream, std::int64_t onlyFormat) {
    OpenedClipboard opened(clipboard_, owner_);
    if (!opened || !clipboard_.Empty()) return false;
    std::size_t position = 0;
    while (position < stream.size()) {
        loop_.ProcessPendingMessages();
        if (stream.size() - position < kRecordHeader) break;  // a record that ends early is dropped
        const std::uint32_t format = ReadLittleEndian(stream, position, 2);
        const std::uint32_t size = ReadLittleEndian(stream, position + 2, 4);
        position += kRecordHeader;
        if (stream.size() - position < size) break;
        clipboard_.SetData(format, stream.substr(position, size));
        position += size;
        if (onlyFormat != kAnyFormat) {
            if (format == static_cast<std::uint32_t>(onlyFormat)) break;
            clipboard_.Empty();
        }
    }
    return true;
}

bool ClipboardAccess::SetClipboardBuffer(std::uint32_t format, std::string_view data, bool emptyFirst) {
    OpenedClipboard opened(clipboard_, owner_);
    if (!opened) return false;
    if (emptyFirst) clipboard_.Empty();
    return clipboard_.SetData(format, data);
}

bool ClipboardAccess::CopyTextToClipboard(std::u16string_view text) {
    std::string ansi = text_.ToAnsi(text);
    ansi.push_back('\0');
    std::string unicode(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
    unicode.append(sizeof(char16_t), '\0');
    const bool ansiOk = SetClipboardBuffer(clip::kText, ansi, true);
    const bool unicodeOk = SetClipboardBuffer(clip::kUnicodeText, unicode, false);
    return ansiOk && unicodeOk;
}

std::u16string ClipboardAccess::GetClipboardText() {
    OpenedClipboard opened(clipboard_, owner_);
    if (!opened) return {};
    if (auto data = clipboard_.Data(clip::kUnicodeText)) {
        std::u16string text(data->size() / sizeof(char16_t), u'\0');
        std::memcpy(text.data(), data->data(), text.size() * sizeof(char16_t));
        return TextUpToTerminator(std::move(text));
    }
    if (auto data = clipboard_.Data(clip::kText)) {
        const auto end = data->find('\0');
        return text_.FromAnsi(std::string_view(*data).substr(0, end));
    }
    return {};
}

bool ClipboardAccess::HasAnyFormat() {
    OpenedClipboard opened(clipboard_, owner_);
    return opened && !clipboard_.Formats().empty();
}

bool ClipboardAccess::EmptyClipboard() {
    OpenedClipboard opened(clipboard_, owner_);
    return opened && clipboard_.Empty();
}

}  // namespace kv
