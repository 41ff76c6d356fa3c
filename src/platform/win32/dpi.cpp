#include "platform/win32/dpi.h"

#include <cmath>

namespace lantern::win32 {
namespace {

// GetProcAddress answers a generic function pointer; going through void(*)() keeps
// the cast to the real signature free of warnings.
template <class Function>
Function lookUp(HMODULE module, const char* name) {
    if (!module) return nullptr;
    auto generic = reinterpret_cast<void (*)()>(GetProcAddress(module, name));
    return reinterpret_cast<Function>(generic);
}

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, which older headers lack.
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4));

}  // namespace

int twipsToPixels(double twips, unsigned dpi) { return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch)); }

double pixelsToTwips(int pixels, unsigned dpi) { return pixels * kTwipsPerInch / dpi; }

int fontHeightForPoints(double points, unsigned dpi) { return -static_cast<int>(std::lround(points * dpi / 72.0)); }

DpiApi::DpiApi() {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    getDpiForWindow_ = lookUp<GetDpiForWindowFn>(user32, "GetDpiForWindow");
    getDpiForSystem_ = lookUp<GetDpiForSystemFn>(user32, "GetDpiForSystem");
    adjustWindowRectExForDpi_ = lookUp<AdjustWindowRectExForDpiFn>(user32, "AdjustWindowRectExForDpi");
    setProcessDpiAwarenessContext_ = lookUp<SetProcessDpiAwarenessContextFn>(user32, "SetProcessDpiAwarenessContext");
    getSystemMetricsForDpi_ = lookUp<GetSystemMetricsForDpiFn>(user32, "GetSystemMetricsForDpi");
}

void DpiApi::becomePerMonitorAware() const {
    // Fails harmlessly when the manifest already set the awareness.
    if (setProcessDpiAwarenessContext_) setProcessDpiAwarenessContext_(kPerMonitorAwareV2);
}

unsigned DpiApi::forWindow(HWND window) const {
    if (getDpiForWindow_ && window) {
        if (UINT dpi = getDpiForWindow_(window)) return dpi;
    }
    return forScreen();
}

unsigned DpiApi::forScreen() const {
    if (getDpiForSystem_) {
        if (UINT dpi = getDpiForSystem_()) return dpi;
    }
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<unsigned>(dpi) : kDefaultDpi;
}

RECT DpiApi::outerRect(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, unsigned dpi) const {
    RECT rect{0, 0, clientWidth, clientHeight};
    if (adjustWindowRectExForDpi_) {
        adjustWindowRectExForDpi_(&rect, style, FALSE, exStyle, dpi);
    } else {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    return rect;
}

int DpiApi::systemMetric(int index, unsigned dpi) const {
    if (getSystemMetricsForDpi_) return getSystemMetricsForDpi_(index, dpi);
    // Older Windows answers at the screen's DPI only: scaled from there.
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(forScreen()));
}

}  // namespace lantern::win32
