// The stand-in's Win32 mount with real windows (Windows builds, run under Wine).
#ifdef _WIN32

#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "standin/model/standin_client.h"
#include "standin/win32/control_window.h"
#include "standin/win32/log_file.h"
#include "standin/win32/win32_host.h"

namespace lantern::standin::win32 {
namespace {

std::size_t workingSetBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

void runPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

class Win32MountTest : public ::testing::Test {
protected:
    Win32MountTest() { host.attach(client); }

    Win32Host host{GetModuleHandleA(nullptr), FrameMenu{}};
    StandinClient client{host, Options{}};
};

TEST_F(Win32MountTest, TheTranscriptAnswersWithItsPlainTextAndCopiesOnlyWhatFits) {
    client.say("buddy", "<font color=#FF0000>hello</font> <b>room</b>");
    HWND view = FindWindowExA(reinterpret_cast<HWND>(client.roomWindow()), nullptr, "richcntlreadonly", nullptr);
    const std::string& plain = client.transcript()->text();
    EXPECT_EQ(SendMessageA(view, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(plain.size()));
    std::string whole(plain.size() + 1, 'X');
    EXPECT_EQ(SendMessageA(view, WM_GETTEXT, whole.size(), reinterpret_cast<LPARAM>(whole.data())),
              static_cast<LRESULT>(plain.size()));
    EXPECT_EQ(whole, plain + '\0');

    std::string small(8, 'X');
    EXPECT_EQ(SendMessageA(view, WM_GETTEXT, 5, reinterpret_cast<LPARAM>(small.data())), 4);
    EXPECT_EQ(small, plain.substr(0, 4) + '\0' + "XXX");  // nothing past the room given
}

// Whoever watches the transcript hears of a new line when its view scrolls on to it,
// as the system reports a scroll bar's new position on Windows; not while the lines
// still fit in the view.
std::vector<HWND> scrollReports;
void CALLBACK noteScrollReport(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD) {
    if (object == OBJID_VSCROLL) scrollReports.push_back(window);
}

TEST_F(Win32MountTest, TheTranscriptReportsEachLineItScrollsOnTo) {
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                                               noteScrollReport, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    HWND view = FindWindowExA(reinterpret_cast<HWND>(client.roomWindow()), nullptr, "richcntlreadonly", nullptr);
    scrollReports.clear();
    client.say("buddy", "one line fits");
    runPendingMessages();
    EXPECT_TRUE(scrollReports.empty());
    for (int i = 0; i < 80; ++i) client.say("buddy", "line " + std::to_string(i));
    runPendingMessages();
    UnhookWinEvent(hook);
    EXPECT_GE(scrollReports.size(), 40u);
    EXPECT_LE(scrollReports.size(), 80u);
    for (HWND window : scrollReports) EXPECT_TRUE(IsChild(view, window));
}

TEST_F(Win32MountTest, ControlCommandsArriveByCopyDataAndAreLogged) {
    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "sti", 0, path);
    {
        LogFile log(path);
        ControlWindow control(GetModuleHandleA(nullptr), client, log);
        EXPECT_EQ(sendCommand("say buddy\thi there"), 0);
        EXPECT_EQ(sendCommand("download progress 10"), 1);  // no download running
        EXPECT_TRUE(client.transcript()->text().ends_with("\r\nbuddy:\thi there"));
    }
    EXPECT_EQ(sendCommand("signoff"), 2);  // the control window has gone
    std::stringstream logged;
    logged << std::ifstream(path, std::ios::binary).rdbuf();
    DeleteFileA(path);
    EXPECT_NE(logged.str().find("\tcommand\tsay buddy\\thi there\tok\n"), std::string::npos) << logged.str();
    EXPECT_NE(logged.str().find("\tcommand\tdownload progress 10\trefused: no such transfer is running\n"),
              std::string::npos)
        << logged.str();
}

// Hostile input as an add-on could send it: a load banner of megabytes set into the
// input box and posted, then a long run of long lines. The stand-in stays up, its
// transcript within its limit and still ending with the newest line.
TEST_F(Win32MountTest, AHugePostAndALongLineLoadLeaveTheClientUpAndItsTranscriptBounded) {
    HWND input = reinterpret_cast<HWND>(client.inputBox());
    EXPECT_EQ(SendMessageA(input, EM_GETLIMITTEXT, 0, 0), 32767);  // what a person can type
    const std::string huge(6 * 1024 * 1024, 'x');
    EXPECT_TRUE(SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(huge.c_str())));
    // A program's text is not cut, as in a standard edit control.
    ASSERT_EQ(SendMessageA(input, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(huge.size()));
    std::string copied(huge.size() + 1, '\0');
    EXPECT_EQ(SendMessageA(input, WM_GETTEXT, copied.size(), reinterpret_cast<LPARAM>(copied.data())),
              static_cast<LRESULT>(huge.size()));
    EXPECT_EQ(copied, huge + '\0');
    SendMessageA(input, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(GetWindowTextLengthA(input), 0);
    EXPECT_EQ(client.record().posted(), std::vector<std::string>{huge});

    // On screen and painted, as a person sees it: the view is where memory grew.
    ShowWindow(host.frame(), SW_SHOW);
    runPendingMessages();
    const std::size_t before = workingSetBytes();
    const std::string longLine(4000, 'y');
    for (int i = 0; i < 400; ++i) {
        client.say("buddy", std::to_string(i) + " " + longLine);
        runPendingMessages();
    }
    // What the transcript keeps is half a megabyte; the view held megabytes a line.
    EXPECT_LT(workingSetBytes() - before, std::size_t{64} << 20);
    HWND view = FindWindowExA(reinterpret_cast<HWND>(client.roomWindow()), nullptr, "RICHCNTLREADONLY", nullptr);
    const LRESULT length = SendMessageA(view, WM_GETTEXTLENGTH, 0, 0);
    EXPECT_LE(static_cast<std::size_t>(length), TranscriptLimits{}.maxBytes);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(SendMessageA(view, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    EXPECT_TRUE(text.ends_with("\r\nbuddy:\t399 " + longLine));
    EXPECT_TRUE(IsWindow(view));
}

}  // namespace
}  // namespace lantern::standin::win32

#endif  // _WIN32
