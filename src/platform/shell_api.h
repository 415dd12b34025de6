#pragma once
#include <string>
#include <vector>

#include "platform/types.h"

namespace kv {

struct MailMessage {
    std::u16string to;
    std::u16string subject;
    std::u16string body;
    std::vector<std::u16string> attachments;  // full paths
};

// Starting documents and programs through the shell, and mail through the user's mail client.
class IShell {
public:
    virtual ~IShell() = default;
    // ShellExecuteEx with the verb "runas"; throws KvError with the system's text on failure.
    virtual void RunElevated(WindowHandle parent, const std::u16string& file, const std::u16string& parameters) = 0;
    // ShellExecute "open", shown normally; false on failure.
    virtual bool Open(WindowHandle parent, const std::u16string& file, const std::u16string& parameters) = 0;
    // Simple MAPI: log on with the client's own dialog; false when that fails.
    virtual bool MailLogon(WindowHandle parent) = 0;
    // The client shows its compose dialog; the result is not examined.
    virtual void MailSendWithDialog(WindowHandle parent, const MailMessage& message) = 0;
    virtual void MailLogoff(WindowHandle parent) = 0;
};

}  // namespace kv
