// The input box as a standard dialog box: a template built in memory and run with
// DialogBoxIndirectParamA, owned by our main window (so no task-bar button of its
// own). The dialog manager gives it what users expect of one: it is modal, Enter
// presses the focused button or else the default (OK), Escape, Alt+F4 and the close
// box cancel, Tab moves through the answer, OK and Cancel.

#include <vector>

#include "platform/win32/form.h"
#include "platform/win32/toolkit.h"

namespace lantern::win32 {
namespace {

// The layout, in twips as the forms are: the prompt at the top left, OK and Cancel at
// the right, the answer along the bottom.
constexpr double kClientWidth = 5400;
constexpr double kClientHeight = 1800;

constexpr int kPromptId = 100;
constexpr int kAnswerId = 101;

struct Item {
    int id;
    WORD classOrdinal;  // the system's button, edit and static classes
    DWORD style;
    double left, top, width, height;  // twips
};

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

// In Tab order: the dialog starts with the focus on the answer, Tab then goes to OK.
const Item kItems[] = {
    {kPromptId, kStaticClass, SS_LEFT, 120, 120, 3960, 1100},
    {IDOK, kButtonClass, BS_DEFPUSHBUTTON | WS_TABSTOP, 4200, 120, 1080, 375},
    {IDCANCEL, kButtonClass, BS_PUSHBUTTON | WS_TABSTOP, 4200, 555, 1080, 375},
    {kAnswerId, kEditClass, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 120, 1320, 5160, 330},
};

constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME;

// The template in memory: DLGTEMPLATE, its empty menu, class and title, then each
// DLGITEMTEMPLATE on a DWORD boundary with its class ordinal, empty title and no
// creation data. Texts and places are set at WM_INITDIALOG, in pixels from the
// twips above, so the template holds none of them.
std::vector<WORD> buildTemplate() {
    std::vector<WORD> words;
    auto put = [&](const void* data, std::size_t bytes) {
        const auto* from = static_cast<const WORD*>(data);
        words.insert(words.end(), from, from + bytes / sizeof(WORD));
    };
    auto alignToDword = [&] {
        if (words.size() % 2) words.push_back(0);
    };
    DLGTEMPLATE dialog{kDialogStyle, kDialogExStyle, static_cast<WORD>(std::size(kItems)), 0, 0, 0, 0};
    put(&dialog, sizeof dialog);
    words.insert(words.end(), {0, 0, 0});  // no menu, the standard class, no title
    for (const Item& item : kItems) {
        alignToDword();
        DLGITEMTEMPLATE control{WS_CHILD | WS_VISIBLE | item.style, 0, 0, 0, 0, 0, static_cast<WORD>(item.id)};
        put(&control, sizeof control);
        words.insert(words.end(), {0xFFFF, item.classOrdinal, 0, 0});  // class, no title, no creation data
    }
    return words;
}

BOOL CALLBACK collectEnabledWindow(HWND window, LPARAM windows) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    }
    return TRUE;
}

// What the dialog procedure works with; lives on runInputBox's stack.
struct InputBox {
    Backend& backend;
    const std::string& prompt;
    const std::string& title;
    const std::string& defaultText;
    HWND owner;  // not owned: disabled by the dialog manager while the box is up
    std::optional<std::string> answer;
    HFONT font = nullptr;  // owned: the controls' font at the box's DPI
    std::vector<HWND> disabled;  // not owned: our other windows, enabled again before the box goes

    void initialise(HWND box) {
        SetWindowTextA(box, title.c_str());
        SetDlgItemTextA(box, kPromptId, prompt.c_str());
        SetDlgItemTextA(box, kAnswerId, defaultText.c_str());
        SetDlgItemTextA(box, IDOK, "OK");
        SetDlgItemTextA(box, IDCANCEL, "Cancel");
        layout(box, backend.dpi.forWindow(box));
        // Centred across the screen, a third of the way down, above our topmost windows.
        RECT outer;
        GetWindowRect(box, &outer);
        const int width = outer.right - outer.left, height = outer.bottom - outer.top;
        SetWindowPos(box, HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - height) / 3, 0, 0, SWP_NOSIZE);
        disableOtherWindows(box);
        SetForegroundWindow(box);
        HWND answerBox = GetDlgItem(box, kAnswerId);
        SetFocus(answerBox);
        SendMessageA(answerBox, EM_SETSEL, 0, -1);
    }

    // Modal to all our windows, as the message boxes are; the owner is the dialog
    // manager's to disable and enable.
    void disableOtherWindows(HWND box) {
        EnumThreadWindows(GetCurrentThreadId(), collectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
        std::erase_if(disabled, [&](HWND window) { return window == box || window == owner; });
        for (HWND window : disabled) EnableWindow(window, FALSE);
    }

    void layout(HWND box, unsigned dpi) {
        const RECT outer = backend.dpi.outerRect(twipsToPixels(kClientWidth, dpi), twipsToPixels(kClientHeight, dpi),
                                                 kDialogStyle, kDialogExStyle, dpi);
        SetWindowPos(box, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        HFONT newFont = CreateFontA(fontHeightForPoints(Font{}.points, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_DONTCARE, Font{}.face.c_str());
        for (const Item& item : kItems) {
            HWND control = GetDlgItem(box, item.id);
            SetWindowPos(control, nullptr, twipsToPixels(item.left, dpi), twipsToPixels(item.top, dpi),
                         twipsToPixels(item.width, dpi), twipsToPixels(item.height, dpi),
                         SWP_NOZORDER | SWP_NOACTIVATE);
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(newFont), TRUE);
        }
        if (font) DeleteObject(font);
        font = newFont;
    }

    void finish(HWND box, int button) {
        if (button == IDOK) answer = windowText(GetDlgItem(box, kAnswerId));
        // Our windows come back before the box goes, so the activation returns to them.
        for (HWND window : disabled) EnableWindow(window, TRUE);
        disabled.clear();
        EndDialog(box, button);
    }

    static INT_PTR CALLBACK procedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(box, DWLP_USER, lParam);
            reinterpret_cast<InputBox*>(lParam)->initialise(box);
            return FALSE;  // the focus is set already
        }
        auto* self = reinterpret_cast<InputBox*>(GetWindowLongPtrA(box, DWLP_USER));
        if (!self) return FALSE;
        switch (message) {
        case WM_COMMAND:
            // Escape, Alt+F4 and the close box come as IDCANCEL.
            if ((LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) && HIWORD(wParam) == BN_CLICKED) {
                self->finish(box, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        case WM_DPICHANGED: {
            const RECT& suggested = *reinterpret_cast<RECT*>(lParam);
            self->layout(box, HIWORD(wParam));
            SetWindowPos(box, nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return TRUE;
        }
        default:
            return FALSE;
        }
    }
};

}  // namespace

std::optional<std::string> runInputBox(Backend& backend, const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) {
    const std::vector<WORD> words = buildTemplate();
    InputBox box{backend, prompt, title, defaultText, backend.mainForm};
    const INT_PTR result = DialogBoxIndirectParamA(backend.instance, reinterpret_cast<const DLGTEMPLATE*>(words.data()),
                                                   box.owner, InputBox::procedure, reinterpret_cast<LPARAM>(&box));
    for (HWND window : box.disabled) EnableWindow(window, TRUE);  // the box failed before its end
    if (box.font) DeleteObject(box.font);
    return result == IDOK ? box.answer : std::nullopt;
}

}  // namespace lantern::win32
