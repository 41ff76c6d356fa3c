#pragma once
// The building blocks under Client: text reads and writes, the click, the child
// lookups and the walk over the client windows. Each send reports whether it was
// delivered, so that an operation can stop as soon as the client's window is gone
// or the client has stopped answering, instead of waiting again on every message.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

#include "platform/event_loop.h"
#include "platform/window_system.h"

namespace lantern::windowio {

// The most characters believed of a length that another program's window reports
// (16 MiB, far beyond any real window text): a larger answer, from a control that
// miscounts or a hostile program, would only ask for a buffer that cannot be had.
inline constexpr std::size_t kMaxForeignTextLength = 16 * 1024 * 1024;

// A WM_GETTEXTLENGTH answer as the room to make for the text: a negative answer is 0,
// one beyond kMaxForeignTextLength is that bound.
std::size_t believableLength(std::intptr_t answered);

// WM_GETTEXTLENGTH, then WM_GETTEXT with room for the terminating NUL. nullopt when
// either send was not delivered (or the handle is 0). A text that shrank between the
// two sends carries no NULs; one that grew is cut at the length first reported.
std::optional<std::string> readText(WindowSystem& windows, WindowHandle window);

// A window with the caption it gave.
struct Captioned {
    WindowHandle window;
    std::string caption;
};

// `window` with its caption read by readText; nullopt when the handle is 0 or the
// window did not answer.
std::optional<Captioned> withCaption(WindowSystem& windows, WindowHandle window);

// WM_SETTEXT with "" and then with the text, both wParam 0. False as soon as one
// send is not delivered; the second is then not sent.
bool writeText(WindowSystem& windows, WindowHandle window, const std::string& text);

// WM_LBUTTONDOWN (0, 0) then WM_KEYUP with the space key: how the client's buttons
// are pressed. No WM_LBUTTONUP. False as soon as one send is not delivered.
bool click(WindowSystem& windows, WindowHandle window);

// Whether `parent` has at least one direct child of every class named.
bool hasChildOfEach(WindowSystem& windows, WindowHandle parent, std::initializer_list<const char*> classNames);

// What a walk makes of one client window.
enum class Verdict {
    Take,  // this is the window sought
    Skip,  // go on with the next sibling
    GiveUp,  // the client stopped answering: end the walk with 0
};

// Walks the siblings from `first` in Z order, letting pending events run once before
// each candidate, and returns the first one that `test` takes; 0 when none does.
WindowHandle walk(WindowSystem& windows, EventLoop& events, WindowHandle first,
                  const std::function<Verdict(WindowHandle)>& test);

}  // namespace lantern::windowio
