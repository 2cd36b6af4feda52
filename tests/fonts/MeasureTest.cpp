#include <gtest/gtest.h>

#include <random>

#include "FontsFixture.h"
#include "kit/Strings.h"

using fonts::Horizontal;

namespace {

// Each line no wider than the maximum, and the words in order with single spaces.
void expectWrapped(const kit::Array<kit::String>& lines, const kit::String& text, fonts::Renderer& renderer,
                   float maxWidth) {
    for (const kit::String& line : lines) {
        EXPECT_LE(renderer.getTextWidth(line, ""), maxWidth + 1.0f) << line;
        EXPECT_FALSE(kit::startsWith(line, " ") || kit::endsWith(line, " ")) << "'" << line << "'";
    }
    EXPECT_EQ(kit::join(lines, " "), text);
}

}  // namespace

using MeasureTest = FontsFixture;

TEST_F(MeasureTest, WidthGrowsWithTheTextAndIgnoresMarkup) {
    float short_ = renderer->getTextWidth("Swig", "");
    float longer = renderer->getTextWidth("Swiggard", "");
    EXPECT_GT(short_, 10.0f);
    EXPECT_GT(longer, short_);
    EXPECT_FLOAT_EQ(renderer->getTextWidth("[c=FF0000]Swig[b=000000]gard[/b][/c]", ""), longer);
    EXPECT_FLOAT_EQ(renderer->getTextWidth(kit::escapeText("[Bob]"), ""),
                    renderer->getTextWidth("[Bob]", ""));
    // The widest line counts.
    EXPECT_FLOAT_EQ(renderer->getTextWidth("Swig\nSwiggard\nS", ""), longer);
    EXPECT_EQ(renderer->getTextWidth("", ""), 0.0f);
}

TEST_F(MeasureTest, SizesAreGuiUnitsWhateverTheFontsDesignSize) {
    float plain = renderer->getTextWidth("Swiggard", "default");
    // The game's table at f = 2: everything doubled, scale one half.
    addFont("NulaDosis-Regular.ttf", "default2", 80, 0.5f, 80, 8);
    EXPECT_NEAR(renderer->getTextWidth("Swiggard", "default2"), plain, plain * 0.03f);
    EXPECT_FLOAT_EQ(renderer->getLineHeight("default2"), 40.0f);
    // Twice the pixels per unit: the same size in units, rasterised finer.
    renderer->setPixelScale(2.0f);
    EXPECT_NEAR(renderer->getTextWidth("Swiggard", "default"), plain, plain * 0.03f);
}

TEST_F(MeasureTest, WrapsAtSpacesWithinTheWidth) {
    const kit::String text = "one two three four five six seven";
    float width = renderer->getTextWidth("one two three", "") + 2.0f;
    auto lines = renderer->wrap(text, "", width);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "one two three");
    EXPECT_EQ(lines[1], "four five six");
    EXPECT_EQ(lines[2], "seven");
    expectWrapped(renderer->wrap(text, "", 130.0f), text, *renderer, 130.0f);
    // Spaces at a break vanish, line feeds always break, blank lines stay.
    EXPECT_EQ(renderer->wrap("one    two", "", renderer->getTextWidth("one", "") + 1.0f),
              (kit::Array<kit::String>{"one", "two"}));
    EXPECT_EQ(renderer->wrap("a\n\nb", "", 0.0f), (kit::Array<kit::String>{"a", "", "b"}));
    EXPECT_EQ(renderer->wrap("  indented", "", 0.0f), (kit::Array<kit::String>{"  indented"}));
}

TEST_F(MeasureTest, WordsWiderThanTheLineAreCut) {
    const kit::String word = "Supercalifragilisticexpialidocious";
    auto lines = renderer->wrap("a " + word, "", 120.0f);
    ASSERT_GT(lines.size(), 2u);
    EXPECT_EQ(lines[0], "a");
    kit::String joined;
    for (size_t i = 1; i < lines.size(); ++i) {
        EXPECT_LE(renderer->getTextWidth(lines[i], ""), 121.0f);
        joined += lines[i];
    }
    EXPECT_EQ(joined, word);
    // Narrower than one letter: one letter a line, never an endless loop.
    EXPECT_EQ(renderer->wrap("abc", "", 1.0f).size(), 3u);
}

TEST_F(MeasureTest, HeightIsLinesTimesLineHeight) {
    const kit::String text = "The player with the longest name drinks twice, then rolls again.";
    float lineHeight = renderer->getLineHeight("");
    EXPECT_FLOAT_EQ(lineHeight, 40.0f);
    for (float width : {150.0f, 260.0f, 400.0f}) {
        size_t lines = renderer->wrap(text, "", width).size();
        EXPECT_GT(lines, 1u);
        EXPECT_FLOAT_EQ(renderer->getTextHeight(text, "", width, Horizontal::LeftWrapped),
                        lines * lineHeight);
        EXPECT_FLOAT_EQ(renderer->getTextHeight(text, "", width, Horizontal::CenterWrapped),
                        lines * lineHeight);
        // Alignments that do not wrap keep one line per paragraph.
        EXPECT_FLOAT_EQ(renderer->getTextHeight(text, "", width, Horizontal::Center), lineHeight);
    }
    EXPECT_FLOAT_EQ(renderer->getTextHeight("a\nb\nc", "", 0.0f, Horizontal::Left), 3 * lineHeight);
    EXPECT_FLOAT_EQ(renderer->getTextHeight("", "", 100.0f, Horizontal::LeftWrapped), 0.0f);
    // A scaled view's lines are taller by its factor.
    EXPECT_FLOAT_EQ(renderer->getTextHeight("a", "default:1.5", 0.0f, Horizontal::Left), 60.0f);
}

TEST_F(MeasureTest, JustifiedStandsForTheJustifiedDefault) {
    const kit::String text = "one two three four five six seven";
    float width = renderer->getTextWidth("one two three", "") + 2.0f;
    EXPECT_FLOAT_EQ(renderer->getTextHeight(text, "", width, Horizontal::Justified), 3 * 40.0f);
    renderer->setJustifiedDefault(Horizontal::Left);
    EXPECT_EQ(renderer->getJustifiedDefault(), Horizontal::Left);
    EXPECT_FLOAT_EQ(renderer->getTextHeight(text, "", width, Horizontal::Justified), 40.0f);
}

TEST_F(MeasureTest, IdeographsBreakOnlyWhenAllowed) {
    // "Hello, cheers, friends!" with a space after the Latin word only.
    const kit::String text = "Hello 乾杯朋友們！";
    float width = renderer->getTextWidth("Hello 乾杯朋友", "zh") + 1.0f;
    EXPECT_EQ(renderer->wrap(text, "zh", width), (kit::Array<kit::String>{"Hello", "乾杯朋友們！"}));

    renderer->setIdeographWrapping(true);
    EXPECT_TRUE(renderer->isIdeographWrapping());
    // The full-width exclamation mark stays with the ideograph before it.
    EXPECT_EQ(renderer->wrap(text, "zh", width), (kit::Array<kit::String>{"Hello 乾杯朋友", "們！"}));
}

TEST_F(MeasureTest, ChineseSentenceBreaksBetweenIdeographsButNotBeforePunctuation) {
    renderer->setIdeographWrapping(true);
    const kit::String sentence = "每位玩家輪流擲骰子，移動棋子，並執行格子上的動作。喝完一杯就說乾杯！";
    float character = renderer->getTextWidth("喝", "zh");
    for (int perLine = 3; perLine <= 9; ++perLine) {
        float width = character * perLine + 1.0f;
        auto lines = renderer->wrap(sentence, "zh", width);
        EXPECT_GE(lines.size(), 33u / perLine) << perLine;
        kit::String joined;
        for (const kit::String& line : lines) {
            EXPECT_LE(renderer->getTextWidth(line, "zh"), width + 1.0f) << line;
            EXPECT_FALSE(kit::startsWith(line, "，") || kit::startsWith(line, "。") ||
                         kit::startsWith(line, "！"))
                << line;
            joined += line;
        }
        EXPECT_EQ(joined, sentence);
    }
}

TEST_F(MeasureTest, MalformedUtf8IsMeasuredNotFatal) {
    const kit::String broken = "ab\xC3\x28\xFF\xE4\xB9";
    EXPECT_GT(renderer->getTextWidth(broken, ""), 0.0f);
    EXPECT_GT(renderer->wrap(broken, "", 5.0f).size(), 1u);
}

TEST_F(MeasureTest, RandomTextWrapsWithoutLosingCharacters) {
    const kit::Array<kit::String> pieces{"a",      "W",        " ",  "  ",         "\n",   "乾",
                                         "杯",     "！",       "，", "[c=FF0000]", "[/c]", "\\[",
                                         "Привет", "Swiggard", "\t", "\xFF"};
    std::mt19937 random(11);
    auto withoutBlanks = [](const kit::String& text) {
        kit::String kept;
        for (char c : text) {
            if (c != ' ' && c != '\n' && c != '\t') {
                kept += c;
            }
        }
        return kept;
    };
    for (int round = 0; round < 300; ++round) {
        renderer->setIdeographWrapping(round % 2 == 0);
        kit::String text;
        for (int i = random() % 30; i > 0; --i) {
            text += pieces[random() % pieces.size()];
        }
        float width = static_cast<float>(random() % 200);
        auto lines = renderer->wrap(text, "zh", width);
        kit::String joined;
        for (const kit::String& line : lines) {
            joined += line;
            if (width > 0.0f && line.size() > 3) {
                EXPECT_LE(renderer->getTextWidth(kit::escapeText(line), "zh"), width + 2.0f)
                    << text << "|" << line;
            }
        }
        // Malformed UTF-8 comes back as U+FFFD.
        EXPECT_EQ(withoutBlanks(joined),
                  kit::replace(withoutBlanks(fonts::Markup::plainText(text)), "\xFF", "\uFFFD"))
            << text;
    }
}

// A player's name in a sentence (a coloured run) moves to the next line whole, never split between its
// ideographs, unless it is wider than a line on its own.
TEST_F(MeasureTest, ANameInASentenceIsNotSplitBetweenItsIdeographs) {
    renderer->setIdeographWrapping(true);
    const kit::String sentence = "給[c=FF0000][b=000000]玩家二號[/b][/c]一分鐘的按摩。";
    float character = renderer->getTextWidth("喝", "zh");
    for (int perLine = 4; perLine <= 8; ++perLine) {
        auto lines = renderer->wrap(sentence, "zh", character * perLine + 1.0f);
        bool whole = std::any_of(lines.begin(), lines.end(), [](const kit::String& line) {
            return line.find("玩家二號") != kit::String::npos;
        });
        EXPECT_TRUE(whole) << perLine << ": " << kit::join(lines, " / ");
    }
}
