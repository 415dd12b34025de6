#include "resources/icon_pack.h"

#include <algorithm>

#include "common/message_boxes.h"
#include "platform/files_api.h"
#include "platform/paths.h"
#include "resources/icon_pack_file.h"
#include "resources/kv_lang.h"

namespace kv {

namespace {

// The platform's words for a file that exists but cannot be read.
std::u16string CannotOpenText(const std::u16string& path) { return u"Cannot open file \"" + path + u"\"."; }

}  // namespace

std::u16string TKvIcons::FilePath() const { return env_.iconFolder + name_ + std::u16string(kIconPackExtension); }

bool TKvIcons::LoadPack(std::u16string_view name, bool full) {
    if (loaded_) return true;
    name_ = std::u16string(name);  // `name` may view name_ itself
    ClearPack();
    const std::u16string path = FilePath();
    if (!env_.files.FileExists(path)) return false;
    const std::optional<std::string> bytes = env_.files.ReadWholeFile(path);
    if (!bytes) {
        Fail(CannotOpenText(path));
        return false;
    }

    const IconPackFile file = ReadIconPackFile(*bytes, full);
    if (file.exeName) exeName_ = env_.fromAnsi(*file.exeName);
    if (file.windowClass) windowClass_ = env_.fromAnsi(*file.windowClass);
    if (file.comment) comment_ = env_.fromAnsi(*file.comment);
    if (file.error != IconPackFileError::None) {
        Fail(TKvLang::FormatText(env_.lang.GetText(7, u"The file %1 is not a valid icon pack."), {path}));
        return false;
    }
    if (!file.packIcon.empty()) packIcon_ = file.packIcon;
    if (full) {
        images_ = DecodeStrip(file.strip);
        const std::size_t imageCount = images_ ? std::min(images_->Count(), kMaxPackImages) : 0;
        const std::size_t kept = std::min(imageCount, file.entries.size());
        items_.reserve(imageCount);
        for (std::size_t i = 0; i < kept; ++i) {
            const IconPackFileEntry& entry = file.entries[i];
            items_.push_back({entry.keyCode, entry.modifiers, env_.fromAnsi(entry.hint)});
        }
        // Images without an entry get an empty one.
        items_.resize(imageCount);
    }
    BuildIndex();
    if (full) loaded_ = true;
    return true;
}

void TKvIcons::ClearPack() {
    items_.clear();
    images_.reset();
    BuildIndex();
}

void TKvIcons::BuildIndex() {
    runIndex_.fill(IconRun{});
    if (items_.empty()) return;
    std::size_t first = 0;
    for (std::size_t i = 1; i < items_.size(); ++i) {
        if (items_[i].KeyCode != items_[i - 1].KeyCode) {
            runIndex_[items_[i - 1].KeyCode] = {static_cast<std::uint16_t>(first), static_cast<std::uint16_t>(i - 1)};
            first = i;
        }
    }
    runIndex_[items_.back().KeyCode] = {static_cast<std::uint16_t>(first), static_cast<std::uint16_t>(items_.size() - 1)};
}

void TKvIcons::Fail(const std::u16string& message) const { env_.messages.ShowError(message); }

// The cache file only repeats the strip; the images come from the bytes in memory, so a data
// folder that cannot be written costs nothing.
std::unique_ptr<IIconImages> TKvIcons::DecodeStrip(std::string_view strip) const {
    if (!env_.dataFolder.empty()) env_.files.WriteWholeFile(JoinPath(env_.dataFolder, kIconCacheFileName), strip);
    const std::optional<BitmapFileInfo> info = ReadBitmapFileInfo(strip);
    if (!info) return nullptr;
    return env_.decoder.DecodeStrip(strip, *info);
}

}  // namespace kv
