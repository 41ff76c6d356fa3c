#pragma once
// One of our own top-level windows, built from a WindowSpec: a window of class
// "LanternForm" whose procedure forwards to the object (stored at WM_NCCREATE), and
// the controls that stand on it.

#include <array>
#include <memory>
#include <vector>

#include "platform/toolkit.h"
#include "platform/win32/backend.h"

namespace lantern::win32 {

class FormControl;

class Form final : public Window {
public:
    Form(Backend& backend, const WindowSpec& spec);
    ~Form() override;

    WindowHandle handle() const override;
    bool alive() const override { return hwnd_ != nullptr; }
    Control& add(const ControlSpec& spec) override;
    Control* control(const std::string& name) override;
    void show() override;
    void hide() override;
    bool visible() const override;
    double left() const override;
    double top() const override;
    double width() const override;
    double height() const override;
    void move(double left, double top) override;
    void followPointer(MouseButton button) override;  // in form_drag.cpp
    std::string caption() const override;
    void setCaption(const std::string& caption) override;
    void destroy() override;

    // Adds a control under a chosen command id (IDOK and IDCANCEL are the ones that
    // Enter and Escape send through IsDialogMessageA).
    FormControl& addWithId(const ControlSpec& spec, int id);

    HWND hwnd() const { return hwnd_; }
    Backend& backend() const { return backend_; }
    unsigned dpi() const;
    bool whiteBackground() const { return spec_.whiteBackground; }

    // Raises onPaint; the form's own paint calls it, and so do the labels and pictures
    // that stand on it (they cover it, so it may not get a paint of its own).
    void raisePaint();

private:
    friend LRESULT CALLBACK objectWindowProc<Form>(HWND, UINT, WPARAM, LPARAM);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void closeRequested();
    void sessionEnding();
    static DWORD WINAPI endAtSessionBudget(void*);
    LRESULT colorControl(HDC dc, HWND child);
    void activated(bool active);
    HWND firstVisibleTabStop() const;
    BOOL scaledSizeFor(unsigned dpi, SIZE& size) const;
    void dpiChanged(unsigned dpi, const RECT& suggested);
    void windowDestroyed();
    RECT outerRectFor(unsigned dpi) const;
    void setIcons(unsigned dpi);
    void destroyIcons();
    void restack(FormControl& added);
    FormControl* controlWithId(int id);
    FormControl* controlWithWindow(HWND window);

    Backend& backend_;  // not owned; outlives every form
    WindowSpec spec_;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    HWND hwnd_ = nullptr;  // owned: destroyed with the object unless closed before
    std::vector<std::unique_ptr<FormControl>> controls_;
    std::array<HICON, 2> icons_{};  // owned: the big and the small icon at the window's DPI
    HWND lastFocus_ = nullptr;  // not owned: the control that had the focus when we lost it
    int nextId_ = 1000;  // clear of IDOK and IDCANCEL
    bool painting_ = false;  // onPaint is running: a paint it causes raises nothing more
    bool sessionEndRaised_ = false;  // onSessionEnd runs once at most
    LifeToken life_;
};

// The brush and colour of a white or a plain background.
HBRUSH backgroundBrush(bool white);
COLORREF backgroundColor(bool white);

}  // namespace lantern::win32
