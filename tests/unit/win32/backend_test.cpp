// The backend's seams against the real system: the registry, sends to windows, waits.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/messages.h"
#include "platform/win32/win32_platform.h"

namespace lantern::win32 {
namespace {

std::unique_ptr<Win32Platform> makeTestPlatform(const Win32Options& options = {}) {
    return makeWin32Platform(GetModuleHandleA(nullptr), options);
}

// A window on a thread of its own, as another program's; hangFor stops that thread answering.
class PeerWindow {
public:
    PeerWindow() {
        while (!hwnd_) Sleep(1);
    }
    ~PeerWindow() {
        PostMessageA(hwnd_, WM_QUIT, 0, 0);
        thread_.join();
    }
    WindowHandle handle() const { return reinterpret_cast<WindowHandle>(hwnd_.load()); }
    void hangFor(unsigned milliseconds) { PostMessageA(hwnd_, WM_APP, milliseconds, 0); }
    // The peer's thread reports a change of its scroll bar, or of another window's.
    void reportChange(bool ofThisWindow) { PostMessageA(hwnd_, WM_APP + 1, ofThisWindow, 0); }

private:
    void run() {
        const HWND other = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
        hwnd_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (message.message == WM_APP) Sleep(static_cast<DWORD>(message.wParam));
            if (message.message == WM_APP + 1) {
                NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, message.wParam ? hwnd_.load() : other, OBJID_VSCROLL,
                               CHILDID_SELF);
            }
            DispatchMessageA(&message);
        }
        DestroyWindow(other);
    }

    std::atomic<HWND> hwnd_ = nullptr;  // owned by the peer thread
    std::thread thread_{[this] { run(); }};
};

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

TEST(Win32Registry, ReadsGiveWhatWasWrittenOrNotFound) {
    auto platform = makeTestPlatform();
    Registry& registry = platform->platform().registry;
    const std::string path = "Software\\lantern-idle-tests\\" + std::to_string(GetCurrentProcessId());
    RegistryKey key = 0, missing = 123;
    ASSERT_EQ(registry.createKey(path + "\\Settings", key), reg::Success);
    EXPECT_EQ(registry.openKey(path + "\\nothing here", missing), reg::FileNotFound);
    EXPECT_EQ(missing, 0u);
    unsigned long size = 0;
    EXPECT_EQ(registry.queryValue(key, "absent", nullptr, nullptr, &size), reg::FileNotFound);

    // {name, type, bytes, whether a NUL may be added when read}
    const std::tuple<const char*, unsigned long, std::string, bool> values[] = {
        {"withNul", reg::Sz, std::string("000066\0", 7), false},
        {"withoutNul", reg::Sz, "000066", true},
        {"count", reg::Dword, std::string("\x04\x03\x02\x01", 4), false},
    };
    for (const auto& [name, type, bytes, nulMayFollow] : values) {
        ASSERT_EQ(registry.setValue(key, name, type, bytes.data(), bytes.size()), reg::Success);
        unsigned long foundType = 0xFFFF;
        std::string data(64, '\x7F');  // poisoned: every byte must come from the registry
        size = data.size();
        EXPECT_EQ(registry.queryValue(key, name, &foundType, data.data(), &size), reg::Success);
        data.resize(size);
        EXPECT_EQ(foundType, type) << name;
        EXPECT_TRUE(data == bytes || (nulMayFollow && data == bytes + '\0')) << name << ": " << data;
    }
    registry.closeKey(key);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\lantern-idle-tests");
}

TEST(Win32WindowSystem, HungWindowOfAnotherThreadTimesOutAsNotDelivered) {
    auto platform = makeTestPlatform({.sendTimeoutMs = 300});
    WindowSystem& windows = platform->platform().windows;
    PeerWindow peer;
    EXPECT_TRUE(windows.sendSetText(peer.handle(), "answering").delivered);
    peer.hangFor(3000);
    Sleep(50);  // the peer is now inside its hang
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(windows.sendSetText(peer.handle(), "hung").delivered);
    const ULONGLONG waited = GetTickCount64() - start;
    EXPECT_GE(waited, 200u) << "gave up before the timeout";
    EXPECT_LT(waited, 2000u) << "waited for the hang instead of the timeout";
}

// Reports of another thread's window come through our queue while we wait for events;
// those of its other windows, and any after the watch has gone, do not.
TEST(Win32WindowSystem, ChangeReportsComeFromTheWatchedWindowAlone) {
    auto platform = makeTestPlatform();
    Platform& seams = platform->platform();
    PeerWindow peer;
    int reports = 0;
    std::unique_ptr<ChangeWatch> watch = seams.windows.watchChanges(peer.handle(), [&reports] { ++reports; });
    ASSERT_NE(watch, nullptr);
    auto reportAndWait = [&](bool ofTheWatchedWindow) {
        peer.reportChange(ofTheWatchedWindow);
        seams.events.waitForEvents(0.3);
    };
    reportAndWait(false);
    EXPECT_EQ(reports, 0);
    reportAndWait(true);
    reportAndWait(true);
    EXPECT_EQ(reports, 2);
    watch.reset();
    reportAndWait(true);
    EXPECT_EQ(reports, 2);
    EXPECT_EQ(seams.windows.watchChanges(0, [] {}), nullptr);
}

TEST(Win32WindowSystem, NoWindowOrAGoneOneGetsNothing) {
    auto platform = makeTestPlatform();
    WindowSystem& windows = platform->platform().windows;
    PeerWindow topLevel;  // one the desktop holds
    HWND gone = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    for (WindowHandle window : {WindowHandle{0}, reinterpret_cast<WindowHandle>(gone)}) {
        EXPECT_FALSE(windows.sendSetText(window, "x").delivered || windows.showWindow(window, sw::Minimize));
    }
    ASSERT_NE(windows.findWindow("Static"), 0u);
    EXPECT_EQ(windows.findChild(0, 0, "Static"), 0u) << "a walk from nothing searched the desktop";
}

TEST(Win32WindowSystem, Cp1252TextRoundTrips) {
    auto platform = makeTestPlatform();
    WindowSystem& windows = platform->platform().windows;
    PeerWindow peer;
    std::string text = "lant\xE8rn Idl\xE8 [beta] \x80 ";
    for (int byte = 0x20; byte <= 0xFF; ++byte) text += static_cast<char>(byte);
    for (const std::string& written : {text, std::string()}) {  // read as the client code reads
        ASSERT_TRUE(windows.sendSetText(peer.handle(), written).delivered);
        std::string read(windows.sendMessage(peer.handle(), msg::GetTextLength, 0, 0).value, '\0');
        EXPECT_EQ(windows.sendGetText(peer.handle(), read.size() + 1, read).value, std::ssize(written));
        EXPECT_EQ(read, written);
    }
}

TEST(Win32WindowSystem, ReadsStopAtTheCapacity) {
    auto platform = makeTestPlatform();
    const HWND overwriter = makeSink();  // copies more than it was asked for
    std::string buffer(20, '\x7F');
    const auto handle = reinterpret_cast<WindowHandle>(overwriter);
    EXPECT_EQ(platform->platform().windows.sendGetText(handle, 10, buffer).value, 9);
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
    // A spinning wait runs the queue thousands of times (CPU time is no judge under Wine).
    EXPECT_LT(platform->eventPasses() - passesBefore, 20) << "the wait kept running the queue";
    DestroyWindow(sink);
}

}  // namespace
}  // namespace lantern::win32
