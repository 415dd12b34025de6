#include "settings/app_ini.h"

#include "platform/error.h"
#include "platform/files_api.h"
#include "platform/paths.h"
#include "resources/kv_lang.h"

namespace kv {

namespace {

void EnsureFolder(IFileSystem& files, const TKvLang* lang, const std::u16string& folder) {
    if (files.DirectoryExists(folder) || files.CreateDirectoryTree(folder)) return;
    const std::u16string text =
        lang ? lang->GetText(8, u"Cannot create the folder %1") : u"Cannot create the folder %1";
    throw KvError(TKvLang::FormatText(text, {folder}));
}

[[noreturn]] void WrongType(std::u16string_view name, std::u16string_view expected) {
    throw KvError(u"Invalid data type for '" + std::u16string(name) + u"': " + std::u16string(expected) +
                  u" expected");
}

}  // namespace

TAppIni::TAppIni(IRegistry& registry, IFileSystem& files, const TKvLang* lang, std::u16string_view keyPath) {
    dataFolder_ = WithTrailingBackslash(files.ShellFolderPath(ShellFolder::AppData)) + u"OrlentaSoftware\\Karmux\\";
    EnsureFolder(files, lang, dataFolder_);
    clipboardFolder_ = dataFolder_ + u"Clipboard\\";
    EnsureFolder(files, lang, clipboardFolder_);
    key_ = registry.OpenCurrentUserKey(keyPath);
}

bool TAppIni::ReadBoolDef(std::u16string_view name, bool def) const {
    auto value = key_->ReadValue(name);
    if (!value) return def;
    if (value->type != RegistryType::Dword) WrongType(name, u"Integer");
    return value->dword != 0;
}

std::int32_t TAppIni::ReadIntegerDef(std::u16string_view name, std::int32_t def) const {
    auto value = key_->ReadValue(name);
    if (!value) return def;
    if (value->type != RegistryType::Dword) WrongType(name, u"Integer");
    return static_cast<std::int32_t>(value->dword);
}

std::u16string TAppIni::ReadStringDef(std::u16string_view name, std::u16string_view def) const {
    auto value = key_->ReadValue(name);
    if (!value) return std::u16string(def);
    if (value->type != RegistryType::String) WrongType(name, u"String");
    return value->text;
}

AppFolders ResolveAppFolders(std::u16string_view executablePath, const IFileSystem& files) {
    AppFolders folders;
    folders.appFolder = WithTrailingBackslash(FolderOf(executablePath));
    folders.documentsFolder = WithTrailingBackslash(files.ShellFolderPath(ShellFolder::Personal));
    folders.soundFolder = folders.appFolder + u"Sound\\";
    return folders;
}

}  // namespace kv
