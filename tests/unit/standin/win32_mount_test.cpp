// The stand-in's Win32 mount with real windows (Windows builds, run under Wine).
#ifdef _WIN32

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

#include "standin/model/standin_client.h"
#include "standin/win32/control_window.h"
#include "standin/win32/log_file.h"
#include "standin/win32/win32_host.h"

namespace lantern::standin::win32 {
namespace {

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
              std::string::npos) << logged.str();
}

}  // namespace
}  // namespace lantern::standin::win32

#endif  // _WIN32
