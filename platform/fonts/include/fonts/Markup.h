#pragma once

#include <optional>

#include "host/Color.h"
#include "kit/Types.h"

namespace fonts {

// The text mark-up: [c=RRGGBB]...[/c] colours the enclosed text, [b=RRGGBB]...[/b] outlines it in that
// colour (both also take RRGGBBAA and may nest), and a backslash makes the next character literal
// (kit::escapeText). A tag that is malformed or closes nothing is shown as text; a tag left open
// lasts to the end.
class Markup {
public:
    // A run of text under one colour and border; unset means the label's own.
    struct Span {
        kit::String text;
        std::optional<host::Color> color;
        std::optional<host::Color> border;

        bool sameStyle(const Span& other) const { return color == other.color && border == other.border; }
    };

    Markup() = delete;

    // Spans in text order; adjacent spans of the same style are merged, empty ones dropped.
    static kit::Array<Span> parse(const kit::String& text);
    // The visible text: tags dropped, escapes resolved.
    static kit::String plainText(const kit::String& text);
};

}  // namespace fonts
