#include "System/StoredText.h"

#include <kit/Strings.h>
#include <algorithm>

namespace System {

kit::Array<kit::String> splitStoredRecord(const kit::String& text, size_t maxParts) {
    kit::Array<kit::String> parts;
    size_t position = text.find_first_not_of(' ');
    while (position != kit::String::npos && parts.size() + 1 < maxParts) {
        size_t end = text.find(' ', position);
        parts.push_back(text.substr(position, end - position));
        position = end == kit::String::npos ? end : text.find_first_not_of(' ', end);
    }
    if (position != kit::String::npos && maxParts > 0) {
        parts.push_back(text.substr(position));
    }
    return parts;
}

kit::String storableText(const kit::String& text) {
    kit::String result = text;
    std::replace_if(
        result.begin(), result.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return result;
}

kit::String formatStoredRecord(int number, const kit::String& word, const kit::String& text) {
    return kit::toString(number) + " " + storableText(word) + " " + storableText(text);
}

}  // namespace System
