#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <mapi.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/win32/win32_text.h"

namespace kv::win32 {

namespace {

std::string Ansi(std::u16string_view text) { return ToAnsiCodePage(text); }

template <typename Fn>
Fn MapiFunction(HMODULE mapi, const char* name) {
    return mapi ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(mapi, name))) : nullptr;
}

}  // namespace

void Win32Shell::RunElevated(WindowHandle parent, const std::u16string& file, const std::u16string& parameters) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_FLAG_DDEWAIT;
    info.hwnd = ToHwnd(parent);
    info.lpVerb = L"runas";
    info.lpFile = W(file);
    info.lpParameters = W(parameters);
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info)) throw KvError(SystemErrorText(GetLastError()));
}

bool Win32Shell::Open(WindowHandle parent, const std::u16string& file, const std::u16string& parameters) {
    const auto result = reinterpret_cast<std::intptr_t>(
        ShellExecuteW(ToHwnd(parent), nullptr, W(file), parameters.empty() ? nullptr : W(parameters), nullptr,
                      SW_SHOWNORMAL));
    return result > 32;
}

bool Win32Shell::MailLogon(WindowHandle parent) {
    if (!mapi_) {
        // The system's own copy, never one from the current folder.
        wchar_t system[MAX_PATH] = {};
        const UINT n = GetSystemDirectoryW(system, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) return false;
        mapi_.Reset(LoadLibraryW((std::wstring(system, n) + L"\\MAPI32.DLL").c_str()));
    }
    auto logon = MapiFunction<LPMAPILOGON>(mapi_.Get(), "MAPILogon");
    if (!logon) return false;
    LHANDLE session = 0;
    char empty[] = "";
    if (logon(reinterpret_cast<ULONG_PTR>(ToHwnd(parent)), empty, empty, MAPI_LOGON_UI | MAPI_NEW_SESSION, 0,
              &session) != SUCCESS_SUCCESS) {
        return false;
    }
    session_ = session;
    return true;
}

void Win32Shell::MailSendWithDialog(WindowHandle parent, const MailMessage& message) {
    auto send = MapiFunction<LPMAPISENDMAIL>(mapi_.Get(), "MAPISendMail");
    if (!send) return;
    std::string subject = Ansi(message.subject), body = Ansi(message.body);
    std::string name = Ansi(message.to), address = "SMTP:" + Ansi(message.to);
    MapiRecipDesc recipient{};
    recipient.ulRecipClass = MAPI_TO;
    recipient.lpszName = name.data();
    recipient.lpszAddress = address.data();

    std::vector<std::string> paths, names;
    for (const auto& attachment : message.attachments) {
        paths.push_back(Ansi(attachment));
        const auto slash = attachment.find_last_of(u"\\/");
        names.push_back(Ansi(slash == std::u16string::npos ? attachment : attachment.substr(slash + 1)));
    }
    std::vector<MapiFileDesc> files(paths.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        files[i].nPosition = static_cast<ULONG>(-1);
        files[i].lpszPathName = paths[i].data();
        files[i].lpszFileName = names[i].data();
    }
    MapiMessage mail{};
    mail.lpszSubject = subject.empty() ? nullptr : subject.data();
    mail.lpszNoteText = body.empty() ? nullptr : body.data();
    if (!message.to.empty()) {
        mail.nRecipCount = 1;
        mail.lpRecips = &recipient;
    }
    mail.nFileCount = static_cast<ULONG>(files.size());
    mail.lpFiles = files.empty() ? nullptr : files.data();
    send(session_, reinterpret_cast<ULONG_PTR>(ToHwnd(parent)), &mail, MAPI_LOGON_UI | MAPI_DIALOG, 0);
}

void Win32Shell::MailLogoff(WindowHandle parent) {
    auto logoff = MapiFunction<LPMAPILOGOFF>(mapi_.Get(), "MAPILogoff");
    if (logoff && session_) logoff(session_, reinterpret_cast<ULONG_PTR>(ToHwnd(parent)), 0, 0);
    session_ = 0;
}

}  // namespace kv::win32
