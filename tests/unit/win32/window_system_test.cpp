// Sends to windows of this thread and of another one: hung windows time out as "not
// delivered", CP1252 text survives WM_SETTEXT/WM_GETTEXT, and reads never overflow.

#include <gtest/gtest.h>

#include "platform/messages.h"
#include "win32_test_support.h"

namespace lantern::win32::testing {
namespace {

std::string allCp1252Bytes() {
    std::string text = "lant\xE8rn Idl\xE8 [beta] \x80 \xE9 ";
    for (int byte = 0x20; byte <= 0xFF; ++byte) text += static_cast<char>(byte);
    return text;
}

// Reads a window's text the way the client code does: its length, then the text.
std::string readBack(WindowSystem& windows, WindowHandle window) {
    const SendResult length = windows.sendMessage(window, msg::GetTextLength, 0, 0);
    if (!length.delivered) return "<not delivered>";
    std::string buffer(static_cast<std::size_t>(length.value), '\0');
    const SendResult copied = windows.sendGetText(window, buffer.size() + 1, buffer);
    if (!copied.delivered) return "<not delivered>";
    return buffer.substr(0, static_cast<std::size_t>(copied.value));
}

TEST(Win32WindowSystem, HungWindowOfAnotherThreadTimesOutAsNotDelivered) {
    auto platform = makeTestPlatform({.sendTimeoutMs = 300});
    WindowSystem& windows = platform->platform().windows;
    PeerWindow peer;
    EXPECT_EQ(windows.sendMessage(peer.handle(), PeerWindow::kAnswer, 0, 0).value, 42);

    peer.hangFor(3000);
    Sleep(50);  // the peer is now inside its hang
    const ULONGLONG start = GetTickCount64();
    const SendResult hung = windows.sendMessage(peer.handle(), PeerWindow::kAnswer, 0, 0);
    const ULONGLONG waited = GetTickCount64() - start;
    EXPECT_FALSE(hung.delivered);
    EXPECT_GE(waited, 200u) << "gave up before the timeout";
    EXPECT_LT(waited, 2000u) << "waited for the hang instead of the timeout";
    EXPECT_FALSE(windows.sendSetText(peer.handle(), "x").delivered);

    Sleep(3200);  // the peer answers again
    EXPECT_TRUE(windows.sendMessage(peer.handle(), PeerWindow::kAnswer, 0, 0).delivered);
}

TEST(Win32WindowSystem, Cp1252TextRoundTripsThroughSetTextAndGetText) {
    auto platform = makeTestPlatform();
    Platform& p = platform->platform();
    PeerWindow peer;
    auto form = p.toolkit.createWindow(WindowSpec{.name = "frmText"});
    const std::string text = allCp1252Bytes();
    // Another thread's window (SendMessageTimeoutA) and one of our own (SendMessageA).
    for (WindowHandle window : {peer.handle(), form->handle()}) {
        ASSERT_TRUE(p.windows.sendSetText(window, text).delivered);
        EXPECT_EQ(readBack(p.windows, window), text);
        ASSERT_TRUE(p.windows.sendSetText(window, "").delivered);
        EXPECT_EQ(readBack(p.windows, window), "");
    }
}

TEST(Win32WindowSystem, GetTextStopsAtTheCapacityAndWritesNoFurther) {
    auto platform = makeTestPlatform();
    WindowSystem& windows = platform->platform().windows;
    PeerWindow peer;
    ASSERT_TRUE(windows.sendSetText(peer.handle(), "lant\xE8rn Idl\xE8").delivered);
    std::string buffer(5, '\0');
    const SendResult copied = windows.sendGetText(peer.handle(), 6, buffer);
    EXPECT_TRUE(copied.delivered);
    EXPECT_EQ(copied.value, 5);
    EXPECT_EQ(buffer, "lant\xE8");
}

// A control that ignores the capacity it is given and copies its whole text.
LRESULT CALLBACK overwritingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETTEXT) {
        const std::string text(100, 'x');
        memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
        return static_cast<LRESULT>(text.size());
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(Win32WindowSystem, ControlThatCopiesTooMuchIsCutAtTheCapacity) {
    auto platform = makeTestPlatform();
    WindowSystem& windows = platform->platform().windows;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = overwritingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "LanternTestOverwriter";
    RegisterClassA(&windowClass);
    HWND overwriter = CreateWindowExA(0, "LanternTestOverwriter", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
    std::string buffer(9, '\0');
    const SendResult copied = windows.sendGetText(reinterpret_cast<WindowHandle>(overwriter), 10, buffer);
    EXPECT_EQ(copied.value, 9);
    EXPECT_EQ(buffer, std::string(9, 'x'));
    DestroyWindow(overwriter);
}

TEST(Win32WindowSystem, MissingWindowsGiveFailuresAndEmptyWalks) {
    auto platform = makeTestPlatform();
    WindowSystem& windows = platform->platform().windows;
    HWND gone = CreateWindowExA(0, "STATIC", "gone", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    const WindowHandle goneHandle = reinterpret_cast<WindowHandle>(gone);
    std::string buffer(4, '\0');
    for (WindowHandle window : {WindowHandle{0}, goneHandle}) {
        SCOPED_TRACE(window);
        EXPECT_FALSE(windows.sendMessage(window, msg::GetTextLength, 0, 0).delivered);
        EXPECT_FALSE(windows.sendGetText(window, 5, buffer).delivered);
        EXPECT_FALSE(windows.showWindow(window, sw::Minimize));
        EXPECT_FALSE(windows.isWindow(window));
        EXPECT_EQ(windows.getWindow(window, gw::Next), 0u);
    }
    // A walk whose earlier step found nothing finds nothing, not some top-level window.
    EXPECT_EQ(windows.findChild(0, 0, "LanternHost"), 0u);
}

}  // namespace
}  // namespace lantern::win32::testing
