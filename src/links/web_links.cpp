#include "links/web_links.h"

#include <cstdio>
#include <functional>

#include "common/message_boxes.h"
#include "common/system_services.h"
#include "common/waits.h"
#include "dialogs/wait_dialog.h"
#include "platform/text.h"
#include "common/product.h"
#include "resources/kv_lang.h"
#include "settings/preset.h"

namespace kv {

namespace {

constexpr std::u16string_view kAgent = u"Karmux";
constexpr std::size_t kVersionFileLimit = 10240;
// The read's own time-outs (connect, send, receive) are a few seconds each, but not every
// WinINet honours them for a URL it opens (Wine's gives the request no receive time-out): past
// this the check ends without an answer.
constexpr std::uint32_t kVersionFileWaitMs = 10000;
constexpr std::uint32_t kHttpOk = 200;
constexpr std::u16string_view kCpuKey = u"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";

std::u16string Number(std::uint64_t value) { return Utf8ToUtf16(std::to_string(value)); }

std::u16string Hex8(std::uint32_t value) {
    char buffer[9];
    std::snprintf(buffer, sizeof buffer, "%08X", value);
    return Utf8ToUtf16(buffer);
}

std::u16string Trimmed(std::u16string text) {
    const auto first = text.find_first_not_of(u' ');
    if (first == std::u16string::npos) return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

std::u16string WindowsName(const OsVersion& version) {
    const std::uint32_t v = version.major * 10 + version.minor;
    switch (v) {
        case 50: return u"Windows 2000";
        case 51: return u"Windows XP";
        case 52: return u"Windows Server 2003";
        case 60: return u"Windows Vista";
        case 61: return u"Windows 7";
        case 62: return u"Windows 8";
        case 63: return u"Windows 8.1";
        case 100: return version.build >= 22000 ? u"Windows 11" : u"Windows 10";
        default: return u"Windows " + Number(version.major) + u"." + Number(version.minor);
    }
}

std::u16string ProductTypeName(std::uint8_t productType) {
    switch (productType) {
        case 1: return u"Workstation";
        case 2: return u"Domain Controller";
        case 3: return u"Server";
        default: return u"";
    }
}

// Each part of the report is computed on its own: one that fails is left out.
void AppendPart(std::u16string& body, const std::function<std::u16string()>& part) {
    try {
        body += part();
    } catch (...) {
    }
}

}  // namespace

std::u16string VersionFileUrl(std::u16string_view host) {
    constexpr std::u16string_view kPlain = u"http://";
    // The maker's own site is asked over https; a host from the registry is taken as it is.
    if (host == kDefaultMakerHost && host.starts_with(kPlain)) {
        return u"https://" + std::u16string(host.substr(kPlain.size())) + u"verkv.txt";
    }
    return std::u16string(host) + u"verkv.txt";
}

MakerAddresses ReadMakerAddresses(const TAppIni& ini) {
    std::u16string host = ini.ReadStringDef(u"WebHost", kDefaultMakerHost);
    if (host.empty()) host = std::u16string(kDefaultMakerHost);
    if (host.back() != u'/') host.push_back(u'/');
    return {host, std::u16string(kDefaultSupportMail)};
}

void WebLinks::Open(const std::u16string& address) { s_.shell.Open(applicationWindow_, address, u""); }

void WebLinks::OpenProductPage() { Open(s_.preset.LocalizeWebAddress(addresses_.host + u"tolvex.html")); }
void WebLinks::OpenForum() { Open(addresses_.host + u"forum/"); }
void WebLinks::OpenFeatureRequest() { Open(addresses_.host + u"requestfeature/"); }

void WebLinks::MailToMaker() {
    const std::u16string version = GetProductVersion(s_.files, s_.processes.ExecutablePath());
    Open(u"mailto:" + addresses_.supportMail + u"?subject=" + std::u16string(kProductName) + u" " + version);
}

std::u16string WebLinks::LocalVersion() const {
    return GetFileVersionString(s_.files, s_.processes.ExecutablePath(), u"FileVersion");
}

std::optional<InternetReply> WebLinks::ReadVersionFile() {
    const std::unique_ptr<IInternetRead> read =
        s_.internet.StartRead(kAgent, VersionFileUrl(addresses_.host), kVersionFileLimit);
    // The GUI thread keeps pumping meanwhile: the keyboard hook and the user's typing go on.
    PumpUntil(s_.loop, s_.clock, kVersionFileWaitMs, [&] { return read->Done() || s_.loop.QuitRequested(); });
    return read->Reply();
}

bool WebLinks::CheckForUpdate(bool interactive) {
    // The check pumps messages while it waits: a second request meanwhile joins the first.
    if (checking_) return false;
    checking_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{checking_};
    VersionFile file;
    if (s_.internet.Connected()) {
        if (wait_) wait_->ShowWait(s_.lang.GetText(68, u"Please wait..."));
        const std::optional<InternetReply> reply = ReadVersionFile();
        // An error page or a portal's answer is no version file.
        if (reply && reply->status == kHttpOk) {
            file = ParseVersionFile(s_.text.FromAnsi(reply->body));
            if (!IsVersionText(file.remote)) file = {};
        }
        if (wait_) wait_->CloseWait();
    }
    // The program ends: nobody is there to answer.
    if (s_.loop.QuitRequested()) return false;
    if (IsNewerVersion(file.remote, LocalVersion())) {
        const std::u16string question =
            TKvLang::FormatText(s_.lang.GetText(556, u"A new version %1 is available. Download it now?"),
                                {file.remote}) +
            file.notes;
        if (!s_.messageBoxes.AskConfirm(question)) return false;
        Open(addresses_.host + u"downloads.php?host=getnewver&name=kv_setup.exe");
        return true;
    }
    if (interactive) s_.messageBoxes.ShowInformation(s_.lang.GetText(555, u"You have the newest version."));
    return false;
}

std::u16string WebLinks::BugReportSubject() const {
    return s_.lang.GetText(9, u"Error") + u" " + std::u16string(kProductName);
}

std::u16string WebLinks::BugReportBody(std::u16string_view errorText, std::uint32_t layout) const {
    std::u16string body;
    const WebLinkServices& p = s_;
    AppendPart(body, [&] {
        return TKvLang::FormatText(s_.lang.GetText(301, u"%1: %2"), {std::u16string(kProductName), std::u16string(errorText)}) +
               u"\r\n\r\n\r\n";
    });
    AppendPart(body, [&] {
        return std::u16string(kProductName) + u" " + GetProductVersion(p.files, p.processes.ExecutablePath()) + u" (" +
               LocalVersion() + u")";
    });
    AppendPart(body, [&] {
        const OsVersion version = p.version.Version();
        const OsEdition edition = p.version.Edition();
        return u"\r\nOS: " + WindowsName(version) + u" " + ProductTypeName(edition.productType) + u" " +
               edition.servicePack + u" (" + Number(version.build) + u")";
    });
    AppendPart(body, [&] {
        const auto cpu = p.registry.OpenLocalMachineKeyReadOnly(kCpuKey);
        if (!cpu) throw std::runtime_error("no processor key");
        const auto name = cpu->ReadValue(u"ProcessorNameString");
        const auto mhz = cpu->ReadValue(u"~MHz");
        return u"\r\nCPU: " + Trimmed(name ? name->text : u"") + u" (" + Number(mhz ? mhz->dword : 0) + u")";
    });
    AppendPart(body, [&] {
        const MemoryStatus memory = p.version.Memory();
        return u"\r\nRAM: " + Number(memory.totalPhysical >> 20) + u" Mb (" + Number(memory.availablePhysical >> 20) +
               u" Mb)";
    });
    AppendPart(body, [&] {
        const Rect screen = p.windows.PrimaryScreen();
        return u"\r\n" + Number(static_cast<std::uint64_t>(screen.right - screen.left)) + u"x" +
               Number(static_cast<std::uint64_t>(screen.bottom - screen.top)) + u"  " + Hex8(layout);
    });
    return body;
}

}  // namespace kv
