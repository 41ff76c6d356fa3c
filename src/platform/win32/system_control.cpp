#include "platform/win32/system_control.h"

#include <algorithm>

#include "platform/win32/form.h"

namespace lantern::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;
// A combo box's window also holds its dropped-down list: this much room below the box.
constexpr double kComboListTwips = 2400;

FormControl::WindowClass systemClass(const ControlSpec& spec, int id) {
    const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;
    switch (spec.kind) {
    case ControlKind::Button:
        return {"BUTTON", child | (id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0};
    case ControlKind::ListBox:
        return {"LISTBOX", child | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE};
    case ControlKind::ComboBox:
        return {"COMBOBOX", child | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    default:
        return {"EDIT", child | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    }
}

}  // namespace

SystemControl::SystemControl(Form& form, const ControlSpec& spec, HWND parent, int id) : FormControl(form, spec, id) {
    createWindow(parent, systemClass(spec, id), nullptr);
    if (!hwnd_) return;
    SetWindowSubclass(hwnd_, subclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    // A combo box takes no text at creation; its edit field gets it now.
    if (isCombo()) SetWindowTextA(hwnd_, spec.text.c_str());
    if (spec.kind == ControlKind::TextBox && spec.maxLength > 0) {
        SendMessageA(hwnd_, EM_SETLIMITTEXT, static_cast<WPARAM>(spec.maxLength), 0);
    }
    layout(form_.dpi());
}

SystemControl::~SystemControl() {
    if (hwnd_) RemoveWindowSubclass(hwnd_, subclassProc, kSubclassId);
}

void SystemControl::layout(unsigned dpi) {
    FormControl::layout(dpi);
    if (!hwnd_ || !isCombo()) return;
    // The window also holds the dropped-down list; the box itself is as high as the
    // form says, so its field is that less the borders.
    const int height = twipsToPixels(spec_.place.height, dpi);
    const int withList = height + twipsToPixels(kComboListTwips, dpi);
    SetWindowPos(hwnd_, nullptr, 0, 0, twipsToPixels(spec_.place.width, dpi), withList,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int field = std::max(1, height - MulDiv(6, static_cast<int>(dpi), kDefaultDpi));
    SendMessageA(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
}

std::string SystemControl::text() const {
    if (!hwnd_ || !isList()) return FormControl::text();
    const LRESULT selected = SendMessageA(hwnd_, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR) return {};
    return itemText(LB_GETTEXTLEN, LB_GETTEXT, static_cast<WPARAM>(selected));
}

void SystemControl::setText(const std::string& text) {
    if (!hwnd_ || !isList()) return FormControl::setText(text);
    // A list box's text is its selected entry: setting it selects that entry.
    const LRESULT found =
        SendMessageA(hwnd_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(hwnd_, LB_SETCURSEL, found == LB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(found), 0);
}

void SystemControl::addItem(const std::string& item) {
    if (!hwnd_ || !(isList() || isCombo())) return;
    SendMessageA(hwnd_, isList() ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

std::vector<std::string> SystemControl::items() const {
    std::vector<std::string> entries;
    if (!hwnd_ || !(isList() || isCombo())) return entries;
    const bool list = isList();
    const LRESULT count = SendMessageA(hwnd_, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        entries.push_back(list ? itemText(LB_GETTEXTLEN, LB_GETTEXT, static_cast<WPARAM>(i))
                               : itemText(CB_GETLBTEXTLEN, CB_GETLBTEXT, static_cast<WPARAM>(i)));
    }
    return entries;
}

std::string SystemControl::itemText(UINT lengthMessage, UINT textMessage, WPARAM index) const {
    const LRESULT length = SendMessageA(hwnd_, lengthMessage, index, 0);
    if (length <= 0) return {};
    std::string entry(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(hwnd_, textMessage, index, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(copied > 0 ? std::min(static_cast<std::size_t>(copied), entry.size() - 1) : 0);
    return entry;
}

void SystemControl::command(int notification) {
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

LRESULT CALLBACK SystemControl::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR selfData) {
    auto* self = reinterpret_cast<SystemControl*>(selfData);
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

}  // namespace lantern::win32
