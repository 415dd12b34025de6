#include "foreground/foreground_tracker.h"

#include <array>

#include "common/foreground.h"
#include "platform/paths.h"
#include "common/foreground_flags.h"
#include "keyboard/typing_run.h"
#include "common/char_upper.h"
#include "keyboard/kv_keyboard.h"
#include "platform/platform.h"
#include "ports/caret_flag_port.h"

namespace kv {

namespace {

// An empty part matches anything.
struct ApplicationEntry {
    std::u16string_view exe;
    std::u16string_view windowClass;
};

constexpr std::u16string_view kOwnProgram = u"\x1";  // stands for the program's own executable

constexpr std::array<ApplicationEntry, 8> kCaretNeedsBlink{{
    {u"IEXPLORE.EXE", u"IEFRAME"},
    {u"", u"HH PARENT"},
    {u"DEXPLORE.EXE", u""},
    {u"", u"OUTLOOK EXPRESS BROWSER CLASS"},
    {u"", u"ATH_NOTE"},
    {u"", u"WNDCLASS_DESKED_GSK"},
    {u"BDS.EXE", u""},
    {kOwnProgram, u""},
}};
constexpr std::array<ApplicationEntry, 1> kDirectLayoutSwitch{{{u"IEXPLORE.EXE", u"IEFRAME"}}};
constexpr std::array<ApplicationEntry, 4> kSlowClipboard{{
    {u"IEXPLORE.EXE", u"IEFRAME"},
    {u"WINWORD.EXE", u"OPUSAPP"},
    {u"OUTLOOK.EXE", u"RCTRL_RENWND32"},
    {u"VISIO.EXE", u"VISIOA"},
}};

template <std::size_t N>
bool InList(const std::array<ApplicationEntry, N>& list, std::u16string_view exe, std::u16string_view windowClass,
            std::u16string_view ownExe) {
    for (const ApplicationEntry& entry : list) {
        const std::u16string_view entryExe = entry.exe == kOwnProgram ? ownExe : entry.exe;
        if ((entryExe.empty() || entryExe == exe) && (entry.windowClass.empty() || entry.windowClass == windowClass)) {
            return true;
        }
    }
    return false;
}

std::u16string UpperCase(std::u16string_view text) {
    std::u16string upper(text);
    for (char16_t& c : upper) c = UpperCaseLetter(c);
    return upper;
}

}  // namespace

ForegroundTracker::ForegroundTracker(Platform& platform, ForegroundFlags& flags, TypingRun& typed,
                                     TKvKeyboard& model, ICaretFlagPort& caretFlag,
                                     ILastForegroundWindow& lastForeground,
                                     std::u16string ownExecutableName)
    : platform_(platform),
      flags_(flags),
      typed_(typed),
      model_(model),
      caretFlag_(caretFlag),
      lastForeground_(lastForeground),
      ownExecutableName_(UpperCase(ownExecutableName)) {}

void ForegroundTracker::TrackForeground(WindowHandle window) {
    if (window != kNoWindow) lastForeground_.SetLastForegroundWindow(window);
    caretFlag_.NewForegroundApplication();
    typed_.ResetTypedBuffer();
    flags_.CaretNeedsBlink = false;
    flags_.DirectLayoutSwitch = false;

    if (window == kNoWindow) {
        const bool desktop = platform_.windows.ForegroundWindow() == FindDesktopWindow(platform_);
        ShowApplicationIcon(desktop && icons_ ? icons_->Named(DesktopIconName()) : nullptr);
        return;
    }
    std::uint32_t processId = 0;
    platform_.windows.WindowThreadProcessId(window, &processId);
    const std::u16string path = platform_.processes.ProcessImagePath(processId);
    if (path.empty()) {
        // A process we may not open (an elevated one) stays anonymous.
        ShowApplicationIcon(nullptr);
        return;
    }
    const std::u16string className = platform_.windows.WindowClassName(window);
    const std::u16string_view exeName = FileNameOf(path);
    ShowApplicationIcon(icons_ ? icons_->ForApplication(exeName, className) : nullptr);
    ClassifyApplication(exeName, className);
}

void ForegroundTracker::ClassifyApplication(std::u16string_view exeName, std::u16string_view className) {
    const std::u16string exe = UpperCase(exeName);
    const std::u16string windowClass = UpperCase(className);
    flags_.CaretNeedsBlink =
        caretFlag_.CaretFlagExists() && InList(kCaretNeedsBlink, exe, windowClass, ownExecutableName_);
    flags_.DirectLayoutSwitch = InList(kDirectLayoutSwitch, exe, windowClass, ownExecutableName_);
    flags_.SlowClipboard = InList(kSlowClipboard, exe, windowClass, ownExecutableName_);
}

bool ForegroundTracker::CheckForegroundChanged() {
    const WindowHandle foreground = platform_.windows.ForegroundWindow();
    if (foreground == lastForeground_.LastForegroundWindow()) return false;
    TrackForeground(foreground);
    return true;
}

void ForegroundTracker::ShowApplicationIcon(const TKvIcons* icons) { model_.SetAppIcons(icons); }

std::u16string_view ForegroundTracker::DesktopIconName() const {
    const OsVersion version = platform_.version.Version();
    if (version.major == 5 && version.minor == 0) return u"Desktop2000";
    if (version.major == 5) return u"DesktopXP";
    return u"DesktopVista";
}

}  // namespace kv
