// The program's windows on the simulated desktop, wired as the entry point wires them.

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/commands_list.h"
#include "ui/edge_snap.h"
#include "ui/splash.h"
#include "ui_scene.h"

namespace lantern {
namespace {

constexpr double kW = 2865, kH = 480, kScreenW = 15360, kScreenH = 11520;  // the bar's outer size, the screen
using Trail = std::vector<std::pair<double, double>>;

// Off the pixel grid (for "exactly 400 twips"), held `margin` inside the screen; a glide without end throws.
struct ExactWindow : Window {
    ExactWindow(double left, double top, double margin) : trail{{left, top}}, m(margin) {}
    Trail trail;  // where it was dropped, then every move
    double m;  // the margin
    double w = kW, h = kH;
    std::function<void(std::size_t moves)> afterMove;  // what changes meanwhile
    void move(double left, double top) override {
        if (trail.size() > 10000) throw std::runtime_error("a glide without end");
        trail.emplace_back(std::clamp(left, m, kScreenW - w - m), std::clamp(top, m, kScreenH - h - m));
        if (afterMove) afterMove(trail.size() - 1);
    }
    void followPointer(MouseButton) override {}
    double left() const override { return trail.back().first; }
    double top() const override { return trail.back().second; }
    double width() const override { return w; }
    double height() const override { return h; }
    bool alive() const override { return true; }
    bool visible() const override { return true; }
    WindowHandle handle() const override { return 0; }
    Control& add(const ControlSpec&) override { throw std::logic_error("no controls"); }
    Control* control(const std::string&) override { return nullptr; }
    std::string caption() const override { return {}; }
    void setCaption(const std::string&) override {}
    void show() override {}
    void hide() override {}
    void destroy() override {}
};

using Windows = UiScene;

TEST_F(Windows, EachSnapRuleInOrder) {
    ExactWindow corner(0, 0, -kScreenW);  // one step away and back for each of the two rules
    snapToEdges(corner, desktop.toolkit(), desktop.events());
    EXPECT_EQ(corner.trail, (Trail{{0, 0}, {-10, 0}, {0, 0}, {0, -10}, {0, 0}}));
    struct Case {
        const char* what;
        double dropLeft, dropTop, endLeft, endTop;
        std::size_t moves;  // glide steps (the refused one too) and final settings together
        double screenWidth = kScreenW, margin = -kScreenW;
    };
    constexpr double kRight = kScreenW - kW - 150, kBottom = kScreenH - kH - 150;  // held 150 off the edges
    const Case cases[] = {
        {"300 from the left", 300, 3000, 0, 3000, 31},
        {"exactly 400 from the left", 400, 3000, 400, 3000, 0},
        {"exactly 400 from the top", 3000, 400, 3000, 400, 0},
        {"exactly 400 from the right", kScreenW - kW - 400, 3000, kScreenW - kW - 400, 3000, 0},
        {"exactly 400 from the bottom", 3000, kScreenH - kH - 400, 3000, kScreenH - kH - 400, 0},
        {"500 over the left edge, then away and back", -500, 3000, 0, 3000, 53},
        {"right edge 200 short", kScreenW - kW - 200, 3000, kScreenW - kW, 3000, 21},
        {"over the right edge", 14000, 3000, kScreenW - kW, 3000, 154},
        {"above the top edge", 6000, -200, 6000, 0, 23},
        {"below the bottom edge", 6000, 11640, 6000, kScreenH - kH, 63},
        {"near both sides of a narrow screen: the right wins", 150, 3000, 3200 - kW, 3000, 51, 3200},
        {"held off the left", 300, 3000, 150, 3000, 17, kScreenW, 150},
        {"held off the top", 3000, 300, 3000, 150, 17, kScreenW, 150},
        {"held off the right", kRight - 150, 3000, kRight, 3000, 17, kScreenW, 150},
        {"held off the bottom", 3000, kBottom - 150, 3000, kBottom, 17, kScreenW, 150},
    };
    for (const Case& c : cases) {
        desktop.setScreenSize(c.screenWidth, kScreenH);
        ExactWindow window(c.dropLeft, c.dropTop, c.margin);
        snapToEdges(window, desktop.toolkit(), desktop.events());
        EXPECT_EQ(std::tuple(window.left(), window.top(), window.trail.size() - 1),
                  std::tuple(c.endLeft, c.endTop, c.moves))
            << c.what;
    }
}

// The glides against the right and bottom edges, and their final settings, read the
// screen and the window size again at every step: a change in the middle counts.
TEST_F(Windows, EdgeGlidesFollowTheScreenAndTheWindowAsTheyChange) {
    struct Case {
        const char* what;
        double dropLeft, dropTop;
        double screenW, screenH, windowW, windowH;  // from the third move on
        double endLeft, endTop;
    };
    const Case cases[] = {
        {"over the right edge, the screen narrows", 14000, 3000, 14500, kScreenH, kW, kH, 14500 - kW, 3000},
        {"below the bottom edge, the screen gets lower", 6000, 11640, kScreenW, 11300, kW, kH, 6000, 11300 - kH},
        {"near the right edge, the window narrows", kScreenW - kW - 200, 3000, kScreenW, kScreenH, 2000, kH,
         kScreenW - 2000, 3000},
        {"near the bottom edge, the window gets lower", 6000, kScreenH - kH - 200, kScreenW, kScreenH, kW, 300, 6000,
         kScreenH - 300},
    };
    for (const Case& c : cases) {
        desktop.setScreenSize(kScreenW, kScreenH);
        ExactWindow window(c.dropLeft, c.dropTop, -kScreenW);
        window.afterMove = [&](std::size_t moves) {
            if (moves != 3) return;
            desktop.setScreenSize(c.screenW, c.screenH);
            window.w = c.windowW, window.h = c.windowH;
        };
        snapToEdges(window, desktop.toolkit(), desktop.events());
        EXPECT_EQ(std::pair(window.left(), window.top()), std::pair(c.endLeft, c.endTop)) << c.what;
    }
}

// The drag ends where the button that began it came up, whichever it was; the left
// one hands the bar to the system's move loop, the others may not (that loop would
// go on after their release).
TEST_F(Windows, AnyMouseButtonDragsTheBarAndSnapsIt) {
    Window& bar = form("frmMain");
    bar.show();  // the user reaches only a shown window
    for (MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
        bar.move(6000, 6000);
        const int captureReleases = desktop.releaseCaptureCalls();
        desktop.clearMessages();
        desktop.queueDrag(300, 3000);
        desktop.pressMouse(control("frmMain", "lblMove"), button);
        EXPECT_EQ(std::pair(bar.left(), bar.top()), std::pair(0.0, 3000.0)) << static_cast<int>(button);
        const bool left = button == MouseButton::Left;
        EXPECT_EQ(desktop.releaseCaptureCalls() - captureReleases, left ? 1 : 0);
        EXPECT_EQ(desktop.messagesTo(bar.handle()).size(), left ? 1u : 0u);
    }
}

// Tab and typed keys over the shown bar, and presses on the state controls: the idle
// switch in "off", the reason box and the two buttons stay as the program left them.
TEST_F(Windows, TheStateControlsAreOutOfReach) {
    startProgram();
    store("tBox", "stored reason");
    desktop.pressMouse(control("frmMain", "lblMove"), MouseButton::Left);  // the bar is active now
    for (int i = 0; i < 6; ++i) {
        desktop.pressTab();
        desktop.typeKeys("XX");
    }
    for (const char* name : {"txtIdle", "txtRsn", "cmdIdle", "cmdOff", "Frame1"}) {
        desktop.click(control("frmMain", name));
        desktop.pressMouse(control("frmMain", name), MouseButton::Right);
        desktop.typeKeys("YY");
    }
    EXPECT_EQ(desktop.focusedControl(), nullptr);
    EXPECT_EQ(std::tuple(text("frmMain", "txtIdle"), text("frmMain", "txtRsn"), presence.idle().idleOn),
              std::tuple("off", "sleepin...", false));
    EXPECT_TRUE(posted().empty());
    EXPECT_TRUE(desktop.run([&] { choose("mnuOptsExit"); }));
    EXPECT_EQ(stored("tBox"), "sleepin...");
}

TEST_F(Windows, SplashIsCentredAndItsClickShowsTheBar) {
    const ScreenPosition at = centredPosition(15360, 11520, 4500, 3075);  // in floats, not rounded
    EXPECT_EQ(std::tuple(at.left, at.top), std::tuple(5430.0f, 4222.5f));
    presence.startUp();
    Window& splash = form("frmSplash");
    EXPECT_EQ(splash.left(), 5430);
    EXPECT_NEAR(splash.top(), 4222.5, 7.5);  // on the desktop's whole pixels
    desktop.runFor(3600);
    EXPECT_TRUE(splash.visible() && !form("frmMain").visible());
    const int onTop = desktop.topmostCalls(form("frmMain").handle());
    desktop.click(control("frmSplash", "Image1"));
    desktop.runFor(0.1);
    EXPECT_TRUE(form("frmMain").visible() && !splash.alive());
    EXPECT_EQ(desktop.topmostCalls(form("frmMain").handle()), onTop + 1);
}

// Alt+F4 or another program's WM_CLOSE: the bar comes up as after a click, or nothing could reach the program.
TEST_F(Windows, ClosingTheSplashShowsTheBarAsItsClickDoes) {
    presence.startUp();
    Window& splash = form("frmSplash");
    desktop.userClose(splash);
    desktop.runFor(0.1);
    EXPECT_TRUE(form("frmMain").visible());
    EXPECT_FALSE(splash.alive());
}

class Menu : public UiScene {
protected:
    Menu() { startProgram(); }
    bool offered(const std::string& item) {
        desktop.click(control("frmMain", "lblPop"));
        return desktop.popups().back().enabled(item);
    }
};

TEST_F(Menu, FirstOpenOffersOnEvenAfterChatIdleOn) {
    presence.onChatLine(kTester, ".idleon");
    ASSERT_TRUE(presence.idle().idleOn);
    EXPECT_TRUE(offered("mnuOptsIdleOn"));
    EXPECT_FALSE(offered("mnuOptsIdleOff"));
    EXPECT_FALSE(form("frmMenu").visible());  // the menu's own window is never shown
}

TEST_F(Menu, IdleOnAndOff) {
    auto state = [&] {
        return std::tuple(presence.idle().idleOn, text("frmMain", "txtIdle"), ui.mainWindow().idleTimer().enabled(),
                          control("frmMain", "cmdIdle").enabled(), control("frmMain", "cmdOff").enabled(),
                          offered("mnuOptsIdleOn"), offered("mnuOptsIdleOff"));
    };
    presence.idleForTest().idleMins = 3;
    choose("mnuOptsIdleOn");
    EXPECT_EQ(state(), std::tuple(true, "on", true, false, true, false, true));
    EXPECT_EQ(presence.idle().idleMins, 3);  // counting goes on from where it stood
    choose("mnuOptsIdleOff");
    EXPECT_EQ(state(), std::tuple(false, "off", false, true, false, true, false));
    EXPECT_EQ(posted(), (std::vector{banner(IdleEvent::On), banner(IdleEvent::Off)}));

    choose("mnuOptsIdleOn");
    presence.onChatLine(kTester, ".idleoff");  // the menu still offers Off
    presence.idleForTest() = IdleState{.idleMins = 30, .idleHrs = 5, .idleDays = 2};
    chat.record().clear();
    choose("mnuOptsIdleOff");
    EXPECT_EQ(posted(), std::vector{banner(IdleEvent::Off)});
    EXPECT_EQ(presence.idle().idleDays + presence.idle().idleHrs + presence.idle().idleMins, 0);
}

TEST_F(Menu, Reason) {
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {"Out For LUNCH", "out for lunch"}, {"   ", "   "}, {"", "previous"}, {std::nullopt, "previous"}};
    for (const auto& [answer, reason] : cases) {
        presence.idleForTest().reasonText = "previous";
        desktop.queueInputBoxAnswer(answer);
        choose("mnuOptsReason");
        EXPECT_EQ(presence.idle().reasonText, reason);
    }
    EXPECT_EQ(text("frmMain", "txtRsn"), "sleepin...");  // the box is not the reason
}

// Loading puts a window on top; a second load would do it again.
TEST_F(Menu, ListAndDialogLoadOncePerOpening) {
    for (const auto& [item, name] : {std::pair{"mnuOptsComs", "frmComs"}, {"mnuOptsAscii", "frmAscii"}}) {
        choose(item);
        Window& first = form(name);
        choose(item);
        ASSERT_EQ(&form(name), &first);
        EXPECT_EQ(desktop.topmostCalls(first.handle()), 1) << name;
        desktop.userClose(first);
        choose(item);
        EXPECT_TRUE(form(name).visible()) << name;
        EXPECT_EQ(desktop.topmostCalls(form(name).handle()), 1) << name;
    }
    EXPECT_EQ(control("frmComs", "lstComs").items(),
              std::vector<std::string>(kCommandLines.begin(), kCommandLines.end()));
}

class StyleDialog : public Menu {
protected:
    // The style in effect is poisoned first, so that loading is seen to fill it.
    void open() {
        presence.styleForTest() = CurrentStyle{"(prefix)", "(ascii)", "(first)", "(second)"};
        if (desktop.form("frmAscii")) desktop.userClose(form("frmAscii"));
        choose("mnuOptsAscii");
    }
    void type(const std::string& box, const std::string& text) { desktop.type(control("frmAscii", box), text); }
    void pressSet() { desktop.click(control("frmAscii", "cmdSet")); }
    std::string preview() { return control("frmAscii", "txtAscii").fontFace(); }
    // The three colour boxes, then the three colours in effect.
    std::vector<std::string> colours() {
        const CurrentStyle& style = presence.style();
        return {text("frmAscii", "txtAsciiColor"), text("frmAscii", "txtFirstColor"),
                text("frmAscii", "txtSecondColor"), style.asciiCol + style.firstColor + style.secondColor};
    }
};

TEST_F(StyleDialog, Loading) {
    const std::size_t writes = desktop.registryWrites().size();
    for (const auto& [font, previewed] : {std::pair{"", "Webdings"}, {"arial", "Webdings"}, {"Arial", "Arial"}}) {
        if (*font) store("asciiF", font);  // the first time, nothing is stored
        open();
        EXPECT_EQ(std::tuple(preview(), text("frmAscii", "cboAscii"), text("frmAscii", "txtAscii"),
                             control("frmAscii", "cboAscii").items().size()),
                  std::tuple(previewed, "Webdings", "2", 5u));
    }
    EXPECT_EQ(colours(), (std::vector<std::string>{"000000", "000000", "000066", "000000000000000066"}));
    EXPECT_EQ(presence.style().asciiPrefix, "(prefix)");  // loading never touches the prefix
    EXPECT_EQ(desktop.registryWrites().size(), writes);
    pressSet();  // without touching the list: stores what the list reads
    EXPECT_EQ(std::tuple(stored("asciiF"), preview()), std::tuple("Webdings", "Webdings"));
}

TEST_F(StyleDialog, Set) {
    open();
    const std::size_t writes = desktop.registryWrites().size();
    for (const char* typed : {"webdings", "Webdings ", "", "Courier"}) {
        type("cboAscii", typed);
        pressSet();
    }
    ASSERT_EQ(desktop.messageBoxes().size(), 4u);
    const sim::ShownMessageBox& refusal = desktop.messageBoxes().back();
    EXPECT_EQ(std::tuple(refusal.text, refusal.title, refusal.style),
              std::tuple("You must choose a valid font from the list.", kAppTitle, mb::Ok));
    EXPECT_EQ(std::tuple(desktop.registryWrites().size(), presence.style().asciiPrefix, posted().size()),
              std::tuple(writes, "(prefix)", 0u));

    const std::tuple<const char*, const char*, const char*> fields[] = {// box, setting, text
                                                                        {"cboAscii", "asciiF", "Webdings"},
                                                                        {"txtAscii", "asciiT", "2"},
                                                                        {"txtAsciiColor", "asciiCol", "ff3300"},
                                                                        {"txtFirstColor", "firstColor", "00aa00"},
                                                                        {"txtSecondColor", "secondColor", "0000cc"}};
    for (const auto& [box, setting, typed] : fields) type(box, typed);
    pressSet();
    for (const auto& [box, setting, typed] : fields) EXPECT_EQ(stored(setting), typed) << setting;
    const std::string inEffect = "<font face=Webdings><font color=#ff3300>2<font face=Tahoma> ";
    EXPECT_EQ(std::tuple(presence.style().asciiPrefix, colours().back()), std::tuple(inEffect, "ff330000aa000000cc"));
    EXPECT_EQ(stored("ascii"), "<font face=Webdings>2</font><font face=Tahoma> ");
    EXPECT_EQ(posted(), std::vector{inEffect + "<font face=tahoma color=#00aa00><b>m</b><font color=#0000cc>odified "
                                               "<font color=#00aa00><b>a</b><font color=#0000cc>scii."});
    EXPECT_TRUE(form("frmAscii").visible());  // it stays open

    type("cboAscii", "Arial Narrow");  // an empty prefix is stored empty and shown as "2" next time
    type("txtAscii", "");
    pressSet();
    EXPECT_EQ(std::tuple(stored("asciiT"), stored("ascii"), preview()),
              std::tuple("", "<font face=Arial Narrow></font><font face=Tahoma> ", "Arial Narrow"));
    open();
    EXPECT_EQ(text("frmAscii", "txtAscii"), "2");
}

// Each idle tick writes the stored colours into the boxes, creating the dialog hidden.
TEST_F(StyleDialog, TheIdleTickOverwritesUnsavedColourEdits) {
    store("secondColor", "990000");
    choose("mnuOptsIdleOn");
    open();
    type("txtAsciiColor", "abcdef");
    type("txtSecondColor", "123456");
    desktop.runFor(kIdleIntervalMs / 1000.0);
    EXPECT_EQ(colours(), (std::vector<std::string>{"000000", "000000", "990000", "000000ff3300990000"}));
    desktop.userClose(form("frmAscii"));
    desktop.runFor(kIdleIntervalMs / 1000.0);
    EXPECT_FALSE(form("frmAscii").visible());
}

}  // namespace
}  // namespace lantern
