#pragma once

#include "fonts/Effect.h"
#include "fonts/Horizontal.h"
#include "fonts/Vertical.h"
#include "host/Color.h"
#include "kit/Types.h"

namespace fonts {

// How a label's text is drawn. The font is a registered name, optionally with a scale ("default:1.1");
// "" is the default font. With markup, [c=RRGGBB] and [b=RRGGBB] tags and backslash escapes are
// interpreted; without it the text is drawn as it is. Ellipsis and shrinking keep a text inside its label.
struct TextStyle {
    kit::String font;
    Horizontal horizontal = Horizontal::Left;
    Vertical vertical = Vertical::Top;
    host::Color color = host::Color::White;
    Effect effect = Effect::None;
    host::Color effectColor = host::Color::Black;
    bool markup = true;
    // A line wider than the label (unwrapped alignments) is cut at a character and ends in "…".
    bool ellipsis = false;
    // Text taller than the label is drawn smaller, down to this share of its size (1: never).
    float shrinkLimit = 1.0f;
};

}  // namespace fonts
