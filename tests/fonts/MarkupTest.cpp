#include <gtest/gtest.h>

#include <random>

#include "fonts/Markup.h"
#include "kit/Strings.h"

using fonts::Markup;

namespace {

const host::Color Red{255, 0, 0};
const host::Color Blue{0, 0, 255};

}  // namespace

TEST(MarkupTest, ColourTagsColourOnlyTheEnclosedText) {
    auto spans = Markup::parse("a [c=FF0000]red[/c] b");
    ASSERT_EQ(spans.size(), 3u);
    EXPECT_EQ(spans[0].text, "a ");
    EXPECT_FALSE(spans[0].color);
    EXPECT_EQ(spans[1].text, "red");
    EXPECT_EQ(spans[1].color, Red);
    EXPECT_FALSE(spans[1].border);
    EXPECT_EQ(spans[2].text, " b");
    EXPECT_FALSE(spans[2].color);
}

TEST(MarkupTest, TagsNestAndTakeAlpha) {
    // The player's rich name: colour outside, border inside.
    auto name = Markup::parse("[c=0000ff][b=FFFFFF]Eva[/b][/c]!");
    ASSERT_EQ(name.size(), 2u);
    EXPECT_EQ(name[0].color, Blue);
    EXPECT_EQ(name[0].border, host::Color::White);
    EXPECT_FALSE(name[1].color);

    auto nested = Markup::parse("[c=FF0000]a[c=0000FF]b[/c]c[/c]");
    ASSERT_EQ(nested.size(), 3u);
    EXPECT_EQ(nested[0].color, Red);
    EXPECT_EQ(nested[1].color, Blue);
    EXPECT_EQ(nested[2].color, Red);

    auto translucent = Markup::parse("[b=00000080]x");
    ASSERT_EQ(translucent.size(), 1u);
    EXPECT_EQ(translucent[0].border, host::Color(0, 0, 0, 128));
}

TEST(MarkupTest, FrameRateTextIsItsNumberWithABlackBorder) {
    auto spans = Markup::parse("[b=000000]60[/b]");
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_EQ(spans[0].text, "60");
    EXPECT_EQ(spans[0].border, host::Color::Black);
    EXPECT_FALSE(spans[0].color);
}

TEST(MarkupTest, NeighboursOfOneStyleMergeAndEmptySpansGo) {
    auto spans = Markup::parse("a[c=FF0000][/c]b[c=FF0000]c[/c][c=ff0000]d[/c]");
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0].text, "ab");
    EXPECT_EQ(spans[1].text, "cd");
    EXPECT_TRUE(Markup::parse("").empty());
    EXPECT_TRUE(Markup::parse("[c=FF0000][/c]").empty());
}

TEST(MarkupTest, EscapedPlayerTextShowsAsTyped) {
    for (const kit::String typed : {"[c=FF0000]Bob[/c]", "a\\b", "{%s} 100%", "[/b]", "\\"}) {
        kit::String label = "[c=00FF00]" + kit::escapeText(typed) + "[/c]";
        auto spans = Markup::parse(label);
        ASSERT_EQ(spans.size(), 1u) << typed;
        EXPECT_EQ(spans[0].text, typed);
        EXPECT_EQ(spans[0].color, host::Color::Green);
    }
    EXPECT_EQ(Markup::plainText("\\[c=FF0000]x"), "[c=FF0000]x");
    // A lone backslash at the end has nothing to escape and stays.
    EXPECT_EQ(Markup::plainText("end\\"), "end\\");
}

TEST(MarkupTest, MalformedTagsShowAsText) {
    for (const kit::String text :
         {"[c=XYZXYZ]a", "[c=FF00]a", "[c=FF0000", "[x=FF0000]a", "[/c]a", "a[/b]", "[]", "[", "]", "[c]",
          "[c=]", "[/]", "[/cc]", "[c=FF0000 ]a", "[[c=", "[b=1234567]z"}) {
        EXPECT_EQ(Markup::plainText(text), text) << text;
    }
    // A bracket that starts no tag leaves the next one intact.
    auto spans = Markup::parse("[[c=FF0000]x[/c]]");
    ASSERT_EQ(spans.size(), 3u);
    EXPECT_EQ(spans[0].text, "[");
    EXPECT_EQ(spans[1].text, "x");
    EXPECT_EQ(spans[1].color, Red);
    EXPECT_EQ(spans[2].text, "]");
}

TEST(MarkupTest, ClosingTagsMatchTheirOwnKindOnly) {
    // [/b] closes no colour: the colour lasts to its own closing tag.
    auto spans = Markup::parse("[c=FF0000][b=000000]a[/c]b[/b]c");
    ASSERT_EQ(spans.size(), 3u);
    EXPECT_EQ(spans[0].color, Red);
    EXPECT_EQ(spans[0].border, host::Color::Black);
    EXPECT_FALSE(spans[1].color);
    EXPECT_EQ(spans[1].border, host::Color::Black);
    EXPECT_FALSE(spans[2].border);
}

TEST(MarkupTest, AnyBytesParseWithoutLosingText) {
    const kit::String alphabet = "[]\\/cb=F0 x\xE4\xB9\xBE";
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        kit::String text;
        size_t length = random() % 24;
        for (size_t i = 0; i < length; ++i) {
            text += alphabet[random() % alphabet.size()];
        }
        kit::String plain = Markup::plainText(text);
        EXPECT_LE(plain.size(), text.size()) << text;
        // Escaping the visible text and parsing it again gives it back unchanged.
        EXPECT_EQ(Markup::plainText(kit::escapeText(plain)), plain) << text;
    }
}
