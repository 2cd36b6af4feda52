#include <gtest/gtest.h>
#include <kit/Strings.h>

using kit::Array;
using kit::String;

TEST(Strings, SplitKeepsOrDropsEmptyParts) {
    EXPECT_EQ(kit::split("a,,b,", ","), (Array<String>{"a", "", "b", ""}));
    EXPECT_EQ(kit::splitNonEmpty("a,,b,", ","), (Array<String>{"a", "b"}));
    EXPECT_EQ(kit::split("", ","), (Array<String>{""}));
    EXPECT_TRUE(kit::splitNonEmpty("", ",").empty());
    EXPECT_EQ(kit::split("a::b::c", "::"), (Array<String>{"a", "b", "c"}));
}

TEST(Strings, SplitIntoAtMostNPartsKeepsTheRest) {
    EXPECT_EQ(kit::split("a:b:c", ":", 2), (Array<String>{"a", "b:c"}));
    EXPECT_EQ(kit::split("abc", ":", 2), (Array<String>{"abc"}));
    EXPECT_EQ(kit::split("a:b", ":", 1), (Array<String>{"a:b"}));
}

TEST(Strings, TrimRemovesOnlySpaces) {
    EXPECT_EQ(kit::trim("  a b  "), "a b");
    EXPECT_EQ(kit::trim("\ta\r"), "\ta\r");
    EXPECT_EQ(kit::trim("    "), "");
    EXPECT_EQ(kit::trimLeft("  a  "), "a  ");
    EXPECT_EQ(kit::trimRight("  a  "), "  a");
}

TEST(Strings, ReplaceJoinAndAffixes) {
    EXPECT_EQ(kit::replace("a%b%c", "%", "%%"), "a%%b%%c");
    EXPECT_EQ(kit::replace("aaa", "aa", "b"), "ba");
    EXPECT_EQ(kit::replace("abc", "", "x"), "abc");
    EXPECT_EQ(kit::join({"a", "b", "c"}, ", "), "a, b, c");
    EXPECT_EQ(kit::join({}, ","), "");
    EXPECT_TRUE(kit::startsWith("gui.Key", "gui."));
    EXPECT_FALSE(kit::startsWith("gu", "gui."));
    EXPECT_TRUE(kit::endsWith("file.cfg", ".cfg"));
    EXPECT_FALSE(kit::endsWith("cfg", ".cfg"));
    EXPECT_EQ(kit::toLower("AbC1"), "abc1");
    EXPECT_EQ(kit::toUpper("AbC1"), "ABC1");
}

TEST(Strings, NumberConversionsReadLeadingNumbers) {
    EXPECT_EQ(kit::toInt("42"), 42);
    EXPECT_EQ(kit::toInt(" -7"), -7);
    EXPECT_EQ(kit::toInt("12abc"), 12);
    EXPECT_EQ(kit::toInt("abc"), 0);
    EXPECT_EQ(kit::toInt(""), 0);
    EXPECT_EQ(kit::toInt("99999999999"), INT_MAX);
    EXPECT_EQ(kit::toUint("-5"), 0u);
    EXPECT_FLOAT_EQ(kit::toFloat("2.5x"), 2.5f);
    EXPECT_FLOAT_EQ(kit::toFloat("x"), 0.0f);
    EXPECT_TRUE(kit::isInt(" 12 "));
    EXPECT_FALSE(kit::isInt("12a"));
    EXPECT_FALSE(kit::isInt(""));
    EXPECT_TRUE(kit::isFloat("1e3"));
    EXPECT_EQ(kit::toString(0.5f), "0.5");
    EXPECT_EQ(kit::toFloat(kit::toString(0.1f)), 0.1f);
}

TEST(Strings, RemoveDuplicatesKeepsFirstOccurrences) {
    Array<String> items{"b", "a", "b", "c", "a"};
    kit::removeDuplicates(items);
    EXPECT_EQ(items, (Array<String>{"b", "a", "c"}));
}

TEST(Strings, EscapingMarksEveryParserCharacterAndRoundTrips) {
    EXPECT_EQ(kit::escapeText("a[c=FF0000]{%s}\\"), "a\\[c=FF0000\\]\\{\\%s\\}\\\\");
    for (const String text : {"", "plain", "[b]", "100%", "\\", "{%f} x {y}", "Ž汉 {x}"}) {
        EXPECT_EQ(kit::unescapeText(kit::escapeText(text)), text);
    }
}

TEST(Strings, YesNoValuesAgreeEverywhere) {
    for (const char* yes : {"1", "true", "TRUE", " yes ", "On", "2", "-1"}) {
        EXPECT_TRUE(kit::isBool(yes)) << yes;
        EXPECT_TRUE(kit::toBool(yes)) << yes;
    }
    for (const char* no : {"0", "false", "No", "off", " 0 "}) {
        EXPECT_TRUE(kit::isBool(no)) << no;
        EXPECT_FALSE(kit::toBool(no)) << no;
    }
    // Not a yes/no value: refused by isBool, and never read as a yes.
    for (const char* other : {"", "maybe", "1x", "truely"}) {
        EXPECT_FALSE(kit::isBool(other)) << other;
        EXPECT_FALSE(kit::toBool(other)) << other;
    }
}
