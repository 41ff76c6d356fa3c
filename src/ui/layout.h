#pragma once
// Short-hand for laying out a form's controls as the forms give them: kind, name,
// left, top, width, height (twips) and initial text.

#include <string>

#include "platform/toolkit.h"

namespace lantern {

inline ControlSpec controlAt(ControlKind kind, const std::string& name, double left, double top, double width,
                             double height, const std::string& text = "") {
    ControlSpec spec;
    spec.kind = kind;
    spec.name = name;
    spec.left = left;
    spec.top = top;
    spec.width = width;
    spec.height = height;
    spec.text = text;
    return spec;
}

}  // namespace lantern
