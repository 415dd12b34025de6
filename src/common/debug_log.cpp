#include "common/debug_log.h"

#include "platform/clock_api.h"
#include "platform/files_api.h"
#include "platform/text.h"

namespace kv {

DebugLog::DebugLog(bool on, std::u16string filePath, IFileSystem& files, const IClock& clock)
    : on_(on), filePath_(std::move(filePath)), files_(files), clock_(clock) {}

bool DebugLog::SwitchGiven(const std::vector<std::u16string>& arguments) {
    for (const auto& arg : arguments) {
        if (arg.size() == 6 && (arg[0] == u'-' || arg[0] == u'/') &&
            EqualsIgnoreCaseAscii(std::u16string_view(arg).substr(1), u"DEBUG"))
            return true;
    }
    return false;
}

void DebugLog::WriteLog(std::u16string_view text) {
    if (!on_) return;
    lines_.push_back(clock_.LocalDateTimeText() + u" : " + std::u16string(text));
    std::string bytes;
    for (const auto& line : lines_) {
        bytes += Utf16ToUtf8(line);
        bytes += "\r\n";
    }
    files_.WriteWholeFile(filePath_, bytes);  // a log that cannot be written must not stop the program
}

}  // namespace kv
