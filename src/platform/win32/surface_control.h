#pragma once
// Labels and pictures: windows of our own class "LanternSurface". A picture draws its
// bitmap scaled to the control; a label its caption; a transparent label paints
// nothing and lets the picture below show, yet takes the mouse. Presses of every
// button are reported; a left press released over the control is a click.

#include "platform/win32/form_control.h"

namespace lantern::win32 {

class SurfaceControl final : public OwnClassControl {
public:
    SurfaceControl(Form& form, const ControlSpec& spec, HWND parent, int id);
    ~SurfaceControl() override;

private:
    friend LRESULT CALLBACK objectWindowProc<SurfaceControl>(HWND, UINT, WPARAM, LPARAM);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool mouseMessage(UINT message, LPARAM lParam);
    void paint(HDC dc) const;
    void paintPicture(HDC dc, const RECT& client) const;

    HBITMAP picture_ = nullptr;  // owned
    bool pressed_ = false;  // a left press that may become a click
};

}  // namespace lantern::win32
