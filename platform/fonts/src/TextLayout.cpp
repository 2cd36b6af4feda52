#include "TextLayout.h"

#include "Unicode.h"
#include "kit/Strings.h"

namespace fonts {

TextLayout::TextLayout(Font& font, int pixelSize, bool ideographBreaks)
    : font(font), pixelSize(pixelSize), ideographBreaks(ideographBreaks) {}

kit::Array<TextLayout::Line> TextLayout::layout(const kit::Array<Markup::Span>& spans, int maxWidth,
                                                bool justify) {
    flatten(spans);
    kit::Array<Line> lines;
    for (const Paragraph& paragraph : paragraphs) {
        wrapParagraph(tokenize(paragraph), maxWidth, justify, lines);
    }
    return lines;
}

// Whole pieces that begin beyond the room go first, then characters of the last one; spaces before the
// mark go with them.
void TextLayout::ellipsize(Line& line, int maxWidth) {
    if (line.width <= maxWidth || line.pieces.empty()) {
        return;
    }
    const kit::String mark = "\u2026";
    int room = maxWidth - measure(mark);
    while (line.pieces.size() > 1 && line.pieces.back().x >= room) {
        line.pieces.pop_back();
    }
    Piece& last = line.pieces.back();
    kit::String text = last.text;
    while (!text.empty() && last.x + measure(text) > room) {
        kit::eraseLastCharacter(text);
    }
    text.erase(text.find_last_not_of(' ') + 1);
    last.text = text + mark;
    last.width = measure(last.text);
    line.width = last.x + last.width;
}

// One array of code points for the whole text, cut into paragraphs at line feeds. Tabs become spaces,
// carriage returns go, malformed UTF-8 becomes U+FFFD.
void TextLayout::flatten(const kit::Array<Markup::Span>& spans) {
    chars.clear();
    paragraphs.clear();
    if (spans.empty()) {
        return;
    }
    size_t begin = 0;
    keptTogether.assign(spans.size(), false);
    for (size_t s = 0; s < spans.size(); ++s) {
        keptTogether[s] = spans[s].color.has_value() || spans[s].border.has_value();
        const kit::String& text = spans[s].text;
        for (size_t i = 0; i < text.size();) {
            char32_t c = unicode::next(text, i);
            if (c == U'\n') {
                paragraphs.push_back({begin, chars.size()});
                begin = chars.size();
            } else if (c != U'\r') {
                chars.push_back({c == U'\t' ? U' ' : c, static_cast<int>(s)});
            }
        }
    }
    paragraphs.push_back({begin, chars.size()});
}

// Runs of spaces, and words; words are further split where a line may break between ideographs.
kit::Array<TextLayout::Token> TextLayout::tokenize(const Paragraph& paragraph) {
    kit::Array<Token> tokens;
    size_t i = paragraph.begin;
    while (i < paragraph.end) {
        bool space = chars[i].code == U' ';
        size_t j = i + 1;
        while (j < paragraph.end && (chars[j].code == U' ') == space &&
               (space || !canBreakBetween(chars[j - 1], chars[j]))) {
            ++j;
        }
        tokens.push_back(makeToken(i, j, space));
        i = j;
    }
    return tokens;
}

// A coloured run (a player's name in a sentence) is never broken between its ideographs.
bool TextLayout::canBreakBetween(const Char& before, const Char& after) const {
    if (before.span == after.span && keptTogether[static_cast<size_t>(before.span)]) {
        return false;
    }
    return ideographBreaks && (unicode::isIdeographic(before.code) || unicode::isIdeographic(after.code)) &&
           !unicode::isClosingPunctuation(after.code) && !unicode::isOpeningPunctuation(before.code);
}

TextLayout::Token TextLayout::makeToken(size_t begin, size_t end, bool space) {
    Token token{begin, end, space, 0, {}};
    for (size_t i = begin; i < end; ++i) {
        if (token.segments.empty() || token.segments.back().span != chars[i].span) {
            token.segments.push_back(Piece{{}, chars[i].span, 0, 0});
        }
        unicode::append(token.segments.back().text, chars[i].code);
    }
    for (Piece& segment : token.segments) {
        segment.x = token.width;
        segment.width = measure(segment.text);
        token.width += segment.width;
    }
    return token;
}

int TextLayout::measure(const kit::String& utf8) {
    auto found = widths.find(utf8);
    if (found != widths.end()) {
        return found->second;
    }
    int width = font.measure(utf8, pixelSize);
    widths.emplace(utf8, width);
    return width;
}

// A word wider than the line on its own, in pieces that fit (at least one character each).
kit::Array<TextLayout::Token> TextLayout::cut(const Token& word, int maxWidth) {
    kit::Array<Token> parts;
    size_t start = word.begin;
    int width = 0;
    for (size_t i = word.begin; i < word.end; ++i) {
        kit::String character;
        unicode::append(character, chars[i].code);
        int charWidth = measure(character);
        if (i > start && width + charWidth > maxWidth) {
            parts.push_back(makeToken(start, i, false));
            start = i;
            width = 0;
        }
        width += charWidth;
    }
    parts.push_back(makeToken(start, word.end, false));
    return parts;
}

kit::Array<TextLayout::Token> TextLayout::fit(const kit::Array<Token>& tokens, int maxWidth) {
    kit::Array<Token> fitted;
    for (const Token& token : tokens) {
        if (maxWidth > 0 && !token.space && token.width > maxWidth) {
            for (Token& part : cut(token, maxWidth)) {
                fitted.push_back(std::move(part));
            }
        } else {
            fitted.push_back(token);
        }
    }
    return fitted;
}

void TextLayout::wrapParagraph(const kit::Array<Token>& tokens, int maxWidth, bool justify,
                               kit::Array<Line>& lines) {
    kit::Array<Token> fitted = fit(tokens, maxWidth);
    kit::Array<const Token*> line;
    kit::Array<const Token*> spaces;
    int lineWidth = 0;
    int spaceWidth = 0;
    for (const Token& token : fitted) {
        if (token.space) {
            spaces.push_back(&token);
            spaceWidth += token.width;
            continue;
        }
        // Spaces before a word that does not fit go: at a break, or as indentation that leaves no room.
        if (maxWidth > 0 && lineWidth + spaceWidth + token.width > maxWidth) {
            if (!line.empty()) {
                lines.push_back(finishLine(line, maxWidth, justify));
                line.clear();
                lineWidth = 0;
            }
            spaces.clear();
            spaceWidth = 0;
        }
        line.insert(line.end(), spaces.begin(), spaces.end());
        line.push_back(&token);
        lineWidth += spaceWidth + token.width;
        spaces.clear();
        spaceWidth = 0;
    }
    lines.push_back(finishLine(line, maxWidth, false));
}

// Places the tokens' segments along the line, merging neighbours of one span into a piece.
TextLayout::Line TextLayout::finishLine(const kit::Array<const Token*>& tokens, int maxWidth, bool justify) {
    int natural = 0;
    size_t spaceCount = 0;
    for (const Token* token : tokens) {
        natural += token->width;
        spaceCount += token->space ? token->end - token->begin : 0;
    }
    int extra = justify && spaceCount > 0 && maxWidth > natural ? maxWidth - natural : 0;
    Line line;
    int x = 0;
    size_t spacesSeen = 0;
    int given = 0;
    for (const Token* token : tokens) {
        for (const Piece& segment : token->segments) {
            Piece placed{segment.text, segment.span, x + segment.x, segment.width};
            if (!line.pieces.empty() && line.pieces.back().span == placed.span &&
                line.pieces.back().x + line.pieces.back().width == placed.x) {
                line.pieces.back().text += placed.text;
                line.pieces.back().width += placed.width;
            } else {
                line.pieces.push_back(std::move(placed));
            }
        }
        x += token->width;
        if (token->space && extra > 0) {
            spacesSeen += token->end - token->begin;
            int upTo = static_cast<int>(extra * spacesSeen / spaceCount);
            x += upTo - given;
            given = upTo;
        }
    }
    line.width = x;
    return line;
}

}  // namespace fonts
