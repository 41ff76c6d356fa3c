#include "app/demo/demo_session.h"

#include <cstdio>
#include <iostream>

#include "common/text.h"

namespace lantern::demo {

namespace {
std::string utf8(const std::string& cp1252) { return text::cp1252ToUtf8(cp1252); }
}  // namespace

DemoSession::DemoSession(DemoOptions options)
    : options_(options),
      client_(desktop_, standin::Options{.screenName = "lantern tester", .rooms = {"Lobby"}}),
      platform_(desktop_.platform()),
      app_(platform_) {
    desktop_.setTimeOfDay(21 * 3600.0);  // a quiet evening
}

int DemoSession::run(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        if (ended()) break;
        if (step.wait > 0) letTimePass(step.wait);
        if (!step.description.empty()) {
            std::cout << "\n" << clock(desktop_.now()) << "  == " << utf8(step.description) << "\n";
        }
        desktop_.run([&] { step.action(*this); });
        print(newEvents());
    }
    if (ended()) std::cout << clock(desktop_.now()) << "  lantern-idle has ended.\n";
    return posted_;
}

void DemoSession::letTimePass(double seconds, int keepFirst, int keepLast) {
    desktop_.runFor(seconds);
    print(newEvents(), keepFirst, keepLast);
}

void DemoSession::say(const std::string& line) { std::cout << "           " << utf8(line) << "\n"; }

void DemoSession::clickControl(const std::string& form, const std::string& control) {
    Window* window = desktop_.form(form);
    Control* target = window ? window->control(control) : nullptr;
    if (!target) {
        say("(no " + form + "." + control + " to click)");
        return;
    }
    desktop_.click(*target);
}

void DemoSession::chooseFromMenu(const std::string& item) {
    desktop_.queuePopupChoice(item);
    clickControl("frmMain", "lblPop");
}

void DemoSession::showWindows() {
    for (const char* name : {"frmMain", "frmSplash", "frmMenu", "frmAscii", "frmComs"}) {
        Window* window = desktop_.form(name);
        if (!window) {
            say(std::string(name) + ": not created");
            continue;
        }
        char where[64];
        std::snprintf(where, sizeof where, " at %.0f,%.0f twips", window->left(), window->top());
        say(std::string(name) + ": " + (window->visible() ? "shown" : "hidden") + where + ", caption \"" +
            window->caption() + "\"");
    }
}

std::vector<std::string> DemoSession::newEvents() {
    std::vector<std::string> lines;
    const auto& events = client_.record().events();
    for (; shown_ < events.size(); ++shown_) {
        const standin::Event& e = events[shown_];
        const std::string at = clock(e.time) + "  ";
        switch (e.kind) {
        case standin::EventKind::Posted:
            ++posted_;
            lines.push_back(at + utf8(e.name) + ": " + room(e.text));
            if (options_.showRawMarkup) {
                lines.back() += "\n           raw: " + terminal::printableMarkup(e.text);
            }
            break;
        case standin::EventKind::Said:
            lines.push_back(at + utf8(e.name) + ": " + room(e.text));
            break;
        case standin::EventKind::FrameCaption:
            if (e.text.empty()) break;  // the clearing write before every caption
            lines.push_back(at + "[client caption] " + utf8(e.text));
            break;
        case standin::EventKind::LinkOpened:
            lines.push_back(at + "[client opens] " + utf8(e.text));
            break;
        case standin::EventKind::RoomEntered:
            lines.push_back(at + "[client] now in room \"" + utf8(e.room) + "\"");
            break;
        case standin::EventKind::WindowMinimized:
            lines.push_back(at + "[client] minimised \"" + utf8(e.text) + "\"");
            break;
        case standin::EventKind::WindowClosed:
            lines.push_back(at + "[client] closed \"" + utf8(e.text) + "\"");
            break;
        case standin::EventKind::TransferStarted:
            lines.push_back(at + "[client] " + utf8(e.name) + " of " + utf8(e.text) + " starts");
            break;
        case standin::EventKind::TransferStopped:
            lines.push_back(at + "[client] " + utf8(e.name) + " of " + utf8(e.text) + " ends");
            break;
        default:
            break;
        }
    }
    return lines;
}

void DemoSession::print(const std::vector<std::string>& lines, int keepFirst, int keepLast) {
    const int count = static_cast<int>(lines.size());
    const bool elide = keepFirst >= 0 && keepFirst + keepLast < count;
    for (int i = 0; i < count; ++i) {
        if (elide && i == keepFirst) {
            std::cout << "           ... " << (count - keepFirst - keepLast) << " more lines like these ...\n";
        }
        if (elide && i >= keepFirst && i < count - keepLast) continue;
        std::cout << lines[i] << "\n";
    }
    std::cout.flush();
}

std::string DemoSession::clock(double time) const {
    long seconds = static_cast<long>(time);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "[%02ld:%02ld:%02ld]", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return buffer;
}

std::string DemoSession::room(const std::string& markup) const {
    return terminal::renderMarkup(markup, options_.rendering);
}

}  // namespace lantern::demo
