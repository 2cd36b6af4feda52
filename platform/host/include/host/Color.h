#pragma once

#include "kit/Types.h"

namespace host {

// An RGBA colour of four bytes. Default: opaque white.
class Color {
public:
    unsigned char r = 255;
    unsigned char g = 255;
    unsigned char b = 255;
    unsigned char a = 255;

    constexpr Color() = default;
    constexpr Color(unsigned char r, unsigned char g, unsigned char b, unsigned char a = 255)
        : r(r), g(g), b(b), a(a) {}
    constexpr Color(const Color& color, unsigned char a) : r(color.r), g(color.g), b(color.b), a(a) {}
    // Parses like set(); a malformed text leaves opaque white (and writes a warning).
    explicit Color(const kit::String& hex);

    // "RRGGBB" (opaque) or "RRGGBBAA", hex digits in either case. A malformed text writes a warning,
    // returns false and changes nothing.
    bool set(const kit::String& hex);
    // Upper-case hex digits: "RRGGBBAA", or "RRGGBB" with rgbOnly.
    kit::String hex(bool rgbOnly = false) const;

    // Whether the text is 6 or 8 hex digits.
    static bool isHex(const kit::String& text);
    // WCAG 2 relative luminance (0 black to 1 white) and the contrast ratio of two colours (1 to 21),
    // alpha not counted.
    float luminance() const;
    static float contrast(const Color& a, const Color& b);

    constexpr bool operator==(const Color& other) const {
        return r == other.r && g == other.g && b == other.b && a == other.a;
    }
    constexpr bool operator!=(const Color& other) const { return !(*this == other); }

    // Named colours. The hues lie 30 degrees apart on the colour wheel (Red 0, Orange 30, Yellow 60,
    // Neon 90, Green 120, Teal 150, Cyan 180, Aqua 210, Blue 240, Purple 270, Magenta 300, Pink 330),
    // so that the player colours of the catalogue are told apart at a glance.
    static const Color White;
    static const Color Black;
    static const Color Grey;
    static const Color Red;
    static const Color Orange;
    static const Color Yellow;
    static const Color Neon;
    static const Color Green;
    static const Color Teal;
    static const Color Cyan;
    static const Color Aqua;
    static const Color Blue;
    static const Color Purple;
    static const Color Magenta;
    static const Color Pink;
    // Transparent black.
    static const Color Clear;
};

inline constexpr Color Color::White{255, 255, 255};
inline constexpr Color Color::Black{0, 0, 0};
inline constexpr Color Color::Grey{127, 127, 127};
inline constexpr Color Color::Red{255, 0, 0};
inline constexpr Color Color::Orange{255, 127, 0};
inline constexpr Color Color::Yellow{255, 255, 0};
inline constexpr Color Color::Neon{127, 255, 0};
inline constexpr Color Color::Green{0, 255, 0};
inline constexpr Color Color::Teal{0, 255, 127};
inline constexpr Color Color::Cyan{0, 255, 255};
inline constexpr Color Color::Aqua{0, 127, 255};
inline constexpr Color Color::Blue{0, 0, 255};
inline constexpr Color Color::Purple{127, 0, 255};
inline constexpr Color Color::Magenta{255, 0, 255};
inline constexpr Color Color::Pink{255, 0, 127};
inline constexpr Color Color::Clear{0, 0, 0, 0};

}  // namespace host
