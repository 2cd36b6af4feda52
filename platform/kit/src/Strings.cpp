#include "kit/Strings.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>

namespace kit {

Array<String> split(const String& text, const String& separator) {
    return split(text, separator, 0);
}

Array<String> split(const String& text, const String& separator, int maxParts) {
    Array<String> parts;
    if (separator.empty()) {
        parts.push_back(text);
        return parts;
    }
    size_t start = 0;
    while (maxParts <= 0 || static_cast<int>(parts.size()) < maxParts - 1) {
        size_t found = text.find(separator, start);
        if (found == String::npos) {
            break;
        }
        parts.push_back(text.substr(start, found - start));
        start = found + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

Array<String> splitNonEmpty(const String& text, const String& separator) {
    Array<String> parts;
    for (String& part : split(text, separator)) {
        if (!part.empty()) {
            parts.push_back(std::move(part));
        }
    }
    return parts;
}

String trimLeft(const String& text) {
    size_t first = text.find_first_not_of(' ');
    return first == String::npos ? "" : text.substr(first);
}

String trimRight(const String& text) {
    size_t last = text.find_last_not_of(' ');
    return last == String::npos ? "" : text.substr(0, last + 1);
}

String trim(const String& text) {
    return trimRight(trimLeft(text));
}

String replace(const String& text, const String& what, const String& with) {
    if (what.empty()) {
        return text;
    }
    String result;
    size_t start = 0;
    for (size_t found; (found = text.find(what, start)) != String::npos; start = found + what.size()) {
        result.append(text, start, found - start).append(with);
    }
    return result.append(text, start, String::npos);
}

bool startsWith(const String& text, const String& prefix) {
    return text.rfind(prefix, 0) == 0;
}

bool endsWith(const String& text, const String& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

void eraseLastCharacter(String& utf8) {
    if (utf8.empty()) {
        return;
    }
    size_t end = utf8.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) {
        --end;
    }
    utf8.erase(end);
}

bool contains(const String& text, const String& part) {
    return text.find(part) != String::npos;
}

String join(const Array<String>& parts, const String& separator) {
    String result;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            result += separator;
        }
        result += parts[i];
    }
    return result;
}

String toLower(const String& text) {
    String result = text;
    for (char& c : result) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return result;
}

String toUpper(const String& text) {
    String result = text;
    for (char& c : result) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return result;
}

int toInt(const String& text) {
    errno = 0;
    long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

unsigned int toUint(const String& text) {
    long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value < 0) {
        return 0;
    }
    return value > UINT_MAX ? UINT_MAX : static_cast<unsigned int>(value);
}

float toFloat(const String& text) {
    return std::strtof(text.c_str(), nullptr);
}

static bool parsesWhole(const String& text, bool integer) {
    String trimmed = trim(text);
    if (trimmed.empty()) {
        return false;
    }
    char* end = nullptr;
    if (integer) {
        std::strtoll(trimmed.c_str(), &end, 10);
    } else {
        std::strtod(trimmed.c_str(), &end);
    }
    return end == trimmed.c_str() + trimmed.size();
}

bool isInt(const String& text) {
    return parsesWhole(text, true);
}

bool isFloat(const String& text) {
    return parsesWhole(text, false);
}

bool isBool(const String& text) {
    String value = toLower(trim(text));
    return value == "true" || value == "yes" || value == "on" || value == "false" || value == "no" ||
           value == "off" || isInt(value);
}

bool toBool(const String& text) {
    String value = toLower(trim(text));
    return value == "true" || value == "yes" || value == "on" || (isInt(value) && toInt(value) != 0);
}

String toString(int value) {
    return std::to_string(value);
}
String toString(unsigned int value) {
    return std::to_string(value);
}
String toString(long long value) {
    return std::to_string(value);
}

String toString(float value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    return String(buffer, result.ptr);
}

static const String EscapedCharacters = "\\[]{}%";

String escapeText(const String& text) {
    String result;
    result.reserve(text.size());
    for (char c : text) {
        if (EscapedCharacters.find(c) != String::npos) {
            result += '\\';
        }
        result += c;
    }
    return result;
}

String unescapeText(const String& text) {
    String result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            ++i;
        }
        result += text[i];
    }
    return result;
}

}  // namespace kit
