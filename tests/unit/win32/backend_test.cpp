// Sends to windows of this thread and of another one, and waits for events.

#include <gtest/gtest.h>

#include "platform/messages.h"
#include "win32_test_support.h"

namespace lantern::win32::testing {
namespace {

int pingsSeen = 0;

// A window of this thread that counts WM_APP and copies 100 'x' into any WM_GETTEXT
// buffer, whatever capacity it was given.
LRESULT CALLBACK sinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) ++pingsSeen;
    if (message != WM_GETTEXT) return DefWindowProcA(window, message, wParam, lParam);
    memcpy(reinterpret_cast<char*>(lParam), std::string(100, 'x').c_str(), 101);
    return 100;
}

HWND makeSink() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{.lpfnWndProc = sinkProc, .hInstance = instance, .lpszClassName = "LanternTestSink"};
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "LanternTestSink", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, instance, nullptr);
}

TEST(Win32WindowSystem, HungWindowOfAnotherThreadTimesOutAsNotDelivered) {
    auto platform = makeTestPlatform({.sendTimeoutMs = 300});
    WindowSystem& windows = platform->platform().windows;
    PeerWindow peer;
    EXPECT_EQ(windows.sendMessage(peer.handle(), PeerWindow::kAnswer, 0, 0).value, 42);
    peer.hangFor(3000);
    Sleep(50);  // the peer is now inside its hang
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(windows.sendMessage(peer.handle(), PeerWindow::kAnswer, 0, 0).delivered);
    const ULONGLONG waited = GetTickCount64() - start;
    EXPECT_GE(waited, 200u) << "gave up before the timeout";
    EXPECT_LT(waited, 2000u) << "waited for the hang instead of the timeout";
    EXPECT_FALSE(windows.sendSetText(peer.handle(), "x").delivered);

    // No window, or one that is gone: nothing delivered, and a walk from nothing finds nothing.
    HWND gone = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    for (WindowHandle window : {WindowHandle{0}, reinterpret_cast<WindowHandle>(gone)}) {
        EXPECT_FALSE(windows.sendSetText(window, "x").delivered || windows.showWindow(window, sw::Minimize));
    }
    EXPECT_EQ(windows.findChild(0, 0, "LanternHost"), 0u);
}

TEST(Win32WindowSystem, Cp1252TextRoundTripsAndReadsStopAtTheCapacity) {
    auto platform = makeTestPlatform();
    Platform& p = platform->platform();
    PeerWindow peer;
    auto form = p.toolkit.createWindow(WindowSpec{.name = "frmText"});
    std::string text = "lant\xE8rn Idl\xE8 [beta] \x80 ";
    for (int byte = 0x20; byte <= 0xFF; ++byte) text += static_cast<char>(byte);
    // Another thread's window (SendMessageTimeoutA) and one of our own (SendMessageA),
    // read as the client code reads: the length, then the text.
    for (WindowHandle window : {peer.handle(), form->handle()}) {
        for (const std::string& written : {text, std::string()}) {
            ASSERT_TRUE(p.windows.sendSetText(window, written).delivered);
            std::string read(p.windows.sendMessage(window, msg::GetTextLength, 0, 0).value, '\0');
            EXPECT_EQ(p.windows.sendGetText(window, read.size() + 1, read).value, std::ssize(written));
            EXPECT_EQ(read, written);
        }
        ASSERT_TRUE(p.windows.sendSetText(window, text).delivered);
        std::string start(5, '\0');
        EXPECT_EQ(p.windows.sendGetText(window, 6, start).value, 5);
        EXPECT_EQ(start, "lant\xE8");
    }
    HWND overwriter = makeSink();  // copies more than asked: cut at the capacity all the same
    std::string buffer(20, '\x7F');
    EXPECT_EQ(p.windows.sendGetText(reinterpret_cast<WindowHandle>(overwriter), 10, buffer).value, 9);
    EXPECT_EQ(buffer, std::string(9, 'x') + std::string(11, '\x7F'));
    DestroyWindow(overwriter);
}

TEST(Win32EventLoop, WaitSleepsYetRunsAMessagePostedMeanwhile) {
    auto platform = makeTestPlatform();
    HWND sink = makeSink();
    std::thread poster([sink] {
        Sleep(100);
        PostMessageA(sink, WM_APP, 0, 0);
    });
    const long passesBefore = platform->eventPasses();
    const ULONGLONG start = GetTickCount64();
    platform->platform().events.waitForEvents(0.3);
    EXPECT_GE(GetTickCount64() - start, 290u) << "the wait ended early";
    poster.join();
    EXPECT_EQ(pingsSeen, 1);
    // One that sleeps wakes for the message and at its end; one that spins runs the
    // queue thousands of times (CPU time is no judge: under Wine the server spends it).
    EXPECT_LT(platform->eventPasses() - passesBefore, 20) << "the wait kept running the queue";
    DestroyWindow(sink);
}

}  // namespace
}  // namespace lantern::win32::testing
