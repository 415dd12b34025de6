#pragma once
#include "platform/shell_api.h"
#include "platform/win32/win32_handles.h"

namespace kv::win32 {

class Win32Shell : public IShell {
public:
    void RunElevated(WindowHandle parent, const std::u16string& file, const std::u16string& parameters) override;
    bool Open(WindowHandle parent, const std::u16string& file, const std::u16string& parameters) override;
    bool MailLogon(WindowHandle parent) override;
    void MailSendWithDialog(WindowHandle parent, const MailMessage& message) override;
    void MailLogoff(WindowHandle parent) override;

private:
    UniqueModule mapi_;
    std::uintptr_t session_ = 0;
};

}  // namespace kv::win32
