#pragma once
#include <string>

#include "platform/files_api.h"
#include "platform/html_help_api.h"

namespace kv {

// Chooses the help file for the interface language and opens it at a window's help context.
class HelpRouter {
public:
    // `programFolder` ends in a backslash; the help files live there.
    HelpRouter(const IFileSystem& files, IHtmlHelp& viewer, std::u16string programFolder);

    // The Russian file when the language is Russian and the file is installed, else the English one.
    // True when the help file was replaced.
    bool SetHelpFile(int languageId);
    const std::u16string& HelpFile() const { return helpFile_; }

    // A non-zero context opens its topic, zero the contents. Viewer failures are ignored.
    void ShowHelp(int context);

private:
    const IFileSystem& files_;
    IHtmlHelp& viewer_;
    std::u16string programFolder_;
    std::u16string helpFile_;
};

}  // namespace kv
