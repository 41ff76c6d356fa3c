#pragma once
// The fault-injecting stand-in of the fault schedules: the stand-in client on the
// simulated desktop, breaking under the add-on on a seeded schedule (hangs, closed
// and reopened windows, floods, a client that quits and comes back), with the seams
// the add-on runs on watched call by call; and the judges that decide where the
// add-on's messages may go and which of its lines a posted line is.

#include <algorithm>
#include <map>
#include <ostream>
#include <random>
#include <set>

#include "app/app.h"
#include "client/client.h"
#include "common/text.h"
#include "platform/messages.h"
#include "standin/sim/sim_standin.h"
#include "support/expected_lines.h"

namespace lantern::faults {

// ---- the judges: where the add-on's messages may go, and which of its lines a posted line is

struct SeamCall {  // one call of the add-on into a platform seam
    enum class Kind { Lookup, Send, Show, Topmost, Wait };
    Kind kind = Kind::Lookup;
    WindowHandle window = 0;
    unsigned message = 0;  // sends
    std::uintptr_t wParam = 0;  // sends; the command of shows
    const std::string* text = nullptr;  // WM_SETTEXT's
};
using Kind = SeamCall::Kind;

// By what each window of the client really is.
inline bool allowed(const sim::Desktop& d, const standin::StandinClient* client, const SeamCall& call) {
    using P = standin::Part;
    const WindowHandle w = call.window;
    const std::optional<P> part = client ? client->partOf(w) : std::nullopt;
    if (!part) return true;  // our own windows
    switch (call.kind) {
    case Kind::Show:  // a transfer window, or one captioned as one, as the finders' shortcut goes
        return call.wParam == sw::Minimize &&
               (part == P::DownloadWindow || part == P::UploadWindow || text::contains(d.caption(w), "File"));
    case Kind::Send:
        break;
    default:
        return call.kind != Kind::Topmost;
    }
    const std::string text = call.text ? *call.text : "";
    switch (call.message) {
    case msg::Null:
    case msg::GetText:
    case msg::GetTextLength:
        return true;  // reading harms nobody
    case msg::Char:
        return call.wParam == kVkReturn && part == P::InputBox;
    case msg::SetText:
        return part == P::InputBox || part == P::LinkBox ||
               (part == P::Frame &&
                (text.empty() || text == expected::kStartCaption || text == expected::kClosingCaption));
    case msg::Close:
        return part == P::KeywordWindow;
    case msg::LButtonDown:
    case msg::KeyUp:  // the keyword button, or the keyword window's go button
        return w == client->toolbarIcon(standin::kKeywordIconNumber) ||
               (part == P::Icon && d.parent(w) == client->keywordWindow());
    default:
        return false;
    }
}

// Why the call should not reach its window, which the client (null when none runs)
// may own; nullopt when it may, or when the window is gone (it reaches nobody).
inline std::optional<std::string> misdirected(const sim::Desktop& d, const standin::StandinClient* client,
                                              const SeamCall& call) {
    if (call.window == 0 || !d.exists(call.window) || allowed(d, client, call)) return std::nullopt;
    const std::string what = call.kind == Kind::Show      ? "ShowWindow"
                             : call.kind == Kind::Topmost ? "SetWindowPos(HWND_TOPMOST)"
                                                          : messageName(call.message);
    return what + " (" + std::to_string(call.wParam) + (call.text ? ", \"" + *call.text + "\"" : "") + ") to the " +
           d.className(call.window) + " \"" + d.caption(call.window) + "\"";
}

enum class LineForm {
    Unknown,
    LoadBanner,
    CommandUnloadBanner,
    IdleOnBanner,
    IdleOffBanner,
    CommandsLine,
    PrivateRoomLine,
    ChatRoomLine,
    IdleLine,
    TransferLine,
};

struct PostedForm {
    LineForm form = LineForm::Unknown;
    std::string value;  // the room or name of a room line, the reason of an idle or transfer line
    long idleMinutes = 0;  // an idle line's days, hours and minutes, in minutes
};

// The values in the holes of `shape`, a line built with each of `holes` in place of
// a value, in order; nullopt when the line does not fit it.
inline std::optional<std::vector<std::string>> fit(const std::string& line, const std::string& shape,
                                                   const std::vector<std::string>& holes) {
    std::vector<std::string> values;
    std::size_t inShape = 0, inLine = 0;
    for (std::size_t i = 0; i <= holes.size(); ++i) {
        const bool last = i == holes.size();
        const std::size_t end = last ? shape.size() : shape.find(holes[i], inShape);
        const std::string piece = shape.substr(inShape, end - inShape);
        std::size_t at = line.find(piece, inLine);  // a piece between two holes: its first place
        if (i == 0) at = line.compare(0, piece.size(), piece) == 0 ? 0 : std::string::npos;
        if (last) {  // the last piece ends the line
            const bool ends = line.size() >= inLine + piece.size() &&
                              line.compare(line.size() - piece.size(), piece.size(), piece) == 0;
            at = ends ? line.size() - piece.size() : std::string::npos;
        }
        if (at == std::string::npos) return std::nullopt;
        if (i > 0) values.push_back(line.substr(inLine, at - inLine));
        inLine = at + piece.size();
        inShape = last ? end : end + holes[i].size();
    }
    return values;
}

inline PostedForm classify(const std::string& line, const expected::Style& s) {
    const std::pair<std::string, LineForm> fixed[] = {
        {expected::banner(s, expected::kLoad), LineForm::LoadBanner},
        {expected::banner(s, expected::kCommandUnload), LineForm::CommandUnloadBanner},
        {expected::banner(s, expected::kCommandIdleOn), LineForm::IdleOnBanner},
        {expected::banner(s, expected::kCommandIdleOff), LineForm::IdleOffBanner},
        {expected::commandsLine(s), LineForm::CommandsLine},
    };
    for (const auto& [text, form] : fixed) {
        if (line == text) return {form};
    }
    // Stand-ins for the values; no real line holds them.
    const std::string h1 = "\x01\x01", h2 = "\x02\x02", h3 = "\x03\x03", h4 = "\x04\x04";
    if (auto v = fit(line, expected::roomLine(s, false, h1), {h1})) return {LineForm::PrivateRoomLine, v->at(0)};
    if (auto v = fit(line, expected::roomLine(s, true, h1), {h1})) return {LineForm::ChatRoomLine, v->at(0)};
    if (auto v = fit(line, expected::idleLine(s, -11111, -22222, -33333, h4), {"-11111", "-22222", "-33333", h4})) {
        const auto& n = *v;
        const auto isNumber = [](const std::string& t) {
            return !t.empty() && t.size() <= 6 && t.find_first_not_of("0123456789") == std::string::npos;
        };
        if (!isNumber(n[0]) || !isNumber(n[1]) || !isNumber(n[2])) return {};
        const long days = std::stol(n[0]), hours = std::stol(n[1]), minutes = std::stol(n[2]);
        if (hours >= 24 || minutes >= 60) return {};
        return {LineForm::IdleLine, n[3], (days * 24 + hours) * 60 + minutes};
    }
    if (auto v = fit(line, expected::transferLine(s, h4, h1, h2, h3), {h4, h1, h2, h3})) {
        if (v->at(0) == "u" || v->at(0) == "d") return {LineForm::TransferLine, v->at(3)};
    }
    return {};
}

// ---- the schedule

using standin::TransferKind;

constexpr const char* kUser = "Zephyr Lights";
// The user's commands and chatter; the near misses run nothing.
const std::vector<std::string> kUserLines = {".idleoff",         ".idleon",  ".pr harbour", ".pr Night Owls",
                                             ".aim lanternchat", ".coms",    "brb",         ".IdleOn",
                                             ".idleon ",         " .idleon", "..idleon",    ".Pr Harbour"};
// Other people, some with names that only look like the user's.
const std::vector<std::string> kOthers = {"Spammer", "zephyr lights", "Zephyr Lights ", "buddy"};
const std::vector<std::string> kOtherLines = {".end",      ".exit", ".idleon", ".idleoff",      ".pr trap",
                                              ".aim trap", ".coms", "hi all",  "lol <b>brb</b>"};
const std::vector<std::string> kRooms = {"Lobby", "Harbour", "night owls", "Lantern Hall"};
const std::vector<std::string> kCaptions = {"",        "Lobby",   "File Transfer - 42% of song.mp3", "Keyword",
                                            "Sign On", "Harbour", "File Uploading: 7% of essay.doc", "America Online"};
// Nothing is stored in the registry, so every line has the default style.
const expected::Style kStyle;

inline std::string stamp(double seconds) { return "[" + std::to_string(seconds) + "] "; }

// The same sequence with every compiler and library, so a seed names one schedule.
struct Random {
    std::mt19937_64 engine;
    double between(double low, double high) { return low + (high - low) * double(engine() >> 11) * 0x1p-53; }
    bool chance(double probability) { return between(0, 1) < probability; }
    int below(int count) { return static_cast<int>(engine() % count); }
    template <typename T>
    const T& pick(const std::vector<T>& items) {
        return items[engine() % items.size()];
    }
};

// Every tick of a timer is one operation: `operation` sees it begin, then null when it ends.
class WatchedTimer final : public Timer {
public:
    WatchedTimer(std::unique_ptr<Timer> inner, std::function<void(const Timer*)> operation) : inner_(std::move(inner)) {
        inner_->onTick = [this, operation] {
            const std::function<void()> tick = onTick;  // a copy: the handler may replace itself
            if (!tick) return;
            operation(this);
            const std::shared_ptr<void> ends(nullptr, [&](void*) { operation(nullptr); });  // however it ends
            tick();
        };
    }
    unsigned interval() const override { return inner_->interval(); }
    void setInterval(unsigned milliseconds) override { inner_->setInterval(milliseconds); }
    bool enabled() const override { return inner_->enabled(); }
    void setEnabled(bool enabled) override { inner_->setEnabled(enabled); }

private:
    std::unique_ptr<Timer> inner_;  // owned
};

// Bounds past which a run counts as hung.
struct Watchdog {
    double overrunSeconds = 600;  // virtual time past the end of the fault phase
    long calls = 3'000'000;  // calls into the seams
};

class FaultSchedule final : public WindowSystem, public EventLoop, public Toolkit {
public:
    explicit FaultSchedule(std::uint64_t seed, std::ostream* trace = nullptr, Watchdog watchdog = {})
        : random_{std::mt19937_64(seed)}, watchdog_(watchdog), trace_(trace) {
        options_.screenName = kUser;
        if (random_.chance(0.3)) options_.rooms = {"Harbour", "Lobby"};
        // A short transcript, so that floods make the client trim it.
        options_.transcript.maxLines = 6 + random_.below(30);
        options_.transcript.keepLines = std::max<std::size_t>(1, options_.transcript.maxLines * 2 / 3);
        startClient(random_.chance(0.9));
        // Half-typed text must come back into the box, never into the room.
        if (random_.chance(0.5)) client_->type("half a thou");
        // Now and then the pauses run over midnight, when the time of day starts again at 0.
        desktop_.setTimeOfDay(random_.chance(0.3) ? 86400 - random_.between(0, 150) : random_.between(0, 86400));
        app_ = std::make_unique<App>(platform_);
    }
    ~FaultSchedule() override {
        finished_ = true;  // whatever the add-on does while it is taken apart is not judged
        app_.reset();
    }

    // The simulated desktop's seams as the add-on sees them: before() sees every call first.
    WindowHandle findWindow(const std::string& c) override { return before({}), win().findWindow(c); }
    WindowHandle findChild(WindowHandle p, WindowHandle a, const std::string& c) override {
        return before({}), win().findChild(p, a, c);
    }
    WindowHandle getWindow(WindowHandle w, unsigned how) override { return before({}), win().getWindow(w, how); }
    SendResult deliverMessage(WindowHandle w, unsigned m, std::uintptr_t wParam, std::intptr_t lParam,
                              Patience p) override {
        return before({Kind::Send, w, m, wParam}), win().sendMessage(w, m, wParam, lParam, p);
    }
    SendResult deliverSetText(WindowHandle w, const std::string& text, Patience p) override {
        return before({Kind::Send, w, msg::SetText, 0, &text}), win().sendSetText(w, text, p);
    }
    SendResult deliverGetText(WindowHandle w, std::size_t capacity, std::string& buffer, Patience p) override {
        return before({Kind::Send, w, msg::GetText, capacity}), win().sendGetText(w, capacity, buffer, p);
    }
    bool notifyWhenAnswering(WindowHandle w, std::function<void()> answered) override {
        return before({Kind::Send, w, msg::Null}), win().notifyWhenAnswering(w, std::move(answered));
    }
    bool showWindow(WindowHandle w, int how) override {
        return before({Kind::Show, w, 0, static_cast<std::uintptr_t>(how)}), win().showWindow(w, how);
    }
    bool setTopmost(WindowHandle w) override { return before({Kind::Topmost, w}), win().setTopmost(w); }
    void releaseCapture() override { win().releaseCapture(); }
    bool isWindow(WindowHandle w) override { return win().isWindow(w); }
    void setSendTimeout(double seconds) override { win().setSendTimeout(seconds); }

    void doEvents() override { before({Kind::Wait}), desktop_.events().doEvents(); }
    void waitForEvents(double s) override { before({Kind::Wait}), desktop_.events().waitForEvents(s); }
    double timeOfDay() override { return desktop_.events().timeOfDay(); }
    double secondsSinceInput() override { return desktop_.events().secondsSinceInput(); }

    std::unique_ptr<Window> createWindow(const WindowSpec& spec) override { return kit().createWindow(spec); }
    std::unique_ptr<Timer> createTimer() override {
        return std::make_unique<WatchedTimer>(kit().createTimer(), [this](const Timer* t) { operation(t); });
    }
    std::unique_ptr<PopupMenu> createPopupMenu(Window& owner, const MenuItemSpec& root) override {
        return kit().createPopupMenu(owner, root);
    }
    int messageBox(const std::string& t, const std::string& title, unsigned style) override {
        return kit().messageBox(t, title, style);
    }
    std::optional<std::string> inputBox(const std::string& p, const std::string& t, const std::string& d) override {
        return kit().inputBox(p, t, d);
    }
    double screenWidth() override { return kit().screenWidth(); }
    double screenHeight() override { return kit().screenHeight(); }
    bool previousInstanceRunning() override { return kit().previousInstanceRunning(); }
    [[noreturn]] void endProgramNow() override { kit().endProgramNow(), std::abort(); }

    std::vector<std::string> run() {
        const double phase = random_.between(60, 150);  // of faults, from the start
        auto says = [&](double from, double to, const std::string& who, const std::vector<std::string>& lines) {
            const double at = random_.between(from, to);
            desktop_.post(at, [this, who, text = random_.pick(lines)] {
                who.empty() ? userTypes(text) : client_ && client_->say(who, text);  // "" is the user
            });
        };
        says(2, 8, "", {".idleon", ".IdleOn", ".IDLEON"});
        for (int n = 1 + random_.below(5); n > 0; --n) says(5, phase, "", kUserLines);
        for (int n = random_.below(8); n > 0; --n) says(0, phase, random_.pick(kOthers), kOtherLines);
        if (random_.chance(0.08)) says(phase / 2, phase, "", {".end", ".exit", ".END"});
        for (int n = random_.below(6); n > 0; --n) {
            desktop_.post(random_.between(0, phase), [this] { armed_ ? injectFault() : void(); });
        }
        deadline_ = phase + watchdog_.overrunSeconds;
        try {
            armed_ = true;
            desktop_.run([&] { app_->start(); });
            desktop_.runFor(std::max(0.0, phase - desktop_.now()));
            armed_ = false;
            if (!desktop_.programEnded()) recover();
        } catch (const Stop& stop) {
            problem(stop.why);
        } catch (const std::exception& error) {
            problem(std::string("exception: ") + error.what());
        }
        armed_ = false;
        finished_ = true;
        if (!forged.empty()) posted_.emplace_back(desktop_.now(), forged);  // as if the add-on had posted it
        checkPostedLines();
        return problems_;
    }

    std::string forged;
    int faults = 0, returnsJudged = 0, linesJudged = 0;

private:
    struct Stop {
        std::string why;
    };

    WindowSystem& win() { return desktop_.windows(); }
    Toolkit& kit() { return desktop_.toolkit(); }

    void before(const SeamCall& call) {
        if (finished_) return;
        const double now = desktop_.now();
        if (desktop_.programEnded()) throw Stop{stamp(now) + "the add-on still calls the platform after it ended"};
        if (++calls_ > watchdog_.calls) throw Stop{stamp(now) + "hung: too many calls into the platform"};
        if (now > deadline_) throw Stop{stamp(now) + "hung: virtual time ran past the end of the schedule"};
        // A minimised window is judged as it was found, before a fault can rename it.
        if (call.kind == Kind::Show) judge(call);
        if (armed_ && random_.chance(faultChance_ * weightOfNow())) injectFault();
        if (call.kind != Kind::Show) judge(call);
        returnsJudged += call.kind == Kind::Send && call.message == msg::Char && desktop_.exists(call.window);
    }

    void judge(const SeamCall& call) {
        const auto why = misdirected(desktop_, client_ ? &*client_ : nullptr, call);
        if (why) problem(stamp(desktop_.now()) + *why);
    }

    void operation(const Timer* begins) {
        if (begins && operations_.empty()) operationStart_ = desktop_.now();
        if (begins) return operations_.push_back(begins);
        operations_.pop_back();
        if (operations_.empty() && desktop_.now() > operationStart_) lastBusyEnd_ = desktop_.now();
    }

    // The watcher's polls make most of the calls; rarer operations get a larger share of the faults.
    double weightOfNow() const {
        if (operations_.empty()) return 1;  // start-up, or between operations
        if (operations_.back() == &app_->ui().mainWindow().idleTimer()) return 4;
        return operations_.back()->interval() < 20 ? 2 : 0.1;  // a chat line handed on, or a poll
    }

    void injectFault() {
        if (faults >= faultBudget_) return;
        ++faults;
        enum { CloseRoom, OpenRoom, Raise, Close, SignOff, SignOn, Transfer, Caption, Hang, Flood, Quit, Keyword };
        static const char* const kNames[] = {
            "a room closes",      "a room opens",      "a window comes to the top", "the user closes a window",
            "the user signs off", "the user signs on", "a transfer changes",        "a caption changes",
            "the client hangs",   "a flood of lines",  "the client quits",          "the keyword window opens"};
        const int kind = random_.below(Keyword + 1);
        if (!client_) {  // nothing to break; it may come back
            if (kind == Quit || random_.chance(0.3)) trace("fault: the client starts"), startClient(random_.chance(.8));
            return;
        }
        trace(std::string("fault: ") + kNames[kind]);
        standin::SimStandin& client = *client_;
        std::vector<WindowHandle> windows;
        if (client.mdiClient()) windows = desktop_.children(client.mdiClient());
        const WindowHandle window = windows.empty() ? 0 : random_.pick(windows);
        const std::vector<std::string> rooms = client.roomNames();
        const TransferKind transfer = random_.chance(0.5) ? TransferKind::Download : TransferKind::Upload;
        std::string text = random_.pick(kRooms);
        switch (kind) {
        case CloseRoom:
            if (rooms.empty()) return;
            text = random_.pick(rooms);
            client.closeRoom(text);
            if (random_.chance(0.4)) client.openRoom(text);  // and it opens again
            return;
        case OpenRoom:
            return void(client.openRoom(text));
        case Raise:
            return desktop_.bringToTop(window);
        case Close:
            return void(client.handleMessage(window, msg::Close, 0, text));
        case SignOff:
            return void(client.signOff());
        case SignOn:
            return void(client.signOn(kUser));
        case Transfer:
            if (const int what = random_.below(3); what == 0)
                client.startTransfer(transfer);
            else if (what == 1)
                client.stopTransfer(transfer);
            else
                client.setTransferProgress(transfer, random_.below(101));
            return;
        case Caption:
            return desktop_.setCaption(random_.chance(0.2) ? client.frame() : window, random_.pick(kCaptions));
        case Hang:
            if (hangsLeft_-- > 0) {
                const double seconds = random_.between(0.5, 30);
                client.hang(seconds);
                hangsEnd_ = std::max(hangsEnd_, desktop_.now() + seconds);
            }
            return;
        case Flood:
            for (int n = 2 + random_.below(9); n > 0; --n) {
                const std::string& who = random_.pick(kOthers);
                client.say(who, random_.pick(kOtherLines));
            }
            return;
        case Quit:
            client_.reset();
            if (random_.chance(0.5)) trace("fault: the client starts"), startClient(random_.chance(0.8));
            return;
        case Keyword:
            for (unsigned message : {msg::LButtonDown, msg::KeyUp}) {
                client.handleMessage(client.toolbarIcon(standin::kKeywordIconNumber), message, kVkSpace, text);
            }
            return;
        }
    }

    void startClient(bool signedOn) {
        options_.signedOn = signedOn;
        client_.emplace(desktop_, options_);
        client_->record().onEvent = [this](const standin::Event& e) {
            if (e.kind == standin::EventKind::Posted) posted_.emplace_back(e.time, e.text);
        };
    }

    bool userTypes(const std::string& text) {
        const bool posted = client_ && client_->send(text);
        if (posted) typed_.emplace_back(desktop_.now(), text);
        return posted;
    }

    void recover() {
        // The client answers again once its last hang is over; then it is put in order.
        desktop_.runFor(std::max(0.0, hangsEnd_ - desktop_.now()) + 0.5);
        if (desktop_.programEnded()) return;
        trace("faults stop; the client runs, signed on, one fresh room on top, no transfers");
        if (!client_) startClient(true);
        for (TransferKind kind : {TransferKind::Download, TransferKind::Upload}) client_->stopTransfer(kind);
        client_->signOn(kUser);  // a fresh welcome window, whatever became of the old one
        for (const std::string& room : client_->roomNames()) client_->closeRoom(room);
        client_->openRoom("Lobby");
        // Commands still queued run out first (one may take the user to another room),
        // and the watcher gets to know the fresh room before the user types in it.
        const double restoredAt = desktop_.now();
        while (desktop_.now() - lastBusyEnd_ < 3 || desktop_.now() - restoredAt < 6) {
            desktop_.runFor(1);
            if (desktop_.programEnded()) return;
        }
        const double typedAt = desktop_.now();
        if (!userTypes(".idleon")) return problem(stamp(typedAt) + "the client, put in order, would not take .idleon");
        desktop_.runFor(80);
        if (desktop_.programEnded()) return;  // only the user's own command ends it; judged with the lines
        std::map<LineForm, double> first;  // when each form was first posted since
        for (const auto& [at, line] : posted_) {
            if (at > typedAt) first.emplace(classify(line, kStyle).form, at);
        }
        const double banner = first.count(LineForm::IdleOnBanner) ? first[LineForm::IdleOnBanner] : 1e9;
        if (banner > typedAt + 15) problem(stamp(typedAt) + "after the faults, .idleon got no reply in 15 s");
        if (!first.count(LineForm::IdleLine) || first[LineForm::IdleLine] > std::min(banner, typedAt + 15) + 62) {
            problem(stamp(typedAt) + "after the faults, no idle line came within the minute after .idleon");
        }
    }

    // Every line the add-on posted has one of its forms, and the user's commands asked for it.
    void checkPostedLines() {
        const std::map<std::string, LineForm> replies = {{".idleon", LineForm::IdleOnBanner},
                                                         {".idleoff", LineForm::IdleOffBanner},
                                                         {".coms", LineForm::CommandsLine},
                                                         {".end", LineForm::CommandUnloadBanner},
                                                         {".exit", LineForm::CommandUnloadBanner}};
        std::map<LineForm, int> allowed{{LineForm::LoadBanner, 1}}, seen;
        std::multiset<std::string> typedTexts, asked;  // rooms asked for: "pr <room>", "aim <name>"
        std::optional<double> firstIdleOn;
        for (const auto& [at, typed] : typed_) {
            typedTexts.insert(typed);
            const std::string line = text::toLower(typed);
            const bool room = text::matchesPattern(line, ".pr *") || text::matchesPattern(line, ".aim *");
            if (room) asked.insert(line.substr(1));
            if (line == ".idleon" && !firstIdleOn) firstIdleOn = at;
            if (auto reply = replies.find(line); reply != replies.end()) ++allowed[reply->second];
        }
        const int ends = allowed[LineForm::CommandUnloadBanner];
        allowed[LineForm::CommandUnloadBanner] = std::min(ends, 1);
        long lastIdleMinutes = -1;
        for (const auto& [time, line] : posted_) {
            if (auto mine = typedTexts.find(line); mine != typedTexts.end()) {
                typedTexts.erase(mine);  // the user's own line
                continue;
            }
            ++linesJudged;
            const std::string at = stamp(time) + "posted \"" + standin::escapeForLog(line) + "\": ";
            const PostedForm posted = classify(line, kStyle);
            switch (posted.form) {
            case LineForm::Unknown:
                problem(at + "a line the add-on never meant to post");
                break;
            case LineForm::PrivateRoomLine:
            case LineForm::ChatRoomLine: {
                const auto it = asked.find((posted.form == LineForm::ChatRoomLine ? "aim " : "pr ") + posted.value);
                if (it == asked.end()) problem(at + "a room the user never asked for");
                if (it != asked.end()) asked.erase(it);
                break;
            }
            case LineForm::IdleLine:
                if (posted.idleMinutes <= lastIdleMinutes) problem(at + "idle time not past the last one's");
                lastIdleMinutes = posted.idleMinutes;
                [[fallthrough]];
            case LineForm::TransferLine:
                if (posted.value != "uppin.") problem(at + "not the default reason");
                if (!firstIdleOn || time < *firstIdleOn) problem(at + "before the user switched idling on");
                break;
            default:
                if (++seen[posted.form] > allowed[posted.form]) problem(at + "more than the commands asked for");
            }
        }
        if (desktop_.programEnded() && ends == 0) problem("the add-on ended though the user never typed .end or .exit");
    }

    void problem(const std::string& what) {
        trace("PROBLEM: " + what);
        if (problems_.size() < 12) problems_.push_back(what);  // the first ones tell the story
    }
    void trace(const std::string& what) { trace_ ? void(*trace_ << stamp(desktop_.now()) << what << "\n") : void(); }

    sim::Desktop desktop_;
    Random random_;
    Watchdog watchdog_;
    std::ostream* trace_;  // not owned; may be null
    double faultChance_ = random_.pick(std::vector<double>{0, 0.0005, 0.002, 0.006, 0.02});  // before each call
    int faultBudget_ = 4 + random_.below(40);
    standin::Options options_;
    std::optional<standin::SimStandin> client_;
    Platform platform_{*this, desktop_.registry(), *this, *this};
    std::unique_ptr<App> app_;
    bool armed_ = false, finished_ = false;
    int hangsLeft_ = 3;
    double deadline_ = 0, hangsEnd_ = 0, operationStart_ = 0, lastBusyEnd_ = 0;
    long calls_ = 0;
    std::vector<const Timer*> operations_;  // the timers whose ticks are running, innermost last
    std::vector<std::pair<double, std::string>> typed_, posted_;  // what the user typed; what any client posted
    std::vector<std::string> problems_;
};

}  // namespace lantern::faults
