// The bar, its menu and the style dialog under the X server's real mouse and keyboard
// (xdotool, run by run.py), and the chat commands' road in the same run.

#include <winsock2.h>  // before <windows.h>

#include <array>
#include <iostream>

#include "e2e/harness.h"
#include "support/expected_lines.h"

namespace lantern::e2e {
namespace {

using namespace expected;

const std::string kAppTitle = "lant\xE8rn Idl\xE8 [beta]";
constexpr int kMessageTextId = 0xFFFF;  // a message box's text, on Windows and Wine
constexpr POINT kGrip{60, 16};  // in the bar's drag area, away from the arrow
constexpr POINT kArrow{176, 16};  // in the arrow's hot spot (168..185, 8..25)
constexpr POINT kFirstRow{30, 10};  // a menu's first item, below its 3 pixel border

using ScreenRect = std::array<long, 4>;  // left, top, right, bottom

ScreenRect rectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right, r.bottom};
}
ScreenRect barAt(long left, long top) { return {left, top, left + 191, top + 32}; }
POINT at(HWND window, POINT offset) { return {rectOf(window)[0] + offset.x, rectOf(window)[1] + offset.y}; }
POINT centreOf(HWND window) {
    const ScreenRect r = rectOf(window);
    return {(r[0] + r[2]) / 2, (r[1] + r[3]) / 2};
}
// The child of a form under a point of its client area given in twips (15 a pixel).
HWND childAt(HWND form, long leftTwips, long topTwips) {
    return ChildWindowFromPointEx(form, {leftTwips / 15, topTwips / 15}, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
}

// Has run.py, listening on the port in LANTERN_INPUT_AGENT, run xdotool.
void xdo(const std::vector<std::string>& arguments) {
    static WSADATA winsock;
    static const bool started = WSAStartup(MAKEWORD(2, 2), &winsock) == 0;
    std::string request = "xdotool", answer;
    for (const std::string& argument : arguments) request += "\t" + argument;
    request += "\n";
    const char* port = getenv("LANTERN_INPUT_AGENT");
    sockaddr_in to{AF_INET, htons(static_cast<u_short>(port ? atoi(port) : 0)), {}, {}};
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const SOCKET agent = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (started && !connect(agent, reinterpret_cast<const sockaddr*>(&to), sizeof to) &&
        send(agent, request.data(), static_cast<int>(request.size()), 0) == static_cast<int>(request.size())) {
        char buffer[1024];
        for (int n = 0; answer.find('\n') == std::string::npos && (n = recv(agent, buffer, sizeof buffer, 0)) > 0;) {
            answer.append(buffer, static_cast<std::size_t>(n));
        }
    }
    closesocket(agent);
    const std::size_t tab = answer.find('\t');
    ASSERT_NE(tab, std::string::npos) << "run.py did not answer " << request;
    ASSERT_EQ(atoi(answer.c_str()), 0) << "failed: " << request << answer.substr(tab + 1);
}

class RealInput : public EndToEnd {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(EndToEnd::SetUp());
        ASSERT_NO_FATAL_FAILURE(moveMouse({1000, 750}));  // far from every window, hovering over nothing
    }
    void TearDown() override {
        EndToEnd::TearDown();
        xdo({"mouseup", "1"});  // after a failed drag
    }

    // Keys go to the window under the pointer (there is no window manager).
    void moveMouse(POINT to) { xdo({"mousemove", std::to_string(to.x), std::to_string(to.y)}); }
    void click(POINT point) { moveMouse(point), xdo({"click", "1"}); }
    void pressKeys(std::initializer_list<std::string> keys) {
        for (const std::string& key : keys) xdo({"key", key}), sleepSeconds(0.2);  // a submenu opens in between
    }
    void typeText(const std::string& text) { xdo({"type", "--delay", "40", text}); }
    void replaceText(HWND box, const std::string& text) {
        click(at(box, {20, 10}));  // near the top: a combo box's rectangle takes in its list
        pressKeys({"End", "shift+Home", "BackSpace"});
        typeText(text);
    }
    // Holds a button (X's 1 left, 2 middle, 3 right) from `from` to `to` in small
    // steps: the move loop follows motions, not jumps.
    void drag(POINT from, POINT to, const std::string& button = "1") {
        moveMouse(from);
        xdo({"mousedown", button});
        sleepSeconds(0.3);  // the press starts the move loop
        for (int step = 1; step <= 8; ++step) {
            moveMouse({from.x + (to.x - from.x) * step / 8, from.y + (to.y - from.y) * step / 8}), sleepSeconds(0.05);
        }
        sleepSeconds(0.3);  // the loop catches up with the last motion
        xdo({"mouseup", button});
    }
    // Tab and typed keys over the bar, as a user who clicked it might press them: they
    // must reach none of the state controls beyond its visible area.
    void typeAtTheBar(const std::string& text) {
        click(at(mainWindow(), kGrip));
        for (int field = 0; field < 3; ++field) pressKeys({"Tab", "ctrl+a"}), typeText(text);
    }

    // A visible top-level window of the add-on, other than `other`, once there.
    HWND waitForShown(const char* className, const char* caption = nullptr, HWND other = nullptr) {
        HWND found = nullptr;
        waitUntil(
            [&] {
                for (HWND window : topLevelWindows(className, addOn().id(), caption)) {
                    if (window != other && IsWindowVisible(window)) found = window;
                }
                return found != nullptr;
            },
            10);
        return found;
    }
    // Without a window manager, Wine takes about two seconds to hide a captioned window.
    bool waitForGone(HWND window) {
        return waitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, 10);
    }
    HWND openMenu() {
        click(at(mainWindow(), kArrow));
        return waitForShown("#32768");
    }
    void chooseFromMenu(std::initializer_list<std::string> keys) {
        ASSERT_NE(openMenu(), nullptr) << "clicking the arrow opened no menu";
        pressKeys(keys);
    }
    // Starts both programs and clicks the splash picture, which shows the bar; or
    // closes the splash with Alt+F4, which must show it all the same.
    enum class SplashGoesBy { Click, AltF4 };
    void startWithBarShown(SplashGoesBy how = SplashGoesBy::Click) {
        ASSERT_NO_FATAL_FAILURE(startStandin());
        ASSERT_NO_FATAL_FAILURE(startAddOn());
        ASSERT_NO_FATAL_FAILURE(waitForStartUp());
        ASSERT_FALSE(IsWindowVisible(mainWindow())) << "the bar was shown before the splash was clicked";
        HWND splash = waitForShown("LanternForm");  // the only form shown before the bar
        ASSERT_NE(splash, nullptr) << "no splash is shown";
        if (how == SplashGoesBy::AltF4) {
            moveMouse(centreOf(splash));  // keys go to the window under the pointer
            xdo({"key", "alt+F4"});
        } else {
            click(centreOf(splash));
        }
        ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(mainWindow()) != FALSE; }, 10)) << "the bar did not show";
        EXPECT_TRUE(waitForGone(splash)) << "the splash stayed";
    }
};

// The bar from the splash, then the user's road through the chat commands with stored
// colours and reason box: the client hangs during the second idle tick, the third
// minute's line still comes, and ".end" while the fourth tick pauses ends the add-on.
TEST_F(RealInput, TheBarThenTheChatCommands) {
    const Style colours{defaultPrefix("9900cc"), "0066cc", "336633"};
    const std::pair<const char*, std::string> stored[] = {
        {"tBox", "gone fishin"}, {"asciiCol", "9900cc"}, {"firstColor", colours.c1}, {"secondColor", colours.c2}};
    for (const auto& [name, value] : stored) ASSERT_TRUE(regAdd(name, "REG_SZ", value)) << name;
    ASSERT_NO_FATAL_FAILURE(startWithBarShown());
    EXPECT_EQ(rectOf(mainWindow()), barAt(0, 0));

    // A drop 10 px from the left edge glides flush, one 100 px away stays, with any
    // button (left, right, middle): the drag ends where that button came up, and the
    // bar stays when the pointer moves on. The menu then opens at the bottom-left
    // corner of the arrow's hot spot (168, 25 in the bar).
    const std::tuple<long, ScreenRect, const char*> drops[] = {
        {10, barAt(0, 200), "1"}, {100, barAt(100, 200), "1"}, {10, barAt(0, 200), "3"}, {100, barAt(100, 200), "2"}};
    for (const auto& [left, ends, button] : drops) {
        const POINT grip = at(mainWindow(), kGrip);
        const ScreenRect before = rectOf(mainWindow());
        const POINT drop{grip.x + left - before[0], grip.y + 200 - before[1]};
        ASSERT_NO_FATAL_FAILURE(drag(grip, drop, button));
        for (int step = 1; step <= 4; ++step) moveMouse({drop.x + 40 * step, drop.y + 30 * step}), sleepSeconds(0.05);
        waitUntil([&] { return rectOf(mainWindow()) == ends; }, 10);
        sleepSeconds(1);  // no glide still under way, none starting late
        EXPECT_EQ(rectOf(mainWindow()), ends) << "dragged with button " << button;
        HWND menu = openMenu();
        ASSERT_NE(menu, nullptr) << "clicking the arrow opened no menu";
        EXPECT_EQ(rectOf(menu)[0], ends[0] + 168);
        EXPECT_EQ(rectOf(menu)[1], ends[1] + 25);
        ASSERT_NO_FATAL_FAILURE(pressKeys({"Escape"}));
        EXPECT_TRUE(waitForGone(menu)) << "Escape did not close the menu";
    }

    // ".idleon" is handled while the menu is open: a key pressed in the pause after its
    // post must still reach the menu.
    ASSERT_NE(openMenu(), nullptr) << "clicking the arrow opened no menu";
    ASSERT_TRUE(command("send .idleon"));
    const std::string idleOn = banner(colours, kCommandIdleOn);
    ASSERT_TRUE(log().waitFor("posted", idleOn, 15)) << "no idle-on line";
    EXPECT_EQ(caption(mainWindow()), "Idle 0 : 0 : 0");
    ASSERT_NO_FATAL_FAILURE(pressKeys({"a"}));
    HWND about = waitForShown("#32770", kAppTitle.c_str());
    ASSERT_NE(about, nullptr) << "no about box: the key did not reach the menu";
    EXPECT_EQ(controlText(GetDlgItem(about, kMessageTextId)),
              kAppTitle + "\r\n\r\nBy: vx9\r\n\r\nMade for lanterns by lanterns. =x");
    moveMouse(centreOf(about));
    ASSERT_NO_FATAL_FAILURE(pressKeys({"Return"}));
    EXPECT_TRUE(waitForGone(about)) << "Enter did not close the about box";
    // "off" typed into the idle switch would stop the idle lines.
    ASSERT_NO_FATAL_FAILURE(typeAtTheBar("off"));

    auto postedAt = [&](const std::string& line) { return log().find("posted", line).ms; };
    const std::string firstMinute = idleLine(colours, 0, 0, 1, "uppin.");
    ASSERT_TRUE(log().waitFor("posted", firstMinute, 100)) << "no idle line";
    EXPECT_GT(postedAt(firstMinute) - postedAt(idleOn), 55000);
    EXPECT_LT(postedAt(firstMinute) - postedAt(idleOn), 80000);

    ASSERT_TRUE(command("send .pr My Room"));
    const std::string link = "aol://2719:2-2-my room";
    ASSERT_TRUE(log().waitFor("link", link, 20)) << "the private room's link was not opened";
    ASSERT_TRUE(log().waitFor("closed", "Keyword", 10)) << "the keyword window stayed open";
    EXPECT_EQ(log().read("closed").size(), 1u) << "another window was closed too";
    ASSERT_TRUE(log().waitFor("room-entered", "my room", 10));
    const std::string privateRoom = roomLine(colours, false, "my room");
    EXPECT_LT(log().find("posted", privateRoom).index, log().find("link", link).index);

    ASSERT_NO_FATAL_FAILURE(chooseFromMenu({"r"}));
    HWND reasonBox = waitForShown("#32770", kAppTitle.c_str());
    ASSERT_NE(reasonBox, nullptr) << "Reason opened no input box";
    ASSERT_NO_FATAL_FAILURE(typeText("AFK Lunch"));
    ASSERT_NO_FATAL_FAILURE(pressKeys({"Return"}));
    EXPECT_TRUE(waitForGone(reasonBox)) << "Enter did not close the input box";

    ASSERT_TRUE(waitUntil([&] { return inputsSince(postedAt(firstMinute) + 30000, "") > 0; }, 90)) << "no tick";
    ASSERT_TRUE(command("hang 30"));
    const long long hangMs = log().read("hang").at(0).ms;
    EXPECT_EQ(unansweredProbes(mainWindow(), 29), 0) << "the main window stopped answering while the client hung";
    const std::string thirdMinute = idleLine(colours, 0, 0, 3, "afk lunch");
    ASSERT_TRUE(log().waitFor("posted", thirdMinute, 100)) << "no idle line for the third minute";
    EXPECT_GT(postedAt(thirdMinute), hangMs + 30000);

    // The next tick has cleared the box and pauses before typing its line.
    ASSERT_TRUE(waitUntil([&] { return inputsSince(postedAt(thirdMinute) + 30000, "WM_SETTEXT") > 0; }, 90));
    ASSERT_TRUE(command("send .end"));
    EXPECT_EQ(addOn().waitForExit(30), std::optional<DWORD>(0)) << "\".end\" did not end the add-on";
    std::vector<std::string> posted = log().posted();
    // The lines of the ticks hit by a fault come whole, late or not at all.
    for (int minute : {2, 4}) std::erase(posted, idleLine(colours, 0, 0, minute, "afk lunch"));
    const std::string unload = banner(colours, kCommandUnload);
    EXPECT_EQ(posted, (std::vector<std::string>{banner(colours, kLoad), ".idleon", idleOn, firstMinute, ".pr My Room",
                                                privateRoom, thirdMinute, ".end", unload}));
    EXPECT_EQ(log().find("posted", unload).field(0), "my room") << "posted to another room";
    EXPECT_EQ(caption(frame()), kClosingCaption);
    for (const auto& [name, value] : stored) EXPECT_EQ(readStoredSetting(name), value) << name << " changed";
}

// With the automatic switch at one minute: the style dialog, a minute without input
// (idling switches on by itself), a move of the mouse (and off again), then the menu.
TEST_F(RealInput, TheStyleDialogThenAutomaticIdleThenIdleOnAndExit) {
    ASSERT_TRUE(regAdd("autoIdle", "REG_SZ", "1"));
    ASSERT_NO_FATAL_FAILURE(startWithBarShown());
    ASSERT_NO_FATAL_FAILURE(chooseFromMenu({"m"}));
    HWND dialog = waitForShown("LanternForm", "modify your ascii");
    ASSERT_NE(dialog, nullptr) << "Modify Ascii showed no style dialog";
    HWND fontList = childAt(dialog, 600, 150);
    HWND setButton = childAt(dialog, 1900, 1620);
    EXPECT_EQ(controlText(fontList), "Webdings");
    const char* const names[] = {"ascii", "asciiF", "asciiT", "asciiCol", "firstColor", "secondColor"};

    // The list's own font in another case.
    ASSERT_NO_FATAL_FAILURE(replaceText(fontList, "webdings"));
    click(centreOf(setButton));
    HWND box = waitForShown("#32770", kAppTitle.c_str());
    ASSERT_NE(box, nullptr) << "no message box came up";
    EXPECT_EQ(controlText(GetDlgItem(box, kMessageTextId)), "You must choose a valid font from the list.");
    click(centreOf(GetDlgItem(box, IDOK)));
    EXPECT_TRUE(waitForGone(box)) << "OK did not close the message box";
    for (const char* name : names) EXPECT_FALSE(readStoredSetting(name)) << name << " was stored";
    EXPECT_EQ(log().posted().size(), 1u) << "a line was posted for a refused font";

    click({rectOf(fontList)[2] - 8, rectOf(fontList)[1] + 10});  // the list's arrow
    HWND dropDown = waitForShown("ComboLBox");
    ASSERT_NE(dropDown, nullptr) << "the font list did not drop down";
    click(at(dropDown, {20, 6}));  // its first entry
    ASSERT_TRUE(waitUntil([&] { return controlText(fontList) == "Arial"; }, 5)) << controlText(fontList);
    // The prefix, then the three colours; the ascii colour box takes six characters.
    const POINT boxes[] = {{3000, 150}, {1600, 500}, {1600, 860}, {1600, 1220}};
    const char* const texts[] = {"xo", "ff3300zz", "00aa00", "3333cc"};
    for (int i = 0; i < 4; ++i) ASSERT_NO_FATAL_FAILURE(replaceText(childAt(dialog, boxes[i].x, boxes[i].y), texts[i]));
    click(centreOf(setButton));

    ASSERT_TRUE(log().waitForPosts(2, 15)) << "set posted nothing";
    const Style chosen{setPrefix("Arial", "ff3300", "xo"), "00aa00", "3333cc"};
    EXPECT_EQ(log().posted().back(), asciiConfirmation(chosen));
    const std::string stored[] = {storedPrefix("Arial", "xo"), "Arial", "xo", "ff3300", "00aa00", "3333cc"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(readStoredSetting(names[i]), stored[i]) << names[i];
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog closed after set";

    const std::string autoOn = banner(chosen, kMenuIdleOn);
    ASSERT_TRUE(log().waitFor("posted", autoOn, 90)) << "a minute without input did not switch idling on";
    const ULONGLONG moved = GetTickCount64();
    moveMouse({600, 500});
    ASSERT_TRUE(log().waitFor("posted", banner(chosen, kMenuIdleOff), 5)) << "input did not switch it off";
    std::cout << "automatic idle: the idle-off line " << GetTickCount64() - moved << " ms after the mouse moved\n";

    HWND menu = openMenu();
    ASSERT_NE(menu, nullptr) << "clicking the arrow opened no menu";
    click(at(menu, kFirstRow));  // "Idle" opens its submenu
    HWND submenu = waitForShown("#32768", nullptr, menu);
    ASSERT_NE(submenu, nullptr) << "the Idle submenu did not open";
    click(at(submenu, kFirstRow));  // "On"
    ASSERT_TRUE(log().waitForPosts(5, 15)) << "nothing was posted after Idle > On";
    EXPECT_EQ(log().posted().back(), banner(chosen, kMenuIdleOn));

    // Typed into the reason box, this would be stored at Exit.
    ASSERT_NO_FATAL_FAILURE(typeAtTheBar("hacked reason"));
    ASSERT_NO_FATAL_FAILURE(chooseFromMenu({"e"}));
    EXPECT_EQ(addOn().waitForExit(20), std::optional<DWORD>(0)) << "lantern-idle still runs after Exit";
    const std::string unload = banner(chosen, kUnload);
    EXPECT_EQ(log().posted().back(), unload);
    EXPECT_EQ(log().read("posted", unload).size(), 1u);
    EXPECT_EQ(readStoredSetting("tBox"), std::optional<std::string>("sleepin..."));
    EXPECT_EQ(caption(frame()), kClosingCaption);
}

// The client hangs: the arrow still opens the menu at once, and once the client
// answers again the add-on goes on with what the room says.
TEST_F(RealInput, TheArrowOpensTheMenuWhileTheClientHangs) {
    ASSERT_NO_FATAL_FAILURE(startWithBarShown(SplashGoesBy::AltF4));
    sleepSeconds(2.0);  // the chat watcher is polling the room
    ASSERT_TRUE(command("hang 30"));
    sleepSeconds(4.0);
    ASSERT_NO_FATAL_FAILURE(moveMouse(at(mainWindow(), kArrow)));
    const long long clickedAt = nowMs();
    ASSERT_NO_FATAL_FAILURE(xdo({"click", "1"}));
    HWND menu = nullptr;
    waitUntil(
        [&] {
            for (HWND window : topLevelWindows("#32768", addOn().id())) {
                if (IsWindowVisible(window)) menu = window;
            }
            return menu != nullptr;
        },
        40);
    const long long delayMs = nowMs() - clickedAt;
    std::cout << "the menu was up " << delayMs << " ms after the click, 4 s into the client's hang" << std::endl;
    ASSERT_NE(menu, nullptr) << "clicking the arrow opened no menu";
    EXPECT_LT(delayMs, 1000) << "the bar waited on the hung client";
    ASSERT_NO_FATAL_FAILURE(pressKeys({"Escape"}));
    EXPECT_TRUE(waitForGone(menu)) << "Escape did not close the menu";

    ASSERT_TRUE(command("send .idleon"));  // carried out once the hang is over
    const std::string idleOn = banner(Style{}, kCommandIdleOn);
    EXPECT_TRUE(log().waitFor("posted", idleOn, 30)) << "\".idleon\" after the hang got no idle-on line";
}

// A line handled while the About box is open pauses inside the box's modal loop: the
// Enter pressed meanwhile must still close the box.
TEST_F(RealInput, EnterClosesTheAboutBoxWhileALineIsBeingPosted) {
    ASSERT_NO_FATAL_FAILURE(startWithBarShown());
    ASSERT_NO_FATAL_FAILURE(chooseFromMenu({"a"}));
    HWND about = waitForShown("#32770", kAppTitle.c_str());
    ASSERT_NE(about, nullptr) << "no about box";
    moveMouse(centreOf(about));
    ASSERT_TRUE(command("send .idleon"));
    const long long said = log().find("posted", ".idleon").ms;
    // Its reply has begun: about a second of pauses lies ahead, in the box's loop.
    ASSERT_TRUE(waitUntil([&] { return inputsSince(said, "WM_GETTEXTLENGTH") > 0; }, 15)) << "the line was not handled";
    const long long pressed = nowMs();
    ASSERT_NO_FATAL_FAILURE(pressKeys({"Return"}));
    EXPECT_TRUE(waitForGone(about)) << "Enter pressed during the pause did not close the about box";
    const bool keyInThePause = waitUntil(
        [&] {
            const std::vector<LogEntry> inputs = log().read("input");
            return std::any_of(inputs.begin(), inputs.end(), [&](const LogEntry& e) {
                return e.ms >= pressed && e.field(1) == "WM_CHAR" && e.field(2) == "13";
            });
        },
        15);
    EXPECT_TRUE(keyInThePause) << "the reply was sent before Enter came: the pause was missed, nothing was tested";
}

}  // namespace
}  // namespace lantern::e2e
