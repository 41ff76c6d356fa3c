#pragma once
// The frame: a window of our own class "LanternFrame" that draws an etched border
// with its caption and holds controls of its own, passing on to the form what they
// tell their parent.

#include "platform/win32/form_control.h"

namespace lantern::win32 {

class FrameControl final : public OwnClassControl {
public:
    FrameControl(Form& form, const ControlSpec& spec, HWND parent, int id);

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void paint(HDC dc) const;
};

}  // namespace lantern::win32
