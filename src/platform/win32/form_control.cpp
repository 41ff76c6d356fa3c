#include "platform/win32/form_control.h"

#include <algorithm>

#include "platform/win32/form.h"

namespace lantern::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;
// A combo box's window also holds its dropped-down list: this much room below the box.
constexpr double kComboListTwips = 2400;
// The etched border of a frame starts this far in from its left edge for the caption.
constexpr int kFrameCaptionIndent = 6;

struct Creation {
    const char* windowClass;
    DWORD style;
    DWORD exStyle;
};

Creation creationFor(const ControlSpec& spec, int id) {
    const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (spec.kind) {
    case ControlKind::Label:
        // A transparent label lets the siblings below paint first and paints nothing.
        if (spec.transparent) return {kSurfaceClass, WS_CHILD | WS_VISIBLE, WS_EX_TRANSPARENT};
        return {kSurfaceClass, child, 0};
    case ControlKind::Picture:
        // No WS_CLIPSIBLINGS: the picture paints under the transparent labels over it.
        return {kSurfaceClass, WS_CHILD | WS_VISIBLE, 0};
    case ControlKind::TextBox:
        return {"EDIT", child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::Button:
        return {"BUTTON", child | WS_TABSTOP | (id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0};
    case ControlKind::Frame:
        return {kFrameClass, child | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::ListBox:
        return {"LISTBOX", child | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE};
    case ControlKind::ComboBox:
        return {"COMBOBOX", child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    }
    return {kSurfaceClass, child, 0};
}

bool ownClass(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::Picture || kind == ControlKind::Frame;
}

MouseButton buttonOf(UINT message) {
    if (message == WM_RBUTTONDOWN) return MouseButton::Right;
    if (message == WM_MBUTTONDOWN) return MouseButton::Middle;
    return MouseButton::Left;
}

bool isButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

}  // namespace

FormControl::FormControl(Form& form, const ControlSpec& spec, HWND parent, int id)
    : form_(form), spec_(spec), id_(id) {
    if (!parent) return;
    const Creation how = creationFor(spec, id);
    DWORD style = how.style;
    // A control kept out of the user's reach is no tab stop and stays disabled for
    // input (focus, keys and clicks go past it); the program's enabled flag is kept
    // beside it, and its text is read and written as usual.
    if (!spec.userReachable) style &= ~static_cast<DWORD>(WS_TABSTOP);
    if (!spec.enabled || !spec.userReachable) style |= WS_DISABLED;
    HINSTANCE instance = form_.backend().instance;
    HWND created = CreateWindowExA(how.exStyle, how.windowClass, spec.text.c_str(), style, 0, 0, 0, 0, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
    if (!created) return;
    hwnd_ = created;
    if (!ownClass(spec.kind)) SetWindowSubclass(hwnd_, subclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    if (spec.kind == ControlKind::Picture && !spec.picture.empty()) {
        picture_ = static_cast<HBITMAP>(
            LoadImageA(instance, spec.picture.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    }
    // A combo box takes no text at creation; its edit field gets it now.
    if (spec.kind == ControlKind::ComboBox) SetWindowTextA(hwnd_, spec.text.c_str());
    if (spec.kind == ControlKind::TextBox && spec.maxLength > 0) {
        SendMessageA(hwnd_, EM_SETLIMITTEXT, static_cast<WPARAM>(spec.maxLength), 0);
    }
    layout(form_.dpi());
}

FormControl::~FormControl() {
    // The form destroys the windows before its controls; a control that outlives its
    // window only has its GDI objects left to free.
    if (hwnd_) {
        if (!ownClass(spec_.kind)) RemoveWindowSubclass(hwnd_, subclassProc, kSubclassId);
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    }
    if (font_) DeleteObject(font_);
    if (picture_) DeleteObject(picture_);
}

void FormControl::layout(unsigned dpi) {
    if (!hwnd_) return;
    const int height = twipsToPixels(spec_.height, dpi);
    int windowHeight = height;
    if (spec_.kind == ControlKind::ComboBox) windowHeight += twipsToPixels(kComboListTwips, dpi);
    SetWindowPos(hwnd_, nullptr, twipsToPixels(spec_.left, dpi), twipsToPixels(spec_.top, dpi),
                 twipsToPixels(spec_.width, dpi), windowHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    applyFont(dpi);
    if (spec_.kind == ControlKind::ComboBox) {
        // The box itself as high as the form says: its field is that less the borders.
        const int field = std::max(1, height - MulDiv(6, static_cast<int>(dpi), kDefaultDpi));
        SendMessageA(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

void FormControl::applyFont(unsigned dpi) {
    HFONT font = CreateFontA(fontHeightForPoints(spec_.font.points, dpi), 0, 0, 0,
                             spec_.font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             spec_.font.face.c_str());
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (font_) DeleteObject(font_);
    font_ = font;
    if (ownClass(spec_.kind)) InvalidateRect(hwnd_, nullptr, TRUE);
}

std::string FormControl::text() const {
    if (!hwnd_) return {};
    if (spec_.kind == ControlKind::ListBox) {
        const LRESULT selected = SendMessageA(hwnd_, LB_GETCURSEL, 0, 0);
        if (selected == LB_ERR) return {};
        return itemText(LB_GETTEXTLEN, LB_GETTEXT, static_cast<WPARAM>(selected));
    }
    return windowText(hwnd_);
}

void FormControl::setText(const std::string& text) {
    if (!hwnd_) return;
    if (spec_.kind == ControlKind::ListBox) {
        // A list box's text is its selected entry: setting it selects that entry.
        const LRESULT found = SendMessageA(hwnd_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageA(hwnd_, LB_SETCURSEL, found == LB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(found), 0);
        return;
    }
    SetWindowTextA(hwnd_, text.c_str());
}

bool FormControl::enabled() const {
    return hwnd_ && spec_.userReachable ? IsWindowEnabled(hwnd_) != FALSE : spec_.enabled;
}

void FormControl::setEnabled(bool enabled) {
    spec_.enabled = enabled;
    if (!hwnd_ || !spec_.userReachable) return;
    EnableWindow(hwnd_, enabled);
    if (ownClass(spec_.kind)) InvalidateRect(hwnd_, nullptr, TRUE);
}

void FormControl::setFontFace(const std::string& face) {
    spec_.font.face = face;
    if (hwnd_) applyFont(form_.dpi());
}

void FormControl::addItem(const std::string& item) {
    if (!hwnd_) return;
    if (spec_.kind == ControlKind::ListBox) {
        SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    } else if (spec_.kind == ControlKind::ComboBox) {
        SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
}

std::vector<std::string> FormControl::items() const {
    std::vector<std::string> entries;
    if (!hwnd_) return entries;
    const bool list = spec_.kind == ControlKind::ListBox;
    if (!list && spec_.kind != ControlKind::ComboBox) return entries;
    const LRESULT count = SendMessageA(hwnd_, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        entries.push_back(list ? itemText(LB_GETTEXTLEN, LB_GETTEXT, static_cast<WPARAM>(i))
                               : itemText(CB_GETLBTEXTLEN, CB_GETLBTEXT, static_cast<WPARAM>(i)));
    }
    return entries;
}

std::string FormControl::itemText(UINT lengthMessage, UINT textMessage, WPARAM index) const {
    const LRESULT length = SendMessageA(hwnd_, lengthMessage, index, 0);
    if (length <= 0) return {};
    std::string entry(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(hwnd_, textMessage, index, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(copied > 0 ? std::min(static_cast<std::size_t>(copied), entry.size() - 1) : 0);
    return entry;
}

void FormControl::command(int notification) {
    switch (spec_.kind) {
    case ControlKind::Button:
        if (notification == BN_CLICKED) raiseClick();
        break;
    case ControlKind::ListBox:
        if (notification == LBN_SELCHANGE) raiseClick();
        break;
    case ControlKind::ComboBox:
        if (notification == CBN_SELCHANGE) {
            // The box shows the chosen entry only after this notification; whoever
            // handles the click reads the new text already.
            const LRESULT selected = SendMessageA(hwnd_, CB_GETCURSEL, 0, 0);
            if (selected != CB_ERR) {
                SetWindowTextA(hwnd_, itemText(CB_GETLBTEXTLEN, CB_GETLBTEXT, static_cast<WPARAM>(selected)).c_str());
            }
            raiseClick();
        }
        break;
    default:
        break;
    }
}

// Handlers run on copies: one may replace itself, or destroy the control's window
// and form; nothing of the control is touched after it returns.
void FormControl::raiseMouseDown(MouseButton button) {
    if (!onMouseDown) return;
    auto handler = onMouseDown;
    handler(button);
}

void FormControl::raiseClick() {
    if (!onClick) return;
    auto handler = onClick;
    handler();
}

// ---- window procedures

LRESULT CALLBACK FormControl::ownClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    FormControl* self = windowObject<FormControl>(window, message, lParam);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCCREATE) self->hwnd_ = window;
    return self->ownClassMessage(message, wParam, lParam);
}

LRESULT CALLBACK FormControl::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR selfData) {
    auto* self = reinterpret_cast<FormControl*>(selfData);
    if (isButtonDown(message)) {
        // The control takes the press first (focus, a pushed button), then we report it.
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        self->raiseMouseDown(buttonOf(message));
        return result;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, subclassProc, kSubclassId);
        self->hwnd_ = nullptr;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// Presses of every button are reported; a left press followed by a release over the
// control is a click. A handler of the press that takes the mouse away (the move
// loop of a drag) cancels the click.
bool FormControl::mouseMessage(UINT message, LPARAM lParam) {
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

// Labels, pictures and frames: drawn entirely in WM_PAINT. A frame passes on what
// its controls tell their parent; labels and pictures report presses and clicks.
LRESULT FormControl::ownClassMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = hwnd_;
    const bool frame = spec_.kind == ControlKind::Frame;
    if (frame) {
        switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            return SendMessageA(GetAncestor(window, GA_ROOT), message, wParam, lParam);
        default:
            if (isButtonDown(message)) {
                raiseMouseDown(buttonOf(message));
                return 0;
            }
        }
    } else if (mouseMessage(message, lParam)) {
        return 0;
    }
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (frame) {
            paintFrame(dc);
        } else {
            paintSurface(dc);
        }
        EndPaint(window, &paint);
        if (!frame) form_.raisePaint();
        return 0;
    }
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        InvalidateRect(window, nullptr, TRUE);
        return result;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// ---- painting

void FormControl::paintSurface(HDC dc) const {
    RECT client;
    GetClientRect(hwnd_, &client);
    if (spec_.kind == ControlKind::Picture) {
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
        return;
    }
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

void FormControl::paintFrame(HDC dc) const {
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
        const int indent = MulDiv(kFrameCaptionIndent, static_cast<int>(form_.dpi()), kDefaultDpi);
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
