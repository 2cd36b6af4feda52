#pragma once

#include <algorithm>

#include "kit/Types.h"

// What the engine needs of strings beyond std::string, as free functions.
namespace kit {

// Splits at every occurrence of the separator; empty parts are kept.
Array<String> split(const String& text, const String& separator);
// Splits at every occurrence of the separator; empty parts are dropped.
Array<String> splitNonEmpty(const String& text, const String& separator);
// Splits into at most maxParts parts; the last part keeps the rest of the text, separators included.
Array<String> split(const String& text, const String& separator, int maxParts);

// Trims only the space character (code 32): tabs and carriage returns stay.
String trim(const String& text);
String trimLeft(const String& text);
String trimRight(const String& text);

String replace(const String& text, const String& what, const String& with);
bool startsWith(const String& text, const String& prefix);
bool endsWith(const String& text, const String& suffix);
// Removes the last character of UTF-8 text (all the bytes of its code point); empty text stays empty.
void eraseLastCharacter(String& utf8);
bool contains(const String& text, const String& part);
String join(const Array<String>& parts, const String& separator);
String toLower(const String& text);
String toUpper(const String& text);

// Leading integer of the text after leading white space, like atoi: "12abc" is 12, "abc" and "" are 0.
// Values beyond the int range saturate.
int toInt(const String& text);
unsigned int toUint(const String& text);
// Leading floating-point number like atof; 0 when there is none.
float toFloat(const String& text);
// Whether the whole text (spaces trimmed) is an integer / a number.
bool isInt(const String& text);
bool isFloat(const String& text);
// Yes/no values of configuration, profile and data files, case and surrounding spaces ignored:
// "true", "yes", "on" and whole numbers other than 0 are true; "false", "no", "off" and 0 are false.
bool isBool(const String& text);
// Anything that is not a yes (isBool false included) is false.
bool toBool(const String& text);

String toString(int value);
String toString(unsigned int value);
String toString(long long value);
// Shortest text that reads back as the same float ("0.5", "2", "1e-07").
String toString(float value);

// Player-typed text is shown as typed: a backslash before each of \ [ ] { } % makes the GUI's
// mark-up and composite-key parsers take the character literally.
String escapeText(const String& text);
// Drops the escaping backslashes again.
String unescapeText(const String& text);

// Removes later repetitions, keeping the first occurrence of each element in order.
template <class T>
void removeDuplicates(Array<T>& items) {
    Array<T> kept;
    kept.reserve(items.size());
    for (const T& item : items) {
        if (std::find(kept.begin(), kept.end(), item) == kept.end()) {
            kept.push_back(item);
        }
    }
    items.swap(kept);
}

}  // namespace kit
