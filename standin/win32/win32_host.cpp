#include "standin/win32/win32_host.h"

#include <algorithm>

#include "standin/win32/host_internal.h"
#include "standin/win32/layout.h"

namespace lantern::standin::win32 {

namespace {

const char* const kPaintedClasses[] = {"AOL Toolbar", "_AOL_Toolbar",   "_AOL_Icon",     "_AOL_Static",
                                       "_AOL_Glyph",  "RICHCNTLSTATIC", "_AOL_Gauge",    "_AOL_Checkbox",
                                       "_AOL_Image",  "_AOL_Button",    "_AOL_Combobox", "RICHCNTLREADONLY"};
const char* const kEditClasses[] = {"_AOL_Edit", "RICHCNTL"};

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

void Win32Host::transcriptChanged(WindowHandle view, const Transcript& transcript, std::size_t droppedFromTop,
                                  bool reported) {
    auto found = views_.find(hwndOf(view));
    if (found == views_.end()) return;
    const bool scrolled = found->second->update(transcript, droppedFromTop);
    // Windows itself reports a scroll bar's new position (EVENT_OBJECT_VALUECHANGE on
    // OBJID_VSCROLL) to whoever watches; Wine (8.0) reports nothing of the kind, so
    // there, and only there, the stand-in reports what Windows would, no more.
    static const bool systemReportsScrolling = !GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version");
    if (reported && scrolled && !systemReportsScrolling) {
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, found->second->window(), OBJID_VSCROLL, CHILDID_SELF);
    }
}

Part Win32Host::partOf(HWND window) const {
    auto found = parts_.find(window);
    return found == parts_.end() ? Part::Label : found->second;
}

}  // namespace lantern::standin::win32
