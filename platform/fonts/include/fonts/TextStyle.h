#pragma once

#include "fonts/Effect.h"
#include "fonts/Horizontal.h"
#include "fonts/Vertical.h"
#include "host/Color.h"
#include "kit/Types.h"

namespace fonts {

// How a label's text is drawn. The font is a registered name, optionally with a scale ("default:1.1");
// "" is the default font. With markup, [c=RRGGBB] and [b=RRGGBB] tags and backslash escapes are
// interpreted; without it the text is drawn as it is.
struct TextStyle {
    kit::String font;
    Horizontal horizontal = Horizontal::Left;
    Vertical vertical = Vertical::Top;
    host::Color color = host::Color::White;
    Effect effect = Effect::None;
    host::Color effectColor = host::Color::Black;
    bool markup = true;
};

}  // namespace fonts
