#pragma once
// The simulator's terminal front end: lantern-idle running against the stand-in
// client on the simulated desktop, in virtual time. A session is a small script of
// steps; each step says what happens, does it, and the room's new lines, captions
// and window changes are printed with their virtual timestamps.

#include <functional>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/terminal/markup.h"
#include "platform/sim/desktop.h"
#include "standin/sim/sim_standin.h"

namespace lantern::demo {

struct DemoOptions {
    terminal::Rendering rendering = terminal::Rendering::Plain;
    bool showRawMarkup = false;
};

class DemoSession;

struct Step {
    double wait = 0;  // virtual seconds to let pass before the step
    std::string description;  // printed as the step begins; "" prints nothing
    std::function<void(DemoSession&)> action;
};

class DemoSession {
public:
    explicit DemoSession(DemoOptions options);

    // Runs every step in order; returns the number of lines posted into the room.
    int run(const std::vector<Step>& steps);

    // ---- what steps use
    sim::Desktop& desktop() { return desktop_; }
    standin::SimStandin& client() { return client_; }
    App& app() { return app_; }
    // Lets time pass and prints what happened, in order with its times. With
    // `keepFirst` and `keepLast` set, only that many lines from each end are shown
    // and the rest summed up (an hour of idle lines).
    void letTimePass(double seconds, int keepFirst = -1, int keepLast = 0);
    void say(const std::string& text);  // a line of the step's own narration
    void clickControl(const std::string& form, const std::string& control);
    void chooseFromMenu(const std::string& item);
    void showWindows();
    bool ended() const { return desktop_.programEnded(); }

private:
    // Formats the record's events since the last call, one output line each.
    std::vector<std::string> newEvents();
    void print(const std::vector<std::string>& lines, int keepFirst = -1, int keepLast = 0);
    std::string clock(double time) const;
    std::string room(const std::string& text) const;

    DemoOptions options_;
    sim::Desktop desktop_;
    standin::SimStandin client_;
    Platform platform_;  // the desktop's seams; App keeps a reference to it
    App app_;
    std::size_t shown_ = 0;  // record events printed so far
    int posted_ = 0;
};

// The session that `make demo` plays.
std::vector<Step> demoScript();

}  // namespace lantern::demo
