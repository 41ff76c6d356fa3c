#include "standin/win32/win32_host.h"

#include <algorithm>
#include <cstring>

#include "platform/messages.h"
#include "standin/win32/layout.h"

namespace lantern::standin::win32 {

namespace {

const char* const kHostProperty = "LanternStandinHost";
constexpr UINT kHangMessage = WM_APP + 1;  // wParam: milliseconds to stall
constexpr UINT_PTR kTickTimer = 1;
// How much a person can type into an edit box: a standard edit control's default.
constexpr WPARAM kTypedTextLimit = 32767;

const char* const kPaintedClasses[] = {"AOL Toolbar", "_AOL_Toolbar",   "_AOL_Icon",     "_AOL_Static",
                                       "_AOL_Glyph",  "RICHCNTLSTATIC", "_AOL_Gauge",    "_AOL_Checkbox",
                                       "_AOL_Image",  "_AOL_Button",    "_AOL_Combobox", "RICHCNTLREADONLY"};
const char* const kEditClasses[] = {"_AOL_Edit", "RICHCNTL"};

HWND hwndOf(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle handleOf(HWND window) { return reinterpret_cast<WindowHandle>(window); }

// The messages that the chat client's contract speaks of; the others never go to
// the model.
bool contractMessage(UINT message) {
    switch (message) {
    case msg::SetText:
    case msg::GetText:
    case msg::GetTextLength:
    case msg::Close:
    case msg::KeyDown:
    case msg::KeyUp:
    case msg::Char:
    case msg::LButtonDown:
    case msg::LButtonUp:
        return true;
    default:
        return false;
    }
}

// WM_GETTEXT's copy: what fits in the caller's buffer, NUL-terminated; the count copied.
LRESULT copyOut(const std::string& text, WPARAM capacity, LPARAM buffer) {
    if (capacity == 0 || buffer == 0) return 0;
    std::size_t count = std::min<std::size_t>(text.size(), capacity - 1);
    auto* out = reinterpret_cast<char*>(buffer);
    std::memcpy(out, text.data(), count);
    out[count] = '\0';
    return static_cast<LRESULT>(count);
}

bool isButtonPart(Part part) { return part == Part::ToolbarIcon || part == Part::Icon || part == Part::PushButton; }

// Scoped flag: the host's own reads and writes are not the client's business.
struct Internal {
    explicit Internal(int& depth) : depth_(depth) { ++depth_; }
    ~Internal() { --depth_; }
    Internal(const Internal&) = delete;
    Internal& operator=(const Internal&) = delete;
    int& depth_;
};

}  // namespace

Win32Host::Win32Host(HINSTANCE instance, FrameMenu menu) : instance_(instance), menu_(std::move(menu)) {
    LoadLibraryA("riched20.dll");  // the transcript's rich edit
    registerClasses();
}

Win32Host::~Win32Host() {
    client_ = nullptr;  // the client may be gone already; its windows answer as plain windows now
    if (frame_ && IsWindow(frame_)) DestroyWindow(frame_);
}

void Win32Host::registerClasses() {
    WNDCLASSEXA frame{};
    frame.cbSize = sizeof frame;
    frame.lpfnWndProc = route<&Win32Host::onFrame>;
    frame.hInstance = instance_;
    frame.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    frame.hCursor = LoadCursor(nullptr, IDC_ARROW);
    frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    frame.lpszClassName = "AOL Frame25";
    RegisterClassExA(&frame);

    WNDCLASSEXA child = frame;
    child.lpfnWndProc = route<&Win32Host::onChild>;
    child.hbrBackground = painter_.backgroundBrush();
    child.lpszClassName = "AOL Child";
    RegisterClassExA(&child);

    WNDCLASSEXA painted = frame;
    painted.lpfnWndProc = route<&Win32Host::onControl>;
    painted.hIcon = nullptr;
    painted.hbrBackground = nullptr;  // every control paints all of itself
    for (const char* name : kPaintedClasses) {
        painted.lpszClassName = name;
        RegisterClassExA(&painted);
    }

    // The editable boxes are the system's EDIT control under the contract's names.
    WNDCLASSEXA edit{};
    edit.cbSize = sizeof edit;
    GetClassInfoExA(nullptr, "EDIT", &edit);
    systemEditProc_ = edit.lpfnWndProc;
    edit.lpfnWndProc = route<&Win32Host::onEdit>;
    edit.hInstance = instance_;
    for (const char* name : kEditClasses) {
        edit.lpszClassName = name;
        RegisterClassExA(&edit);
    }
}

// ---- making windows

WindowHandle Win32Host::create(const NewWindow& window) {
    HWND made = nullptr;
    if (window.part == Part::Frame) {
        made = createFrame(window);
    } else if (window.part == Part::MdiClient) {
        CLIENTCREATESTRUCT client{menu_.windowMenu, 0xFF00};
        made = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                               WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, 0, 0,
                               hwndOf(window.parent), nullptr, instance_, &client);
        mdiClient_ = made;
        layoutFrame();
    } else if (hwndOf(window.parent) == mdiClient_) {
        made = createClientWindow(window);
    } else {
        made = createControl(window);
    }
    if (made) parts_[made] = window.part;
    return handleOf(made);
}

HWND Win32Host::createFrame(const NewWindow& window) {
    frame_ =
        CreateWindowExA(0, "AOL Frame25", window.text.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                        CW_USEDEFAULT, kFrameWidth, kFrameHeight, nullptr, menu_.bar, instance_, this);
    if (frame_ && menu_.onTick) SetTimer(frame_, kTickTimer, menu_.tickMilliseconds, nullptr);
    return frame_;
}

HWND Win32Host::createClientWindow(const NewWindow& window) {
    RECT place = initialPlacement(window.part);
    MDICREATESTRUCTA create{};
    create.szClass = "AOL Child";
    create.szTitle = window.text.c_str();
    create.hOwner = instance_;
    create.x = place.left;
    create.y = place.top;
    create.cx = place.right - place.left;
    create.cy = place.bottom - place.top;
    create.style = WS_CLIPCHILDREN;
    create.lParam = reinterpret_cast<LPARAM>(this);
    auto made = reinterpret_cast<HWND>(SendMessageA(mdiClient_, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    if (made && window.placement == Placement::Bottom) {
        SetWindowPos(made, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return made;
}

HWND Win32Host::createControl(const NewWindow& window) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    if (window.part == Part::InputBox || window.part == Part::LinkBox) {
        style |= WS_TABSTOP | ES_AUTOHSCROLL;
        exStyle |= WS_EX_CLIENTEDGE;
    }
    HWND made = CreateWindowExA(exStyle, window.className.c_str(), window.text.c_str(), style, 0, 0, 0, 0,
                                hwndOf(window.parent), nullptr, instance_, this);
    if (!made) return nullptr;
    if (window.placement == Placement::Top) {
        SetWindowPos(made, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    SendMessageA(made, WM_SETFONT, reinterpret_cast<WPARAM>(painter_.uiFont()), FALSE);
    if (window.part == Part::InputBox || window.part == Part::LinkBox) {
        SendMessageA(made, EM_LIMITTEXT, kTypedTextLimit, 0);
    }
    if (window.part == Part::Transcript) views_[made] = std::make_unique<TranscriptView>(made, instance_);
    return made;
}

void Win32Host::destroy(WindowHandle window) {
    HWND target = hwndOf(window);
    if (!IsWindow(target)) return;
    if (GetParent(target) == mdiClient_ && mdiClient_) {
        SendMessageA(mdiClient_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(target), 0);
    } else {
        DestroyWindow(target);
    }
}

// ---- reading and writing

std::string Win32Host::readText(HWND window) {
    Internal scope(internal_);
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    int copied = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

std::string Win32Host::text(WindowHandle window) { return readText(hwndOf(window)); }

void Win32Host::setText(WindowHandle window, const std::string& text) {
    Internal scope(internal_);
    HWND target = hwndOf(window);
    SetWindowTextA(target, text.c_str());
    InvalidateRect(target, nullptr, TRUE);
}

std::vector<WindowHandle> Win32Host::children(WindowHandle parent) {
    std::vector<WindowHandle> found;
    for (HWND child = GetWindow(hwndOf(parent), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        found.push_back(handleOf(child));
    }
    return found;
}

void Win32Host::bringToTop(WindowHandle window) {
    HWND target = hwndOf(window);
    if (GetParent(target) == mdiClient_) {
        if (IsIconic(target)) SendMessageA(mdiClient_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(target), 0);
        SendMessageA(mdiClient_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(target), 0);
    } else {
        SetWindowPos(target, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
}

bool Win32Host::minimized(WindowHandle window) { return IsIconic(hwndOf(window)) != FALSE; }

void Win32Host::hang(WindowHandle frame, double seconds) {
    // Stalls after the control message that asked for it has been answered.
    PostMessageA(hwndOf(frame), kHangMessage, static_cast<WPARAM>(seconds * 1000.0 + 0.5), 0);
}

double Win32Host::now() { return static_cast<double>(GetTickCount64()) / 1000.0; }

void Win32Host::windowReady(WindowHandle clientWindow) {
    HWND window = hwndOf(clientWindow);
    layoutClientWindow(window, parts_);
    InvalidateRect(window, nullptr, TRUE);
}

void Win32Host::transcriptChanged(WindowHandle view, const Transcript& transcript, std::size_t droppedFromTop) {
    auto found = views_.find(hwndOf(view));
    scrolled_ = found != views_.end() && found->second->update(transcript, droppedFromTop);
}

void Win32Host::reportTranscriptChange(WindowHandle view) {
    // Windows itself reports a scroll bar's new position (EVENT_OBJECT_VALUECHANGE on
    // OBJID_VSCROLL) to whoever watches; Wine (8.0) reports nothing of the kind, so
    // there, and only there, the stand-in reports what Windows would, no more.
    static const bool systemReportsScrolling = !GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version");
    auto found = views_.find(hwndOf(view));
    if (!scrolled_ || systemReportsScrolling || found == views_.end()) return;
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, found->second->window(), OBJID_VSCROLL, CHILDID_SELF);
}

Part Win32Host::partOf(HWND window) const {
    auto found = parts_.find(window);
    return found == parts_.end() ? Part::Label : found->second;
}

// ---- messages

Win32Host* Win32Host::hostOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        void* host = create->lpCreateParams;
        if (host && (create->dwExStyle & WS_EX_MDICHILD)) {
            host = reinterpret_cast<void*>(reinterpret_cast<MDICREATESTRUCTA*>(host)->lParam);
        }
        SetPropA(window, kHostProperty, host);
    }
    return static_cast<Win32Host*>(GetPropA(window, kHostProperty));
}

template <Win32Host::Handler handler>
LRESULT CALLBACK Win32Host::route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32Host* host = hostOf(window, message, lParam);
    if (!host) return DefWindowProcA(window, message, wParam, lParam);  // before WM_NCCREATE
    const LRESULT result = (host->*handler)(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) host->forget(window);  // the last message the window gets
    return result;
}

void Win32Host::forget(HWND window) {
    if (pressed_ == window) pressed_ = nullptr;
    RemovePropA(window, kHostProperty);
    parts_.erase(window);
    views_.erase(window);
    heldTexts_.erase(window);
}

std::optional<LRESULT> Win32Host::askClient(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!client_ || internal_ > 0 || !contractMessage(message)) return std::nullopt;
    std::string text;
    if (message == WM_SETTEXT && lParam) text = reinterpret_cast<const char*>(lParam);
    auto answer = client_->handleMessage(handleOf(window), message, wParam, text);
    if (!answer) return std::nullopt;
    if (message == WM_GETTEXT) return copyOut(text, wParam, lParam);
    return *answer;
}

LRESULT Win32Host::onFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto answer = askClient(window, message, wParam, lParam)) return *answer;
    switch (message) {
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED && client_) client_->syncMinimized();
        layoutFrame();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) < 0xFF00 && menu_.onCommand) {
            menu_.onCommand(LOWORD(wParam));
            return 0;
        }
        break;
    case kHangMessage:
        Sleep(static_cast<DWORD>(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kTickTimer && menu_.onTick) menu_.onTick();
        return 0;
    case WM_DESTROY:
        if (window == frame_) {
            frame_ = nullptr;
            if (menu_.onFrameDestroyed) menu_.onFrameDestroyed();
        }
        break;
    default:
        break;
    }
    return DefFrameProcA(window, mdiClient_, message, wParam, lParam);
}

void Win32Host::layoutFrame() {
    if (!frame_) return;
    RECT client;
    GetClientRect(frame_, &client);
    HWND toolbar = FindWindowExA(frame_, nullptr, "AOL Toolbar", nullptr);
    int top = 0;
    if (toolbar) {
        MoveWindow(toolbar, 0, 0, client.right, kToolbarHeight, TRUE);
        HWND strip = GetWindow(toolbar, GW_CHILD);
        if (strip) {
            MoveWindow(strip, 0, 0, client.right, kToolbarHeight, TRUE);
            layoutToolbar(strip);
        }
        top = kToolbarHeight;
    }
    if (mdiClient_) MoveWindow(mdiClient_, 0, top, client.right, std::max(0L, client.bottom - top), TRUE);
}

void Win32Host::layoutToolbar(HWND strip) {
    int left = 4;
    for (HWND icon = GetWindow(strip, GW_CHILD); icon; icon = GetWindow(icon, GW_HWNDNEXT)) {
        MoveWindow(icon, left, 3, kToolbarIconWidth, kToolbarHeight - 6, TRUE);
        left += kToolbarIconWidth + 1;
    }
}

LRESULT Win32Host::onChild(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto answer = askClient(window, message, wParam, lParam)) return *answer;
    switch (message) {
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED && client_) client_->syncMinimized();
        if (wParam != SIZE_MINIMIZED) layoutClientWindow(window, parts_);
        break;  // DefMDIChildProc must see WM_SIZE too
    default:
        break;
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}

LRESULT Win32Host::onControl(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const Part part = partOf(window);
    // A person's click: the button looks pressed while the real mouse button is
    // down. A click sent as messages (the add-on's) leaves the mouse alone.
    const bool mouseHeld = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
    if (message == WM_LBUTTONDOWN && isButtonPart(part) && mouseHeld) {
        pressed_ = window;
        SetCapture(window);
        InvalidateRect(window, nullptr, FALSE);
    } else if ((message == WM_LBUTTONUP || message == WM_CAPTURECHANGED) && pressed_ == window) {
        pressed_ = nullptr;
        if (message == WM_LBUTTONUP) ReleaseCapture();
        InvalidateRect(window, nullptr, FALSE);
    }
    if (auto answer = askClient(window, message, wParam, lParam)) return *answer;
    switch (message) {
    case WM_PAINT:
        painter_.paint(window, part, readText(window), pressed_ == window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        InvalidateRect(window, nullptr, TRUE);
        return result;
    }
    case WM_SIZE:
        if (part == Part::Transcript) {
            MoveWindow(GetWindow(window, GW_CHILD), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        } else if (part == Part::ToolbarStrip) {
            layoutToolbar(window);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT Win32Host::onEdit(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool logged = client_ && internal_ == 0 && contractMessage(message) && partOf(window) == Part::InputBox;
    std::string carried;
    if (logged && message == WM_SETTEXT && lParam) carried = reinterpret_cast<const char*>(lParam);

    // Logged as it arrives; a WM_GETTEXT once it has its answer, the text copied back.
    if (logged && message != WM_GETTEXT) client_->noteInputMessage(handleOf(window), message, wParam, carried);

    std::optional<LRESULT> answer = askClient(window, message, wParam, lParam);
    LRESULT result = answer ? *answer : editProc(window, message, wParam, lParam);

    if (logged && message == WM_GETTEXT) {
        if (lParam && result > 0)
            carried.assign(reinterpret_cast<const char*>(lParam), static_cast<std::size_t>(result));
        client_->noteInputMessage(handleOf(window), message, wParam, carried);
    }
    return result;
}

// The system's edit control, but for a text longer than a person could type, which
// the host holds (heldTexts_) and the box shows the start of.
LRESULT Win32Host::editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto held = heldTexts_.find(window);
    switch (message) {
    case WM_SETTEXT: {
        const char* text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        const std::size_t length = std::strlen(text);
        if (length <= kTypedTextLimit) {
            if (held != heldTexts_.end()) heldTexts_.erase(held);
            break;
        }
        std::string& whole = heldTexts_[window];
        whole.assign(text, length);
        const std::string shown = whole.substr(0, kTypedTextLimit);
        return CallWindowProcA(systemEditProc_, window, message, wParam, reinterpret_cast<LPARAM>(shown.c_str()));
    }
    case WM_GETTEXTLENGTH:
        if (held != heldTexts_.end()) return static_cast<LRESULT>(held->second.size());
        break;
    case WM_GETTEXT:
        if (held != heldTexts_.end()) return copyOut(held->second, wParam, lParam);
        break;
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case EM_REPLACESEL: {
        if (held == heldTexts_.end()) break;
        // A person's edit: from now on the box holds what it shows.
        const LRESULT result = CallWindowProcA(systemEditProc_, window, message, wParam, lParam);
        const auto shownLength =
            static_cast<std::size_t>(CallWindowProcA(systemEditProc_, window, WM_GETTEXTLENGTH, 0, 0));
        std::string shown(shownLength + 1, '\0');
        CallWindowProcA(systemEditProc_, window, WM_GETTEXT, shown.size(), reinterpret_cast<LPARAM>(shown.data()));
        shown.resize(shownLength);
        if (held->second.compare(0, shown.size(), shown) != 0 || shown.size() != kTypedTextLimit) {
            heldTexts_.erase(held);
        }
        return result;
    }
    default:
        break;
    }
    return CallWindowProcA(systemEditProc_, window, message, wParam, lParam);
}

}  // namespace lantern::standin::win32
