#pragma once
// The current style that every posted line uses, and the three colours as they are
// stored, with their defaults. The lines themselves are in lines.h.

#include <string>

#include "platform/registry.h"

namespace lantern {

struct CurrentStyle {
    std::string asciiPrefix;  // mark-up that begins every posted line
    std::string asciiCol;  // colour of the default prefix glyph, six hex digits
    std::string firstColor;
    std::string secondColor;
};

enum class IdleEvent { On, Off };

// One stored colour: the one the lines use, and the one the style dialog's box (and
// its own loading) shows. They differ only for the first colour when nothing is
// stored: the lines use red while the box shows black, on purpose.
struct StoredColour {
    std::string inEffect;
    std::string inBox;
};

struct StoredColours {
    StoredColour ascii, first, second;  // asciiCol, firstColor, secondColor
};

// Reads the three colour settings; a missing or empty one gives its defaults.
StoredColours readColours(Registry& registry);

}  // namespace lantern
