#include "links/help_router.h"

#include <utility>

namespace kv {

namespace {

constexpr int kRussianPrimaryLanguage = 25;

// Language files carry either a primary id (25) or a full one (1049); both mean Russian.
bool IsRussian(int languageId) { return (languageId & 0x3FF) == kRussianPrimaryLanguage; }

}  // namespace

HelpRouter::HelpRouter(const IFileSystem& files, IHtmlHelp& viewer, std::u16string programFolder)
    : files_(files), viewer_(viewer), programFolder_(std::move(programFolder)),
      helpFile_(programFolder_ + u"Karmux.chm") {}

bool HelpRouter::SetHelpFile(int languageId) {
    const std::u16string russian = programFolder_ + u"KarmuxRu.chm";
    std::u16string chosen = IsRussian(languageId) && files_.FileExists(russian) ? russian : programFolder_ + u"Karmux.chm";
    if (chosen == helpFile_) return false;
    helpFile_ = std::move(chosen);
    return true;
}

void HelpRouter::ShowHelp(int context) {
    if (context != 0) {
        viewer_.ShowContext(helpFile_, context);
    } else {
        viewer_.ShowContents(helpFile_);
    }
}

}  // namespace kv
