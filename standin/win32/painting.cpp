#include "standin/win32/painting.h"

#include <algorithm>
#include <cstdlib>

namespace lantern::standin::win32 {

namespace {

const COLORREF kBackground = RGB(233, 238, 248);
const COLORREF kToolbarTop = RGB(214, 226, 247);
const COLORREF kToolbarBottom = RGB(160, 186, 230);
const COLORREF kNavy = RGB(16, 40, 112);
const COLORREF kGold = RGB(255, 204, 51);

HFONT makeFont(int height, int weight, const char* face) {
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

void fill(HDC dc, const RECT& area, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

void verticalGradient(HDC dc, const RECT& area, COLORREF top, COLORREF bottom) {
    int height = std::max(1L, area.bottom - area.top);
    for (int y = 0; y < height; ++y) {
        auto mix = [&](int a, int b) { return a + (b - a) * y / height; };
        COLORREF color = RGB(mix(GetRValue(top), GetRValue(bottom)), mix(GetGValue(top), GetGValue(bottom)),
                             mix(GetBValue(top), GetBValue(bottom)));
        RECT line{area.left, area.top + y, area.right, area.top + y + 1};
        fill(dc, line, color);
    }
}

// A colour of its own for each toolbar button, from its name.
COLORREF iconColor(const std::string& name) {
    static const COLORREF palette[] = {RGB(0, 102, 204), RGB(255, 153, 0),  RGB(0, 153, 102),
                                       RGB(204, 51, 51), RGB(102, 51, 153), RGB(0, 153, 204)};
    unsigned sum = 0;
    for (char c : name) sum = sum * 31 + static_cast<unsigned char>(c);
    return palette[sum % std::size(palette)];
}

}  // namespace

Painter::Painter()
    : uiFont_(makeFont(-12, FW_NORMAL, "Tahoma")),
      boldFont_(makeFont(-12, FW_BOLD, "Tahoma")),
      smallFont_(makeFont(-10, FW_NORMAL, "Tahoma")),
      background_(CreateSolidBrush(kBackground)) {}

Painter::~Painter() {
    DeleteObject(uiFont_);
    DeleteObject(boldFont_);
    DeleteObject(smallFont_);
    DeleteObject(background_);
}

void Painter::paint(HWND window, Part part, const std::string& text, bool pressed) const {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    SetBkMode(dc, TRANSPARENT);
    if (part != Part::Toolbar && part != Part::ToolbarStrip && part != Part::ToolbarIcon) fill(dc, area, kBackground);
    switch (part) {
    case Part::Toolbar:
    case Part::ToolbarStrip:
        drawToolbar(dc, area);
        break;
    case Part::ToolbarIcon:
        drawToolbarIcon(dc, area, text, pressed);
        break;
    case Part::Icon:
        drawButton(dc, area, text, pressed, true);
        break;
    case Part::PushButton:
        drawButton(dc, area, text, pressed, false);
        break;
    case Part::Gauge:
        drawGauge(dc, area, text);
        break;
    case Part::Checkbox:
        drawCheckbox(dc, area, text);
        break;
    case Part::ComboBox:
        drawComboBox(dc, area, text);
        break;
    case Part::Glyph:
        drawGlyph(dc, area);
        break;
    case Part::Image:
        drawImage(dc, area);
        break;
    case Part::RichLabel:
        drawText(dc, area, text, uiFont_, kNavy, DT_WORDBREAK);
        break;
    case Part::Label:
        drawText(dc, area, text, boldFont_, RGB(0, 0, 0), DT_WORDBREAK);
        break;
    default:
        break;
    }
    EndPaint(window, &paint);
}

void Painter::drawText(HDC dc, RECT area, const std::string& text, HFONT font, COLORREF color, UINT format) const {
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, color);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, format | DT_NOPREFIX);
    SelectObject(dc, old);
}

void Painter::drawToolbar(HDC dc, const RECT& area) const {
    verticalGradient(dc, area, kToolbarTop, kToolbarBottom);
    RECT line{area.left, area.bottom - 1, area.right, area.bottom};
    fill(dc, line, RGB(110, 130, 170));
}

void Painter::drawToolbarIcon(HDC dc, const RECT& area, const std::string& text, bool pressed) const {
    verticalGradient(dc, area, kToolbarTop, kToolbarBottom);
    if (pressed) DrawEdge(dc, const_cast<RECT*>(&area), BDR_SUNKENOUTER, BF_RECT);
    int middle = (area.left + area.right) / 2;
    RECT picture{middle - 10, area.top + 3, middle + 10, area.top + 23};
    HBRUSH brush = CreateSolidBrush(iconColor(text));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(WHITE_PEN));
    RoundRect(dc, picture.left, picture.top, picture.right, picture.bottom, 7, 7);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
    RECT label{area.left, area.top + 25, area.right, area.bottom};
    drawText(dc, label, text, smallFont_, kNavy, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void Painter::drawButton(HDC dc, const RECT& area, const std::string& text, bool pressed, bool golden) const {
    RECT face = area;
    if (golden) {
        verticalGradient(dc, face, RGB(255, 236, 150), kGold);
        DrawEdge(dc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    } else {
        DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    }
    if (pressed) OffsetRect(&face, 1, 1);
    drawText(dc, face, text, boldFont_, kNavy, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void Painter::drawGauge(HDC dc, const RECT& area, const std::string& text) const {
    int percent = std::clamp(std::atoi(text.c_str()), 0, 100);
    RECT frame = area;
    fill(dc, frame, RGB(255, 255, 255));
    DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    RECT done = frame;
    done.right = frame.left + (frame.right - frame.left) * percent / 100;
    verticalGradient(dc, done, RGB(90, 150, 240), RGB(20, 70, 180));
    drawText(dc, frame, std::to_string(percent) + "%", boldFont_, RGB(0, 0, 0), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void Painter::drawCheckbox(HDC dc, const RECT& area, const std::string& text) const {
    int middle = (area.top + area.bottom) / 2;
    RECT box{area.left, middle - 6, area.left + 13, middle + 7};
    DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK);
    RECT label{area.left + 18, area.top, area.right, area.bottom};
    drawText(dc, label, text, uiFont_, RGB(0, 0, 0), DT_VCENTER | DT_SINGLELINE);
}

void Painter::drawComboBox(HDC dc, const RECT& area, const std::string& text) const {
    RECT box = area;
    fill(dc, box, RGB(255, 255, 255));
    DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    RECT arrow{box.right - 16, box.top, box.right, box.bottom};
    DrawFrameControl(dc, &arrow, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    RECT label{box.left + 4, box.top, arrow.left, box.bottom};
    drawText(dc, label, text, uiFont_, RGB(0, 0, 0), DT_VCENTER | DT_SINGLELINE);
}

void Painter::drawGlyph(HDC dc, const RECT& area) const {
    // A little lantern: a golden glow with a dark frame.
    HBRUSH glow = CreateSolidBrush(kGold);
    HGDIOBJ oldBrush = SelectObject(dc, glow);
    HPEN pen = CreatePen(PS_SOLID, 2, kNavy);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    int w = area.right - area.left, h = area.bottom - area.top;
    Ellipse(dc, area.left + w / 5, area.top + h / 4, area.right - w / 5, area.bottom - 2);
    MoveToEx(dc, area.left + w / 2, area.top + 2, nullptr);
    LineTo(dc, area.left + w / 2, area.top + h / 4);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(glow);
}

void Painter::drawImage(HDC dc, const RECT& area) const {
    // A sheet of paper with its corner turned down.
    int w = area.right - area.left, h = area.bottom - area.top;
    POINT sheet[] = {{area.left + 4, area.top + 2},
                     {area.right - 14, area.top + 2},
                     {area.right - 4, area.top + 12},
                     {area.right - 4, area.bottom - 2},
                     {area.left + 4, area.bottom - 2}};
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    HPEN pen = CreatePen(PS_SOLID, 1, kNavy);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Polygon(dc, sheet, 5);
    MoveToEx(dc, area.right - 14, area.top + 2, nullptr);
    LineTo(dc, area.right - 14, area.top + 12);
    LineTo(dc, area.right - 4, area.top + 12);
    for (int line = 0; line < 4; ++line) {
        int y = area.top + h / 3 + line * (h / 8);
        MoveToEx(dc, area.left + 10, y, nullptr);
        LineTo(dc, area.left + w - 10, y);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
}

}  // namespace lantern::standin::win32
