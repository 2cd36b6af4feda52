#pragma once

#include <kit/Types.h>

// Records the game keeps in profile arrays as "<number> <word> <free text>".
namespace System {

// Up to `maxParts` parts separated by runs of spaces; the last part keeps the rest of the text with
// its inner spaces. Empty parts are left out.
kit::Array<kit::String> splitStoredRecord(const kit::String& text, size_t maxParts);

// Typed text made safe for a profile array: tabs separate the elements and line feeds the profile's
// lines, so both become spaces.
kit::String storableText(const kit::String& text);

// "<number> <word> <text>", each text made storable; splitStoredRecord(…, 3) gives the parts back.
kit::String formatStoredRecord(int number, const kit::String& word, const kit::String& text);

}  // namespace System
