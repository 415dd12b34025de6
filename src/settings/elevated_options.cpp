#include "settings/elevated_options.h"

#include <vector>

#include "platform/error.h"
#include "platform/text.h"

namespace kv {

namespace {

constexpr std::u16string_view kProgramFileName = u"Karmux.exe";

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view TrimLeft(std::u16string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
}

std::u16string_view FileNameOf(std::u16string_view path) {
    const auto slash = path.find_last_of(u"\\/");
    return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

// A full path: drive letter and colon followed by a separator, or a UNC name.
bool IsFullPath(std::u16string_view path) {
    if (path.size() >= 3 && path[1] == u':' && (path[2] == u'\\' || path[2] == u'/')) {
        const char16_t d = path[0];
        return (d >= u'A' && d <= u'Z') || (d >= u'a' && d <= u'z');
    }
    return path.size() > 2 && path[0] == u'\\' && path[1] == u'\\';
}

}  // namespace

std::u16string_view SkipProgramName(std::u16string_view commandLine) {
    commandLine = TrimLeft(commandLine);
    if (!commandLine.empty() && commandLine.front() == u'"') {
        const auto close = commandLine.find(u'"', 1);
        commandLine = close == std::u16string_view::npos ? std::u16string_view{} : commandLine.substr(close + 1);
    } else {
        std::size_t end = 0;
        while (end < commandLine.size() && !IsBlank(commandLine[end])) ++end;
        commandLine.remove_prefix(end);
    }
    return TrimLeft(commandLine);
}

ParsedElevopt ParseElevoptArguments(std::u16string_view arguments) {
    ParsedElevopt parsed;
    arguments = TrimLeft(arguments);
    if (arguments.empty() || arguments.front() != u'"') {
        parsed.error = ElevoptExit::BadCommandLine;
        return parsed;
    }
    const auto close = arguments.find(u'"', 1);
    if (close == std::u16string_view::npos || close == 1) {
        parsed.error = ElevoptExit::BadCommandLine;
        return parsed;
    }
    parsed.request.programPath.assign(arguments.substr(1, close - 1));
    std::u16string_view rest = arguments.substr(close + 1);
    if (!rest.empty() && !IsBlank(rest.front())) {
        parsed.error = ElevoptExit::BadCommandLine;  // text glued to the closing quote
        return parsed;
    }
    std::vector<std::u16string_view> flags;
    for (rest = TrimLeft(rest); !rest.empty(); rest = TrimLeft(rest)) {
        std::size_t end = 0;
        while (end < rest.size() && !IsBlank(rest[end])) ++end;
        flags.push_back(rest.substr(0, end));
        rest.remove_prefix(end);
    }
    if (flags.size() != 2) {
        parsed.error = ElevoptExit::BadCommandLine;
        return parsed;
    }
    if (flags[0] == u"1") {
        parsed.request.startWithWindows = true;
    } else if (flags[0] != u"0") {
        parsed.error = ElevoptExit::BadStartFlag;
        return parsed;
    }
    if (flags[1] == u"0") {
        parsed.request.contextMenu = ContextMenuRequest::Unregister;
    } else if (flags[1] == u"1") {
        parsed.request.contextMenu = ContextMenuRequest::Register;
    } else if (flags[1] == u"2") {
        parsed.request.contextMenu = ContextMenuRequest::Unchanged;
    } else {
        parsed.error = ElevoptExit::BadContextMenuFlag;
    }
    return parsed;
}

ElevoptExit RunElevatedOptions(std::u16string_view arguments, IMachineOptions& machine) {
    const ParsedElevopt parsed = ParseElevoptArguments(arguments);
    if (parsed.error != ElevoptExit::Done) return parsed.error;
    const ElevoptRequest& request = parsed.request;
    if (!IsFullPath(request.programPath) || !EqualsIgnoreCaseAscii(FileNameOf(request.programPath), kProgramFileName) ||
        !machine.IsExistingFile(request.programPath)) {
        return ElevoptExit::NotTheProgram;
    }
    if (request.contextMenu == ContextMenuRequest::Register && !machine.IsContextMenuRegistered()) {
        return ElevoptExit::ContextMenuNotShipped;
    }
    try {
        if (request.startWithWindows) {
            machine.WriteRunValue(request.programPath);
        } else {
            machine.RemoveRunValue();
        }
    } catch (const KvError&) {
        return ElevoptExit::WriteFailed;
    }
    return ElevoptExit::Done;
}

}  // namespace kv
