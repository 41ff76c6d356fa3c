#pragma once
// A small chat client built window by window on the simulated desktop, and the check
// that compares recorded message traffic with a table.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "client/client.h"
#include "platform/messages.h"
#include "platform/sim/desktop.h"

namespace lantern {

// One expected message. `at`: virtual seconds after the scene's mark, or < 0 when
// the time does not matter.
struct Sent {
    WindowHandle window;
    unsigned message;
    std::uintptr_t wParam;
    std::string text;
    double at = -1;
};

inline std::string describe(WindowHandle window, unsigned message, std::uintptr_t wParam,
                            const std::string& text, double at) {
    std::ostringstream line;
    line << "#" << window << " " << messageName(message) << " " << wParam << " \"" << text << "\"";
    if (at >= 0) {
        line << " @" << at;
    }
    return line.str();
}

class ClientScene : public ::testing::Test {
protected:
    sim::Desktop desktop;
    Platform platform{desktop.platform()};
    Client client{platform};
    WindowHandle frame = 0;
    WindowHandle mdi = 0;
    std::vector<std::string> posted;  // what the chat rooms' input boxes sent
    double mark = 0;                  // start of the timed part of a test

    // The client's frame and its MDI client, with no client window open.
    void openClient() {
        frame = desktop.createWindow(0, "AOL Frame25", "AOL");
        mdi = desktop.createWindow(frame, "MDIClient");
    }

    // A window below its existing siblings, so that sibling order is creation order.
    WindowHandle add(WindowHandle parent, const std::string& className, const std::string& caption = "") {
        return desktop.createWindowAtBottom(parent, className, caption);
    }

    // A client window ("AOL Child") with one child of each class given.
    WindowHandle addClientWindow(const std::string& caption,
                                 std::initializer_list<const char*> childClasses) {
        const WindowHandle window = add(mdi, "AOL Child", caption);
        for (const char* childClass : childClasses) {
            add(window, childClass);
        }
        return window;
    }

    // A chat room whose input box posts its text on a carriage return.
    WindowHandle addChatRoom(const std::string& caption) {
        const WindowHandle room = addClientWindow(
            caption, {"_AOL_Static", "RICHCNTLREADONLY", "_AOL_Combobox", "_AOL_Icon", "RICHCNTL"});
        desktop.setHandler(inputBox(room),
                           [this](WindowHandle self, unsigned message, std::uintptr_t wParam, std::intptr_t,
                                  std::string&) -> std::optional<std::intptr_t> {
                               if (message == msg::Char && wParam == kVkReturn) {
                                   posted.push_back(desktop.caption(self));
                               }
                               return std::nullopt;
                           });
        return room;
    }

    WindowHandle inputBox(WindowHandle room) { return desktop.windows().findChild(room, 0, "richcntl"); }

    // Starts recording from now.
    void startRecording() {
        desktop.clearMessages();
        mark = desktop.now();
    }

    double elapsed() const { return desktop.now() - mark; }

    // The recorded traffic since startRecording, compared in order with `expected`;
    // on a difference the whole of both is printed side by side.
    void expectTraffic(const std::vector<Sent>& expected) { expectMessages(desktop.messages(), expected); }

    // Virtual time, read back through a time of day in seconds: a few microseconds of
    // rounding are not a different pause.
    static constexpr double kTimeTolerance = 1e-4;

    void expectMessages(const std::vector<sim::RecordedMessage>& actual, const std::vector<Sent>& expected) {
        bool same = actual.size() == expected.size();
        std::ostringstream table;
        for (std::size_t i = 0; i < std::max(actual.size(), expected.size()); ++i) {
            const Sent* e = i < expected.size() ? &expected[i] : nullptr;
            const sim::RecordedMessage* a = i < actual.size() ? &actual[i] : nullptr;
            const bool match = e && a && e->window == a->window && e->message == a->message &&
                               e->wParam == a->wParam && e->text == a->text &&
                               (e->at < 0 || std::abs(a->time - mark - e->at) < kTimeTolerance);
            same = same && match;
            table << (match ? "  " : "* ")
                  << (e ? describe(e->window, e->message, e->wParam, e->text, e->at) : "(none)") << "  |  "
                  << (a ? describe(a->window, a->message, a->wParam, a->text, a->time - mark) : "(none)")
                  << (a && !a->delivered ? " (not delivered)" : "") << "\n";
        }
        EXPECT_TRUE(same) << "  expected  |  actual (* where they differ)\n" << table.str();
    }
};

}  // namespace lantern
