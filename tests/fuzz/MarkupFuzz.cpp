#include <fonts/Markup.h>
#include <kit/Log.h>
#include <kit/Strings.h>

#include <cstddef>
#include <cstdint>

// Any text parses into spans that spell its visible text, and escaped player text shows exactly as
// typed, in one span without colour or border.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kit::Log::setConsoleEnabled(false);
    kit::String text(reinterpret_cast<const char*>(data), size);

    kit::String spelled;
    for (const fonts::Markup::Span& span : fonts::Markup::parse(text)) {
        spelled += span.text;
    }
    if (spelled != fonts::Markup::plainText(text)) {
        __builtin_trap();
    }

    kit::String escaped = kit::escapeText(text);
    kit::Array<fonts::Markup::Span> spans = fonts::Markup::parse(escaped);
    bool plain = spans.empty()
                     ? text.empty()
                     : spans.size() == 1 && spans[0].text == text && !spans[0].color && !spans[0].border;
    if (!plain || kit::unescapeText(escaped) != text) {
        __builtin_trap();
    }
    return 0;
}
