#include "platform/win32/form.h"

#include "platform/win32/form_control.h"

namespace lantern::win32 {
namespace {

// The program's own icon, in the resource script.
constexpr char kProgramIcon[] = "app";

// How long the steps at the end of the session may take before the process ends
// anyway: Windows itself allows a program about five seconds there.
constexpr DWORD kSessionEndBudgetMs = 4000;

DWORD styleFor(const WindowSpec& spec) {
    DWORD style = WS_CLIPCHILDREN;
    if (spec.border == Border::None) return style | WS_POPUP;
    style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    if (spec.minButton) style |= WS_MINIMIZEBOX;
    if (spec.maxButton) style |= WS_MAXIMIZEBOX;
    return style;
}

DWORD exStyleFor(const WindowSpec& spec) {
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (!spec.taskbarButton) exStyle |= WS_EX_TOOLWINDOW;
    return exStyle;
}

// At the size the window's DPI asks for. Not LR_SHARED: a shared icon keeps the size
// it was first loaded at, so the form owns its icons and destroys them.
HICON loadIcon(const Backend& backend, const std::string& name, int metricX, int metricY, unsigned dpi) {
    return static_cast<HICON>(LoadImageA(backend.instance, name.c_str(), IMAGE_ICON,
                                         backend.dpi.systemMetric(metricX, dpi), backend.dpi.systemMetric(metricY, dpi),
                                         0));
}

}  // namespace

HBRUSH backgroundBrush(bool white) {
    return white ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)) : GetSysColorBrush(COLOR_BTNFACE);
}

COLORREF backgroundColor(bool white) { return white ? RGB(255, 255, 255) : GetSysColor(COLOR_BTNFACE); }

Form::Form(Backend& backend, const WindowSpec& spec)
    : backend_(backend), spec_(spec), style_(styleFor(spec)), exStyle_(exStyleFor(spec)) {
    const unsigned dpi = backend_.dpi.forScreen();
    const RECT outer = outerRectFor(dpi);
    // Bordered forms open where Windows places new windows; borderless ones are
    // placed by their owners.
    const bool bordered = spec.border != Border::None;
    CreateWindowExA(exStyle_, kFormClass, spec.caption.c_str(), style_, bordered ? CW_USEDEFAULT : 0,
                    bordered ? CW_USEDEFAULT : 0, outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                    backend_.instance, this);
    if (!hwnd_) return;
    backend_.forms.insert(hwnd_);
    if (!backend_.mainForm) backend_.mainForm = hwnd_;  // the program makes its main window first
    setIcons(this->dpi());
    // The window may have opened on a monitor of another DPI than the screen's.
    if (const unsigned actual = this->dpi(); actual != dpi) {
        RECT at;
        GetWindowRect(hwnd_, &at);
        dpiChanged(actual, at);
    }
}

Form::~Form() { destroy(); }

WindowHandle Form::handle() const { return reinterpret_cast<WindowHandle>(hwnd_); }

unsigned Form::dpi() const { return backend_.dpi.forWindow(hwnd_); }

RECT Form::outerRectFor(unsigned dpi) const {
    return backend_.dpi.outerRect(twipsToPixels(spec_.clientWidth, dpi), twipsToPixels(spec_.clientHeight, dpi), style_,
                                  exStyle_, dpi);
}

void Form::setIcons(unsigned dpi) {
    const std::string name = spec_.icon.empty() ? kProgramIcon : spec_.icon;
    for (const std::string& candidate : {name, std::string(kProgramIcon)}) {
        HICON big = loadIcon(backend_, candidate, SM_CXICON, SM_CYICON, dpi);
        if (!big) continue;
        HICON small = loadIcon(backend_, candidate, SM_CXSMICON, SM_CYSMICON, dpi);
        SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
        SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
        destroyIcons();  // the ones they replace
        icons_ = {big, small};
        return;
    }
}

void Form::destroyIcons() {
    for (HICON icon : icons_) {
        if (icon) DestroyIcon(icon);
    }
    icons_ = {};
}

Control& Form::add(const ControlSpec& spec) { return addWithId(spec, nextId_++); }

FormControl& Form::addWithId(const ControlSpec& spec, int id) {
    HWND parent = hwnd_;
    if (!spec.container.empty()) {
        for (auto& existing : controls_) {
            if (existing->name() == spec.container && existing->kind() == ControlKind::Frame) {
                parent = existing->hwnd();
                break;
            }
        }
    }
    controls_.push_back(FormControl::create(*this, spec, parent, id));
    FormControl& added = *controls_.back();
    restack(added);
    return added;
}

// Stacking among siblings: controls in the order they were added (which is also the
// Tab order), transparent labels above everything so they get the mouse, pictures
// below everything as the background that shows through them.
void Form::restack(FormControl& added) {
    if (!added.hwnd()) return;
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (added.isTransparentLabel()) {
        SetWindowPos(added.hwnd(), HWND_TOP, 0, 0, 0, 0, flags);
        return;
    }
    SetWindowPos(added.hwnd(), HWND_BOTTOM, 0, 0, 0, 0, flags);
    for (auto& control : controls_) {
        if (control->kind() == ControlKind::Picture && control->hwnd() &&
            GetParent(control->hwnd()) == GetParent(added.hwnd())) {
            SetWindowPos(control->hwnd(), HWND_BOTTOM, 0, 0, 0, 0, flags);
        }
    }
}

Control* Form::control(const std::string& name) {
    for (auto& control : controls_) {
        if (control->name() == name) return control.get();
    }
    return nullptr;
}

FormControl* Form::controlWithId(int id) {
    for (auto& control : controls_) {
        if (control->id() == id) return control.get();
    }
    return nullptr;
}

FormControl* Form::controlWithWindow(HWND window) {
    for (auto& control : controls_) {
        if (window && control->hwnd() == window) return control.get();
    }
    return nullptr;
}

void Form::show() {
    if (!hwnd_) return;
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
}

void Form::hide() {
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

bool Form::visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

// The outer rectangle is read and written at the screen's DPI, the same one that the
// screen size is given in, so positions and the screen's edges agree.
double Form::left() const {
    RECT rect{};
    if (hwnd_) GetWindowRect(hwnd_, &rect);
    return pixelsToTwips(rect.left, backend_.dpi.forScreen());
}

double Form::top() const {
    RECT rect{};
    if (hwnd_) GetWindowRect(hwnd_, &rect);
    return pixelsToTwips(rect.top, backend_.dpi.forScreen());
}

double Form::width() const {
    RECT rect{};
    if (hwnd_) GetWindowRect(hwnd_, &rect);
    return pixelsToTwips(rect.right - rect.left, backend_.dpi.forScreen());
}

double Form::height() const {
    RECT rect{};
    if (hwnd_) GetWindowRect(hwnd_, &rect);
    return pixelsToTwips(rect.bottom - rect.top, backend_.dpi.forScreen());
}

void Form::move(double left, double top) {
    if (!hwnd_) return;
    const unsigned dpi = backend_.dpi.forScreen();
    SetWindowPos(hwnd_, nullptr, twipsToPixels(left, dpi), twipsToPixels(top, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string Form::caption() const { return hwnd_ ? windowText(hwnd_) : std::string(); }

void Form::setCaption(const std::string& caption) {
    if (hwnd_) SetWindowTextA(hwnd_, caption.c_str());
}

void Form::destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void Form::raisePaint() {
    if (painting_ || !onPaint) return;
    painting_ = true;
    auto watch = life_.watch();
    callCopy(onPaint);  // which may replace onPaint or end the form
    if (!watch.expired()) painting_ = false;
}

void Form::closeRequested() {
    auto watch = life_.watch();
    if (onClose) {
        callCopy(onClose);
        if (watch.expired()) return;  // the owner let go of the form: it is gone already
    }
    destroy();
}

// Windows ends the process soon after WM_ENDSESSION returns (or when it has taken
// too long), and sends no WM_CLOSE first: whatever must happen happens in here.
void Form::sessionEnding() {
    if (sessionEndRaised_ || !onSessionEnd) return;
    sessionEndRaised_ = true;  // the handler's pauses may let a second one in
    // The process ends at the budget, whatever is left: a send to a hung client made
    // while another send to it is pending (a chat watcher's read) is not always held
    // to its own timeout - Wine held one for the other's whole 20 s and more.
    if (HANDLE watchdog = CreateThread(nullptr, 0, endAtSessionBudget, nullptr, 0, nullptr)) CloseHandle(watchdog);
    callCopy(onSessionEnd);
}

DWORD WINAPI Form::endAtSessionBudget(void*) {
    Sleep(kSessionEndBudgetMs);
    TerminateProcess(GetCurrentProcess(), 0);
    return 0;
}

LRESULT Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = hwnd_;
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, backgroundBrush(spec_.whiteBackground));
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        raisePaint();
        return 0;
    }
    case WM_CLOSE:
        closeRequested();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;  // nothing of ours stands in the way of a log-off or shut-down
    case WM_ENDSESSION:
        if (wParam) sessionEnding();
        return 0;
    case WM_COMMAND:
        if (FormControl* control = controlWithId(LOWORD(wParam))) control->command(HIWORD(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return colorControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
        activated(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_GETDPISCALEDSIZE:
        // The size the form will take at the new DPI, so that the rectangle Windows
        // suggests with WM_DPICHANGED is the one we set: the bar keeps its size in
        // twips and stays on the monitor it was dragged to.
        return scaledSizeFor(static_cast<unsigned>(wParam), *reinterpret_cast<SIZE*>(lParam));
    case WM_DPICHANGED:
        dpiChanged(HIWORD(wParam), *reinterpret_cast<RECT*>(lParam));
        return 0;
    case WM_NCDESTROY:
        windowDestroyed();
        return DefWindowProcA(window, message, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// Static text, group boxes and buttons draw on the background of whatever holds them.
LRESULT Form::colorControl(HDC dc, HWND child) {
    bool white = spec_.whiteBackground;
    if (FormControl* holder = controlWithWindow(GetParent(child))) white = holder->whiteBackground();
    SetBkColor(dc, backgroundColor(white));
    return reinterpret_cast<LRESULT>(backgroundBrush(white));
}

// Keeps the focus on the control that had it when the user comes back, as a dialog
// does; the first control in Tab order that the user can see otherwise. Controls
// beyond the visible area hold state (the main window's), and keys typed into the
// window must not change it.
void Form::activated(bool active) {
    HWND focus = GetFocus();
    if (!active) {
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
        return;
    }
    if (lastFocus_ && IsWindow(lastFocus_) && IsChild(hwnd_, lastFocus_)) {
        SetFocus(lastFocus_);
    } else if (HWND first = firstVisibleTabStop()) {
        SetFocus(first);
    } else {
        SetFocus(hwnd_);
    }
}

HWND Form::firstVisibleTabStop() const {
    RECT client;
    GetClientRect(hwnd_, &client);
    HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    for (HWND candidate = first; candidate;) {
        RECT place;
        GetWindowRect(candidate, &place);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&place), 2);
        RECT shown;
        if (IntersectRect(&shown, &place, &client)) return candidate;
        candidate = GetNextDlgTabItem(hwnd_, candidate, FALSE);
        if (candidate == first) break;
    }
    return nullptr;
}

BOOL Form::scaledSizeFor(unsigned dpi, SIZE& size) const {
    const RECT outer = outerRectFor(dpi);
    size = {outer.right - outer.left, outer.bottom - outer.top};
    return TRUE;
}

void Form::dpiChanged(unsigned dpi, const RECT& suggested) {
    const RECT outer = outerRectFor(dpi);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    for (auto& control : controls_) control->layout(dpi);
    setIcons(dpi);
}

void Form::windowDestroyed() {
    backend_.forms.erase(hwnd_);
    if (backend_.mainForm == hwnd_) backend_.mainForm = nullptr;
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    for (auto& control : controls_) control->windowGone();
    destroyIcons();  // the window that showed them is gone
    hwnd_ = nullptr;
    lastFocus_ = nullptr;
}

}  // namespace lantern::win32
