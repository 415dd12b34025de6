#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kv {

class IClock;
class IFileSystem;

// The debug log: on only with the switch "DEBUG" after "-" or "/"; every line rewrites
// Log.txt beside the executable, so the file is complete even if the process dies.
class DebugLog {
public:
    DebugLog(bool on, std::u16string filePath, IFileSystem& files, const IClock& clock);

    static bool SwitchGiven(const std::vector<std::u16string>& arguments);

    bool IsOn() const { return on_; }
    void WriteLog(std::u16string_view text);
    const std::vector<std::u16string>& Lines() const { return lines_; }

private:
    bool on_;
    std::u16string filePath_;
    IFileSystem& files_;
    const IClock& clock_;
    std::vector<std::u16string> lines_;
};

}  // namespace kv
