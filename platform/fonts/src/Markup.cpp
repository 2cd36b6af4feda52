#include "fonts/Markup.h"

namespace fonts {

namespace {

// Walks the text once, keeping a stack of open colours and of open borders.
class Parser {
public:
    explicit Parser(const kit::String& text) : text(text) {}

    kit::Array<Markup::Span> run() {
        size_t i = 0;
        while (i < text.size()) {
            char c = text[i];
            if (c == '\\' && i + 1 < text.size()) {
                current += text[i + 1];
                i += 2;
            } else if (c == '[' && applyTag(i)) {
                continue;
            } else {
                current += c;
                ++i;
            }
        }
        flush();
        return std::move(spans);
    }

private:
    // Applies a well-formed tag at i and moves past it; false leaves i for the text.
    bool applyTag(size_t& i) {
        size_t end = text.find(']', i + 1);
        if (end == kit::String::npos) {
            return false;
        }
        kit::String tag = text.substr(i + 1, end - i - 1);
        if (!applyTag(tag)) {
            return false;
        }
        i = end + 1;
        return true;
    }

    bool applyTag(const kit::String& tag) {
        if (tag.size() < 2) {
            return false;
        }
        if (tag[0] == '/' && tag.size() == 2) {
            return close(stackOf(tag[1]));
        }
        if (tag[1] != '=' || !host::Color::isHex(tag.substr(2))) {
            return false;
        }
        auto* stack = stackOf(tag[0]);
        if (stack == nullptr) {
            return false;
        }
        flush();
        stack->push_back(host::Color(tag.substr(2)));
        return true;
    }

    bool close(kit::Array<host::Color>* stack) {
        if (stack == nullptr || stack->empty()) {
            return false;
        }
        flush();
        stack->pop_back();
        return true;
    }

    kit::Array<host::Color>* stackOf(char kind) {
        if (kind == 'c' || kind == 'C') {
            return &colors;
        }
        if (kind == 'b' || kind == 'B') {
            return &borders;
        }
        return nullptr;
    }

    void flush() {
        if (current.empty()) {
            return;
        }
        Markup::Span span{std::move(current), {}, {}};
        current.clear();
        if (!colors.empty()) {
            span.color = colors.back();
        }
        if (!borders.empty()) {
            span.border = borders.back();
        }
        if (!spans.empty() && spans.back().sameStyle(span)) {
            spans.back().text += span.text;
            return;
        }
        spans.push_back(std::move(span));
    }

    const kit::String& text;
    kit::String current;
    kit::Array<host::Color> colors;
    kit::Array<host::Color> borders;
    kit::Array<Markup::Span> spans;
};

}  // namespace

kit::Array<Markup::Span> Markup::parse(const kit::String& text) {
    return Parser(text).run();
}

kit::String Markup::plainText(const kit::String& text) {
    kit::String plain;
    for (const Span& span : parse(text)) {
        plain += span.text;
    }
    return plain;
}

}  // namespace fonts
