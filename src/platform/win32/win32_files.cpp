#include "platform/win32/win32_files.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/paths.h"
#include "platform/text.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"

namespace kv::win32 {

namespace {
// Files the program reads are small text or data files; this bounds a corrupt or hostile one.
constexpr DWORD kMaxReadBytes = 64u * 1024u * 1024u;
}

bool Win32FileSystem::FileExists(const std::u16string& path) const {
    DWORD attributes = GetFileAttributesW(W(path));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::DirectoryExists(const std::u16string& path) const {
    DWORD attributes = GetFileAttributesW(W(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::CreateDirectoryTree(const std::u16string& path) {
    std::u16string folder = path;
    while (folder.size() > 3 && folder.back() == u'\\') folder.pop_back();
    if (folder.empty() || DirectoryExists(folder)) return !folder.empty();
    const std::u16string parent = FolderOf(folder);
    if (!parent.empty() && parent.size() < folder.size() && !DirectoryExists(parent) && !CreateDirectoryTree(parent)) {
        return false;
    }
    return CreateDirectoryW(W(folder), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool Win32FileSystem::WriteWholeFile(const std::u16string& path, std::string_view bytes) {
    UniqueKernelHandle file(CreateFileW(W(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) {
        file.Release();
        return false;
    }
    DWORD written = 0;
    return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::optional<std::string> Win32FileSystem::ReadWholeFile(const std::u16string& path) const {
    UniqueKernelHandle file(CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) {
        file.Release();
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxReadBytes) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return std::nullopt;
    }
    bytes.resize(read);
    return bytes;
}

std::vector<std::u16string> Win32FileSystem::ListFiles(const std::u16string& folder,
                                                       std::u16string_view extension) const {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW(W(JoinPath(folder, u"*" + std::u16string(extension))), &found));
    if (!search) return names;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::u16string name = FromWide(found.cFileName);
        // The pattern also matches 8.3 short names; keep only real matches.
        if (name.size() >= extension.size() &&
            EqualsIgnoreCaseAscii(std::u16string_view(name).substr(name.size() - extension.size()), extension)) {
            names.push_back(std::move(name));
        }
    } while (FindNextFileW(search.Get(), &found));
    return names;
}

std::u16string Win32FileSystem::FileVersionString(const std::u16string& path, std::u16string_view key) const {
    // version.dll is no known system library: taken from the system folder, never found by name.
    const UniqueModule library = LoadSystemLibrary(L"version.dll");
    if (!library) return {};
    const auto infoSize = ExportOf<DWORD(WINAPI*)(LPCWSTR, LPDWORD)>(library.Get(), "GetFileVersionInfoSizeW");
    const auto info = ExportOf<BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID)>(library.Get(), "GetFileVersionInfoW");
    const auto query = ExportOf<BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT)>(library.Get(), "VerQueryValueW");
    if (!infoSize || !info || !query) return {};
    DWORD handle = 0;
    const DWORD size = infoSize(W(path), &handle);
    if (size == 0) return {};
    std::string block(size, '\0');
    if (!info(W(path), 0, size, block.data())) return {};
    const std::wstring name = L"\\StringFileInfo\\040904E4\\" + ToWide(key);
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!query(block.data(), name.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return {};
    return FromWide(value);
}

std::u16string Win32FileSystem::ShellFolderPath(ShellFolder folder) const {
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, static_cast<int>(folder), nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
    return FromWide(buffer);
}

}  // namespace kv::win32
