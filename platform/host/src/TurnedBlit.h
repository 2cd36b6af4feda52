#pragma once

// Internal to the host layer: it speaks SDL.
#include <SDL.h>

namespace host {

// Turned pictures for the software renderer, blended straight into the frame. SDL's software
// triangles cost about seven times a plain copy per pixel, and a turned picture is a parallelogram:
// each of its rows is one span, walked through the picture at a fixed step.
class TurnedBlit {
public:
    // 32-bit pixels, rows `pitch` bytes apart.
    struct Pixels {
        unsigned char* data = nullptr;
        int width = 0;
        int height = 0;
        int pitch = 0;
    };
    // Corners around the quad (top-left, top-right, bottom-right, bottom-left), in frame pixels, and
    // the picture's pixels they show.
    struct Quad {
        SDL_FPoint corners[4];
        SDL_FPoint texels[4];
    };

    // Whether the corners and texels both make a parallelogram, the only shape drawn here.
    static bool fits(const Quad& quad);
    // Blends the quad into the part `clip` of the frame as SDL's blend mode would, the picture's RGBA
    // bytes tinted by `color`; a null picture fills with the colour. Nearest texels, as SDL's triangles
    // take; pixels whose centres lie inside are drawn, so quads sharing an edge neither overlap nor
    // leave a gap. False, drawing nothing, when the quad does not fit or the frame is not 8 bits a
    // channel in 32.
    static bool draw(const Pixels& frame, const SDL_PixelFormat& format, const SDL_Rect& clip,
                     const Pixels* picture, const Quad& quad, SDL_Color color);
};

}  // namespace host
