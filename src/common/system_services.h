#pragma once
#include <string>
#include <vector>

#include "platform/types.h"

namespace kv {

class IFileSystem;
class IShell;
class ITextTable;
class KvMessageBoxes;
struct MailMessage;

std::u16string GetFileVersionString(const IFileSystem& files, const std::u16string& file, std::u16string_view key);
std::u16string GetProductVersion(const IFileSystem& files, const std::u16string& executablePath);

// Vista and later ask for elevation ("runas", a failure raises the system's error); earlier
// systems just start the file.
void RunElevated(IShell& shell, bool vistaOrLater, WindowHandle parent, const std::u16string& file,
                 const std::u16string& parameters);

// Mail through the user's client: its compose dialog opens with the message filled in; when
// the client cannot log on, warning text 304.
void SendMail(IShell& shell, KvMessageBoxes& boxes, const ITextTable& lang, WindowHandle appWindow,
              const MailMessage& message);

}  // namespace kv
