// The stand-in's Win32 mount, worked in process with real windows (Windows builds,
// run under Wine).
#ifdef _WIN32

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "standin/model/standin_client.h"
#include "standin/win32/control_window.h"
#include "standin/win32/log_file.h"
#include "standin/win32/win32_host.h"

namespace lantern::standin::win32 {
namespace {

HWND hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

class Win32MountTest : public ::testing::Test {
protected:
    Win32MountTest() { host.attach(client); }

    HWND child(HWND parent, const char* className) { return FindWindowExA(parent, nullptr, className, nullptr); }
    std::string text(HWND window) {
        std::string buffer(4096, '\0');
        LRESULT copied = SendMessageA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
        buffer.resize(static_cast<std::size_t>(copied));
        return buffer;
    }
    void setText(HWND window, const char* text) { SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
    void click(HWND window) {
        SendMessageA(window, WM_LBUTTONDOWN, 0, 0);
        SendMessageA(window, WM_KEYUP, VK_SPACE, 0);
    }
    HWND room() { return hwnd(client.roomWindow()); }
    HWND input() { return child(room(), "richcntl"); }

    Win32Host host{GetModuleHandleA(nullptr), FrameMenu{}};
    StandinClient client{host, Options{}};
};

TEST_F(Win32MountTest, TheTreeIsMadeOfRealWindowsOfTheContractsClasses) {
    HWND frame = host.frame();
    char className[64];
    GetClassNameA(frame, className, sizeof className);
    EXPECT_STREQ(className, "AOL Frame25");
    HWND mdi = child(frame, "mdiclient");
    ASSERT_EQ(mdi, host.mdiClient());
    EXPECT_EQ(GetWindow(mdi, GW_CHILD), room());  // the room was opened last
    for (const char* part : {"_aol_static", "richcntlreadonly", "_aol_combobox", "_aol_icon", "richcntl"}) {
        EXPECT_NE(child(room(), part), nullptr) << part;
    }
    EXPECT_EQ(text(GetWindow(room(), GW_HWNDNEXT)), "Welcome, lantern tester!");
}

TEST_F(Win32MountTest, TheTranscriptAnswersWithItsPlainTextAndCopiesOnlyWhatFits) {
    client.say("buddy", "<font color=#FF0000>hello</font> <b>room</b>");
    HWND view = child(room(), "richcntlreadonly");
    const std::string& plain = client.transcript()->text();
    EXPECT_EQ(SendMessageA(view, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(plain.size()));
    EXPECT_EQ(text(view), plain);

    char small[8];
    std::memset(small, 'X', sizeof small);
    EXPECT_EQ(SendMessageA(view, WM_GETTEXT, 5, reinterpret_cast<LPARAM>(small)), 4);
    EXPECT_EQ(std::string(small, 5), plain.substr(0, 4) + '\0');
    EXPECT_EQ(small[5], 'X');  // nothing written past the room it was given

    // What a person sees: the same line, tags gone, in the rich edit inside.
    std::string shown(256, '\0');
    shown.resize(static_cast<std::size_t>(GetWindowTextA(GetWindow(view, GW_CHILD), shown.data(), 256)));
    EXPECT_NE(shown.find("hello room"), std::string::npos) << shown;
}

TEST_F(Win32MountTest, EnterInTheInputBoxPostsItsTextAndEmptiesIt) {
    setText(input(), "");
    setText(input(), "<b>idl\xE8</b> now");
    SendMessageA(input(), WM_CHAR, 13, 0);
    EXPECT_EQ(client.record().posted(), std::vector<std::string>{"<b>idl\xE8</b> now"});
    EXPECT_EQ(text(input()), "");
    EXPECT_TRUE(client.transcript()->text().ends_with("\r\nlantern tester:\tidl\xE8 now"));

    // The box's messages are noted as they arrive: the Enter before the post.
    std::vector<std::string> order;
    for (const Event& event : client.record().events()) {
        if (event.kind == EventKind::InputMessage) order.push_back(event.name + " " + event.text);
        if (event.kind == EventKind::Posted) order.push_back("posted");
    }
    std::vector<std::string> expected = {"WM_SETTEXT ", "WM_SETTEXT <b>idl\xE8</b> now", "WM_CHAR ", "posted",
                                         "WM_GETTEXT "};
    EXPECT_EQ(order, expected);
}

TEST_F(Win32MountTest, AClickSentAsMessagesActsAndLeavesTheMouseFree) {
    HWND strip = child(child(host.frame(), "aol toolbar"), "_aol_toolbar");
    HWND icon = hwnd(client.toolbarIcon(kKeywordIconNumber));
    EXPECT_EQ(GetParent(icon), strip);
    click(icon);
    ASSERT_NE(client.keywordWindow(), 0u);
    EXPECT_EQ(GetWindow(host.mdiClient(), GW_CHILD), hwnd(client.keywordWindow()));
    EXPECT_EQ(GetCapture(), nullptr);

    setText(hwnd(client.keywordLinkBox()), "aol://2719:2-2-back room");
    click(child(hwnd(client.keywordWindow()), "_aol_icon"));
    EXPECT_EQ(client.roomNames(), std::vector<std::string>{"back room"});
    EXPECT_EQ(text(room()), "back room");
}

TEST_F(Win32MountTest, CloseMinimiseAndCaptionsReachTheRecord) {
    client.startTransfer(TransferKind::Download);
    HWND download = hwnd(client.transferWindow(TransferKind::Download));
    ShowWindow(download, SW_MINIMIZE);
    EXPECT_EQ(client.record().of(EventKind::WindowMinimized).size(), 1u);

    HWND lobby = room();
    SendMessageA(lobby, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(lobby));
    EXPECT_EQ(client.record().of(EventKind::WindowClosed).size(), 1u);

    setText(host.frame(), "lant\xE8rn Idl\xE8 [beta]");
    EXPECT_EQ(client.record().captions(), std::vector<std::string>{"lant\xE8rn Idl\xE8 [beta]"});
    EXPECT_EQ(text(host.frame()), "lant\xE8rn Idl\xE8 [beta]");
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
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
    std::string logged = readFile(path);
    DeleteFileA(path);
    EXPECT_NE(logged.find("\tcommand\tsay buddy\\thi there\tok\n"), std::string::npos) << logged;
    EXPECT_NE(logged.find("\tcommand\tdownload progress 10\trefused: no such transfer is running\n"),
              std::string::npos) << logged;
}

}  // namespace
}  // namespace lantern::standin::win32

#endif  // _WIN32
