#include "platform/win32/frame_control.h"

#include "platform/win32/form.h"

namespace lantern::win32 {
namespace {

// The etched border starts this far in from the left edge for the caption.
constexpr int kCaptionIndent = 6;

bool isForTheForm(UINT message) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return true;
    default:
        return false;
    }
}

}  // namespace

FrameControl::FrameControl(Form& form, const ControlSpec& spec, HWND parent, int id) : OwnClassControl(form, spec, id) {
    createWindow(parent, {kFrameClass, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT},
                 this);
    layout(form_.dpi());
}

LRESULT FrameControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = hwnd_;
    if (isForTheForm(message)) return SendMessageA(GetAncestor(window, GA_ROOT), message, wParam, lParam);
    if (isButtonDown(message)) {
        raiseMouseDown(buttonOf(message));
        return 0;
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT paintInfo;
        HDC dc = BeginPaint(window, &paintInfo);
        paint(dc);
        EndPaint(window, &paintInfo);
        return 0;
    }
    if (auto handled = ownClassDefaults(window, message, wParam, lParam, hwnd_)) return *handled;
    return DefWindowProcA(window, message, wParam, lParam);
}

void FrameControl::paint(HDC dc) const {
    RECT client;
    GetClientRect(hwnd_, &client);
    const COLORREF background = backgroundColor(spec_.whiteBackground);
    FillRect(dc, &client, backgroundBrush(spec_.whiteBackground));
    HGDIOBJ previous = SelectObject(dc, font_);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    RECT border = client;
    border.top += metrics.tmHeight / 2;
    DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
    const std::string caption = windowText(hwnd_);
    if (!caption.empty()) {
        const int indent = MulDiv(kCaptionIndent, static_cast<int>(form_.dpi()), kDefaultDpi);
        RECT text{client.left + indent, client.top, client.right - indent, client.top + metrics.tmHeight};
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, background);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        const std::string padded = " " + caption + " ";
        DrawTextA(dc, padded.c_str(), static_cast<int>(padded.size()), &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectObject(dc, previous);
}

}  // namespace lantern::win32
