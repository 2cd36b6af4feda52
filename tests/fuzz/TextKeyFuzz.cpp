#include <fonts/Markup.h>
#include <kit/Log.h>
#include <kit/Strings.h>

#include <cstddef>
#include <cstdint>

#include "Internal.h"

// Any composite key resolves without harm, and escaped player text put into one, alone or through a
// format, comes out as typed.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kit::Log::setConsoleEnabled(false);
    kit::String text(reinterpret_cast<const char*>(data), size);
    for (bool keepEscapes : {false, true}) {
        fonts::Markup::parse(gui::internal::resolveTextKey(text, nullptr, keepEscapes));
    }

    kit::String literal = "{" + kit::escapeText(text) + "}";
    for (const kit::String& key : {literal, "{%s} " + literal, "{\\{%s\\}} " + literal}) {
        kit::String expected = key == literal || key[1] == '%' ? text : "{" + text + "}";
        if (gui::internal::resolveTextKey(key, nullptr, false) != expected ||
            fonts::Markup::plainText(gui::internal::resolveTextKey(key, nullptr, true)) != expected) {
            __builtin_trap();
        }
    }
    return 0;
}
