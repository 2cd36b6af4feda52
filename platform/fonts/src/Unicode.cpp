#include "Unicode.h"

#include <algorithm>
#include <array>

namespace fonts::unicode {

namespace {

constexpr char32_t Replacement = 0xFFFD;

// Bytes of the sequence a lead byte starts; 0 for a byte that cannot lead (also overlong leads).
int sequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

bool isValidCodePoint(char32_t c, int length) {
    static constexpr std::array<char32_t, 5> Minimum{0, 0, 0x80, 0x800, 0x10000};
    return c >= Minimum[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

template <size_t N>
bool containsCodePoint(const std::array<char32_t, N>& sorted, char32_t c) {
    return std::binary_search(sorted.begin(), sorted.end(), c);
}

}  // namespace

char32_t next(const kit::String& text, size_t& i) {
    auto lead = static_cast<unsigned char>(text[i]);
    int length = sequenceLength(lead);
    if (length == 0 || i + length > text.size()) {
        ++i;
        return Replacement;
    }
    if (length == 1) {
        ++i;
        return lead;
    }
    char32_t c = lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        auto byte = static_cast<unsigned char>(text[i + k]);
        if ((byte & 0xC0) != 0x80) {
            ++i;
            return Replacement;
        }
        c = (c << 6) | (byte & 0x3F);
    }
    if (!isValidCodePoint(c, length)) {
        ++i;
        return Replacement;
    }
    i += length;
    return c;
}

void append(kit::String& text, char32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isEmojiShaping(char32_t c) {
    return c == U'\u200D' || (c >= U'\uFE00' && c <= U'\uFE0F') || (c >= U'\U0001F3FB' && c <= U'\U0001F3FF');
}

bool isIdeographic(char32_t c) {
    return (c >= 0x2E80 && c <= 0x2FDF)        // radicals
           || (c >= 0x3000 && c <= 0x30FF)     // punctuation, hiragana, katakana
           || (c >= 0x3100 && c <= 0x31FF)     // bopomofo, katakana extensions
           || (c >= 0x3400 && c <= 0x4DBF)     // extension A
           || (c >= 0x4E00 && c <= 0x9FFF)     // unified ideographs
           || (c >= 0xAC00 && c <= 0xD7AF)     // Hangul syllables
           || (c >= 0xF900 && c <= 0xFAFF)     // compatibility ideographs
           || (c >= 0xFF00 && c <= 0xFF60)     // full-width forms
           || (c >= 0x20000 && c <= 0x3FFFF);  // extensions B and beyond
}

bool isClosingPunctuation(char32_t c) {
    static constexpr std::array<char32_t, 27> Closing{
        U'!',  U')',  U',',  U'.',  U':',  U';',  U'?',  U']',  U'}',  U'、', U'。', U'〉', U'》', U'」',
        U'』', U'】', U'〕', U'〗', U'ー', U'！', U'）', U'，', U'．', U'：', U'；', U'？', U'｝'};
    return containsCodePoint(Closing, c);
}

bool isOpeningPunctuation(char32_t c) {
    static constexpr std::array<char32_t, 14> Opening{U'(',  U'[',  U'{',  U'〈', U'《', U'「', U'『',
                                                      U'【', U'〔', U'〖', U'（', U'［', U'｛', U'｟'};
    return containsCodePoint(Opening, c);
}

}  // namespace fonts::unicode
