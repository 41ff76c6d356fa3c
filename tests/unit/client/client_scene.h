#pragma once
// A small chat client built window by window on the simulated desktop, and the check
// that compares recorded message traffic with a table.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "client/client.h"
#include "platform/messages.h"
#include "platform/sim/desktop.h"

namespace lantern {

// One expected message; `at`: seconds after the mark, < 0 when the time does not matter.
struct Sent {
    WindowHandle window;
    unsigned message;
    std::uintptr_t wParam;
    std::string text;
    double at = -1;
};

class ClientScene : public ::testing::Test {
protected:
    sim::Desktop desktop;
    Platform platform{desktop.platform()};
    Client client{platform};
    WindowHandle frame = 0, mdi = 0;
    double mark = 0;  // when recording started

    void openClient() { mdi = desktop.createWindow(frame = desktop.createWindow(0, "AOL Frame25"), "MDIClient"); }

    // Below its siblings (sibling order is creation order); one child per class, then
    // one "_AOL_Static" per label.
    WindowHandle add(WindowHandle parent, const std::string& className, const std::string& caption = "",
                     const std::vector<const char*>& childClasses = {}, const std::vector<const char*>& labels = {}) {
        const WindowHandle window = desktop.createWindowAtBottom(parent, className, caption);
        for (const char* childClass : childClasses) desktop.createWindowAtBottom(window, childClass);
        for (const char* label : labels) desktop.createWindowAtBottom(window, "_AOL_Static", label);
        return window;
    }

    WindowHandle addChatRoom(const std::string& caption = "Lobby") {
        return add(mdi, "AOL Child", caption,
                   {"_AOL_Static", "RICHCNTLREADONLY", "_AOL_Combobox", "_AOL_Icon", "RICHCNTL"});
    }

    void startRecording() {
        desktop.clearMessages();
        mark = desktop.now();
    }

    // The traffic since startRecording (to `only`, or all) against `expected`, side by
    // side on a difference. Times may differ by clock rounding, not by a pause.
    void expectTraffic(const std::vector<Sent>& expected, WindowHandle only = 0) {
        const std::vector<sim::RecordedMessage> actual = only ? desktop.messagesTo(only) : desktop.messages();
        auto describe = [](const auto& m, double at) {
            return "#" + std::to_string(m.window) + " " + messageName(m.message) + " " + std::to_string(m.wParam) +
                   " \"" + m.text + "\"" + (at >= 0 ? " @" + std::to_string(at) : "");
        };
        bool same = actual.size() == expected.size();
        std::ostringstream table;
        for (std::size_t i = 0; i < std::max(actual.size(), expected.size()); ++i) {
            const Sent* e = i < expected.size() ? &expected[i] : nullptr;
            const sim::RecordedMessage* a = i < actual.size() ? &actual[i] : nullptr;
            const bool match = e && a && e->window == a->window && e->message == a->message && e->wParam == a->wParam &&
                               e->text == a->text && (e->at < 0 || std::abs(a->time - mark - e->at) < 1e-4);
            same = same && match;
            table << (match ? "  " : "* ") << (e ? describe(*e, e->at) : "(none)") << "  |  "
                  << (a ? describe(*a, a->time - mark) : "(none)") << (a && !a->delivered ? " (lost)" : "") << "\n";
        }
        EXPECT_TRUE(same) << "  expected  |  actual (* where they differ)\n" << table.str();
    }
};

}  // namespace lantern
