#include <vector>

#include "platform/win32/form.h"
#include "platform/win32/form_control.h"
#include "platform/win32/toolkit.h"

namespace lantern::win32 {
namespace {

// The layout, in twips: the prompt at the top left, OK and Cancel at the right, the
// answer along the bottom.
constexpr double kClientWidth = 5400;
constexpr double kClientHeight = 1800;

BOOL CALLBACK collectEnabledWindow(HWND window, LPARAM windows) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    }
    return TRUE;
}

// Disables our other windows while the box is open, as a modal dialog does; answers
// the ones to enable again.
std::vector<HWND> disableOtherWindows(HWND box) {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), collectEnabledWindow, reinterpret_cast<LPARAM>(&windows));
    std::erase(windows, box);
    for (HWND window : windows) EnableWindow(window, FALSE);
    return windows;
}

}  // namespace

std::optional<std::string> runInputBox(Backend& backend, const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) {
    const WindowSpec spec{.name = "inputBox",
                          .caption = title,
                          .clientWidth = kClientWidth,
                          .clientHeight = kClientHeight,
                          .minButton = false,
                          .maxButton = false,
                          .whiteBackground = false};
    Form box(backend, spec);
    if (!box.alive()) return std::nullopt;

    box.addWithId({.name = "lblPrompt", .place = {120, 120, 3960, 1100}, .text = prompt}, 100);
    FormControl& ok = box.addWithId(
        {.kind = ControlKind::Button, .name = "cmdOK", .place = {4200, 120, 1080, 375}, .text = "OK"}, IDOK);
    FormControl& cancel = box.addWithId(
        {.kind = ControlKind::Button, .name = "cmdCancel", .place = {4200, 555, 1080, 375}, .text = "Cancel"},
        IDCANCEL);
    FormControl& answerBox = box.addWithId(
        {.kind = ControlKind::TextBox, .name = "txtAnswer", .place = {120, 1320, 5160, 330}, .text = defaultText}, 101);

    std::optional<std::string> answer;
    bool done = false;
    ok.onClick = [&] {
        answer = answerBox.text();
        done = true;
    };
    cancel.onClick = [&] { done = true; };
    box.onClose = [&] { done = true; };

    // Centred across the screen, a third of the way down, above our topmost windows.
    const unsigned dpi = backend.dpi.forScreen();
    const double screenWidth = pixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi);
    const double screenHeight = pixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi);
    box.move((screenWidth - box.width()) / 2, (screenHeight - box.height()) / 3);
    SetWindowPos(box.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    const std::vector<HWND> disabled = disableOtherWindows(box.hwnd());
    box.show();
    SetForegroundWindow(box.hwnd());
    SetFocus(answerBox.hwnd());
    SendMessageA(answerBox.hwnd(), EM_SETSEL, 0, -1);

    MSG message;
    while (!done && box.alive()) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop
            break;
        }
        if (got == -1) break;
        backend.dispatch(message);
    }
    // Our windows come back before the box goes, so the activation returns to them.
    for (HWND window : disabled) EnableWindow(window, TRUE);
    return answer;
}

}  // namespace lantern::win32
