#pragma once
// A stand-in on a fresh simulated desktop, worked as the add-on works it: through
// the window seam, with messages.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "standin/sim/sim_standin.h"

namespace lantern::standin {

class SimStandinTest : public ::testing::Test {
protected:
    WindowSystem& windows() { return desktop.windows(); }

    WindowHandle child(WindowHandle parent, const char* className, WindowHandle after = 0) {
        return windows().findChild(parent, after, className);
    }
    WindowHandle firstClientWindow() {
        WindowHandle mdi = child(windows().findWindow("aol frame25"), "mdiclient");
        return windows().getWindow(child(mdi, "aol child"), gw::First);
    }
    std::vector<WindowHandle> clientWindows() {
        std::vector<WindowHandle> found;
        for (WindowHandle w = firstClientWindow(); w; w = windows().getWindow(w, gw::Next)) found.push_back(w);
        return found;
    }
    bool hasChildren(WindowHandle window, std::initializer_list<const char*> classes) {
        for (const char* className : classes) {
            if (!child(window, className)) return false;
        }
        return true;
    }
    std::string readText(WindowHandle window) {
        SendResult length = windows().sendMessage(window, msg::GetTextLength, 0, 0);
        std::string buffer(static_cast<std::size_t>(length.value), '\0');
        windows().sendGetText(window, buffer.size() + 1, buffer);
        return buffer;
    }
    void writeText(WindowHandle window, const std::string& text) {
        windows().sendSetText(window, "");
        windows().sendSetText(window, text);
    }
    void click(WindowHandle window) {
        windows().sendMessage(window, msg::LButtonDown, 0, 0);
        windows().sendMessage(window, msg::KeyUp, kVkSpace, 0);
    }
    void post(const std::string& markup) {
        WindowHandle input = child(standin.roomWindow(), "richcntl");
        writeText(input, markup);
        windows().sendMessage(input, msg::Char, kVkReturn, 0);
    }
    void openLink(const std::string& link) {
        click(keywordIcon());
        WindowHandle keyword = standin.keywordWindow();
        writeText(child(keyword, "_aol_edit"), link);
        click(child(keyword, "_aol_icon"));
    }
    WindowHandle keywordIcon() {
        WindowHandle strip = child(child(standin.frame(), "aol toolbar"), "_aol_toolbar");
        WindowHandle icon = child(strip, "_aol_icon");
        for (int i = 1; i < kKeywordIconNumber; ++i) icon = child(strip, "_aol_icon", icon);
        return icon;
    }

    sim::Desktop desktop;
    SimStandin standin{desktop, {.screenName = "lantern tester", .rooms = {"Lobby"}}};
};

}  // namespace lantern::standin
