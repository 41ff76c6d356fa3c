#pragma once
// A control on one of our forms. Text boxes, buttons, list boxes and combo boxes are
// the system's controls, subclassed to report mouse presses; labels and pictures are
// windows of our own class "LanternSurface" (a transparent label paints nothing and
// lets the picture below show, yet takes the mouse); a frame is a "LanternFrame" that
// draws an etched border with its caption and holds controls of its own.

#include <string>
#include <vector>

#include "platform/toolkit.h"
#include "platform/win32/backend.h"

namespace lantern::win32 {

class Form;

class FormControl final : public Control {
public:
    // `parent` is the form's window or a frame's; null when the form is gone already,
    // and then the control has no window and ignores every call.
    FormControl(Form& form, const ControlSpec& spec, HWND parent, int id);
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
    void addItem(const std::string& item) override;
    std::vector<std::string> items() const override;

    HWND hwnd() const { return hwnd_; }
    int id() const { return id_; }
    ControlKind kind() const { return spec_.kind; }
    bool isTransparentLabel() const { return spec_.kind == ControlKind::Label && spec_.transparent; }
    bool whiteBackground() const { return spec_.whiteBackground; }

    // Places the control and sizes its font for the DPI of its form.
    void layout(unsigned dpi);
    // A WM_COMMAND notification from the control.
    void command(int notification);
    // The form's window, and with it this control's, has been destroyed.
    void windowGone() { hwnd_ = nullptr; }

    // The window procedure of "LanternSurface" and "LanternFrame".
    static LRESULT CALLBACK ownClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR subclassId, DWORD_PTR self);
    LRESULT ownClassMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool mouseMessage(UINT message, LPARAM lParam);
    void paintSurface(HDC dc) const;
    void paintFrame(HDC dc) const;
    void applyFont(unsigned dpi);
    void raiseMouseDown(MouseButton button);
    void raiseClick();
    std::string itemText(UINT lengthMessage, UINT textMessage, WPARAM index) const;

    Form& form_;  // not owned: the form that holds the control and outlives it
    ControlSpec spec_;
    int id_;
    HWND hwnd_ = nullptr;        // owned by its parent window, destroyed with it
    HFONT font_ = nullptr;       // owned
    HBITMAP picture_ = nullptr;  // owned
    bool pressed_ = false;       // a left press on a label or picture that may become a click
};

}  // namespace lantern::win32
