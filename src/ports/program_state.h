#pragma once

namespace kv {

// Where the program is in its life, as option changes need to know it.
class IProgramState {
public:
    virtual ~IProgramState() = default;
    // Start-up has shown everything; before that the tray icon's visibility is left alone.
    virtual bool StartupComplete() const = 0;
    // The system is on (it watches the keyboard).
    virtual bool ProgramActive() const = 0;
};

}  // namespace kv
