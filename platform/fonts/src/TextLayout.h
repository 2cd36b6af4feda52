#pragma once

#include <unordered_map>

#include "fonts/Font.h"
#include "fonts/Markup.h"
#include "kit/Types.h"

namespace fonts {

// Breaks styled text into lines, in pixels at one glyph size: at line feeds always, and at spaces (and,
// when allowed, between ideographs) where a line would grow wider than the maximum. A word wider than
// the maximum on its own is cut between characters. Spaces at a break vanish; justified lines (all but
// the last of a paragraph) spread the missing width over their spaces.
class TextLayout {
public:
    // A run of one span's text, x pixels from the line's start.
    struct Piece {
        kit::String text;
        int span = 0;
        int x = 0;
        int width = 0;
    };
    struct Line {
        kit::Array<Piece> pieces;
        int width = 0;
    };

    TextLayout(Font& font, int pixelSize, bool ideographBreaks);

    // maxWidth 0 or less breaks at line feeds only.
    kit::Array<Line> layout(const kit::Array<Markup::Span>& spans, int maxWidth, bool justify);
    // Cuts a line wider than maxWidth at a character so that it ends in "…" within maxWidth.
    void ellipsize(Line& line, int maxWidth);

private:
    struct Char {
        char32_t code;
        int span;
    };
    struct Token {
        size_t begin;
        size_t end;
        bool space;
        int width;
        kit::Array<Piece> segments;
    };
    struct Paragraph {
        size_t begin;
        size_t end;
    };

    void flatten(const kit::Array<Markup::Span>& spans);
    kit::Array<Token> tokenize(const Paragraph& paragraph);
    bool canBreakBetween(const Char& before, const Char& after) const;
    Token makeToken(size_t begin, size_t end, bool space);
    int measure(const kit::String& utf8);
    kit::Array<Token> cut(const Token& word, int maxWidth);
    // The tokens with every word wider than the line cut.
    kit::Array<Token> fit(const kit::Array<Token>& tokens, int maxWidth);
    void wrapParagraph(const kit::Array<Token>& tokens, int maxWidth, bool justify, kit::Array<Line>& lines);
    Line finishLine(const kit::Array<const Token*>& tokens, int maxWidth, bool justify);

    Font& font;
    int pixelSize;
    bool ideographBreaks;
    kit::Array<Char> chars;
    kit::Array<Paragraph> paragraphs;
    // Per span: whether its words may not break between ideographs.
    kit::Array<bool> keptTogether;
    std::unordered_map<kit::String, int> widths;
};

}  // namespace fonts
