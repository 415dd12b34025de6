#include "clipboard/clipboard_stream.h"

#include <cstring>
#include <vector>

#include "platform/clipboard_api.h"
#include "platform/clock_api.h"
#include "platform/system_api.h"

namespace kv {

namespace {

constexpr std::size_t kRecordHeader = 6;
constexpr int kOpenAttempts = 5;
constexpr std::uint32_t kOpenRetryMs = 10;
constexpr std::uint32_t kOwnerAnswerMs = 100;
// The stream's format field is two bytes wide; registered formats end at 0xFFFF.
constexpr std::uint32_t kLastStorableFormat = 0xFFFF;

// Closes the clipboard on every way out. Another program may hold it for a moment: the open is
// tried again after a short pause that keeps the messages (and the keyboard hook) flowing.
class OpenedClipboard {
public:
    OpenedClipboard(IClipboard& clipboard, WindowHandle owner, IMessageLoop* loop = nullptr, IClock* clock = nullptr)
        : clipboard_(clipboard), open_(clipboard.Open(owner)) {
        for (int attempt = 1; !open_ && loop && clock && attempt < kOpenAttempts; ++attempt) {
            clock->SleepAlertable(kOpenRetryMs);
            loop->ProcessPendingMessages();
            open_ = clipboard.Open(owner);
        }
    }
    ~OpenedClipboard() {
        if (open_) clipboard_.Close();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
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
    if (clip::HoldsHandle(format) || format > kLastStorableFormat) return true;
    const std::u16string name = clipboard_.FormatName(format);
    // OLE embedding data is only valid in the process that offered it.
    if (name == u"Embed Source" || name == u"Native") return true;
    if (!officeRichSet) return false;
    // Office rebuilds these from the rest; saving them is slow and they can be huge.
    return name == u"DataObject" || name == u"Ole Private Data";
}

SnapshotResult ClipboardAccess::SaveClipboardToStream(std::string& stream) {
    const std::size_t start = stream.size();
    SnapshotResult result = SnapshotResult::Busy;
    {
        OpenedClipboard opened(clipboard_, owner_, &loop_, &clock_);
        if (opened) result = SaveOpenClipboard(stream);
    }
    if (result != SnapshotResult::Saved) {
        stream.resize(start);
        stream.shrink_to_fit();
    }
    return result;
}

SnapshotResult ClipboardAccess::SaveOpenClipboard(std::string& stream) {
    if (!clipboard_.OwnerAnswers(kOwnerAnswerMs)) return SnapshotResult::OwnerNotAnswering;
    const bool officeRichSet = IsOfficeRichSet();
    // Sizes first, rendering what the owner delays, so that the bytes are copied once into a
    // stream of the right size, and a clipboard over the limit is never copied at all.
    struct Kept {
        std::uint32_t format;
        std::size_t size;
    };
    std::vector<Kept> kept;
    std::size_t total = 0;
    const std::uint64_t began = clock_.NowMs();
    for (std::uint32_t format : clipboard_.Formats()) {
        if (SkippedInSnapshot(format, officeRichSet)) continue;
        if (clock_.NowMs() - began >= kSnapshotTimeMs) break;
        loop_.ProcessPendingMessages();
        const std::optional<std::size_t> size = clipboard_.DataSize(format);
        if (!size) continue;
        if (*size > kSnapshotLimitBytes || kRecordHeader + *size > kSnapshotLimitBytes - total) {
            return SnapshotResult::TooLarge;
        }
        total += kRecordHeader + *size;
        kept.push_back({format, *size});
    }
    stream.reserve(stream.size() + total);
    for (const Kept& record : kept) {
        const std::optional<std::string> data = clipboard_.Data(record.format);
        if (data && data->size() <= record.size) AppendRecord(stream, record.format, *data);
    }
    return SnapshotResult::Saved;
}

bool ClipboardAccess::RestoreClipboardFromStream(std::string_view stream, std::int64_t onlyFormat) {
    OpenedClipboard opened(clipboard_, owner_, &loop_, &clock_);
    if (!opened || !clipboard_.Empty()) return false;
    RestoreOpenClipboard(stream, onlyFormat);
    return true;
}

RestoreResult ClipboardAccess::RestoreUnlessChanged(std::string_view stream, std::uint32_t expectedSequence) {
    OpenedClipboard opened(clipboard_, owner_, &loop_, &clock_);
    if (!opened) return RestoreResult::Busy;
    // Held open by us, the clipboard cannot change between this look and the emptying.
    if (clipboard_.SequenceNumber() != expectedSequence) return RestoreResult::Changed;
    if (!clipboard_.Empty()) return RestoreResult::Busy;
    RestoreOpenClipboard(stream, kAnyFormat);
    return RestoreResult::Restored;
}

void ClipboardAccess::RestoreOpenClipboard(std::string_view stream, std::int64_t onlyFormat) {
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
}

bool ClipboardAccess::SetClipboardBuffer(std::uint32_t format, std::string_view data, bool emptyFirst) {
    OpenedClipboard opened(clipboard_, owner_, &loop_, &clock_);
    if (!opened) return false;
    if (emptyFirst) clipboard_.Empty();
    return clipboard_.SetData(format, data);
}

bool ClipboardAccess::CopyTextToClipboard(std::u16string_view text) {
    std::string ansi = text_.ToAnsi(text);
    ansi.push_back('\0');
    std::string unicode(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
    unicode.append(sizeof(char16_t), '\0');
    OpenedClipboard opened(clipboard_, owner_, &loop_, &clock_);
    if (!opened || !clipboard_.Empty()) return false;
    const bool ansiOk = clipboard_.SetData(clip::kText, ansi);
    const bool unicodeOk = clipboard_.SetData(clip::kUnicodeText, unicode);
    return ansiOk && unicodeOk;
}

std::u16string ClipboardAccess::GetClipboardText() {
    OpenedClipboard opened(clipboard_, owner_, &loop_, &clock_);
    if (!opened) return {};
    return ReadOpenClipboardText();
}

std::optional<std::u16string> ClipboardAccess::ReadTextIfFree() {
    OpenedClipboard opened(clipboard_, owner_);
    if (!opened) return std::nullopt;
    return ReadOpenClipboardText();
}

std::u16string ClipboardAccess::ReadOpenClipboardText() {
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

bool ClipboardAccess::EmptyClipboard() {
    OpenedClipboard opened(clipboard_, owner_, &loop_, &clock_);
    return opened && clipboard_.Empty();
}

std::uint32_t ClipboardAccess::SequenceNumber() const { return clipboard_.SequenceNumber(); }

}  // namespace kv
