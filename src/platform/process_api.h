#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

class IProcesses {
public:
    virtual ~IProcesses() = default;
    virtual std::u16string ExecutablePath() const = 0;
    // Arguments after the program name.
    virtual std::vector<std::u16string> CommandLineArguments() const = 0;
    // Starts a program by its full path with its window hidden; false when it could not start.
    virtual bool StartHidden(const std::u16string& fullPath) = 0;
    // The main module's path of a process; empty on any failure.
    virtual std::u16string ProcessImagePath(std::uint32_t processId) const = 0;
    // Kernel plus user time of a process in milliseconds; 0 when it cannot be read.
    virtual double ProcessCpuTimeMs(std::uint32_t processId) const = 0;
};

}  // namespace kv
