#pragma once
// The system's own controls: text boxes (EDIT), buttons, list boxes and combo boxes,
// subclassed to report mouse presses. A list box's text is its selected entry; a
// button's click, a list's or combo box's new selection raise onClick.

#include "platform/win32/form_control.h"

namespace lantern::win32 {

class SystemControl final : public FormControl {
public:
    SystemControl(Form& form, const ControlSpec& spec, HWND parent, int id);
    ~SystemControl() override;

    std::string text() const override;
    void setText(const std::string& text) override;
    void addItem(const std::string& item) override;
    std::vector<std::string> items() const override;
    void layout(unsigned dpi) override;
    void command(int notification) override;

private:
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR subclassId,
                                         DWORD_PTR self);
    std::string itemText(UINT lengthMessage, UINT textMessage, WPARAM index) const;
    bool isList() const { return spec_.kind == ControlKind::ListBox; }
    bool isCombo() const { return spec_.kind == ControlKind::ComboBox; }
};

}  // namespace lantern::win32
