#include "host/Color.h"

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
