#pragma once
// A small chat client built window by window on the simulated desktop, and its
// recorded message traffic checked against a table.

#include <gtest/gtest.h>

#include "client/client.h"
#include "platform/messages.h"
#include "platform/sim/desktop.h"
#include "support/traffic.h"

namespace lantern {

using test::Sent;
using test::Traffic;

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

    // The traffic since startRecording (to `only`, or all) against `expected`, times
    // after the mark.
    void expectTraffic(const Traffic& expected, WindowHandle only = 0,
                       std::source_location caller = std::source_location::current()) {
        Traffic seen;
        for (const sim::RecordedMessage& m : only ? desktop.messagesTo(only) : desktop.messages()) {
            seen.push_back({m.window, m.message, m.wParam, m.text, m.time - mark, m.delivered});
        }
        test::expectTraffic(expected, seen, test::kExactTimes, caller);
    }
};

}  // namespace lantern
