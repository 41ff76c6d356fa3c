#pragma once
// How the stand-in's own controls look: buttons, labels, the gauge, the toolbar,
// the check box and the small pictures, drawn with GDI in a light chat-client style.

#include <windows.h>

#include <string>

#include "standin/model/window_host.h"

namespace lantern::standin::win32 {

class Painter {
public:
    Painter();
    ~Painter();
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    HFONT uiFont() const { return uiFont_; }
    HBRUSH backgroundBrush() const { return background_; }

    // Paints the whole control in answer to WM_PAINT.
    void paint(HWND window, Part part, const std::string& text, bool pressed) const;

private:
    void drawToolbar(HDC dc, const RECT& area) const;
    void drawToolbarIcon(HDC dc, const RECT& area, const std::string& text, bool pressed) const;
    void drawButton(HDC dc, const RECT& area, const std::string& text, bool pressed, bool golden) const;
    void drawGauge(HDC dc, const RECT& area, const std::string& text) const;
    void drawCheckbox(HDC dc, const RECT& area, const std::string& text) const;
    void drawComboBox(HDC dc, const RECT& area, const std::string& text) const;
    void drawGlyph(HDC dc, const RECT& area) const;
    void drawImage(HDC dc, const RECT& area) const;
    void drawText(HDC dc, RECT area, const std::string& text, HFONT font, COLORREF color, UINT format) const;

    // Owned GDI objects, deleted with the painter.
    HFONT uiFont_ = nullptr;
    HFONT boldFont_ = nullptr;
    HFONT smallFont_ = nullptr;
    HBRUSH background_ = nullptr;
};

}  // namespace lantern::standin::win32
