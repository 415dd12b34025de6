#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kv {

// A program this one started; what is held of it is released with this object.
class IStartedProcess {
public:
    virtual ~IStartedProcess() = default;
    // Waits at most `ms` for the program to finish starting: to wait for input for the first time
    // (its windows are made then) or to end. True as soon as it has; false once `ms` has passed,
    // also for a program that cannot tell (it has no message queue).
    virtual bool WaitUntilStarted(std::uint32_t ms) = 0;
};

// A helper program of ours that runs beside this one while it is wanted; ended, if still
// running, when this object goes.
class IHelperProcess {
public:
    virtual ~IHelperProcess() = default;
    virtual bool Running() const = 0;
    // Asks it to end (it undoes its work first) and waits at most `ms`; a helper that does not
    // end by then is ended by force. True when it ended on request.
    virtual bool End(std::uint32_t ms) = 0;
};

class IProcesses {
public:
    virtual ~IProcesses() = default;
    virtual std::u16string ExecutablePath() const = 0;
    // Arguments after the program name.
    virtual std::vector<std::u16string> CommandLineArguments() const = 0;
    // Starts a program by its full path with its window hidden; null when it could not start.
    virtual std::unique_ptr<IStartedProcess> StartHidden(const std::u16string& fullPath) = 0;
    // Starts a helper program by its full path with `arguments`, no window shown; null when it
    // could not start.
    virtual std::unique_ptr<IHelperProcess> StartHelper(const std::u16string& fullPath,
                                                        const std::u16string& arguments) = 0;
    // 32 or 64: the bitness this program was built for.
    virtual unsigned ProgramBits() const = 0;
    // The main module's path of a process; empty on any failure.
    virtual std::u16string ProcessImagePath(std::uint32_t processId) const = 0;
    // Kernel plus user time of a process in milliseconds; 0 when it cannot be read.
    virtual double ProcessCpuTimeMs(std::uint32_t processId) const = 0;
};

}  // namespace kv
