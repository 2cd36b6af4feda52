#include "host/Color.h"

#include <algorithm>
#include <cmath>

#include <cctype>

#include "kit/Format.h"
#include "kit/Log.h"

namespace host {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

Color::Color(const kit::String& hex) {
    set(hex);
}

bool Color::isHex(const kit::String& text) {
    if (text.size() != 6 && text.size() != 8) {
        return false;
    }
    for (char c : text) {
        if (hexValue(c) < 0) {
            return false;
        }
    }
    return true;
}

float Color::luminance() const {
    auto channel = [](unsigned char value) {
        float c = static_cast<float>(value) / 255.0f;
        return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
    };
    return 0.2126f * channel(r) + 0.7152f * channel(g) + 0.0722f * channel(b);
}

float Color::contrast(const Color& a, const Color& b) {
    float high = std::max(a.luminance(), b.luminance());
    float low = std::min(a.luminance(), b.luminance());
    return (high + 0.05f) / (low + 0.05f);
}

bool Color::set(const kit::String& hex) {
    if (!isHex(hex)) {
        kit::Log::warn("host", "Invalid color hex value: '" + hex + "'");
        return false;
    }
    auto byte = [&](size_t index) {
        return static_cast<unsigned char>(hexValue(hex[index]) * 16 + hexValue(hex[index + 1]));
    };
    r = byte(0);
    g = byte(2);
    b = byte(4);
    a = hex.size() == 8 ? byte(6) : 255;
    return true;
}

kit::String Color::hex(bool rgbOnly) const {
    if (rgbOnly) {
        return kit::format("%02X%02X%02X", r, g, b);
    }
    return kit::format("%02X%02X%02X%02X", r, g, b, a);
}

}  // namespace host
