#include "platform/win32/form_control.h"

#include "platform/win32/form.h"
#include "platform/win32/frame_control.h"
#include "platform/win32/surface_control.h"
#include "platform/win32/system_control.h"

namespace lantern::win32 {

std::unique_ptr<FormControl> FormControl::create(Form& form, const ControlSpec& spec, HWND parent, int id) {
    switch (spec.kind) {
    case ControlKind::Label:
    case ControlKind::Picture:
        return std::make_unique<SurfaceControl>(form, spec, parent, id);
    case ControlKind::Frame:
        return std::make_unique<FrameControl>(form, spec, parent, id);
    case ControlKind::TextBox:
    case ControlKind::Button:
    case ControlKind::ListBox:
    case ControlKind::ComboBox:
        break;
    }
    return std::make_unique<SystemControl>(form, spec, parent, id);
}

FormControl::FormControl(Form& form, const ControlSpec& spec, int id) : form_(form), spec_(spec), id_(id) {}

FormControl::~FormControl() {
    // The form destroys the windows before its controls; a control that outlives its
    // window only has its font left to free.
    if (font_) DeleteObject(font_);
}

void FormControl::createWindow(HWND parent, WindowClass windowClass, void* self) {
    if (!parent) return;
    DWORD style = windowClass.style;
    // A control kept out of the user's reach is no tab stop and stays disabled for
    // input (focus, keys and clicks go past it); the program's enabled flag is kept
    // beside it, and its text is read and written as usual.
    if (!spec_.userReachable) style &= ~static_cast<DWORD>(WS_TABSTOP);
    if (!spec_.enabled || !spec_.userReachable) style |= WS_DISABLED;
    hwnd_ = CreateWindowExA(windowClass.exStyle, windowClass.name, spec_.text.c_str(), style, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), form_.backend().instance, self);
}

void FormControl::layout(unsigned dpi) {
    if (!hwnd_) return;
    const TwipsRect& place = spec_.place;
    SetWindowPos(hwnd_, nullptr, twipsToPixels(place.left, dpi), twipsToPixels(place.top, dpi),
                 twipsToPixels(place.width, dpi), twipsToPixels(place.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    applyFont(dpi);
}

void FormControl::applyFont(unsigned dpi) {
    HFONT font =
        CreateFontA(fontHeightForPoints(spec_.font.points, dpi), 0, 0, 0, spec_.font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                    FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_DONTCARE, spec_.font.face.c_str());
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (font_) DeleteObject(font_);
    font_ = font;
    repaint();
}

std::string FormControl::text() const { return hwnd_ ? windowText(hwnd_) : std::string(); }

void FormControl::setText(const std::string& text) {
    if (hwnd_) SetWindowTextA(hwnd_, text.c_str());
}

bool FormControl::enabled() const {
    return hwnd_ && spec_.userReachable ? IsWindowEnabled(hwnd_) != FALSE : spec_.enabled;
}

void FormControl::setEnabled(bool enabled) {
    spec_.enabled = enabled;
    if (!hwnd_ || !spec_.userReachable) return;
    EnableWindow(hwnd_, enabled);
    repaint();
}

void FormControl::setFontFace(const std::string& face) {
    spec_.font.face = face;
    if (hwnd_) applyFont(form_.dpi());
}

void FormControl::raiseMouseDown(MouseButton button) { callCopy(onMouseDown, button); }
void FormControl::raiseClick() { callCopy(onClick); }

MouseButton buttonOf(UINT message) {
    if (message == WM_RBUTTONDOWN) return MouseButton::Right;
    if (message == WM_MBUTTONDOWN) return MouseButton::Middle;
    return MouseButton::Left;
}

bool isButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

std::optional<LRESULT> ownClassDefaults(HWND window, UINT message, WPARAM wParam, LPARAM lParam, HWND& owned) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        InvalidateRect(window, nullptr, TRUE);
        return result;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        owned = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    default:
        return std::nullopt;
    }
}

}  // namespace lantern::win32
