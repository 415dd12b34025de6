#pragma once
#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "keyboard/sim_keyboard_layouts.h"
#include "platform/clipboard_api.h"
#include "platform/clock_api.h"
#include "platform/hook_api.h"
#include "platform/internet_api.h"
#include "platform/keyboard_api.h"
#include "platform/library_api.h"
#include "platform/shell_api.h"
#include "platform/sound_api.h"
#include "platform/windowing_api.h"
#include "sim_desktop.h"

namespace kv::sim {

// The layouts of the simulated system: the known tables of SimKeyboardLayouts, of which a
// chosen set is installed (US and Russian unless a test says otherwise).
class SimKeyboard : public IKeyboardLayouts {
public:
    std::vector<LayoutHandle> InstalledLayouts() const override { return installed_; }
    std::uint32_t MapVirtualKeyCode(std::uint32_t code, std::uint32_t mapType, LayoutHandle layout) const override {
        return tables_.MapVirtualKeyEx(code, mapType, layout ? layout : threadLayout_);
    }
    int TranslateToUnicode(std::uint32_t vk, std::uint32_t scanCode, const std::uint8_t* keyState, char16_t* buffer,
                    int bufferLength, std::uint32_t flags, LayoutHandle layout) override {
        ++translations_;
        return tables_.ToUnicodeEx(vk, scanCode, keyState, buffer, bufferLength, flags, layout);
    }
    std::int16_t ScanForCharacter(char16_t ch, LayoutHandle layout) const override { return tables_.VkKeyScanEx(ch, layout); }
    LayoutHandle LoadLayout(std::u16string_view layoutId) override;
    void UnloadLayout(LayoutHandle layout) override;
    // The program's thread: ActivateLayout changes it; other threads are the simulated applications'.
    void ActivateLayout(LayoutHandle layout) override;
    LayoutHandle ThreadLayout(std::uint32_t threadId) const override;
    void SetLayoutOfThread(std::uint32_t threadId, LayoutHandle layout) { threadLayouts_[threadId] = layout; }
    // The installed layout after `layout`, cycling.
    LayoutHandle NextInstalled(LayoutHandle layout) const;

    void SetInstalled(std::vector<LayoutHandle> layouts) { installed_ = std::move(layouts); }
    // The program thread's own layout, used where a call names none.
    void SetThreadLayout(LayoutHandle layout) { threadLayout_ = layout; }
    const std::vector<std::pair<bool, LayoutHandle>>& LoadHistory() const { return history_; }  // (loaded?, handle)
    void ForgetLoadHistory() { history_.clear(); }
    // ToUnicodeEx calls so far: each costs a round trip to the system.
    std::size_t Translations() const { return translations_; }

private:
    SimKeyboardLayouts tables_;
    std::vector<LayoutHandle> installed_{kLayoutUs, kLayoutRu};
    LayoutHandle threadLayout_ = kLayoutUs;
    std::map<std::uint32_t, LayoutHandle> threadLayouts_;
    std::vector<std::pair<bool, LayoutHandle>> history_;
    std::size_t translations_ = 0;
};

// The keyboard driver: a physical key press, or the program's synthetic input, runs the
// low-level hooks synchronously (re-entering them when a handler injects more), then reaches
// the system's key state and the foreground application unless a hook swallowed it. Hooks form
// the system's chain: the one installed last is called first, and one that swallows an event
// hides it from those installed before it. As on Windows 7 and later, a hook whose call does
// not return within the system's time-out (because it ran long, or the GUI thread was stalled
// when the key came) is removed from the chain without a word, and the key goes on without it.
class SimKeyboardDriver : public IKeyboardHook {
public:
    // LowLevelHooksTimeout when the registry names none.
    static constexpr std::uint32_t kDefaultHookTimeoutMs = 300;

    SimKeyboardDriver(const SimKeyboard& layouts, const SimClockAndLoop& loop) : layouts_(layouts), loop_(loop) {}

    std::unique_ptr<IInstalledKeyboardHook> Install(IKeyboardHookHandler& handler) override;
    // Hooks that see events now.
    std::size_t InstalledHooks() const;
    bool Installed() const { return InstalledHooks() > 0; }

    // The user's fingers.
    void Press(std::uint8_t vk, bool extended = false) { Deliver(vk, false, extended, false, 0); }
    void Release(std::uint8_t vk, bool extended = false) { Deliver(vk, true, extended, false, 0); }
    void Tap(std::uint8_t vk, bool extended = false) {
        Press(vk, extended);
        Release(vk, extended);
    }
    // SendInput: the same road, marked injected.
    void Inject(const KeyEvent& event);

    bool IsDown(std::uint8_t vk) const { return (keyState_[vk] & 0x80) != 0; }
    const std::uint8_t* KeyState() const { return keyState_; }
    // What reached the foreground application (not swallowed), in order.
    std::function<void(const LowLevelKeyEvent&)> onDelivered;
    int HookDepth() const { return depth_; }
    int MaxHookDepth() const { return maxDepth_; }
    void RefuseHook(bool refuse) { refuseHook_ = refuse; }
    // While set, the system refuses to remove hooks (UnhookWindowsHookEx fails).
    void RefuseRemoval(bool refuse) { refuseRemoval_ = refuse; }
    void SetHookTimeout(std::uint32_t ms) { hookTimeoutMs_ = ms; }
    // Hooks the system dropped because a call of theirs overran the time-out.
    int TimedOutHooks() const { return timedOutHooks_; }

private:
    friend class SimInstalledKeyboardHook;
    struct ChainEntry {
        std::uint64_t id;
        IKeyboardHookHandler* handler;  // none once removed, or abandoned in the chain
        bool removed;
    };
    bool RemoveHook(std::uint64_t id);
    void AbandonHook(std::uint64_t id);
    void DropTimedOutHook(std::uint64_t id);
    ChainEntry* Find(std::uint64_t id);
    void Deliver(std::uint8_t vk, bool up, bool extended, bool injected, std::uintptr_t extraInfo);

    const SimKeyboard& layouts_;
    const SimClockAndLoop& loop_;
    std::uint32_t hookTimeoutMs_ = kDefaultHookTimeoutMs;
    int timedOutHooks_ = 0;
    // Oldest first. Removed entries leave only when no delivery walks the chain.
    std::vector<ChainEntry> chain_;
    std::uint64_t nextHookId_ = 1;
    bool refuseRemoval_ = false;
    std::uint8_t keyState_[256] = {};
    int depth_ = 0;
    int maxDepth_ = 0;
    bool refuseHook_ = false;
};

// The mouse: a button press runs the low-level mouse hooks, newest first, whichever window it
// lands in; the hook library of the simulation sees no clicks, as in an elevated application.
class SimMouseDriver : public IMouseHook {
public:
    std::unique_ptr<IInstalledMouseHook> Install(IMouseHookHandler& handler) override;
    std::size_t InstalledHooks() const;
    // The user's finger: a left-button press and release at a point of the screen.
    void Click(Point at);
    void RefuseHook(bool refuse) { refuseHook_ = refuse; }

private:
    friend class SimInstalledMouseHook;
    struct Entry {
        std::uint64_t id;
        IMouseHookHandler* handler;  // none once removed
    };
    std::vector<Entry> chain_;
    std::uint64_t nextId_ = 1;
    bool refuseHook_ = false;
};

class SimKeyInput : public IKeyInput {
public:
    explicit SimKeyInput(SimKeyboardDriver& driver) : driver_(driver) {}
    std::uint32_t SendKeyEvents(const KeyEvent* events, std::size_t count) override {
        std::uint32_t accepted = 0;
        for (std::size_t i = 0; i < count; ++i) {
            if (beforeSend) beforeSend(events[i]);
            if (refuses && refuses(events[i])) continue;
            sent_.push_back(events[i]);
            driver_.Inject(events[i]);
            ++accepted;
        }
        return accepted;
    }
    void SendEmptyMouseInput() override {
        ++mouseInputs_;
        if (onInput) onInput();
    }
    void ReadKeyboardState(std::uint8_t* state) override { std::copy(keyState_.begin(), keyState_.end(), state); }
    // What the thread's key-state array holds (GetKeyboardState), as a test arranges it.
    void SetKeyboardStateByte(std::uint8_t vk, std::uint8_t value) { keyState_[vk] = value; }
    std::function<void()> onInput;  // the desktop learns that the program produced input
    // Sees every event before it is sent; a test throws here to make SendInput fail.
    std::function<void(const KeyEvent&)> beforeSend;
    // True for an event the system refuses, as SendInput does while input is blocked: the event
    // is dropped and not counted as sent.
    std::function<bool(const KeyEvent&)> refuses;
    const std::vector<KeyEvent>& Sent() const { return sent_; }
    void ForgetSent() { sent_.clear(); }
    int MouseInputs() const { return mouseInputs_; }

private:
    SimKeyboardDriver& driver_;
    std::vector<KeyEvent> sent_;
    std::array<std::uint8_t, 256> keyState_{};
    int mouseInputs_ = 0;
};

// One clipboard with formats in insertion order; handle formats (bitmaps, metafiles) hold no bytes.
// A change notifies as Windows does: when the changer closes the clipboard (at once for a test's
// Put and Clear), WM_CLIPBOARDUPDATE is posted to every listener and WM_DRAWCLIPBOARD is sent to
// the first viewer, which passes it on along the chain.
// A format put for delayed rendering is rendered by its owner, taking `renderMs` of virtual time,
// the first time a reader fetches it.
class SimClipboard : public IClipboard {
public:
    SimClipboard(IWindowing& windows, IClock& clock) : windows_(windows), clock_(clock) {}

    bool Open(WindowHandle owner) override;
    void Close() override;
    bool Empty() override;
    std::vector<std::uint32_t> Formats() override;
    std::optional<std::string> Data(std::uint32_t format) override;
    std::optional<std::size_t> DataSize(std::uint32_t format) override;
    bool SetData(std::uint32_t format, std::string_view bytes) override;
    bool HasFormat(std::uint32_t format) const override;
    std::u16string FormatName(std::uint32_t format) const override;
    std::uint32_t RegisterFormat(std::u16string_view name) override;
    std::size_t FormatCount() const override { return formats_.size(); }
    std::uint32_t SequenceNumber() const override { return static_cast<std::uint32_t>(changes_); }
    bool OwnerAnswers(std::uint32_t timeoutMs) override;
    bool ChangeListenerAvailable() const override { return listenerAvailable_; }
    bool AddChangeListener(WindowHandle window) override;
    bool RemoveChangeListener(WindowHandle window) override;
    WindowHandle JoinViewerChain(WindowHandle window) override;
    bool LeaveViewerChain(WindowHandle window, WindowHandle next) override;

    // Arrangement: what another application put there (opens nothing).
    void Put(std::uint32_t format, std::optional<std::string> bytes);
    void PutDelayed(std::uint32_t format, std::string bytes, std::uint32_t renderMs);
    void Clear();
    bool IsOpen() const { return open_; }
    int ChangeCount() const { return changes_; }
    void SetBusy(bool busy) { busy_ = busy; }  // another program holds it open
    // Another program holds it open for the next `ms` of virtual time.
    void HoldOpenFor(std::uint32_t ms) { busyUntilMs_ = clock_.NowMs() + ms; }
    // The owner of the content no longer answers messages (it would never render).
    void SetOwnerHung(bool hung) { ownerHung_ = hung; }
    int Opens() const { return opens_; }
    // A system whose user32 lacks the format listener functions.
    void SetListenerAvailable(bool available) { listenerAvailable_ = available; }
    const std::vector<WindowHandle>& Listeners() const { return listeners_; }
    WindowHandle FirstViewer() const { return firstViewer_; }

private:
    void Changed();
    void Notify();
    void Render(std::uint32_t format);

    IWindowing& windows_;
    IClock& clock_;
    std::vector<std::pair<std::uint32_t, std::optional<std::string>>> formats_;
    std::map<std::uint32_t, std::uint32_t> renderMs_;  // formats not rendered yet
    std::map<std::u16string, std::uint32_t> registered_;
    bool open_ = false;
    bool busy_ = false;
    std::uint64_t busyUntilMs_ = 0;
    bool ownerHung_ = false;
    int opens_ = 0;
    bool changedWhileOpen_ = false;
    int changes_ = 0;
    bool listenerAvailable_ = true;
    std::vector<WindowHandle> listeners_;
    WindowHandle firstViewer_ = kNoWindow;
};

// sndPlaySound on a virtual clock: a sound plays for `soundLengthMs`.
class SimSound : public ISound {
public:
    explicit SimSound(const IClock& clock) : clock_(clock) {}
    bool SndPlaySound(const std::u16string* path, std::uint32_t flags) override;
    void Prepare() override { prepared_ = true; }
    // Whether playing was made ready before the sound that is playing now, or any at all.
    bool Prepared() const { return prepared_; }
    bool PlayedUnprepared() const { return playedUnprepared_; }
    const std::vector<std::u16string>& Played() const { return played_; }
    void SetSoundLength(std::uint64_t ms) { soundLengthMs_ = ms; }

private:
    const IClock& clock_;
    std::uint64_t soundLengthMs_ = 300;
    std::uint64_t playingUntil_ = 0;
    std::vector<std::u16string> played_;
    bool prepared_ = false;
    bool playedUnprepared_ = false;
};

// Hook libraries that can be loaded: by full path, with the exports they have. "Hook" records
// the window it was given, as the real library posts there.
class SimLibraryLoader : public ILibraryLoader {
public:
    struct Library {
        bool hasHook = true;
        bool hasUnHook = true;
        // What "Hook" returns; a refusing library posts nowhere.
        bool hookSucceeds = true;
    };
    std::unique_ptr<IHookLibrary> LoadHookLibrary(const std::u16string& fullPath) override;
    void Install(const std::u16string& fullPath, Library library) { libraries_[fullPath] = library; }
    // The window passed to "Hook" by a library still loaded; 0 after "UnHook".
    WindowHandle HookedWindow() const { return hookedWindow_; }
    int Loaded() const { return loaded_; }
    std::vector<std::string> calls;

private:
    friend class SimHookLibrary;
    std::map<std::u16string, Library> libraries_;
    WindowHandle hookedWindow_ = kNoWindow;
    int loaded_ = 0;
};

// The internet: files served at URLs, and whether the machine is connected at all. A read
// ends once the server answered, after `serverDelay` of virtual time, or fails when that is
// longer than WinINet's receive time-out; its end wakes the loop's wait for messages.
class SimInternet : public IInternet {
public:
    static constexpr std::uint32_t kReadTimeoutMs = 5000;

    explicit SimInternet(SimClockAndLoop& loop) : loop_(loop) {}
    bool Connected() const override { return connected_; }
    std::unique_ptr<IInternetRead> StartRead(std::u16string_view agent, std::u16string_view url,
                                             std::size_t maxBytes) override;
    void SetConnected(bool connected) { connected_ = connected; }
    // An HTTP server's answer at `url`.
    void Serve(std::u16string url, std::string content, std::uint32_t status = 200) {
        files_[std::move(url)] = {status, std::move(content)};
    }
    // How long the server takes to answer.
    void SetServerDelay(std::uint32_t ms) { serverDelayMs_ = ms; }
    // A WinINet that waits for the answer however long it takes, as Wine's does for a URL.
    void IgnoreReadTimeout(bool ignore) { ignoreReadTimeout_ = ignore; }
    const std::vector<std::u16string>& Requests() const { return requests_; }
    const std::vector<std::u16string>& Agents() const { return agents_; }

private:
    SimClockAndLoop& loop_;
    bool connected_ = true;
    std::uint32_t serverDelayMs_ = 0;
    bool ignoreReadTimeout_ = false;
    std::map<std::u16string, InternetReply> files_;
    std::vector<std::u16string> requests_, agents_;
};

class SimShell : public IShell {
public:
    void RunElevated(WindowHandle parent, const std::u16string& file, const std::u16string& parameters) override;
    bool Open(WindowHandle, const std::u16string& file, const std::u16string& parameters) override {
        opened_.push_back(file + u" " + parameters);
        return true;
    }
    bool MailLogon(WindowHandle) override {
        calls_.push_back(u"logon");
        return logonSucceeds_;
    }
    void MailSendWithDialog(WindowHandle, const MailMessage& message) override {
        calls_.push_back(u"send");
        mails_.push_back(message);
        if (whileMailDialogOpen) whileMailDialogOpen();
    }
    // Runs while the (modal) mail dialog would be open.
    std::function<void()> whileMailDialogOpen;
    void MailLogoff(WindowHandle) override { calls_.push_back(u"logoff"); }

    void FailElevation(std::u16string systemText) { elevationError_ = std::move(systemText); }
    void SetLogonSucceeds(bool ok) { logonSucceeds_ = ok; }
    const std::vector<std::u16string>& Elevated() const { return elevated_; }
    const std::vector<std::u16string>& Opened() const { return opened_; }
    const std::vector<std::u16string>& MailCalls() const { return calls_; }
    const std::vector<MailMessage>& Mails() const { return mails_; }

private:
    std::u16string elevationError_;
    bool logonSucceeds_ = true;
    std::vector<std::u16string> elevated_, opened_, calls_;
    std::vector<MailMessage> mails_;
};

}  // namespace kv::sim
