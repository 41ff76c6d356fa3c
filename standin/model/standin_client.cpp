#include "standin/model/standin_client.h"

#include <algorithm>

#include "common/text.h"
#include "platform/messages.h"

namespace lantern::standin {

namespace {

const char* const kToolbarNames[] = {
    "Read",  "Write", "IM",   "People",  "Radio", "Calendar", "Favorites", "Chat",    "Shop",  "Search",   "My AOL",
    "Music", "Games", "News", "Weather", "Money", "Pictures", "Help",      "Keyword", "Print", "Settings", "Sign Off"};

bool isClientWindowPart(Part part) {
    switch (part) {
    case Part::ChatRoomWindow:
    case Part::WelcomeWindow:
    case Part::KeywordWindow:
    case Part::DownloadWindow:
    case Part::UploadWindow:
    case Part::SignOnWindow:
        return true;
    default:
        return false;
    }
}

std::string restAfter(const std::string& s, const char* prefix) {
    std::string_view lead(prefix);
    return s.compare(0, lead.size(), lead) == 0 ? s.substr(lead.size()) : std::string();
}

}  // namespace

StandinClient::StandinClient(WindowHost& host, Options options)
    : host_(host),
      limits_(options.transcript),
      screenName_(options.screenName),
      reportsTranscriptChanges_(options.reportsTranscriptChanges) {
    buildFrame(options);
    if (options.signedOn && !options.screenName.empty()) {
        signedOn_ = true;
        openWelcome();
    } else {
        openSignOnWindow();
    }
    for (const std::string& room : options.rooms) openRoom(room);
}

// ---- building windows

WindowHandle StandinClient::make(WindowHandle parent, const char* className, Part part, const std::string& text,
                                 Placement placement) {
    WindowHandle window = host_.create({parent, className, text, part, placement});
    if (window) {
        auto owner = known_.find(parent);
        bool inClientWindow = owner != known_.end() && isClientWindowPart(owner->second.part);
        known_[window] = {part, inClientWindow ? parent : 0};
    }
    return window;
}

WindowHandle StandinClient::openClientWindow(Part part, const std::string& caption) {
    return make(mdi_, "AOL Child", part, caption, Placement::Top);
}

WindowHandle StandinClient::addButton(WindowHandle owner, const char* className, Part part, const std::string& text,
                                      std::function<void()> action) {
    WindowHandle button = make(owner, className, part, text);
    if (button) actions_[button] = std::move(action);
    return button;
}

void StandinClient::buildFrame(const Options& options) {
    frame_ = make(0, "AOL Frame25", Part::Frame, options.frameCaption);
    WindowHandle toolbar = make(frame_, "AOL Toolbar", Part::Toolbar);
    WindowHandle strip = make(toolbar, "_AOL_Toolbar", Part::ToolbarStrip);
    int count = std::max(options.toolbarIcons, kKeywordIconNumber);
    int named = static_cast<int>(std::size(kToolbarNames));
    for (int number = 1; number <= count; ++number) {
        std::string name = number <= named ? kToolbarNames[number - 1] : "More";
        std::function<void()> action = [] {};
        if (number == kKeywordIconNumber) action = [this] { openKeywordWindow(); };
        toolbarIcons_.push_back(addButton(strip, "_AOL_Icon", Part::ToolbarIcon, name, action));
    }
    mdi_ = make(frame_, "MDIClient", Part::MdiClient);
}

void StandinClient::openWelcome() {
    welcome_ = openClientWindow(Part::WelcomeWindow, "Welcome, " + screenName_ + "!");
    addButton(welcome_, "_AOL_Icon", Part::Icon, "Read Mail", [] {});
    make(welcome_, "_AOL_Static", Part::Label, "You've Got Mail!");
    make(welcome_, "_AOL_Glyph", Part::Glyph);
    make(welcome_, "RICHCNTLSTATIC", Part::RichLabel, "Today on AOL: lanterns light up the harbour festival.");
    host_.windowReady(welcome_);
}

void StandinClient::openSignOnWindow() {
    signOnWindow_ = openClientWindow(Part::SignOnWindow, "Sign On");
    make(signOnWindow_, "_AOL_Static", Part::Label, "Goodbye from AOL!");
    addButton(signOnWindow_, "_AOL_Icon", Part::Icon, "Sign On", [this] { signOn(screenName_); });
    host_.windowReady(signOnWindow_);
}

void StandinClient::openKeywordWindow() {
    if (keyword_) {
        host_.bringToTop(keyword_);
        return;
    }
    keyword_ = openClientWindow(Part::KeywordWindow, "Keyword");
    make(keyword_, "_AOL_Glyph", Part::Glyph);
    make(keyword_, "RICHCNTLSTATIC", Part::RichLabel, "Type a Keyword or Web Address, then click Go.");
    keywordLinkBox_ = make(keyword_, "_AOL_Edit", Part::LinkBox);
    addButton(keyword_, "_AOL_Icon", Part::Icon, "Go", [this] { goToLink(); });
    host_.windowReady(keyword_);
}

// ---- messages

std::optional<std::intptr_t> StandinClient::handleMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                                          std::string& text) {
    auto found = known_.find(window);
    if (found == known_.end()) return std::nullopt;
    const Part part = found->second.part;
    syncMinimized();

    switch (message) {
    case msg::SetText:
        if (window == frame_) event({.kind = EventKind::FrameCaption, .window = window, .text = text});
        if (part == Part::Transcript) return 0;  // read-only: the text stays
        return std::nullopt;
    case msg::GetText:
    case msg::GetTextLength:
        if (part != Part::Transcript) return std::nullopt;
        // For WM_GETTEXT the host copies what fits and answers with the count copied.
        if (const Room* room = roomOwning(window)) text = room->transcript.text();
        return static_cast<std::intptr_t>(text.size());
    case msg::Char:
        if (part != Part::InputBox || wParam != kVkReturn) return std::nullopt;
        if (Room* room = roomOwning(window)) postFromInput(*room);
        return 0;
    case msg::LButtonDown:
    case msg::LButtonUp:
    case msg::KeyUp:
        return onButton(window, message, wParam);
    case msg::Close:
        return onClose(window);
    default:
        return std::nullopt;
    }
}

std::optional<std::intptr_t> StandinClient::onButton(WindowHandle window, unsigned message, std::uintptr_t wParam) {
    auto action = actions_.find(window);
    if (action == actions_.end()) return std::nullopt;
    if (message == msg::LButtonDown) {
        armed_ = window;
        return 0;
    }
    bool release = message == msg::LButtonUp || wParam == kVkSpace;
    if (!release || armed_ != window) return std::nullopt;
    armed_ = 0;
    std::function<void()> run = action->second;  // a copy: the action may close its window
    run();
    return 0;
}

std::optional<std::intptr_t> StandinClient::onClose(WindowHandle window) {
    if (window == frame_) {
        closeFrame();
        return 0;
    }
    const Known& known = known_.at(window);
    if (!isClientWindowPart(known.part)) return 0;  // controls and bars ignore it
    event({.kind = EventKind::WindowClosed, .window = window, .name = "AOL Child", .text = host_.text(window)});
    closeClientWindow(window);
    return 0;
}

void StandinClient::noteInputMessage(WindowHandle inputBox, unsigned message, std::uintptr_t wParam,
                                     const std::string& text) {
    Room* room = roomOwning(inputBox);
    if (!room || room->input != inputBox) return;
    event({.kind = EventKind::InputMessage,
           .window = inputBox,
           .room = room->name,
           .name = messageName(message),
           .text = text,
           .number = wParam});
}

void StandinClient::syncMinimized() {
    for (const auto& [window, known] : known_) {
        if (known.part != Part::Frame && !isClientWindowPart(known.part)) continue;
        bool now = host_.minimized(window);
        if (!now) {
            minimized_.erase(window);
        } else if (minimized_.insert(window).second) {
            std::string className = known.part == Part::Frame ? "AOL Frame25" : "AOL Child";
            event(
                {.kind = EventKind::WindowMinimized, .window = window, .name = className, .text = host_.text(window)});
        }
    }
}

// ---- closing

void StandinClient::closeClientWindow(WindowHandle window) {
    forgetClientWindow(window);
    host_.destroy(window);
}

void StandinClient::forgetClientWindow(WindowHandle window) {
    if (window == welcome_) welcome_ = 0;
    if (window == signOnWindow_) signOnWindow_ = 0;
    if (window == keyword_) keyword_ = keywordLinkBox_ = 0;
    std::erase_if(rooms_, [&](const std::unique_ptr<Room>& room) { return room->window == window; });
    std::erase_if(transfers_, [&](const auto& entry) { return entry.second.window == window; });
    std::erase_if(known_, [&](const auto& entry) { return entry.first == window || entry.second.owner == window; });
    std::erase_if(actions_, [&](const auto& entry) { return !known_.count(entry.first); });
    minimized_.erase(window);
    if (armed_ && !known_.count(armed_)) armed_ = 0;
}

void StandinClient::closeFrame() {
    event({.kind = EventKind::WindowClosed, .window = frame_, .name = "AOL Frame25", .text = host_.text(frame_)});
    WindowHandle frame = frame_;
    frame_ = mdi_ = welcome_ = signOnWindow_ = keyword_ = keywordLinkBox_ = 0;
    rooms_.clear();
    transfers_.clear();
    known_.clear();
    actions_.clear();
    toolbarIcons_.clear();
    minimized_.clear();
    armed_ = 0;
    host_.destroy(frame);
}

void StandinClient::event(Event event) {
    event.time = host_.now();
    record_.add(std::move(event));
}

// ---- signing on and off

bool StandinClient::signOn(const std::string& name) {
    if (!frame_ || name.empty()) return false;
    if (welcome_) closeClientWindow(welcome_);
    if (signOnWindow_) closeClientWindow(signOnWindow_);
    signedOn_ = true;
    screenName_ = name;
    event({.kind = EventKind::SignedOn, .name = name});
    openWelcome();
    return true;
}

bool StandinClient::signOff() {
    if (!frame_ || !signedOn_) return false;
    signedOn_ = false;
    event({.kind = EventKind::SignedOff, .name = screenName_});
    if (welcome_) closeClientWindow(welcome_);
    openSignOnWindow();
    return true;
}

// ---- keyword links

void StandinClient::goToLink() {
    std::string link = host_.text(keywordLinkBox_);
    event({.kind = EventKind::LinkOpened, .window = keyword_, .text = link});
    if (!signedOn_) return;
    if (std::string room = restAfter(link, kPrivateRoomLink); !room.empty()) {
        enterPrivateRoom(room);
    } else if (std::string chat = restAfter(link, kChatLink); !chat.empty()) {
        openRoom(chat);
    }
}

// ---- transfers

bool StandinClient::startTransfer(TransferKind kind, const std::string& file, std::uint64_t bytes) {
    if (!mdi_) return false;
    bool download = kind == TransferKind::Download;
    TransferState state{kind, file, bytes, 0};
    if (state.file.empty()) state.file = download ? "photo.jpg" : "resume.doc";
    if (state.bytes == 0) state.bytes = download ? 2'516'582 : 870'400;

    if (auto running = transfers_.find(kind); running != transfers_.end()) {
        running->second.state = state;
        updateTransfer(running->second);
        host_.bringToTop(running->second.window);
    } else {
        Transfer transfer{state, 0, 0, 0};
        Part part = download ? Part::DownloadWindow : Part::UploadWindow;
        transfer.window = openClientWindow(part, transferCaption(state));
        transfer.label = make(transfer.window, "_AOL_Static", Part::Label, transferLabel(state));
        transfer.gauge = make(transfer.window, "_AOL_Gauge", Part::Gauge, "0");
        make(transfer.window, "_AOL_Checkbox", Part::Checkbox, "Sign off when finished");
        auto stop = [this, kind] { stopTransfer(kind); };
        if (download) {
            addButton(transfer.window, "_AOL_Icon", Part::Icon, "Finish Later", stop);
            make(transfer.window, "_AOL_Image", Part::Image);
        } else {
            addButton(transfer.window, "_AOL_Button", Part::PushButton, "Cancel", stop);
        }
        WindowHandle window = transfer.window;
        transfers_[kind] = transfer;
        host_.windowReady(window);
    }
    event({.kind = EventKind::TransferStarted, .name = transferName(kind), .text = state.file});
    return true;
}

bool StandinClient::setTransferProgress(TransferKind kind, int percent) {
    auto running = transfers_.find(kind);
    if (running == transfers_.end()) return false;
    running->second.state.percent = std::clamp(percent, 0, 100);
    updateTransfer(running->second);
    return true;
}

void StandinClient::updateTransfer(Transfer& transfer) {
    host_.setText(transfer.window, transferCaption(transfer.state));
    host_.setText(transfer.label, transferLabel(transfer.state));
    host_.setText(transfer.gauge, std::to_string(transfer.state.percent));
}

bool StandinClient::stopTransfer(TransferKind kind) {
    auto running = transfers_.find(kind);
    if (running == transfers_.end()) return false;
    event({.kind = EventKind::TransferStopped, .name = transferName(kind), .text = running->second.state.file});
    closeClientWindow(running->second.window);
    return true;
}

bool StandinClient::hang(double seconds) {
    if (!frame_ || !(seconds > 0)) return false;
    event({.kind = EventKind::Hung, .number = static_cast<std::uint64_t>(seconds * 1000.0 + 0.5)});
    host_.hang(frame_, seconds);
    return true;
}

// ---- looking at it

WindowHandle StandinClient::toolbarIcon(int number) const {
    if (number < 1 || number > static_cast<int>(toolbarIcons_.size())) return 0;
    return toolbarIcons_[static_cast<std::size_t>(number - 1)];
}

WindowHandle StandinClient::transferWindow(TransferKind kind) const {
    auto running = transfers_.find(kind);
    return running == transfers_.end() ? 0 : running->second.window;
}

const TransferState* StandinClient::transfer(TransferKind kind) const {
    auto running = transfers_.find(kind);
    return running == transfers_.end() ? nullptr : &running->second.state;
}

WindowHandle StandinClient::roomWindow(const std::string& name) {
    Room* room = findRoom(name);
    return room ? room->window : 0;
}

WindowHandle StandinClient::inputBox(const std::string& room) {
    Room* found = findRoom(room);
    return found ? found->input : 0;
}

WindowHandle StandinClient::transcriptWindow(const std::string& room) {
    Room* found = findRoom(room);
    return found ? found->view : 0;
}

const Transcript* StandinClient::transcript(const std::string& room) {
    Room* found = findRoom(room);
    return found ? &found->transcript : nullptr;
}

std::string StandinClient::inputText(const std::string& room) {
    Room* found = findRoom(room);
    return found ? host_.text(found->input) : std::string();
}

std::optional<Part> StandinClient::partOf(WindowHandle window) const {
    auto known = known_.find(window);
    if (known == known_.end()) return std::nullopt;
    return known->second.part;
}

}  // namespace lantern::standin
