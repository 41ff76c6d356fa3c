// How the watcher runs: it looks at the open chat room when the transcript reports a
// change, and on a poll timer. A look asks the transcript for its length first and
// reads the whole text only when it may have changed: a change was reported, the
// length changed, a last line waits to settle, the room has been busy within the
// last second, or enough polls have passed anyway. A busy room is read at every poll
// because once the client trims, each new line pushes an old one out and the length
// often stays the same.
//
// The poll's pace follows the transcript's reports (see change_reports.h): every 40
// ms until reports have been seen, and then only once a second to be safe, with a
// look right after each report and one more shortly after it to confirm a new last
// line. A room whose reports miss a change is polled every 40 ms again.
//
// New lines go into a queue; a second timer hands them to the handler one at a
// time. The handler's pauses let events run, so the watcher keeps looking during a
// handler, but those looks only add to the queue: the dispatch loop already running
// hands the lines on afterwards.
//
// The watcher never waits on a client that is not answering: every send of its own
// only glances (see GlancingWindows). The first glance that goes unanswered marks the
// client as stalled; from then on nothing is sent and no line is handed on (the
// handler would only wait on the client too) until the client answers the one
// WM_NULL sent to learn when it does. Nothing is lost meanwhile: the lines wait in
// the transcript and in the queue.

#include "chatwatch/chat_watcher.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "chatwatch/change_reports.h"
#include "chatwatch/glancing_windows.h"
#include "chatwatch/line_queue.h"
#include "chatwatch/room_transcript.h"
#include "chatwatch/transcript.h"
#include "client/client.h"

namespace lantern {

namespace {

constexpr unsigned kPollMilliseconds = 40;
// The poll while the transcript's reports are trusted: only to be safe.
constexpr unsigned kSafetyPollMilliseconds = 1000;
// As soon as the toolkit allows: a dispatch is only put off to leave the poll, a look
// after a report to leave the report.
constexpr unsigned kDispatchMilliseconds = 1;
constexpr unsigned kReportedLookMilliseconds = 1;
// With reports trusted, the look after a read that showed a new last line, to see
// that it stayed the same.
constexpr unsigned kConfirmMilliseconds = 20;
// How long a change found without a report waits for its report before the reports
// count as missing changes.
constexpr unsigned kLateReportMilliseconds = 250;
// Polls between reads of the whole text in a quiet room whose length stays the same.
constexpr int kPollsPerForcedRead = 25;
constexpr int kSafetyPollsPerForcedRead = 10;
// Polls after a change of the text during which every poll reads it.
constexpr int kBusyPolls = 25;
// A queue this long asks who is signed on, to fold other people's dot-lines.
constexpr std::size_t kBacklog = 32;

}  // namespace

struct ChatWatcher::Impl {
    Impl(Platform& seams, ChatLineHandler handler)
        : platform(seams),
          glancing(platform.windows),
          glancingPlatform{glancing, platform.registry, platform.events, platform.toolkit},
          onChatLine(std::move(handler)),
          pollTimer(platform.toolkit.createTimer()),
          lookTimer(platform.toolkit.createTimer()),
          judgeTimer(platform.toolkit.createTimer()),
          dispatchTimer(platform.toolkit.createTimer()) {
        pollTimer->setInterval(kPollMilliseconds);
        pollTimer->onTick = [this] { poll(); };
        lookTimer->onTick = [this] {
            lookTimer->setEnabled(false);
            poll();
        };
        judgeTimer->setInterval(kLateReportMilliseconds);
        judgeTimer->onTick = [this] {
            judgeTimer->setEnabled(false);
            reports.judge();
            setPace();
        };
        dispatchTimer->setInterval(kDispatchMilliseconds);
        dispatchTimer->onTick = [this] { dispatch(); };
    }

    void start();
    void stop();
    void poll();
    void watchRoom(const roomtranscript::Room& found);
    void enterRoom(const roomtranscript::Room& found, std::string text);
    void leaveRoom();
    void reported();
    void lookSoon(unsigned milliseconds);
    void setPace();
    void foldOthersIfBacklogged();
    void awaitAnswerIfStalled();
    void scheduleDispatch();
    void dispatch();

    Platform platform;  // the seams, not owned
    GlancingWindows glancing;  // over platform.windows: every send of ours goes through it
    Platform glancingPlatform;  // platform with `glancing` for its windows
    ChatLineHandler onChatLine;
    SignedOnNameReader readSignedOnName;  // none: nothing is folded
    std::unique_ptr<Timer> pollTimer;  // owned
    std::unique_ptr<Timer> lookTimer;  // owned; once, soon after a report or a new last line
    std::unique_ptr<Timer> judgeTimer;  // owned; once, a while after a change came unreported
    std::unique_ptr<Timer> dispatchTimer;  // owned

    bool started = false;
    bool dispatching = false;
    WindowHandle room = 0;  // the room being watched; 0 before one was seen
    std::optional<std::size_t> lastLength;
    int pollsSinceRead = 0;
    int pollsSinceChange = kBusyPolls;
    // The client's window that left a glance unanswered; 0 while the client answers.
    WindowHandle awaited = 0;
    std::uint64_t stalls = 0;
    std::shared_ptr<char> life = std::make_shared<char>();  // watched by the answer's callback
    TranscriptTracker tracker;
    ChangeReports reports;  // of the room's transcript
    LineQueue queue;
    std::size_t foldAt = kBacklog;  // the queue length that next asks for the name
    std::uint64_t linesSeen = 0;
    std::uint64_t linesDelivered = 0;
};

void ChatWatcher::Impl::start() {
    if (started) {
        return;
    }
    started = true;
    leaveRoom();
    awaited = 0;
    queue.clear();
    // What the room holds now is old: this first look only notes where it ends.
    poll();
    pollTimer->setEnabled(true);
}

void ChatWatcher::Impl::stop() {
    started = false;
    pollTimer->setEnabled(false);
    lookTimer->setEnabled(false);
    judgeTimer->setEnabled(false);
    dispatchTimer->setEnabled(false);
    queue.clear();
    leaveRoom();
    awaited = 0;
}

void ChatWatcher::Impl::poll() {
    if (!started) {
        return;
    }
    if (awaited != 0) {
        if (platform.windows.isWindow(awaited)) {
            return;  // still waiting for the client to answer
        }
        awaited = 0;  // it ended without answering: look afresh
    }
    const roomtranscript::Room found = roomtranscript::find(glancing);
    if (found.room == 0) {
        leaveRoom();  // no room open: the next one starts afresh
        return;
    }
    watchRoom(found);
    awaitAnswerIfStalled();
}

void ChatWatcher::Impl::awaitAnswerIfStalled() {
    const WindowHandle stalled = glancing.takeStalled();
    if (stalled == 0) {
        return;
    }
    ++stalls;
    awaited = stalled;
    const std::weak_ptr<char> alive = life;
    const bool asked = platform.windows.notifyWhenAnswering(stalled, [this, alive, stalled] {
        if (alive.expired() || awaited != stalled) {
            return;  // the watcher is gone, or stopped or moved on meanwhile
        }
        awaited = 0;
        scheduleDispatch();
        lookSoon(kReportedLookMilliseconds);  // what came meanwhile was not read
    });
    if (!asked) {
        awaited = 0;  // gone meanwhile: the next poll looks afresh
    }
}

void ChatWatcher::Impl::watchRoom(const roomtranscript::Room& found) {
    const std::optional<std::size_t> length = roomtranscript::length(glancing, found.transcript);
    if (!length) {
        return;  // not answering: the lines wait in the transcript
    }
    const bool sameRoom = found.room == room;
    ++pollsSinceRead;
    pollsSinceChange = std::min(pollsSinceChange + 1, kBusyPolls + 1);
    const bool trusted = reports.trusted();
    const int forcedReadAfter = trusted ? kSafetyPollsPerForcedRead : kPollsPerForcedRead;
    const bool worthReading = !sameRoom || reports.pending() || length != lastLength || tracker.hasUnsettledLine() ||
                              (!trusted && pollsSinceChange <= kBusyPolls) || pollsSinceRead >= forcedReadAfter;
    if (!worthReading) {
        return;
    }
    std::optional<std::string> text = roomtranscript::read(glancing, found.transcript, *length);
    if (!text) {
        return;
    }
    lastLength = length;
    pollsSinceRead = 0;
    if (!sameRoom) {
        enterRoom(found, std::move(*text));
        return;
    }
    const bool changed = *text != tracker.text();
    if (changed) {
        pollsSinceChange = 0;
    }
    reports.read(changed);
    if (reports.suspicious() && !judgeTimer->enabled()) {
        judgeTimer->setEnabled(true);
    }
    for (ChatLine& line : tracker.update(std::move(*text))) {
        ++linesSeen;
        queue.push(std::move(line));
    }
    if (reports.trusted() && tracker.hasUnsettledLine()) {
        lookSoon(kConfirmMilliseconds);
    }
    foldOthersIfBacklogged();
    scheduleDispatch();
}

void ChatWatcher::Impl::enterRoom(const roomtranscript::Room& found, std::string text) {
    // Another room (or the first one): only what comes after now is new there.
    room = found.room;
    pollsSinceChange = kBusyPolls;
    tracker.reset(std::move(text));
    reports.watch(platform.windows, found.transcript, [this] { reported(); });
    setPace();
}

void ChatWatcher::Impl::leaveRoom() {
    room = 0;
    reports.forget();
    judgeTimer->setEnabled(false);
    setPace();
}

void ChatWatcher::Impl::reported() {
    reports.reported();
    setPace();
    lookSoon(kReportedLookMilliseconds);
}

void ChatWatcher::Impl::lookSoon(unsigned milliseconds) {
    if (!started || (lookTimer->enabled() && lookTimer->interval() <= milliseconds)) {
        return;
    }
    lookTimer->setEnabled(false);
    lookTimer->setInterval(milliseconds);
    lookTimer->setEnabled(true);
}

void ChatWatcher::Impl::setPace() {
    const bool trusted = reports.trusted();
    tracker.setSettleReads(trusted ? TranscriptTracker::kSettleReadsWhenReported : TranscriptTracker::kSettleReads);
    const unsigned interval = trusted ? kSafetyPollMilliseconds : kPollMilliseconds;
    if (pollTimer->interval() == interval) {
        return;
    }
    const bool running = pollTimer->enabled();
    pollTimer->setEnabled(false);
    pollTimer->setInterval(interval);
    pollTimer->setEnabled(running);
}

void ChatWatcher::Impl::foldOthersIfBacklogged() {
    if (queue.empty()) {
        foldAt = kBacklog;
        return;
    }
    if (queue.size() <= foldAt || !readSignedOnName) {
        return;
    }
    // Reading the name may let events run; the queue may shrink meanwhile, which
    // is fine: the folding works on what is queued once the name is known.
    const std::string signedOnName = readSignedOnName(glancingPlatform);
    // A read that names nobody (nobody signed on, or the client did not answer)
    // cannot tell the user's lines from others': then nothing is folded.
    if (namesSomeone(signedOnName)) {
        queue.demoteOthers(signedOnName);
    }
    // What is left is the user's own; ask again only once it has doubled.
    foldAt = std::max(kBacklog, 2 * queue.size());
}

void ChatWatcher::Impl::scheduleDispatch() {
    if (started && awaited == 0 && !dispatching && !queue.empty() && !dispatchTimer->enabled()) {
        dispatchTimer->setEnabled(true);
    }
}

void ChatWatcher::Impl::dispatch() {
    dispatchTimer->setEnabled(false);
    if (dispatching) {
        return;  // lines that arrive inside a handler wait for the loop below
    }
    dispatching = true;
    // Also when the handler ends the program or throws: then nothing stays stuck.
    struct Done {
        Impl& self;
        ~Done() {
            self.dispatching = false;
            self.scheduleDispatch();
        }
    } done{*this};
    while (started && awaited == 0) {
        std::optional<ChatLine> line = queue.pop();
        if (!line) {
            break;
        }
        ++linesDelivered;
        onChatLine(line->screenName, line->text);
    }
}

ChatWatcher::ChatWatcher(Platform& platform, ChatLineHandler onChatLine)
    : impl_(std::make_unique<Impl>(platform, std::move(onChatLine))) {}

ChatWatcher::~ChatWatcher() { impl_->stop(); }

void ChatWatcher::start() { impl_->start(); }

void ChatWatcher::stop() { impl_->stop(); }

void ChatWatcher::setSignedOnNameReader(SignedOnNameReader reader) { impl_->readSignedOnName = std::move(reader); }

ChatWatcherStats ChatWatcher::stats() const {
    ChatWatcherStats stats;
    stats.linesSeen = impl_->linesSeen;
    stats.linesDelivered = impl_->linesDelivered;
    stats.linesCoalesced = impl_->queue.coalesced();
    stats.queueLength = impl_->queue.size();
    stats.queuePeak = impl_->queue.peak();
    stats.clientStalls = impl_->stalls;
    stats.changeReports = impl_->reports.reports();
    stats.changesUnreported = impl_->reports.missed();
    stats.reportsTrusted = impl_->reports.trusted();
    return stats;
}

}  // namespace lantern
