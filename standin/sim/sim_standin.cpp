#include "standin/sim/sim_standin.h"

#include <algorithm>

namespace lantern::standin {

SimHost::~SimHost() {
    for (WindowHandle window : topLevel_) {
        if (desktop_.exists(window)) desktop_.destroyWindow(window);
    }
}

WindowHandle SimHost::create(const NewWindow& window) {
    WindowHandle made = window.placement == Placement::Top
                            ? desktop_.createWindow(window.parent, window.className, window.text)
                            : desktop_.createWindowAtBottom(window.parent, window.className, window.text);
    if (!made) return 0;
    if (!window.parent) topLevel_.push_back(made);
    desktop_.setHandler(made, [this](WindowHandle self, unsigned message, std::uintptr_t wParam, std::intptr_t,
                                     std::string& text) { return dispatch(self, message, wParam, text); });
    return made;
}

std::optional<std::intptr_t> SimHost::dispatch(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                               std::string& text) {
    if (!client_) return std::nullopt;
    return client_->handleMessage(window, message, wParam, text);
}

void SimHost::destroy(WindowHandle window) {
    std::erase(topLevel_, window);
    desktop_.destroyWindow(window);
    std::erase_if(scrolledTo_, [this](const auto& view) { return !desktop_.exists(view.first); });
}

std::string SimHost::text(WindowHandle window) { return desktop_.caption(window); }

void SimHost::setText(WindowHandle window, const std::string& text) { desktop_.setCaption(window, text); }

std::vector<WindowHandle> SimHost::children(WindowHandle parent) { return desktop_.children(parent); }

void SimHost::bringToTop(WindowHandle window) { desktop_.bringToTop(window); }

bool SimHost::minimized(WindowHandle window) { return desktop_.minimized(window); }

void SimHost::hang(WindowHandle frame, double seconds) { desktop_.hang(frame, seconds); }

double SimHost::now() { return desktop_.now(); }

namespace {

// The view as the Win32 stand-in lays it out at its usual size: rows of text it
// shows at once, and characters a row holds before the line wraps.
constexpr std::size_t kViewRows = 20;
constexpr std::size_t kRowChars = 80;

// Where the view's scroll bar stands once it shows the newest line: the rows above
// the view, none while every line still fits.
std::size_t scrollPosition(const Transcript& transcript) {
    std::size_t rows = 0;
    for (const TranscriptLine& line : transcript.lines()) {
        const std::size_t shown = std::min(line.speaker.size() + 2 + line.markup.size(), kShownLineChars);
        rows += 1 + (shown - 1) / kRowChars;
    }
    return rows > kViewRows ? rows - kViewRows : 0;
}

}  // namespace

void SimHost::transcriptChanged(WindowHandle view, const Transcript& transcript, std::size_t, bool reported) {
    // Keeps the window's caption equal to what it answers, for tests that look
    // at the desktop directly.
    desktop_.setCaption(view, transcript.text());
    // Windows reports a transcript's change only through its scroll bar moving on
    // (EVENT_OBJECT_VALUECHANGE on OBJID_VSCROLL): while a fresh room's lines still
    // fit the view, nothing scrolls and nothing is reported.
    if (!reported) return;  // a client whose windows report nothing: no view to follow
    const std::size_t position = scrollPosition(transcript);
    std::size_t& scrolled = scrolledTo_[view];
    if (position != scrolled) desktop_.reportChange(view);
    scrolled = position;
}

SimStandin::SimStandin(sim::Desktop& desktop, Options options)
    : SimHostHolder(desktop), StandinClient(host, std::move(options)), desktop_(desktop) {
    host.attach(*this);
}

}  // namespace lantern::standin
