#pragma once

#include "host/Texture.h"
#include "quadrix/Rectangle.h"

namespace fonts {

// A label's text as a texture, and where it goes in the label's rectangle (0, 0, width, height), in GUI
// units, already aligned; borders and shadows may reach a little outside. The colours are in the
// texture: draw it tinted white (with the label's alpha). Owned by the renderer's cache.
struct RenderedText {
    host::Texture* texture = nullptr;
    quadrix::Rectangle area;
};

}  // namespace fonts
