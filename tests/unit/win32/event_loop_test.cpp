// Waits sleep until a message comes and run it; the clock reads the local time.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "win32_test_support.h"

namespace lantern::win32::testing {
namespace {

constexpr UINT kPing = WM_APP + 7;
int pingsSeen = 0;

LRESULT CALLBACK sinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kPing) ++pingsSeen;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND makeSink() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = sinkProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "LanternTestSink";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "LanternTestSink", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

TEST(Win32EventLoop, WaitSleepsYetRunsAMessagePostedMeanwhile) {
    auto platform = makeTestPlatform();
    EventLoop& events = platform->platform().events;
    HWND sink = makeSink();
    pingsSeen = 0;
    std::thread poster([sink] {
        Sleep(100);
        PostMessageA(sink, kPing, 0, 0);
    });

    const long passesBefore = platform->eventPasses();
    const double cpuBefore = threadCpuSeconds();
    events.waitForEvents(0.3);
    const double cpuUsed = threadCpuSeconds() - cpuBefore;
    const long passes = platform->eventPasses() - passesBefore;
    poster.join();

    EXPECT_EQ(pingsSeen, 1);
    // A wait that sleeps wakes for the message and at its end; one that spins runs
    // the queue thousands of times. (Its CPU time is shown, not judged: under Wine a
    // spinning thread spends most of it in the server.)
    EXPECT_LT(passes, 20) << "the wait kept running the queue";
    std::printf("waiting 0.3 s took %.3f s of CPU in %ld passes\n", std::max(cpuUsed, 0.0), passes);
    DestroyWindow(sink);
}

TEST(Win32EventLoop, DoEventsRunsWhatIsWaitingAndReturns) {
    auto platform = makeTestPlatform();
    EventLoop& events = platform->platform().events;
    HWND sink = makeSink();
    pingsSeen = 0;
    for (int i = 0; i < 3; ++i) PostMessageA(sink, kPing, 0, 0);
    events.doEvents();
    EXPECT_EQ(pingsSeen, 3);
    DestroyWindow(sink);
}

TEST(Win32EventLoop, TimeOfDayIsTheLocalTimeWithMilliseconds) {
    auto platform = makeTestPlatform();
    EventLoop& events = platform->platform().events;
    SYSTEMTIME now;
    GetLocalTime(&now);
    const double expected = now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
    const double read = events.timeOfDay();
    // Across midnight the two readings may sit on either side of it.
    EXPECT_TRUE(std::abs(read - expected) < 1.0 || std::abs(read - expected) > 86399.0) << read << " " << expected;

    const double before = events.timeOfDay();
    Sleep(60);
    const double after = events.timeOfDay();
    EXPECT_GT(after - before, 0.03);
    EXPECT_LT(after - before, 0.5) << "whole seconds only";
}

TEST(Win32EventLoop, QuitEndsTheMessageLoopWithItsCode) {
    auto platform = makeTestPlatform();
    PostQuitMessage(7);
    EXPECT_EQ(platform->runMessageLoop(), 7);
}

}  // namespace
}  // namespace lantern::win32::testing
