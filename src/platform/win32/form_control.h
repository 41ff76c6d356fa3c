#pragma once
// A control on one of our forms, and what every kind shares: its spec, its window,
// its font, the enabled flag, and raising the mouse events. One class per kind stands
// on it: surfaces (labels and pictures, surface_control.h), the frame
// (frame_control.h) and the system's own controls (system_control.h).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/toolkit.h"
#include "platform/win32/backend.h"

namespace lantern::win32 {

class Form;

class FormControl : public Control {
public:
    // The control of the spec's kind. `parent` is the form's window or a frame's; null
    // when the form is gone already, and then the control has no window and ignores
    // every call.
    static std::unique_ptr<FormControl> create(Form& form, const ControlSpec& spec, HWND parent, int id);
    ~FormControl() override;
    FormControl(const FormControl&) = delete;
    FormControl& operator=(const FormControl&) = delete;

    const std::string& name() const override { return spec_.name; }
    std::string text() const override;
    void setText(const std::string& text) override;
    bool enabled() const override;
    void setEnabled(bool enabled) override;
    std::string fontFace() const override { return spec_.font.face; }
    void setFontFace(const std::string& face) override;
    // Only lists have entries.
    void addItem(const std::string&) override {}
    std::vector<std::string> items() const override { return {}; }

    HWND hwnd() const { return hwnd_; }
    int id() const { return id_; }
    ControlKind kind() const { return spec_.kind; }
    bool isTransparentLabel() const { return spec_.kind == ControlKind::Label && spec_.transparent; }
    bool whiteBackground() const { return spec_.whiteBackground; }

    // Places the control and sizes its font for the DPI of its form.
    virtual void layout(unsigned dpi);
    // A WM_COMMAND notification from the control.
    virtual void command(int /*notification*/) {}
    // The form's window, and with it this control's, has been destroyed.
    void windowGone() { hwnd_ = nullptr; }

    // The window class and styles a kind of control is created with.
    struct WindowClass {
        const char* name;
        DWORD style;
        DWORD exStyle;
    };

protected:
    FormControl(Form& form, const ControlSpec& spec, int id);
    // Creates the window with the spec's text, id and enabled state; `self` is handed
    // to CreateWindowExA for the window procedure of our own classes.
    void createWindow(HWND parent, WindowClass windowClass, void* self);
    // Our own classes draw themselves: a change of font or state repaints them.
    virtual void repaint() {}
    // Handlers run on copies: one may replace itself, or destroy the control's window
    // and form; nothing of the control is touched after it returns.
    void raiseMouseDown(MouseButton button);
    void raiseClick();

    Form& form_;  // not owned: the form that holds the control and outlives it
    ControlSpec spec_;
    int id_;
    HWND hwnd_ = nullptr;  // owned by its parent window, destroyed with it
    HFONT font_ = nullptr;  // owned

private:
    void applyFont(unsigned dpi);
};

// A control of one of our own window classes (surfaces and the frame): it draws
// itself, and its window procedure finds it through the window's user data, which
// is cleared when the object goes first.
class OwnClassControl : public FormControl {
protected:
    using FormControl::FormControl;
    ~OwnClassControl() override {
        if (hwnd_) SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    }
    void repaint() override {
        if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
    }
};

// The mouse button of a WM_xBUTTONDOWN, and whether a message is one.
MouseButton buttonOf(UINT message);
bool isButtonDown(UINT message);

// What our own window classes do alike: paint everything in WM_PAINT (no erasing),
// repaint on a new text, forget the object when the window goes. Null for a message
// the class handles no differently from DefWindowProcA.
std::optional<LRESULT> ownClassDefaults(HWND window, UINT message, WPARAM wParam, LPARAM lParam, HWND& owned);

}  // namespace lantern::win32
