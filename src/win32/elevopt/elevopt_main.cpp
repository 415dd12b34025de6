// Elevopt: the elevated options program. The settings window starts it with administrator
// rights ("runas") to change what only an administrator may: the machine's Run value that
// starts the program with Windows. It shows nothing; the caller watches the registry, and the
// exit code says why a call was refused (see settings/elevated_options.h).
#include <windows.h>

#include <string>

#include "platform/error.h"
#include "platform/win32/dll_search.h"
#include "platform/win32/win32_handles.h"
#include "settings/elevated_options.h"
#include "settings/start_with_windows.h"

namespace {

const wchar_t* Wide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

std::u16string WithoutLeadingBackslash(std::u16string_view path) {
    while (!path.empty() && path.front() == u'\\') path.remove_prefix(1);
    return std::u16string(path);
}

[[noreturn]] void Refused(const char16_t* what, LONG rc) {
    throw kv::KvError(std::u16string(what) + u" failed with system error " + kv::Utf8ToUtf16(std::to_string(rc)));
}

class Win32MachineOptions : public kv::IMachineOptions {
public:
    bool IsExistingFile(const std::u16string& path) const override {
        const DWORD attributes = GetFileAttributesW(Wide(path));
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }

    bool IsContextMenuRegistered() const override {
        HKEY key = nullptr;
        const std::u16string path = WithoutLeadingBackslash(kv::kContextMenuServerKey);
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(path), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        kv::win32::UniqueRegistryKey owned(key);
        return true;
    }

    void WriteRunValue(const std::u16string& programPath) override {
        const kv::win32::UniqueRegistryKey key = OpenRunKey();
        const std::u16string name(kv::kRunValueName);
        const LONG rc = RegSetValueExW(key.Get(), Wide(name), 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(programPath.c_str()),
                                       static_cast<DWORD>((programPath.size() + 1) * sizeof(char16_t)));
        if (rc != ERROR_SUCCESS) Refused(u"Writing the Run value", rc);
    }

    void RemoveRunValue() override {
        const kv::win32::UniqueRegistryKey key = OpenRunKey();
        const std::u16string name(kv::kRunValueName);
        const LONG rc = RegDeleteValueW(key.Get(), Wide(name));
        if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) Refused(u"Removing the Run value", rc);
    }

private:
    static kv::win32::UniqueRegistryKey OpenRunKey() {
        HKEY key = nullptr;
        const std::u16string path = WithoutLeadingBackslash(kv::kMachineRunKey);
        const LONG rc = RegCreateKeyExW(HKEY_LOCAL_MACHINE, Wide(path), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr);
        if (rc != ERROR_SUCCESS) Refused(u"Opening the machine's Run key", rc);
        return kv::win32::UniqueRegistryKey(key);
    }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    kv::win32::RestrictDllSearchToSystemFolder();
    // The raw command line keeps the quotes that delimit the program's path.
    const auto* commandLine = reinterpret_cast<const char16_t*>(GetCommandLineW());
    Win32MachineOptions machine;
    return static_cast<int>(kv::RunElevatedOptions(kv::SkipProgramName(commandLine), machine));
}
