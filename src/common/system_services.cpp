#include "common/system_services.h"

#include "common/message_boxes.h"
#include "common/text_table.h"
#include "platform/files_api.h"
#include "platform/shell_api.h"

namespace kv {

std::u16string GetFileVersionString(const IFileSystem& files, const std::u16string& file, std::u16string_view key) {
    return files.FileVersionString(file, key);
}

std::u16string GetProductVersion(const IFileSystem& files, const std::u16string& executablePath) {
    return files.FileVersionString(executablePath, u"ProductVersion");
}

void RunElevated(IShell& shell, bool vistaOrLater, WindowHandle parent, const std::u16string& file,
                 const std::u16string& parameters) {
    if (vistaOrLater) {
        shell.RunElevated(parent, file, parameters);
    } else {
        shell.Open(parent, file, parameters);
    }
}

void SendMail(IShell& shell, KvMessageBoxes& boxes, const ITextTable& lang, WindowHandle appWindow,
              const MailMessage& message) {
    if (!shell.MailLogon(appWindow)) {
        boxes.ShowWarning(lang.GetText(304, u"Cannot start the mail program."));
        return;
    }
    shell.MailSendWithDialog(appWindow, message);
    shell.MailLogoff(appWindow);
}

}  // namespace kv
