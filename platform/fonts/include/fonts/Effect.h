#pragma once

namespace fonts {

// An effect drawn in the style's effect colour behind the text: an outline (Renderer's border
// thickness) or a copy shifted by the renderer's shadow offset.
enum class Effect { None, Border, Shadow };

}  // namespace fonts
