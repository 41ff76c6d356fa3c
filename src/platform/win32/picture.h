#pragma once
// The program's pictures, from its resources, as DIB sections.

#include <windows.h>

#include <string>

namespace lantern::win32 {

// The bitmap resource `name` as a DIB section, or null. The pictures are stored
// run-length encoded, which LoadImageA cannot make a DIB section of: such a picture
// is drawn into a plain one of its size and palette instead.
HBITMAP loadPicture(HINSTANCE instance, const std::string& name);

}  // namespace lantern::win32
