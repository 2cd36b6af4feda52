#pragma once

#include "kit/Types.h"

// UTF-8 decoding and the character classes line breaking needs.
namespace fonts::unicode {

// The code point at offset i, advancing i past it. A malformed sequence yields U+FFFD and advances by
// one byte, so any bytes can be walked.
char32_t next(const kit::String& text, size_t& i);
void append(kit::String& text, char32_t codePoint);

// Chinese, Japanese and Korean characters (and their punctuation), between which lines may break.
bool isIdeographic(char32_t c);
// Joiners, variation selectors and skin-tone modifiers: they shape colour emoji, which a one-colour
// font draws without them.
bool isEmojiShaping(char32_t c);
// Punctuation that must not begin a line, and that must not end one.
bool isClosingPunctuation(char32_t c);
bool isOpeningPunctuation(char32_t c);

}  // namespace fonts::unicode
