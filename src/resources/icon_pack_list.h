#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "resources/icon_pack.h"

namespace kv {

// The program folder (with or without its trailing backslash) followed by "Icons\".
std::u16string IconFolder(std::u16string_view appFolder);

// Every pack of the icon folder, in directory order. Built once at start-up: packs added to the
// folder later appear after a restart.
class TKvIconsList {
public:
    explicit TKvIconsList(IconPackEnvironment environment) : env_(std::move(environment)) {}
    TKvIconsList(const TKvIconsList&) = delete;
    TKvIconsList& operator=(const TKvIconsList&) = delete;

    // Rebuilds the list from the headers of Icons\*.pni, the first file of each name only; a
    // pack whose header cannot be read is listed all the same.
    void ScanPacks();

    // The first pack named `name` exactly, read in full first when `load` (a failed read still
    // returns it); null when no file had that name.
    TKvIcons* FindPack(std::u16string_view name, bool load);

    // The first pack in list order that names an executable or a window class and matches both:
    // the executable file name ignoring case, the class exactly; an empty field matches anything.
    // The pack is read in full first (a failed read still returns it); null when none matches.
    TKvIcons* FindPackForApplication(std::u16string_view exeName, std::u16string_view windowClass);

    std::size_t Count() const { return packs_.size(); }
    const TKvIcons& Pack(std::size_t index) const { return *packs_[index]; }

private:
    IconPackEnvironment env_;
    std::vector<std::unique_ptr<TKvIcons>> packs_;
};

}  // namespace kv
