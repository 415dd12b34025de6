#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "links/maker_addresses.h"
#include "links/version_file.h"
#include "platform/clock_api.h"
#include "platform/files_api.h"
#include "platform/internet_api.h"
#include "platform/process_api.h"
#include "platform/registry_api.h"
#include "platform/shell_api.h"
#include "platform/system_api.h"
#include "platform/types.h"
#include "platform/windowing_api.h"

namespace kv {

class KvMessageBoxes;
class TKvLang;
class TPreset;
class WaitDialog;

// What the links reach: the pages open in the shell, the version file comes over the internet
// while messages are pumped, and the bug report describes the system.
struct WebLinkServices {
    IShell& shell;
    IInternet& internet;
    IMessageLoop& loop;
    IClock& clock;
    const ITextConversion& text;
    const IFileSystem& files;
    const IProcesses& processes;
    const ISystemVersion& version;
    IRegistry& registry;
    const IWindowing& windows;
    // Its interface language picks the localized pages.
    const TPreset& preset;
    const TKvLang& lang;
    KvMessageBoxes& messageBoxes;
};

// Where the version file of `host` (ending with a slash) is read.
std::u16string VersionFileUrl(std::u16string_view host);

// The program's doors to the outside: web pages, mail, the update check and the bug report.
class WebLinks {
public:
    WebLinks(WebLinkServices services, WindowHandle applicationWindow, MakerAddresses addresses)
        : s_(services), applicationWindow_(applicationWindow), addresses_(std::move(addresses)) {}

    // Null while there is no wait dialog; the check then shows none.
    void SetWaitDialog(WaitDialog* wait) { wait_ = wait; }

    void OpenProductPage();
    void OpenForum();
    void OpenFeatureRequest();
    void MailToMaker();
    // True when the user chose to download a newer version. While the version file is read the
    // wait dialog shows and messages are pumped; a check asked for meanwhile does nothing.
    bool CheckForUpdate(bool interactive);
    // The body of a bug report; `layout` is the keyboard model's current input layout.
    std::u16string BugReportBody(std::u16string_view errorText, std::uint32_t layout) const;
    std::u16string BugReportSubject() const;

    const MakerAddresses& Addresses() const { return addresses_; }

private:
    void Open(const std::u16string& address);
    std::u16string LocalVersion() const;
    std::optional<InternetReply> ReadVersionFile();

    WebLinkServices s_;
    WindowHandle applicationWindow_;
    MakerAddresses addresses_;
    WaitDialog* wait_ = nullptr;
    bool checking_ = false;
};

}  // namespace kv
