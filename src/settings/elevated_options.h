#pragma once
// The elevated options program: it is started with administrator rights by the settings
// window (and the first-run wizard) as
//     Elevopt.exe "<full path of Karmux.exe>" <start with Windows 0|1> <context menu 0|1|2>
// and makes the machine-wide state match. Every argument is checked before anything is
// changed, and each kind of refusal has an exit code of its own, so the caller (and a test)
// can tell them apart; a refused call changes nothing.
//
// The shell context-menu extension is not shipped, so "1" is accepted only when the
// extension's class is already registered (nothing to do) and refused otherwise: the program
// never registers a class that points at a file it does not install. "0" and "2" leave the
// class alone for the same reason (nothing of ours can be there to remove).
#include <string>
#include <string_view>

namespace kv {

enum class ElevoptExit : int {
    Done = 0,
    BadCommandLine = 1,       // not a quoted path followed by exactly two flags
    NotTheProgram = 2,        // the path is not an existing file named Karmux.exe
    BadStartFlag = 3,         // start with Windows other than "0" or "1"
    BadContextMenuFlag = 4,   // context menu other than "0", "1" or "2"
    ContextMenuNotShipped = 5,
    WriteFailed = 6,          // the arguments were fine, the machine's registry refused
};

enum class ContextMenuRequest { Unregister, Register, Unchanged };

struct ElevoptRequest {
    std::u16string programPath;  // unquoted, as written to the Run value
    bool startWithWindows = false;
    ContextMenuRequest contextMenu = ContextMenuRequest::Unchanged;
};

// What the program reads and changes on the machine.
class IMachineOptions {
public:
    virtual ~IMachineOptions() = default;
    virtual bool IsExistingFile(const std::u16string& path) const = 0;
    virtual bool IsContextMenuRegistered() const = 0;
    // Both throw KvError when the registry refuses.
    virtual void WriteRunValue(const std::u16string& programPath) = 0;
    virtual void RemoveRunValue() = 0;
};

// Parses the arguments after the program's own name (the whole command line goes through
// SkipProgramName first). Only syntax is checked here.
struct ParsedElevopt {
    ElevoptExit error = ElevoptExit::Done;
    ElevoptRequest request;
};
ParsedElevopt ParseElevoptArguments(std::u16string_view arguments);

// The command line as the system hands it over, without the leading program name (quoted or
// not) and the blanks after it.
std::u16string_view SkipProgramName(std::u16string_view commandLine);

// Checks everything, then changes the machine; the exit code of the program.
ElevoptExit RunElevatedOptions(std::u16string_view arguments, IMachineOptions& machine);

}  // namespace kv
