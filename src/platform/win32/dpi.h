#pragma once
// Twips, pixels and the DPI that links them. The forms are laid out in twips; the
// screen holds whole pixels, 15 twips a pixel at 96 DPI and proportionally fewer at
// higher DPIs.

#include "platform/win32/windows_api.h"

namespace lantern::win32 {

constexpr unsigned kDefaultDpi = 96;
constexpr double kTwipsPerInch = 1440.0;

// The nearest whole pixel, halves away from zero, so a 10-twip step always moves by
// at least one pixel (up to 288 DPI).
int twipsToPixels(double twips, unsigned dpi);
double pixelsToTwips(int pixels, unsigned dpi);

// The font height that CreateFontA takes for a size in points (negative: the
// character height, not the cell height).
int fontHeightForPoints(double points, unsigned dpi);

// The functions of newer Windows versions that DPI awareness needs, looked up once;
// each may be missing (older Windows, Wine), and the callers fall back.
class DpiApi {
public:
    DpiApi();
    // Per-Monitor V2 for the whole process, when the manifest has not done it already.
    void becomePerMonitorAware() const;
    // The DPI of the monitor that holds the window.
    unsigned forWindow(HWND window) const;
    // The DPI in which screen positions are read and written (the primary monitor's).
    unsigned forScreen() const;
    // AdjustWindowRectEx at that DPI.
    RECT outerRect(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, unsigned dpi) const;
    // GetSystemMetrics at that DPI (icon sizes, say).
    int systemMetric(int index, unsigned dpi) const;

private:
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    using GetDpiForSystemFn = UINT(WINAPI*)();
    using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    using SetProcessDpiAwarenessContextFn = BOOL(WINAPI*)(HANDLE);
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

    GetDpiForWindowFn getDpiForWindow_ = nullptr;  // user32, Windows 10 1607 and later
    GetDpiForSystemFn getDpiForSystem_ = nullptr;
    AdjustWindowRectExForDpiFn adjustWindowRectExForDpi_ = nullptr;
    SetProcessDpiAwarenessContextFn setProcessDpiAwarenessContext_ = nullptr;
    GetSystemMetricsForDpiFn getSystemMetricsForDpi_ = nullptr;
};

}  // namespace lantern::win32
