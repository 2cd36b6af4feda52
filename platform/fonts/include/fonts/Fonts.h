#pragma once

#include "fonts/Font.h"
#include "fonts/FontTtf.h"
#include "fonts/Markup.h"
#include "fonts/Renderer.h"

// Text rendering over SDL2_ttf. Log lines of this layer carry the tag "fonts".
namespace fonts {

// Starts SDL2_ttf and makes fonts::renderer. Calls nest: each init needs its destroy, and the last
// destroy deletes the renderer with its fonts and stops SDL2_ttf. False when SDL2_ttf cannot start.
bool init();
void destroy();

}  // namespace fonts
