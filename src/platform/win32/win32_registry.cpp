#include "platform/win32/win32_registry.h"

#include <cstring>
#include <vector>

#include "platform/error.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"

namespace kv::win32 {

namespace {

class Win32RegistryKey : public IRegistryKey {
public:
    explicit Win32RegistryKey(UniqueRegistryKey key) : key_(std::move(key)) {}

    bool ValueExists(std::u16string_view name) const override {
        const std::wstring n = ToWide(name);
        return RegQueryValueExW(key_.Get(), n.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }

    std::optional<RegistryValue> ReadValue(std::u16string_view name) const override {
        const std::wstring n = ToWide(name);
        DWORD type = 0;
        DWORD size = 0;
        LONG rc = RegQueryValueExW(key_.Get(), n.c_str(), nullptr, &type, nullptr, &size);
        if (rc == ERROR_FILE_NOT_FOUND) return std::nullopt;
        if (rc != ERROR_SUCCESS) Fail(u"read", name, rc);
        std::vector<BYTE> data(size + sizeof(wchar_t));
        rc = RegQueryValueExW(key_.Get(), n.c_str(), nullptr, &type, data.data(), &size);
        if (rc != ERROR_SUCCESS) Fail(u"read", name, rc);

        RegistryValue value;
        if (type == REG_DWORD && size == sizeof(DWORD)) {
            value.type = RegistryType::Dword;
            std::memcpy(&value.dword, data.data(), sizeof(DWORD));
        } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
            value.type = RegistryType::String;
            const auto* chars = reinterpret_cast<const char16_t*>(data.data());
            std::size_t count = size / sizeof(char16_t);
            while (count > 0 && chars[count - 1] == u'\0') --count;  // stored terminators are not text
            value.text.assign(chars, count);
        }
        return value;
    }

    void WriteDword(std::u16string_view name, std::uint32_t value) override {
        const std::wstring n = ToWide(name);
        const DWORD data = value;
        LONG rc = RegSetValueExW(key_.Get(), n.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                 sizeof data);
        if (rc != ERROR_SUCCESS) Fail(u"write", name, rc);
    }

    void WriteString(std::u16string_view name, std::u16string_view value) override {
        const std::wstring n = ToWide(name);
        const std::wstring data = ToWide(value);
        LONG rc = RegSetValueExW(key_.Get(), n.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                 static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
        if (rc != ERROR_SUCCESS) Fail(u"write", name, rc);
    }

    bool DeleteValue(std::u16string_view name) override {
        const std::wstring n = ToWide(name);
        LONG rc = RegDeleteValueW(key_.Get(), n.c_str());
        if (rc == ERROR_FILE_NOT_FOUND) return false;
        if (rc != ERROR_SUCCESS) Fail(u"delete", name, rc);
        return true;
    }

private:
    [[noreturn]] static void Fail(std::u16string_view what, std::u16string_view name, LONG rc) {
        throw KvError(u"Failed to " + std::u16string(what) + u" registry value '" + std::u16string(name) +
                      u"': " + SystemErrorText(static_cast<unsigned long>(rc)));
    }

    UniqueRegistryKey key_;
};

}  // namespace

std::unique_ptr<IRegistryKey> Win32Registry::OpenLocalMachineKeyReadOnly(std::u16string_view path) {
    std::u16string relative(path);
    while (!relative.empty() && relative.front() == u'\\') relative.erase(relative.begin());
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, W(relative), 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
    UniqueRegistryKey owned(key);
    return std::make_unique<Win32RegistryKey>(std::move(owned));
}

std::unique_ptr<IRegistryKey> Win32Registry::OpenCurrentUserKey(std::u16string_view path) {
    std::u16string relative(path);
    while (!relative.empty() && relative.front() == u'\\') relative.erase(relative.begin());
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, W(relative), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) {
        throw KvError(u"Failed to open the registry key '" + relative + u"': " +
                      SystemErrorText(static_cast<unsigned long>(rc)));
    }
    UniqueRegistryKey owned(key);
    return std::make_unique<Win32RegistryKey>(std::move(owned));
}

}  // namespace kv::win32
