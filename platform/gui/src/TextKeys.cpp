#include <set>

#include "Internal.h"
#include "gui/Gui.h"
#include "kit/Log.h"
#include "kit/Strings.h"

// Composite text keys: "{format} token token ...", where a token in braces is a literal and any other
// token a text key. In the format, %s takes the next token's text and %f takes the next token as a key
// whose text is formatted with as many further tokens as it has placeholders. A literal whose content
// starts with an unescaped brace is itself a composite key. Backslashes escape \ [ ] { } % everywhere
// (kit::escapeText), so text typed by players never opens a brace, a tag or a placeholder.
namespace gui::internal {

namespace {

struct Token {
    bool literal = false;
    kit::String text;
};

kit::Array<Token> tokenize(const kit::String& key) {
    kit::Array<Token> tokens;
    size_t i = 0;
    while (i < key.size()) {
        if (key[i] == ' ') {
            ++i;
            continue;
        }
        Token token;
        if (key[i] == '{') {
            token.literal = true;
            int depth = 1;
            ++i;
            while (i < key.size()) {
                char c = key[i];
                if (c == '\\' && i + 1 < key.size()) {
                    token.text += key.substr(i, 2);
                    i += 2;
                    continue;
                }
                depth += c == '{' ? 1 : (c == '}' ? -1 : 0);
                ++i;
                if (depth == 0) {
                    break;
                }
                token.text += c;
            }
        } else {
            while (i < key.size() && key[i] != ' ') {
                token.text += key[i++];
            }
        }
        tokens.push_back(token);
    }
    return tokens;
}

// Whether a text has an unescaped '%' placeholder.
bool hasPlaceholder(const kit::String& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
        } else if (text[i] == '%' && i + 1 < text.size() && text[i + 1] != '%') {
            return true;
        }
    }
    return false;
}

class Resolver {
public:
    Resolver(const Dataset* local, bool keepEscapes) : local(local), keepEscapes(keepEscapes) {}

    kit::String resolve(const kit::String& key, int depth) {
        kit::Array<Token> tokens = tokenize(key);
        if (tokens.empty()) {
            return "";
        }
        if (tokens.size() > 1 && tokens[0].literal && hasPlaceholder(tokens[0].text)) {
            size_t next = 1;
            return format(tokens[0].text, tokens, next, depth);
        }
        kit::Array<kit::String> parts;
        for (const Token& token : tokens) {
            parts.push_back(value(token, depth));
        }
        return kit::join(parts, " ");
    }

private:
    kit::String value(const Token& token, int depth) {
        if (!token.literal) {
            return keyText(token.text);
        }
        if (!token.text.empty() && token.text[0] == '{' && depth < MaxDepth) {
            return resolve(token.text, depth + 1);
        }
        return keepEscapes ? token.text : kit::unescapeText(token.text);
    }

    kit::String keyText(const kit::String& key) {
        if (const kit::String* text = findText(key, local)) {
            return *text;
        }
        reportMissingKey(key);
        return keepEscapes ? kit::escapeText(key) : key;
    }

    // Fills the placeholders of a format with the tokens from `next` on.
    kit::String format(const kit::String& pattern, const kit::Array<Token>& tokens, size_t& next, int depth) {
        kit::String result;
        for (size_t i = 0; i < pattern.size(); ++i) {
            char c = pattern[i];
            if (c == '\\' && i + 1 < pattern.size()) {
                result += keepEscapes ? pattern.substr(i, 2) : pattern.substr(i + 1, 1);
                ++i;
                continue;
            }
            if (c != '%' || i + 1 >= pattern.size()) {
                result += c;
                continue;
            }
            char kind = pattern[++i];
            if (kind == '%') {
                result += keepEscapes ? "\\%" : "%";
            } else if (kind == 'f') {
                result += formatKey(tokens, next, depth);
            } else if (next < tokens.size()) {
                result += value(tokens[next++], depth);
            }
        }
        return result;
    }

    kit::String formatKey(const kit::Array<Token>& tokens, size_t& next, int depth) {
        if (next >= tokens.size()) {
            return "";
        }
        const Token& keyToken = tokens[next++];
        kit::String pattern = keyToken.literal ? keyToken.text : keyText(keyToken.text);
        return format(pattern, tokens, next, depth);
    }

    static constexpr int MaxDepth = 8;
    const Dataset* local;
    bool keepEscapes;
};

}  // namespace

const kit::String* findText(const kit::String& key, const Dataset* local) {
    auto dot = key.find('.');
    if (dot != kit::String::npos) {
        if (Dataset* set = getDataset(key.substr(0, dot))) {
            if (const kit::String* text = set->findOwnText(key.substr(dot + 1))) {
                return text;
            }
        }
    }
    return local == nullptr ? nullptr : local->findOwnText(key);
}

void reportMissingKey(const kit::String& key) {
    static std::set<kit::String> reported;
    if (reported.insert(key).second) {
        kit::Log::warn(Tag, "Text key '" + key + "' has no text in '" + getLocalization() + "'!");
    }
}

kit::String resolveTextKey(const kit::String& key, const Dataset* local, bool keepEscapes) {
    return Resolver(local, keepEscapes).resolve(key, 0);
}

}  // namespace gui::internal
