#include "keyboard/us_reference_layout.h"

#include <algorithm>
#include <vector>

namespace kv {

UsReferenceLayout::UsReferenceLayout(IKeyboardLayouts& layouts, std::size_t consideredLayouts) : layouts_(layouts) {
    const std::vector<LayoutHandle> installed = layouts.InstalledLayouts();
    const auto considered = installed.begin() + static_cast<std::ptrdiff_t>(std::min(consideredLayouts, installed.size()));
    if (std::find(installed.begin(), considered, kUsEnglishLayout) != considered) {
        handle_ = kUsEnglishLayout;
        return;
    }
    handle_ = layouts.LoadLayout(u"04090409");
    loadedHere_ = handle_ != 0;
}

UsReferenceLayout::~UsReferenceLayout() {
    if (loadedHere_) layouts_.UnloadLayout(handle_);
}

}  // namespace kv
