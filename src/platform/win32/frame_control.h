#pragma once
// The frame: a window of our own class "LanternFrame" that draws an etched border
// with its caption and holds controls of its own, passing on to the form what they
// tell their parent.

#include "platform/win32/form_control.h"

namespace lantern::win32 {

class FrameControl final : public OwnClassControl {
public:
    FrameControl(Form& form, const ControlSpec& spec, HWND parent, int id);

private:
    friend LRESULT CALLBACK objectWindowProc<FrameControl>(HWND, UINT, WPARAM, LPARAM);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void paint(HDC dc) const;
};

}  // namespace lantern::win32
