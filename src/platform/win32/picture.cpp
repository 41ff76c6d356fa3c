#include "platform/win32/picture.h"

#include <cstring>
#include <vector>

namespace lantern::win32 {

HBITMAP loadPicture(HINSTANCE instance, const std::string& name) {
    HRSRC found = FindResourceA(instance, name.c_str(), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    const auto* stored = found ? static_cast<const BITMAPINFO*>(LockResource(LoadResource(instance, found))) : nullptr;
    if (!stored) return nullptr;
    const BITMAPINFOHEADER& header = stored->bmiHeader;
    const bool encoded = header.biCompression == BI_RLE8 || header.biCompression == BI_RLE4;
    if (!encoded) {
        return static_cast<HBITMAP>(LoadImageA(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    }
    // The header and the palette, as a plain bitmap of the same size would have them.
    const DWORD colours = header.biClrUsed ? header.biClrUsed : (1u << header.biBitCount);
    std::vector<unsigned char> plainInfo(header.biSize + colours * sizeof(RGBQUAD));
    if (SizeofResource(instance, found) < plainInfo.size()) return nullptr;
    std::memcpy(plainInfo.data(), stored, plainInfo.size());
    auto* plain = reinterpret_cast<BITMAPINFO*>(plainInfo.data());
    plain->bmiHeader.biCompression = BI_RGB;
    plain->bmiHeader.biSizeImage = 0;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, plain, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!picture) return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ before = SelectObject(dc, picture);
    const LONG width = header.biWidth, height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    StretchDIBits(dc, 0, 0, width, height, 0, 0, width, height,
                  reinterpret_cast<const unsigned char*>(stored) + plainInfo.size(), stored, DIB_RGB_COLORS, SRCCOPY);
    SelectObject(dc, before);
    DeleteDC(dc);
    return picture;
}

}  // namespace lantern::win32
