#pragma once
// Window message numbers and the few constants that go with them. The core never
// includes <windows.h>, so it names them here; the values are the platform's own.
// LANTERN_MESSAGES is an X-macro table, used to print traces and test failures.

#include <cstdint>
#include <string>

namespace lantern {

#define LANTERN_MESSAGES(X)                          \
    X(Null, 0x0000, "WM_NULL")                       \
    X(SetText, 0x000C, "WM_SETTEXT")                 \
    X(GetText, 0x000D, "WM_GETTEXT")                 \
    X(GetTextLength, 0x000E, "WM_GETTEXTLENGTH")     \
    X(Close, 0x0010, "WM_CLOSE")                     \
    X(QueryEndSession, 0x0011, "WM_QUERYENDSESSION") \
    X(EndSession, 0x0016, "WM_ENDSESSION")           \
    X(NcLButtonDown, 0x00A1, "WM_NCLBUTTONDOWN")     \
    X(KeyDown, 0x0100, "WM_KEYDOWN")                 \
    X(KeyUp, 0x0101, "WM_KEYUP")                     \
    X(Char, 0x0102, "WM_CHAR")                       \
    X(LButtonDown, 0x0201, "WM_LBUTTONDOWN")         \
    X(LButtonUp, 0x0202, "WM_LBUTTONUP")

namespace msg {
#define LANTERN_DECLARE_MESSAGE(name, value, text) constexpr unsigned name = value;
LANTERN_MESSAGES(LANTERN_DECLARE_MESSAGE)
#undef LANTERN_DECLARE_MESSAGE
}  // namespace msg

// "WM_SETTEXT" for 0x000C, "0x1234" for a message the table does not know.
std::string messageName(unsigned message);

// GetWindow relations used by the walks.
namespace gw {
constexpr unsigned First = 0;  // GW_HWNDFIRST
constexpr unsigned Next = 2;  // GW_HWNDNEXT
}  // namespace gw

// ShowWindow commands.
namespace sw {
constexpr int Hide = 0;
constexpr int Show = 5;
constexpr int Minimize = 6;
}  // namespace sw

constexpr std::uintptr_t kVkSpace = 32;  // wParam of WM_KEYUP in a click
constexpr std::uintptr_t kVkReturn = 13;  // wParam of WM_CHAR that posts a chat line
constexpr std::uintptr_t kHtCaption = 2;  // wParam of WM_NCLBUTTONDOWN that starts a move

}  // namespace lantern
