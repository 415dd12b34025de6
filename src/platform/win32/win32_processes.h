#pragma once
#include "platform/process_api.h"

namespace kv::win32 {

class Win32Processes : public IProcesses {
public:
    std::u16string ExecutablePath() const override;
    std::vector<std::u16string> CommandLineArguments() const override;
    std::unique_ptr<IStartedProcess> StartHidden(const std::u16string& fullPath) override;
    std::unique_ptr<IHelperProcess> StartHelper(const std::u16string& fullPath, const std::u16string& arguments) override;
    unsigned ProgramBits() const override;
    std::u16string ProcessImagePath(std::uint32_t processId) const override;
    double ProcessCpuTimeMs(std::uint32_t processId) const override;
};

}  // namespace kv::win32
