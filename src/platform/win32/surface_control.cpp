#include "platform/win32/surface_control.h"

#include "platform/win32/form.h"
#include "platform/win32/picture.h"

namespace lantern::win32 {
namespace {

FormControl::WindowClass surfaceClass(const ControlSpec& spec) {
    // A transparent label lets the siblings below paint first and paints nothing; a
    // picture, without WS_CLIPSIBLINGS, paints under the transparent labels over it.
    if (spec.kind == ControlKind::Picture) return {kSurfaceClass, WS_CHILD | WS_VISIBLE, 0};
    if (spec.transparent) return {kSurfaceClass, WS_CHILD | WS_VISIBLE, WS_EX_TRANSPARENT};
    return {kSurfaceClass, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0};
}

}  // namespace

SurfaceControl::SurfaceControl(Form& form, const ControlSpec& spec, HWND parent, int id)
    : OwnClassControl(form, spec, id) {
    createWindow(parent, surfaceClass(spec), this);
    if (!hwnd_) return;
    if (spec.kind == ControlKind::Picture && !spec.picture.empty()) {
        picture_ = loadPicture(form_.backend().instance, spec.picture);
    }
    layout(form_.dpi());
}

SurfaceControl::~SurfaceControl() {
    if (picture_) DeleteObject(picture_);
}

LRESULT SurfaceControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = hwnd_;
    if (mouseMessage(message, lParam)) return 0;
    if (message == WM_PAINT) {
        PAINTSTRUCT paintInfo;
        HDC dc = BeginPaint(window, &paintInfo);
        paint(dc);
        EndPaint(window, &paintInfo);
        form_.raisePaint();
        return 0;
    }
    if (auto handled = ownClassDefaults(window, message, wParam, lParam, hwnd_)) return *handled;
    return DefWindowProcA(window, message, wParam, lParam);
}

// A handler of the press that takes the mouse away (the move loop of a drag) cancels
// the click.
bool SurfaceControl::mouseMessage(UINT message, LPARAM lParam) {
    if (isButtonDown(message)) {
        if (message == WM_LBUTTONDOWN) {
            pressed_ = true;
            SetCapture(hwnd_);
        }
        raiseMouseDown(buttonOf(message));
        return true;
    }
    if (message == WM_LBUTTONUP) {
        if (!pressed_) return true;
        pressed_ = false;
        ReleaseCapture();
        RECT client;
        GetClientRect(hwnd_, &client);
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&client, at)) raiseClick();
        return true;
    }
    if (message == WM_CAPTURECHANGED) {
        pressed_ = false;
        return true;
    }
    return false;
}

void SurfaceControl::paint(HDC dc) const {
    RECT client;
    GetClientRect(hwnd_, &client);
    if (spec_.kind == ControlKind::Picture) return paintPicture(dc, client);
    if (spec_.transparent) return;  // the siblings below show through
    FillRect(dc, &client, backgroundBrush(spec_.whiteBackground || form_.whiteBackground()));
    const std::string caption = windowText(hwnd_);
    HGDIOBJ previous = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd_) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    // Words wrap only in a label tall enough for a second line; in a one-line label a
    // caption a little wider than the label (another system's font) stays readable.
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const UINT lines = client.bottom >= 2 * metrics.tmHeight ? DT_WORDBREAK : DT_SINGLELINE;
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &client, DT_LEFT | DT_NOPREFIX | lines);
    SelectObject(dc, previous);
}

void SurfaceControl::paintPicture(HDC dc, const RECT& client) const {
    BITMAP info{};
    if (!picture_ || !GetObjectA(picture_, sizeof info, &info)) {
        FillRect(dc, &client, backgroundBrush(form_.whiteBackground()));
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, picture_);
    // At another DPI than 96 the picture is scaled to the control, smoothly.
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

}  // namespace lantern::win32
