#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/registry_api.h"

namespace kv {

class IFileSystem;
class TKvLang;

constexpr std::u16string_view kProgramRegistryKey = u"\\SOFTWARE\\OrlentaSoftware\\Karmux";

// The one open registry key of the program and the per-user data folders.
// Reads take defaults; a value stored with another registry type is an error for the caller.
class TAppIni {
public:
    // Creates the data and clipboard folders (text 8 when it cannot) and opens the key,
    // creating it when missing. `lang` may be null while the language table does not exist yet.
    TAppIni(IRegistry& registry, IFileSystem& files, const TKvLang* lang,
            std::u16string_view keyPath = kProgramRegistryKey);

    const std::u16string& DataFolder() const { return dataFolder_; }
    const std::u16string& ClipboardFolder() const { return clipboardFolder_; }

    bool ReadBoolDef(std::u16string_view name, bool def) const;
    std::int32_t ReadIntegerDef(std::u16string_view name, std::int32_t def) const;
    std::u16string ReadStringDef(std::u16string_view name, std::u16string_view def) const;

    void WriteBool(std::u16string_view name, bool value) { key_->WriteDword(name, value ? 1u : 0u); }
    void WriteInteger(std::u16string_view name, std::int32_t value) {
        key_->WriteDword(name, static_cast<std::uint32_t>(value));
    }
    void WriteString(std::u16string_view name, std::u16string_view value) { key_->WriteString(name, value); }
    bool DeleteValue(std::u16string_view name) { return key_->DeleteValue(name); }
    bool ValueExists(std::u16string_view name) const { return key_->ValueExists(name); }

private:
    std::u16string dataFolder_;
    std::u16string clipboardFolder_;
    std::unique_ptr<IRegistryKey> key_;
};

// The program's folders, computed once at start-up.
struct AppFolders {
    std::u16string appFolder;        // folder of the executable
    std::u16string documentsFolder;  // "\" alone when the shell cannot resolve it
    std::u16string soundFolder;      // appFolder + "Sound\"
};

AppFolders ResolveAppFolders(std::u16string_view executablePath, const IFileSystem& files);

}  // namespace kv
