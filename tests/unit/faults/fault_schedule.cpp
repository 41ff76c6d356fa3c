#include "fault_schedule.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <ostream>
#include <set>

#include "common/text.h"
#include "delivery_check.h"
#include "line_forms.h"
#include "platform/messages.h"

namespace lantern::faults {

namespace {

constexpr const char* kUser = "Zephyr Lights";
constexpr const char* kReason = "uppin.";
// Problems kept per schedule; the first ones tell the story.
constexpr std::size_t kMaxProblems = 12;

// The signed-on user's commands and chatter; near misses run nothing.
const std::vector<std::string> kUserLines = {
    ".idleoff", ".idleon", ".pr harbour", ".pr Night Owls", ".aim lanternchat", ".coms",
    "brb",      ".IdleOn", ".idleon ",    " .idleon",       "..idleon",         ".Pr Harbour",
};
const std::vector<std::string> kIdleOnSpellings = {".idleon", ".IdleOn", ".IDLEON"};
const std::vector<std::string> kEndSpellings = {".end", ".exit", ".END"};
// Other people, some with names that only look like the user's.
const std::vector<std::string> kOthers = {"Spammer", "zephyr lights", "Zephyr Lights ", "buddy"};
const std::vector<std::string> kOtherLines = {".end", ".exit", ".idleon", ".idleoff", ".pr trap",
                                              ".aim trap", ".coms", "hi all", "lol <b>brb</b>"};
const std::vector<std::string> kRoomNames = {"Lobby", "Harbour", "night owls", "Lantern Hall"};
// Captions a client window may take on; none names a signed-on user.
const std::vector<std::string> kCaptions = {
    "", "Lobby", "File Transfer - 42% of song.mp3", "File Uploading: 7% of essay.doc", "Keyword",
    "Sign On", "America Online", "Harbour",
};

std::string stamp(double seconds) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "[%8.3f] ", seconds);
    return buffer;
}

const char* callName(SeamCall::Kind kind) {
    switch (kind) {
        case SeamCall::Kind::Lookup: return "lookup";
        case SeamCall::Kind::Send: return "send";
        case SeamCall::Kind::Wait: return "wait";
        case SeamCall::Kind::Show:
        case SeamCall::Kind::Topmost: break;
    }
    return "show";
}

// Nothing is stored in the registry, so every line has the default style.
expected::Style defaultStyle() { return {expected::defaultPrefix("000000"), "ff3300", "000066"}; }

std::string quoted(const std::string& text) { return "\"" + standin::escapeForLog(text) + "\""; }

standin::TransferKind randomKind(SeededRandom& random) {
    return random.chance(0.5) ? standin::TransferKind::Download : standin::TransferKind::Upload;
}

}  // namespace

// ---- settings

ScheduleSettings ScheduleSettings::draw(SeededRandom& random) {
    ScheduleSettings s;
    s.faultChance = random.pick(std::vector<double>{0.0, 0.0005, 0.002, 0.006, 0.02});
    s.faultBudget = 4 + static_cast<int>(random.below(40));
    s.timedFaults = static_cast<int>(random.below(6));
    s.faultPhase = random.between(60, 150);
    // Now and then the pauses run over midnight, when the time of day starts again at 0.
    s.timeOfDay = random.chance(0.3) ? 86400 - random.between(0, 150) : random.between(0, 86400);

    s.client.screenName = kUser;
    s.client.signedOn = random.chance(0.9);
    s.client.rooms = random.chance(0.3) ? std::vector<std::string>{"Harbour", "Lobby"}
                                        : std::vector<std::string>{"Lobby"};
    // A short transcript, so that floods make the client trim it.
    s.client.transcript.maxLines = 6 + random.below(30);
    s.client.transcript.keepLines = std::max<std::size_t>(1, s.client.transcript.maxLines * 2 / 3);

    // What the user had begun to type must come back into the box, never into the room.
    if (random.chance(0.5)) s.halfTyped = "half a thou";

    s.lines.push_back({random.between(2, 8), "", random.pick(kIdleOnSpellings)});
    for (std::size_t n = 1 + random.below(5); n > 0; --n) {
        s.lines.push_back({random.between(5, s.faultPhase), "", random.pick(kUserLines)});
    }
    for (std::size_t n = random.below(8); n > 0; --n) {
        s.lines.push_back({random.between(0, s.faultPhase), random.pick(kOthers), random.pick(kOtherLines)});
    }
    if (random.chance(0.08)) {
        s.lines.push_back({random.between(s.faultPhase / 2, s.faultPhase), "", random.pick(kEndSpellings)});
    }
    std::stable_sort(s.lines.begin(), s.lines.end(), [](const Line& a, const Line& b) { return a.at < b.at; });
    return s;
}

// ---- the schedule

FaultSchedule::FaultSchedule(std::uint64_t seed, std::ostream* trace, Watchdog watchdog)
    : seed_(seed), random_(seed), settings_(ScheduleSettings::draw(random_)), watchdog_(watchdog), trace_(trace) {
    desktop_.setTimeOfDay(settings_.timeOfDay);
    startClient(settings_.client.signedOn);
    if (!settings_.halfTyped.empty()) client_->type(settings_.halfTyped);
    app_ = std::make_unique<App>(platform_);
}

FaultSchedule::~FaultSchedule() {
    // Whatever the add-on does while it is taken apart is no longer judged.
    finished_ = true;
    armed_ = false;
    app_.reset();
}

std::vector<std::string> FaultSchedule::run() {
    deadline_ = settings_.faultPhase + watchdog_.overrunSeconds;
    trace("seed " + std::to_string(seed_) + ": fault chance " + std::to_string(settings_.faultChance) +
          ", budget " + std::to_string(settings_.faultBudget) + ", fault phase " +
          std::to_string(settings_.faultPhase) + " s, time of day " + std::to_string(settings_.timeOfDay));
    try {
        schedule();
        armed_ = true;
        startingUp_ = true;
        desktop_.run([&] { app_->start(); });
        startingUp_ = false;
        desktop_.runFor(std::max(0.0, settings_.faultPhase - desktop_.now()));
        armed_ = false;
        trace("faults stop");
        if (!desktop_.programEnded()) recover();
    } catch (const Stop& stop) {
        problem(stop.why);
    } catch (const std::exception& error) {
        problem(std::string("exception: ") + error.what());
    }
    armed_ = false;
    finished_ = true;
    checkPostedLines();
    return problems_;
}

void FaultSchedule::schedule() {
    for (const ScheduleSettings::Line& line : settings_.lines) {
        desktop_.post(line.at, [this, line] {
            if (line.author.empty()) {
                userTypes(line.text);
            } else {
                otherSays(line.author, line.text);
            }
        });
    }
    for (int n = 0; n < settings_.timedFaults; ++n) {
        desktop_.post(random_.between(0, settings_.faultPhase), [this] {
            if (armed_) injectFault("timed");
        });
    }
}

// ---- watching the add-on

void FaultSchedule::beforeCall(const SeamCall& call) {
    if (finished_) return;
    const double now = desktop_.now();
    if (endedAt_) throw Stop{stamp(now) + "the add-on still calls the platform after it ended"};
    if (++calls_ > watchdog_.calls) {
        throw Stop{stamp(now) + "hung: more than " + std::to_string(watchdog_.calls) + " calls into the platform"};
    }
    if (now > deadline_) {
        throw Stop{stamp(now) + "hung: virtual time ran " + std::to_string(watchdog_.overrunSeconds) +
                   " s past the end of the schedule"};
    }
    if (!operations_.empty() && now - operationStart_ > watchdog_.operationSeconds) {
        throw Stop{stamp(now) + "hung: one operation has run since " + stamp(operationStart_)};
    }
    // A minimised window is judged as it was found, before a fault can rename it.
    if (call.kind == SeamCall::Kind::Show) {
        if (auto why = misdirected(desktop_, call)) problem(stamp(now) + *why);
    }
    if (armed_ && settings_.faultChance > 0 && random_.chance(settings_.faultChance * weightOfNow())) {
        injectFault(callName(call.kind));
    }
    if (call.kind != SeamCall::Kind::Show) {
        if (auto why = misdirected(desktop_, call)) problem(stamp(desktop_.now()) + *why);
    }
    if (call.kind == SeamCall::Kind::Send && call.message == msg::Char && desktop_.exists(call.window)) {
        ++returnsJudged_;
    }
    if (call.kind == SeamCall::Kind::Send && call.message == msg::Char && trace_) {
        trace("WM_CHAR " + std::to_string(call.wParam) + " to window " + std::to_string(call.window) + " of " +
              quoted(desktop_.caption(desktop_.parent(call.window))));
    }
}

void FaultSchedule::operationBegins(const Timer& timer) {
    if (operations_.empty()) operationStart_ = desktop_.now();
    operations_.push_back(&timer);
}

void FaultSchedule::operationEnds() {
    operations_.pop_back();
    if (!operations_.empty()) return;
    const double now = desktop_.now();
    const double duration = now - operationStart_;
    longestOperation_ = std::max(longestOperation_, duration);
    if (duration > 0) lastWaitingOperationEnd_ = now;
}

void FaultSchedule::programEnds() {
    if (finished_) return;
    endedAt_ = desktop_.now();
    trace("the add-on ends");
}

// ---- the client and its faults

void FaultSchedule::startClient(bool signedOn) {
    standin::Options options = settings_.client;
    options.signedOn = signedOn;
    client_.emplace(desktop_, options);
    if (!trace_) return;
    client_->record().onEvent = [this](const standin::Event& event) {
        if (event.kind == standin::EventKind::Posted) {
            const LineForm form = classify(event.text, defaultStyle()).form;
            const std::string kind = form == LineForm::Unknown ? "" : std::string(" (") + formName(form) + ")";
            trace("posted" + kind + ": " + quoted(event.text));
        }
    };
}

void FaultSchedule::quitClient() {
    if (!client_) return;
    const std::vector<standin::Event>& events = client_->record().events();
    pastEvents_.insert(pastEvents_.end(), events.begin(), events.end());
    client_.reset();
}

double FaultSchedule::weightOfNow() const {
    // The watcher's polls make most of the calls; the rarer operations get a larger
    // share of the faults than their share of the calls.
    const std::string_view operation = runningOperation();
    if (operation == "watcher poll") return 0.1;
    if (operation == "idle tick") return 4;
    if (operation == "chat line") return 2;
    return 1;
}

const char* FaultSchedule::runningOperation() const {
    if (startingUp_) return "start-up";
    if (operations_.empty()) return "between operations";
    const Timer* timer = operations_.back();
    if (timer == &app_->presence().mainWindow().idleTimer()) return "idle tick";
    // The chat watcher's two timers: the one that hands lines to the command
    // processor runs as soon as it can, the one that polls the room every few
    // tens of milliseconds.
    return timer->interval() < 20 ? "chat line" : "watcher poll";
}

void FaultSchedule::injectFault(const char* call) {
    if (faultsInjected_ >= settings_.faultBudget) return;
    ++faultsInjected_;
    ++faultPlaces_[std::string(runningOperation()) + " / " + call];
    // How often each fault comes, relative to the others.
    struct Weighted {
        Fault fault;
        int weight;
    };
    static const Weighted kWeights[] = {
        {Fault::CloseRoom, 3},     {Fault::RecreateRoom, 2},  {Fault::OpenRoom, 3},
        {Fault::RaiseWindow, 4},   {Fault::CloseWindow, 2},   {Fault::SignOff, 2},
        {Fault::SignOn, 2},        {Fault::StartTransfer, 3}, {Fault::StopTransfer, 2},
        {Fault::TransferProgress, 2}, {Fault::ChangeCaption, 3}, {Fault::Hang, 2},
        {Fault::Flood, 2},         {Fault::QuitClient, 1},    {Fault::StartClient, 1},
        {Fault::OpenKeywordWindow, 2},
    };
    int total = 0;
    for (const Weighted& w : kWeights) total += w.weight;
    int roll = static_cast<int>(random_.below(static_cast<std::size_t>(total)));
    for (const Weighted& w : kWeights) {
        if ((roll -= w.weight) < 0) {
            applyFault(w.fault);
            return;
        }
    }
}

void FaultSchedule::applyFault(Fault fault) {
    if (!client_) {
        // Nothing to break while the client is gone; it may come back.
        if (fault == Fault::StartClient || random_.chance(0.3)) {
            trace("fault: the client starts");
            startClient(random_.chance(0.8));
        }
        return;
    }
    standin::SimStandin& client = *client_;
    switch (fault) {
        case Fault::CloseRoom:
        case Fault::RecreateRoom: {
            const std::vector<std::string> rooms = client.roomNames();
            if (rooms.empty()) return;
            const std::string& room = random_.pick(rooms);
            const bool again = fault == Fault::RecreateRoom;
            trace("fault: room " + quoted(room) + (again ? " closes and opens again" : " closes"));
            client.closeRoom(room);
            if (again) client.openRoom(room);
            return;
        }
        case Fault::OpenRoom: {
            const std::string& room = random_.pick(kRoomNames);
            trace("fault: room " + quoted(room) + " opens (or comes to the top)");
            client.openRoom(room);
            return;
        }
        case Fault::RaiseWindow:
            if (WindowHandle window = randomClientWindow()) {
                trace("fault: " + quoted(desktop_.caption(window)) + " comes to the top");
                desktop_.bringToTop(window);
            }
            return;
        case Fault::CloseWindow:
            if (WindowHandle window = randomClientWindow()) {
                trace("fault: the user closes " + quoted(desktop_.caption(window)));
                std::string text;
                client.handleMessage(window, msg::Close, 0, text);
            }
            return;
        case Fault::SignOff:
            trace("fault: the user signs off");
            client.signOff();
            return;
        case Fault::SignOn:
            trace("fault: the user signs on");
            client.signOn(kUser);
            return;
        case Fault::StartTransfer: {
            const standin::TransferKind kind = randomKind(random_);
            trace(std::string("fault: ") + standin::transferName(kind) + " starts");
            client.startTransfer(kind);
            return;
        }
        case Fault::StopTransfer: {
            const standin::TransferKind kind = randomKind(random_);
            trace(std::string("fault: ") + standin::transferName(kind) + " stops");
            client.stopTransfer(kind);
            return;
        }
        case Fault::TransferProgress: {
            const standin::TransferKind kind = randomKind(random_);
            client.setTransferProgress(kind, static_cast<int>(random_.below(101)));
            return;
        }
        case Fault::ChangeCaption: {
            WindowHandle window = random_.chance(0.2) ? client.frame() : randomClientWindow();
            if (!window) return;
            const std::string& caption = random_.pick(kCaptions);
            trace("fault: " + quoted(desktop_.caption(window)) + " is now captioned " + quoted(caption));
            desktop_.setCaption(window, caption);
            return;
        }
        case Fault::Hang: {
            if (hangsLeft_ == 0) return;
            --hangsLeft_;
            const double seconds = random_.between(0.5, 30);
            trace("fault: the client hangs for " + std::to_string(seconds) + " s");
            client.hang(seconds);
            hangsEnd_ = std::max(hangsEnd_, desktop_.now() + seconds);
            return;
        }
        case Fault::Flood:
            trace("fault: a flood of lines");
            for (std::size_t n = 2 + random_.below(9); n > 0; --n) {
                otherSays(random_.pick(kOthers), random_.pick(kOtherLines));
            }
            return;
        case Fault::QuitClient:
            trace("fault: the client quits");
            quitClient();
            return;
        case Fault::StartClient:
            trace("fault: the client quits and starts again");
            quitClient();
            startClient(random_.chance(0.8));
            return;
        case Fault::OpenKeywordWindow:
            if (WindowHandle icon = client.toolbarIcon(standin::kKeywordIconNumber)) {
                trace("fault: the user opens the keyword window");
                std::string text;
                client.handleMessage(icon, msg::LButtonDown, 0, text);
                client.handleMessage(icon, msg::KeyUp, kVkSpace, text);
            }
            return;
    }
}

WindowHandle FaultSchedule::randomClientWindow() {
    if (!client_ || !client_->mdiClient()) return 0;
    const std::vector<WindowHandle> windows = desktop_.children(client_->mdiClient());
    return windows.empty() ? 0 : random_.pick(windows);
}

bool FaultSchedule::userTypes(const std::string& text) {
    const bool posted = client_ && client_->send(text);
    trace("the user types " + quoted(text) + (posted ? "" : " (no room to type it in)"));
    if (posted) typed_.push_back({desktop_.now(), text});
    return posted;
}

void FaultSchedule::otherSays(const std::string& author, const std::string& text) {
    if (client_ && client_->say(author, text)) trace(quoted(author) + " says " + quoted(text));
}

// ---- after the faults

void FaultSchedule::recover() {
    // The client answers again once its last hang is over.
    desktop_.runFor(std::max(0.0, hangsEnd_ - desktop_.now()) + 0.5);
    if (desktop_.programEnded()) return;
    putClientInOrder();
    waitUntilSettled();
    if (desktop_.programEnded()) return;
    const double typedAt = desktop_.now();
    if (!userTypes(".idleon")) {
        problem(stamp(typedAt) + "the client, put in order, would not take the user's .idleon");
        return;
    }
    desktop_.runFor(80);
    checkRecovery(typedAt);
}

void FaultSchedule::putClientInOrder() {
    trace("the client is put in order: running, signed on, one fresh room on top, no transfers");
    if (!client_) startClient(true);
    standin::SimStandin& client = *client_;
    client.stopTransfer(standin::TransferKind::Download);
    client.stopTransfer(standin::TransferKind::Upload);
    client.signOn(kUser);  // a fresh welcome window, whatever became of the old one
    for (const std::string& room : client.roomNames()) client.closeRoom(room);
    client.openRoom("Lobby");
}

void FaultSchedule::waitUntilSettled() {
    // Commands still queued run out first (one may take the user to another room),
    // and the watcher gets to know the fresh room before the user types in it.
    const double restoredAt = desktop_.now();
    constexpr double kQuietSeconds = 3;
    constexpr double kWatcherSeconds = 6;
    while (desktop_.now() - lastWaitingOperationEnd_ < kQuietSeconds ||
           desktop_.now() - restoredAt < kWatcherSeconds) {
        desktop_.runFor(1);
        if (desktop_.programEnded()) return;
    }
}

void FaultSchedule::checkRecovery(double typedAt) {
    if (desktop_.programEnded()) {
        // Only a command of the user's own ends it; that is judged with the lines.
        return;
    }
    const expected::Style style = defaultStyle();
    std::optional<double> bannerAt;
    std::optional<double> idleLineAt;
    for (const standin::Event& event : allEvents()) {
        if (event.kind != standin::EventKind::Posted || event.time <= typedAt) continue;
        const LineForm form = classify(event.text, style).form;
        if (form == LineForm::IdleOnBanner && !bannerAt) bannerAt = event.time;
        if (form == LineForm::IdleLine && !idleLineAt) idleLineAt = event.time;
    }
    constexpr double kReplySeconds = 15;
    constexpr double kMinuteSeconds = 62;
    if (!bannerAt || *bannerAt > typedAt + kReplySeconds) {
        problem(stamp(typedAt) + "after the faults, the user's .idleon brought no idle-on line within " +
                std::to_string(int(kReplySeconds)) + " s");
    }
    const double latest = bannerAt.value_or(typedAt + kReplySeconds) + kMinuteSeconds;
    if (!idleLineAt || *idleLineAt > latest) {
        problem(stamp(typedAt) + "after the faults, no idle line came within the minute after .idleon");
    }
}

std::vector<standin::Event> FaultSchedule::allEvents() {
    std::vector<standin::Event> events = pastEvents_;
    if (client_) {
        const std::vector<standin::Event>& current = client_->record().events();
        events.insert(events.end(), current.begin(), current.end());
    }
    return events;
}

void FaultSchedule::checkPostedLines() {
    const expected::Style style = defaultStyle();

    // What the user's own lines asked for, as the commands read them.
    std::multiset<std::string> typedTexts;
    std::multiset<std::string> privateRooms, chatNames;
    std::map<LineForm, int> allowed;
    std::optional<double> firstIdleOn;
    int ends = 0;
    for (const Typed& typed : typed_) {
        typedTexts.insert(typed.text);
        const std::string line = text::toLower(typed.text);
        if (text::matchesPattern(line, ".pr *")) privateRooms.insert(text::from(line, 5));
        if (text::matchesPattern(line, ".aim *")) chatNames.insert(text::from(line, 6));
        if (line == ".idleon") {
            ++allowed[LineForm::IdleOnBanner];
            if (!firstIdleOn) firstIdleOn = typed.at;
        }
        if (line == ".idleoff") ++allowed[LineForm::IdleOffBanner];
        if (line == ".coms") ++allowed[LineForm::CommandsLine];
        if (line == ".end" || line == ".exit") ++ends;
    }
    allowed[LineForm::LoadBanner] = 1;
    allowed[LineForm::CommandUnloadBanner] = std::min(ends, 1);

    std::map<LineForm, int> seen;
    long lastIdleMinutes = -1;
    for (const standin::Event& event : allEvents()) {
        if (event.kind != standin::EventKind::Posted) continue;
        if (auto mine = typedTexts.find(event.text); mine != typedTexts.end()) {
            typedTexts.erase(mine);  // the user's own line
            continue;
        }
        ++linesJudged_;
        const std::string at = stamp(event.time);
        if (endedAt_ && event.time > *endedAt_) problem(at + "a line was posted after the add-on ended");
        const PostedForm posted = classify(event.text, style);
        switch (posted.form) {
            case LineForm::Unknown:
                problem(at + "posted a line the add-on never meant to post: " + quoted(event.text));
                break;
            case LineForm::PrivateRoomLine:
            case LineForm::ChatRoomLine: {
                auto& asked = posted.form == LineForm::PrivateRoomLine ? privateRooms : chatNames;
                if (auto it = asked.find(posted.value); it != asked.end()) {
                    asked.erase(it);
                } else {
                    problem(at + formName(posted.form) + " for " + quoted(posted.value) + " that the user never asked for");
                }
                break;
            }
            case LineForm::IdleLine:
                if (posted.idleMinutes <= lastIdleMinutes) {
                    problem(at + "idle line at " + std::to_string(posted.idleMinutes) + " min after one at " +
                            std::to_string(lastIdleMinutes) + " min");
                }
                lastIdleMinutes = posted.idleMinutes;
                [[fallthrough]];
            case LineForm::UploadLine:
            case LineForm::DownloadLine:
                if (posted.value != kReason) problem(at + formName(posted.form) + " with reason " + quoted(posted.value));
                if (!firstIdleOn || event.time < *firstIdleOn) {
                    problem(at + formName(posted.form) + " before the user ever switched idling on");
                }
                break;
            default:
                if (++seen[posted.form] > allowed[posted.form]) {
                    problem(at + formName(posted.form) + " number " + std::to_string(seen[posted.form]) +
                            ", more than the user's commands asked for");
                }
                break;
        }
    }
    if (desktop_.programEnded() && ends == 0) problem("the add-on ended though the user never typed .end or .exit");
}

void FaultSchedule::problem(const std::string& what) {
    trace("PROBLEM: " + what);
    if (problems_.size() < kMaxProblems) problems_.push_back(what);
}

void FaultSchedule::trace(const std::string& what) {
    if (trace_) *trace_ << stamp(desktop_.now()) << what << "\n";
}

}  // namespace lantern::faults
