#include "sim_devices.h"

#include <algorithm>

#include "platform/error.h"
#include "platform/text.h"
#include "platform/win_constants.h"

namespace kv::sim {

LayoutHandle SimKeyboard::LoadLayout(std::u16string_view layoutId) {
    LayoutHandle handle = 0;
    for (char16_t c : layoutId) {
        const int digit = (c >= u'0' && c <= u'9') ? c - u'0' : (c >= u'a' && c <= u'f') ? c - u'a' + 10
                        : (c >= u'A' && c <= u'F') ? c - u'A' + 10 : -1;
        if (digit < 0 || layoutId.size() != 8) return 0;
        handle = handle * 16 + static_cast<LayoutHandle>(digit);
    }
    if (!tables_.IsKnown(handle)) return 0;
    if (std::find(installed_.begin(), installed_.end(), handle) == installed_.end()) installed_.push_back(handle);
    history_.emplace_back(true, handle);
    return handle;
}

void SimKeyboard::ActivateLayout(LayoutHandle layout) {
    if (layout == kNextLayout) {
        threadLayout_ = NextInstalled(threadLayout_);
    } else if (std::find(installed_.begin(), installed_.end(), layout) != installed_.end()) {
        threadLayout_ = layout;
    }
}

LayoutHandle SimKeyboard::ThreadLayout(std::uint32_t threadId) const {
    if (threadId == 0) return threadLayout_;
    auto it = threadLayouts_.find(threadId);
    return it != threadLayouts_.end() ? it->second : (installed_.empty() ? 0 : installed_.front());
}

LayoutHandle SimKeyboard::NextInstalled(LayoutHandle layout) const {
    auto it = std::find(installed_.begin(), installed_.end(), layout);
    if (it == installed_.end() || ++it == installed_.end()) return installed_.empty() ? 0 : installed_.front();
    return *it;
}

void SimKeyboard::UnloadLayout(LayoutHandle layout) {
    installed_.erase(std::remove(installed_.begin(), installed_.end(), layout), installed_.end());
    history_.emplace_back(false, layout);
}

// What Install hands out: removes its own entry of the chain.
class SimInstalledKeyboardHook final : public IInstalledKeyboardHook {
public:
    SimInstalledKeyboardHook(SimKeyboardDriver& driver, std::uint64_t id) : driver_(driver), id_(id) {}
    ~SimInstalledKeyboardHook() override {
        if (!Remove()) driver_.AbandonHook(id_);
    }
    bool Remove() override {
        if (removed_) return true;
        removed_ = driver_.RemoveHook(id_);
        return removed_;
    }

private:
    SimKeyboardDriver& driver_;
    std::uint64_t id_;
    bool removed_ = false;
};

class SimInstalledMouseHook final : public IInstalledMouseHook {
public:
    SimInstalledMouseHook(SimMouseDriver& driver, std::uint64_t id) : driver_(driver), id_(id) {}
    ~SimInstalledMouseHook() override { Remove(); }
    bool Remove() override {
        for (auto& entry : driver_.chain_) {
            if (entry.id == id_) entry.handler = nullptr;
        }
        return true;
    }

private:
    SimMouseDriver& driver_;
    std::uint64_t id_;
};

std::unique_ptr<IInstalledMouseHook> SimMouseDriver::Install(IMouseHookHandler& handler) {
    if (refuseHook_) return nullptr;
    const std::uint64_t id = nextId_++;
    chain_.push_back({id, &handler});
    return std::make_unique<SimInstalledMouseHook>(*this, id);
}

std::size_t SimMouseDriver::InstalledHooks() const {
    return static_cast<std::size_t>(
        std::count_if(chain_.begin(), chain_.end(), [](const Entry& e) { return e.handler != nullptr; }));
}

void SimMouseDriver::Click(Point at) {
    // By index: a handler may install or remove hooks meanwhile.
    for (std::size_t i = chain_.size(); i-- > 0;) {
        if (IMouseHookHandler* handler = chain_[i].handler) handler->OnMouseButtonDown(at);
    }
    std::erase_if(chain_, [](const Entry& e) { return e.handler == nullptr; });
}

std::unique_ptr<IInstalledKeyboardHook> SimKeyboardDriver::Install(IKeyboardHookHandler& handler) {
    if (refuseHook_) return nullptr;
    const std::uint64_t id = nextHookId_++;
    chain_.push_back({id, &handler, false});
    return std::make_unique<SimInstalledKeyboardHook>(*this, id);
}

std::size_t SimKeyboardDriver::InstalledHooks() const {
    return static_cast<std::size_t>(
        std::count_if(chain_.begin(), chain_.end(), [](const ChainEntry& e) { return e.handler != nullptr; }));
}

SimKeyboardDriver::ChainEntry* SimKeyboardDriver::Find(std::uint64_t id) {
    for (ChainEntry& entry : chain_) {
        if (entry.id == id && !entry.removed) return &entry;
    }
    return nullptr;
}

bool SimKeyboardDriver::RemoveHook(std::uint64_t id) {
    if (refuseRemoval_) return false;
    if (ChainEntry* entry = Find(id)) *entry = {id, nullptr, true};
    if (depth_ == 0) std::erase_if(chain_, [](const ChainEntry& e) { return e.removed; });
    return true;
}

void SimKeyboardDriver::AbandonHook(std::uint64_t id) {
    if (ChainEntry* entry = Find(id)) entry->handler = nullptr;
}

void SimKeyboardDriver::DropTimedOutHook(std::uint64_t id) {
    ChainEntry* entry = Find(id);
    if (!entry) return;
    *entry = {id, nullptr, true};  // gone: removing it later fails quietly, as for a stale handle
    ++timedOutHooks_;
}

void SimKeyboardDriver::Inject(const KeyEvent& event) {
    Deliver(static_cast<std::uint8_t>(event.vk), (event.flags & win::kKeyEventKeyUp) != 0,
            (event.flags & win::kKeyEventExtendedKey) != 0, true, event.extraInfo);
}

void SimKeyboardDriver::Deliver(std::uint8_t vk, bool up, bool extended, bool injected, std::uintptr_t extraInfo) {
    constexpr std::uint8_t kAlt = 0x12, kLeftAlt = 0xA4, kRightAlt = 0xA5, kControl = 0x11;
    LowLevelKeyEvent event;
    event.vkCode = vk;
    event.scanCode = layouts_.MapVirtualKeyCode(vk, win::kMapVkToVsc, 0);
    const bool altDown = IsDown(kAlt) || vk == kLeftAlt || vk == kRightAlt;
    const bool sys = altDown && !IsDown(kControl);
    event.message = up ? (sys ? win::kWmSysKeyUp : win::kWmKeyUp) : (sys ? win::kWmSysKeyDown : win::kWmKeyDown);
    event.flags = (extended ? kLlkhfExtended : 0) | (injected ? kLlkhfInjected : 0) | (up ? kLlkhfUp : 0) |
                  (altDown && !up ? kLlkhfAltDown : 0);
    event.extraInfo = extraInfo;

    bool swallowed = false;
    const std::uint64_t arrival = loop_.NowMs();
    ++depth_;
    // By index: a handler may install or remove hooks meanwhile.
    for (std::size_t i = chain_.size(); i-- > 0 && !swallowed;) {
        IKeyboardHookHandler* handler = chain_[i].handler;
        if (!handler) continue;
        const std::uint64_t id = chain_[i].id;
        // The call waits for the stalled GUI thread; the system gives up on it first.
        if (loop_.StalledUntil() > arrival + hookTimeoutMs_) {
            DropTimedOutHook(id);
            continue;
        }
        maxDepth_ = depth_ > maxDepth_ ? depth_ : maxDepth_;
        swallowed = handler->OnKeyEvent(event);
        if (loop_.NowMs() - arrival > hookTimeoutMs_) {
            // Too late: the event went on without this hook's answer.
            DropTimedOutHook(id);
            swallowed = false;
        }
    }
    if (--depth_ == 0) std::erase_if(chain_, [](const ChainEntry& e) { return e.removed; });
    if (swallowed) return;
    // The system's key state, with the side-less modifier codes following either side.
    auto set = [&](std::uint8_t code) { keyState_[code] = up ? (keyState_[code] & 0x01) : (keyState_[code] | 0x80); };
    set(vk);
    if (vk == 0xA0 || vk == 0xA1) set(0x10);
    if (vk == 0xA2 || vk == 0xA3) set(0x11);
    if (vk == kLeftAlt || vk == kRightAlt) set(kAlt);
    if (!up && vk == 0x14) keyState_[vk] ^= 0x01;  // Caps Lock toggles
    if (onDelivered) onDelivered(event);
}

bool SimClipboard::Open(WindowHandle) {
    if (open_ || busy_ || clock_.NowMs() < busyUntilMs_) return false;
    open_ = true;
    ++opens_;
    return true;
}

void SimClipboard::Close() {
    if (!open_) return;
    open_ = false;
    if (changedWhileOpen_) {
        changedWhileOpen_ = false;
        Notify();
    }
}

bool SimClipboard::Empty() {
    if (!open_) return false;
    formats_.clear();
    renderMs_.clear();
    Changed();
    return true;
}

std::vector<std::uint32_t> SimClipboard::Formats() {
    std::vector<std::uint32_t> out;
    if (!open_) return out;
    for (const auto& [format, bytes] : formats_) out.push_back(format);
    return out;
}

std::optional<std::string> SimClipboard::Data(std::uint32_t format) {
    if (!open_) return std::nullopt;
    Render(format);
    for (const auto& [f, bytes] : formats_) {
        if (f == format) return bytes;
    }
    return std::nullopt;
}

std::optional<std::size_t> SimClipboard::DataSize(std::uint32_t format) {
    const auto data = Data(format);
    if (!data) return std::nullopt;
    return data->size();
}

void SimClipboard::Render(std::uint32_t format) {
    auto delayed = renderMs_.find(format);
    if (delayed == renderMs_.end()) return;
    if (ownerHung_) {
        clock_.Sleep(30'000);  // the system gives up on the owner at last
        return;
    }
    clock_.Sleep(delayed->second);
    renderMs_.erase(delayed);
}

bool SimClipboard::OwnerAnswers(std::uint32_t timeoutMs) {
    if (!ownerHung_) return true;
    clock_.Sleep(timeoutMs);
    return false;
}

bool SimClipboard::SetData(std::uint32_t format, std::string_view bytes) {
    if (!open_) return false;
    Put(format, std::string(bytes));
    return true;
}

void SimClipboard::Put(std::uint32_t format, std::optional<std::string> bytes) {
    renderMs_.erase(format);
    auto it = std::find_if(formats_.begin(), formats_.end(), [&](const auto& p) { return p.first == format; });
    if (it != formats_.end()) {
        it->second = std::move(bytes);
    } else {
        formats_.emplace_back(format, std::move(bytes));
    }
    Changed();
}

void SimClipboard::PutDelayed(std::uint32_t format, std::string bytes, std::uint32_t renderMs) {
    Put(format, std::move(bytes));
    renderMs_[format] = renderMs;
}

void SimClipboard::Clear() {
    formats_.clear();
    renderMs_.clear();
    Changed();
}

void SimClipboard::Changed() {
    ++changes_;
    if (open_) {
        changedWhileOpen_ = true;  // announced when the changer closes the clipboard
    } else {
        Notify();
    }
}

void SimClipboard::Notify() {
    // Windows forgets listeners and viewers that were destroyed.
    std::erase_if(listeners_, [&](WindowHandle w) { return !windows_.IsWindow(w); });
    const std::vector<WindowHandle> listeners = listeners_;
    for (WindowHandle window : listeners) windows_.PostToWindow(window, win::kWmClipboardUpdate, 0, 0);
    if (firstViewer_ != kNoWindow && !windows_.IsWindow(firstViewer_)) firstViewer_ = kNoWindow;
    if (firstViewer_ != kNoWindow) windows_.SendToWindow(firstViewer_, win::kWmDrawClipboard, 0, 0);
}

bool SimClipboard::AddChangeListener(WindowHandle window) {
    if (!listenerAvailable_ || !windows_.IsWindow(window)) return false;
    if (std::find(listeners_.begin(), listeners_.end(), window) != listeners_.end()) return false;
    listeners_.push_back(window);
    return true;
}

bool SimClipboard::RemoveChangeListener(WindowHandle window) {
    auto it = std::find(listeners_.begin(), listeners_.end(), window);
    if (!listenerAvailable_ || it == listeners_.end()) return false;
    listeners_.erase(it);
    return true;
}

WindowHandle SimClipboard::JoinViewerChain(WindowHandle window) {
    const WindowHandle previous = firstViewer_;
    firstViewer_ = window;
    // The new viewer draws the current content at once, before the call returns.
    windows_.SendToWindow(window, win::kWmDrawClipboard, 0, 0);
    return previous;
}

bool SimClipboard::LeaveViewerChain(WindowHandle window, WindowHandle next) {
    if (firstViewer_ == kNoWindow) return false;
    if (firstViewer_ == window) {
        firstViewer_ = next;
        return true;
    }
    // Each viewer passes this on until the one before the leaving window relinks.
    windows_.SendToWindow(firstViewer_, win::kWmChangeCbChain, window, static_cast<std::intptr_t>(next));
    return true;
}

bool SimClipboard::HasFormat(std::uint32_t format) const {
    return std::any_of(formats_.begin(), formats_.end(), [&](const auto& p) { return p.first == format; });
}

std::u16string SimClipboard::FormatName(std::uint32_t format) const {
    for (const auto& [name, id] : registered_) {
        if (id == format) return name;
    }
    return {};
}

std::uint32_t SimClipboard::RegisterFormat(std::u16string_view name) {
    auto [it, added] = registered_.emplace(std::u16string(name), 0xC000 + static_cast<std::uint32_t>(registered_.size()));
    return it->second;
}

class SimHookLibrary : public IHookLibrary {
public:
    SimHookLibrary(SimLibraryLoader& loader, SimLibraryLoader::Library library) : loader_(loader), library_(library) {
        ++loader_.loaded_;
    }
    ~SimHookLibrary() override {
        --loader_.loaded_;
        loader_.calls.push_back("free");
    }
    bool HasExport(std::string_view name) const override {
        return (name == "Hook" && library_.hasHook) || (name == "UnHook" && library_.hasUnHook);
    }
    bool CallHook(WindowHandle window) override {
        loader_.calls.push_back("Hook");
        if (!library_.hookSucceeds) return false;
        loader_.hookedWindow_ = window;
        return true;
    }
    void CallUnHook() override {
        loader_.calls.push_back("UnHook");
        loader_.hookedWindow_ = kNoWindow;
    }

private:
    SimLibraryLoader& loader_;
    SimLibraryLoader::Library library_;
};

std::unique_ptr<IHookLibrary> SimLibraryLoader::LoadHookLibrary(const std::u16string& fullPath) {
    auto it = libraries_.find(fullPath);
    calls.push_back(it == libraries_.end() ? "load failed" : "load");
    if (it == libraries_.end()) return nullptr;
    return std::make_unique<SimHookLibrary>(*this, it->second);
}

namespace {

class SimInternetRead final : public IInternetRead {
public:
    SimInternetRead(SimClockAndLoop& loop, std::uint32_t takesMs, std::optional<InternetReply> reply)
        : loop_(loop), readyAt_(loop.NowMs() + takesMs), reply_(std::move(reply)) {
        // The transfer's end is what wakes a wait for messages, as the real read's posted wake-up does.
        if (takesMs > 0) timer_ = loop_.StartTimer(takesMs, [this] { StopTimer(); });
    }
    ~SimInternetRead() override { StopTimer(); }
    bool Done() const override { return loop_.NowMs() >= readyAt_; }
    std::optional<InternetReply> Reply() const override { return Done() ? reply_ : std::nullopt; }

private:
    void StopTimer() {
        if (timer_) loop_.StopTimer(*timer_);
        timer_.reset();
    }

    SimClockAndLoop& loop_;
    std::uint64_t readyAt_;
    std::optional<InternetReply> reply_;
    std::optional<TimerId> timer_;
};

}  // namespace

std::unique_ptr<IInternetRead> SimInternet::StartRead(std::u16string_view agent, std::u16string_view url,
                                                      std::size_t maxBytes) {
    requests_.push_back(std::u16string(url));
    agents_.push_back(std::u16string(agent));
    std::optional<InternetReply> reply;
    auto it = files_.find(std::u16string(url));
    if (connected_ && it != files_.end() && !it->second.body.empty()) {
        reply = InternetReply{it->second.status, it->second.body.substr(0, maxBytes)};
    }
    if (!connected_) return std::make_unique<SimInternetRead>(loop_, 0, std::nullopt);
    if (serverDelayMs_ >= kReadTimeoutMs && !ignoreReadTimeout_) return std::make_unique<SimInternetRead>(loop_, kReadTimeoutMs, std::nullopt);
    return std::make_unique<SimInternetRead>(loop_, serverDelayMs_, std::move(reply));
}

void SimShell::RunElevated(WindowHandle, const std::u16string& file, const std::u16string& parameters) {
    if (!elevationError_.empty()) throw KvError(elevationError_);
    elevated_.push_back(file + u" " + parameters);
}

bool SimSound::SndPlaySound(const std::u16string* path, std::uint32_t flags) {
    if (path && !prepared_) playedUnprepared_ = true;
    const bool playing = clock_.NowMs() < playingUntil_;
    if (!path) {
        // Asking with SND_NOSTOP: false while a sound of this process still plays.
        if ((flags & win::kSndNoStop) && playing) return false;
        playingUntil_ = 0;
        return true;
    }
    played_.push_back(*path);
    playingUntil_ = clock_.NowMs() + soundLengthMs_;
    return true;
}

}  // namespace kv::sim
