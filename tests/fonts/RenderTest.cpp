#include <gtest/gtest.h>

#include "FontsFixture.h"
#include "host/Host.h"
#include "kit/Strings.h"

using fonts::Horizontal;
using fonts::Vertical;

namespace {

fonts::TextStyle styled(const kit::String& font, Horizontal horizontal = Horizontal::Left,
                        Vertical vertical = Vertical::Top) {
    fonts::TextStyle style;
    style.font = font;
    style.horizontal = horizontal;
    style.vertical = vertical;
    return style;
}

}  // namespace

using RenderTest = RenderFixture;

TEST_F(RenderTest, EveryFontOfTheTableDrawsItsScript) {
    struct Case {
        const char* text;
        const char* font;
    };
    for (const Case& c :
         {Case{"Swiggard", "default"}, Case{"Привет", "ru"}, Case{"乾杯", "zh"}, Case{"건배", "ko"},
          Case{"0.42", "bac"}, Case{"SWIGGARD", "title"}, Case{"12", "special"}}) {
        SCOPED_TRACE(c.text);
        const fonts::RenderedText* text = renderer->render(c.text, styled(c.font), 300.0f, 80.0f);
        ASSERT_NE(text, nullptr);
        ASSERT_NE(text->texture, nullptr);
        EXPECT_EQ(text->texture->getWidth(), static_cast<int>(text->area.w));
        EXPECT_NEAR(text->area.w, renderer->getTextWidth(c.text, c.font), 2.0f);
        drawLabel(*text, 100.0f, 100.0f);
        int box = static_cast<int>(text->area.w * text->area.h);
        int left = 100 + static_cast<int>(text->area.x);
        int top = 100 + static_cast<int>(text->area.y);
        int ink = countChanged(left, top, left + static_cast<int>(text->area.w),
                               top + static_cast<int>(text->area.h));
        // Glyphs cover a good part of their box, and nothing is drawn outside it.
        EXPECT_GT(ink, box / 10);
        EXPECT_LT(ink, box);
        EXPECT_EQ(countChanged(0, 0, WindowWidth, WindowHeight), ink);
        EXPECT_GT(countNear(host::Color::White, 0, 0, WindowWidth, WindowHeight), box / 20);
        saveFrame(c.font);
    }
}

TEST_F(RenderTest, MarkupColoursAndBorders) {
    auto style = styled("special");
    const auto* text = renderer->render("[c=FF0000]Red[/c] [b=00FF00]Out[/b]", style, 600.0f, 120.0f);
    ASSERT_NE(text, nullptr);
    drawLabel(*text, 10.0f, 100.0f);
    kit::String path = saveFrame("markup");
    int middle = 10 + static_cast<int>(renderer->getTextWidth("Red ", "special"));
    EXPECT_GT(countNear(host::Color::Red, 0, 0, middle, WindowHeight), 300) << path;
    EXPECT_EQ(countNear(host::Color::Red, middle, 0, WindowWidth, WindowHeight), 0);
    // The outlined word: green around, the label's white inside.
    EXPECT_GT(countNear(host::Color::Green, middle, 0, WindowWidth, WindowHeight), 300);
    EXPECT_EQ(countNear(host::Color::Green, 0, 0, middle - 5, WindowHeight), 0);
    EXPECT_GT(countNear(host::Color::White, middle, 0, WindowWidth, WindowHeight), 300);
}

TEST_F(RenderTest, StyleEffectsDrawBehindTheText) {
    auto style = styled("default");
    style.color = host::Color::Yellow;
    style.effect = fonts::Effect::Shadow;
    const auto* shadowed = renderer->render("Shadow", style, 300.0f, 60.0f);
    ASSERT_NE(shadowed, nullptr);
    const auto* plain = renderer->render("Shadow", styled("default"), 300.0f, 60.0f);
    ASSERT_NE(plain, nullptr);
    // Shifted by the shadow offset (2, 2).
    EXPECT_FLOAT_EQ(shadowed->area.w, plain->area.w + 2.0f);
    EXPECT_FLOAT_EQ(shadowed->area.h, plain->area.h + 2.0f);
    drawLabel(*shadowed, 20.0f, 20.0f);
    EXPECT_GT(countNear(host::Color::Black, 0, 0, WindowWidth, WindowHeight), 100);
    EXPECT_GT(countNear(host::Color::Yellow, 0, 0, WindowWidth, WindowHeight), 300);

    style.effect = fonts::Effect::Border;
    style.effectColor = host::Color::Magenta;
    const auto* bordered = renderer->render("Shadow", style, 300.0f, 60.0f);
    ASSERT_NE(bordered, nullptr);
    // The outline reaches two units beyond the glyphs on every side.
    EXPECT_FLOAT_EQ(bordered->area.x, plain->area.x - 2.0f);
    EXPECT_FLOAT_EQ(bordered->area.w, plain->area.w + 4.0f);
    drawLabel(*bordered, 20.0f, 20.0f);
    saveFrame("border");
    EXPECT_GT(countNear(host::Color::Magenta, 0, 0, WindowWidth, WindowHeight), 300);
}

TEST_F(RenderTest, AreaIsAlignedInTheLabel) {
    const float width = 400.0f;
    const float height = 120.0f;
    auto area = [&](Horizontal h, Vertical v) {
        const auto* text = renderer->render("Swiggard", styled("", h, v), width, height);
        return text == nullptr ? quadrix::Rectangle() : text->area;
    };
    quadrix::Rectangle left = area(Horizontal::Left, Vertical::Top);
    ASSERT_GT(left.w, 0.0f);
    EXPECT_NEAR(left.x, 0.0f, 1.0f);
    EXPECT_NEAR(area(Horizontal::Center, Vertical::Top).centerX(), width / 2, 1.0f);
    EXPECT_NEAR(area(Horizontal::Right, Vertical::Top).right(), width, 1.0f);
    // The line box (40 units) moves by the free height, or half of it.
    float lineHeight = renderer->getLineHeight("");
    EXPECT_NEAR(area(Horizontal::Left, Vertical::Center).y - left.y, (height - lineHeight) / 2, 1.0f);
    EXPECT_NEAR(area(Horizontal::Left, Vertical::Bottom).y - left.y, height - lineHeight, 1.0f);
    // The glyphs sit in their line box.
    EXPECT_GT(left.y + left.h, lineHeight * 0.5f);
    EXPECT_LT(left.y, lineHeight * 0.5f);
    // Wrapped lines are each aligned: the block's right edge is the label's.
    const auto* wrapped =
        renderer->render("one two three four", styled("", Horizontal::RightWrapped), 150.0f, height);
    ASSERT_NE(wrapped, nullptr);
    EXPECT_NEAR(wrapped->area.right(), 150.0f, 1.0f);
    EXPECT_GT(wrapped->area.h, 1.5f * lineHeight);
}

TEST_F(RenderTest, JustifiedLinesFillTheWidthButTheLast) {
    const kit::String text = "Roll the die and walk your token round the board of forty fields. Go!";
    const float width = 330.0f;
    auto justified = styled("", Horizontal::Justified);
    const auto* text1 = renderer->render(text, justified, width, 200.0f);
    ASSERT_NE(text1, nullptr);
    EXPECT_NEAR(text1->area.right(), width, 2.0f);
    drawLabel(*text1, 0.0f, 0.0f);
    saveFrame("justified");
    auto lines = renderer->wrap(text, "", width);
    ASSERT_GE(lines.size(), 3u);
    // Rightmost ink of each line (between its letters' top and the baseline, which descenders of the line
    // above do not reach): at the edge for all but the last.
    auto inkRight = [&](size_t line) {
        int top = static_cast<int>(line * 40);
        int right = 0;
        for (int y = top + 12; y < top + 34; ++y) {
            for (int x = 0; x < WindowWidth; ++x) {
                if (pixel(x, y) != Background) {
                    right = std::max(right, x);
                }
            }
        }
        return right;
    };
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        EXPECT_NEAR(inkRight(i), width, 6.0f) << lines[i];
    }
    EXPECT_LT(inkRight(lines.size() - 1), renderer->getTextWidth(lines.back(), "") + 6.0f);
    EXPECT_LT(inkRight(lines.size() - 1), width - 30.0f);

    renderer->setJustifiedDefault(Horizontal::LeftWrapped);
    const auto* text2 = renderer->render(text, justified, width, 200.0f);
    ASSERT_NE(text2, nullptr);
    EXPECT_LT(text2->area.right(), width - 2.0f);
}

TEST_F(RenderTest, UnchangedLabelsComeFromTheCache) {
    auto style = styled("default");
    const auto* first = renderer->render("Cached", style, 200.0f, 40.0f);
    const auto* again = renderer->render("Cached", style, 200.0f, 40.0f);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(again, first);
    EXPECT_EQ(again->texture, first->texture);
    EXPECT_EQ(renderer->getStats().rendered, 1);
    EXPECT_EQ(renderer->getStats().cacheHits, 1);
    // Anything that changes the picture is a new label.
    style.color = host::Color::Red;
    EXPECT_NE(renderer->render("Cached", style, 200.0f, 40.0f), nullptr);
    EXPECT_NE(renderer->render("Cached!", style, 200.0f, 40.0f), nullptr);
    EXPECT_EQ(renderer->getStats().rendered, 3);
    EXPECT_EQ(renderer->getStats().cachedEntries, 3u);
    EXPECT_GT(renderer->getStats().cachedBytes, 0u);
    renderer->setPixelScale(1.5f);
    EXPECT_EQ(renderer->getStats().cachedEntries, 0u);
    EXPECT_EQ(renderer->render("", style, 200.0f, 40.0f), nullptr);
    EXPECT_EQ(renderer->render("   ", style, 200.0f, 40.0f), nullptr);
}

TEST_F(RenderTest, CacheDropsTheLeastRecentlyUsed) {
    renderer->setCacheLimits(2, 64u << 20);
    auto style = styled("default");
    const auto* a = renderer->render("a", style, 100.0f, 40.0f);
    renderer->render("b", style, 100.0f, 40.0f);
    EXPECT_EQ(renderer->render("a", style, 100.0f, 40.0f), a);
    renderer->render("c", style, 100.0f, 40.0f);
    EXPECT_EQ(renderer->getStats().cachedEntries, 2u);
    EXPECT_EQ(renderer->getStats().rendered, 3);
    renderer->render("a", style, 100.0f, 40.0f);
    EXPECT_EQ(renderer->getStats().rendered, 3);
    renderer->render("b", style, 100.0f, 40.0f);
    EXPECT_EQ(renderer->getStats().rendered, 4);
    // A byte limit below one label still keeps the newest.
    renderer->setCacheLimits(100, 1);
    EXPECT_EQ(renderer->getStats().cachedEntries, 1u);
}

TEST_F(RenderTest, PixelScaleRasterisesFinerAtTheSameSize) {
    const auto* coarse = renderer->render("Swiggard", styled(""), 300.0f, 40.0f);
    ASSERT_NE(coarse, nullptr);
    float width = coarse->area.w;
    int pixels = coarse->texture->getWidth();
    renderer->setPixelScale(2.0f);
    const auto* fine = renderer->render("Swiggard", styled(""), 300.0f, 40.0f);
    ASSERT_NE(fine, nullptr);
    EXPECT_NEAR(fine->area.w, width, width * 0.03f);
    EXPECT_NEAR(fine->texture->getWidth(), 2 * pixels, pixels * 0.06f);
}

TEST_F(RenderTest, WithoutMarkupTagsAreText) {
    auto style = styled("default");
    style.markup = false;
    const kit::String text = "[c=FF0000]Eva\\[/c]";
    const auto* shown = renderer->render(text, style, 600.0f, 40.0f);
    ASSERT_NE(shown, nullptr);
    EXPECT_NEAR(shown->area.w, renderer->getTextWidth(kit::escapeText(text), ""), 2.0f);
    drawLabel(*shown, 0.0f, 0.0f);
    EXPECT_EQ(countNear(host::Color::Red, 0, 0, WindowWidth, WindowHeight), 0);
    EXPECT_GT(countNear(host::Color::White, 0, 0, WindowWidth, WindowHeight), 200);
}

TEST_F(RenderTest, HugeTextIsCutNotFatal) {
    kit::String words;
    for (int i = 0; i < 3000; ++i) {
        words += "drink ";
    }
    const auto* wrapped = renderer->render(words, styled("", Horizontal::LeftWrapped), 200.0f, 100.0f);
    ASSERT_NE(wrapped, nullptr);
    EXPECT_EQ(wrapped->texture->getHeight(), 4096);
    const auto* line = renderer->render(words, styled(""), 200.0f, 100.0f);
    if (line != nullptr) {
        EXPECT_LE(line->texture->getWidth(), 4096);
    }
    // The cache holds at most its byte limit (and always the newest label).
    renderer->setCacheLimits(512, 1u << 20);
    EXPECT_EQ(renderer->getStats().cachedEntries, 1u);
}

TEST(RenderWithoutWindowTest, RenderingNeedsTheRenderSystem) {
    ASSERT_TRUE(fonts::init());
    fonts::renderer->registerFont(new fonts::FontTtf("data/gui/fonts/ptsans.ttf", "f", 20, 1, 20, 2, true),
                                  true);
    EXPECT_GT(fonts::renderer->getTextWidth("still measured", ""), 0.0f);
    EXPECT_EQ(fonts::renderer->render("text", fonts::TextStyle(), 100.0f, 20.0f), nullptr);
    fonts::destroy();
}

// Names in any script show in the Latin interface font once the fallbacks are set: the borrowed
// characters are ink, not the empty boxes of the font's missing glyph.
TEST_F(RenderTest, BorrowedCharactersAreDrawnNotBoxes) {
    const kit::String name = "Bob Жора 乾杯";
    const kit::String latin = "Bob ";
    auto inkAfterLatin = [&](const fonts::RenderedText& text) {
        drawLabel(text, 20.0f, 100.0f);
        int start = 20 + static_cast<int>(text.area.x + renderer->getTextWidth(latin, "default"));
        return countChanged(start, 100, WindowWidth, 100 + static_cast<int>(text.area.bottom()));
    };
    const fonts::RenderedText* boxes = renderer->render(name, styled("default"), 600.0f, 80.0f);
    ASSERT_NE(boxes, nullptr);
    int boxInk = inkAfterLatin(*boxes);

    renderer->setFallbackFonts({"ru", "zh"});
    const fonts::RenderedText* lent = renderer->render(name, styled("default"), 600.0f, 80.0f);
    ASSERT_NE(lent, nullptr);
    EXPECT_NEAR(lent->area.w, renderer->getTextWidth(name, "default"), 4.0f);
    int lentInk = inkAfterLatin(*lent);
    saveFrame("fallback");
    // Hollow boxes leave most of their area empty; the real glyphs of six characters are denser.
    EXPECT_NE(lentInk, boxInk);
    EXPECT_GT(lentInk, 300);
}

// A name too wide for its box is cut at a character and ends in an ellipsis, mark-up and all; one
// that fits is left whole.
TEST_F(RenderTest, AnEllipsisKeepsALongNameInsideItsBox) {
    const kit::String name = "[c=FF0000][b=000000]Maximilian Alexander von Habsburg-Lothringen[/b][/c]";
    fonts::TextStyle style = styled("default", Horizontal::Center, Vertical::Center);
    const fonts::RenderedText* overflowing = renderer->render(name, style, 200.0f, 60.0f);
    ASSERT_NE(overflowing, nullptr);
    EXPECT_GT(overflowing->area.w, 300.0f);
    style.ellipsis = true;
    const fonts::RenderedText* cut = renderer->render(name, style, 200.0f, 60.0f);
    ASSERT_NE(cut, nullptr);
    EXPECT_LE(cut->area.right(), 200.0f + renderer->getBorderThickness());
    EXPECT_GE(cut->area.x, -renderer->getBorderThickness());
    EXPECT_GT(cut->area.w, 150.0f) << "as much of the name as fits";
    const fonts::RenderedText* whole = renderer->render("Bob", style, 200.0f, 60.0f);
    ASSERT_NE(whole, nullptr);
    EXPECT_NEAR(whole->area.w, renderer->getTextWidth("Bob", "default"),
                2.0f * renderer->getBorderThickness() + 1.0f);
}

// A text too tall for its box is drawn smaller, never below the limit the label allows.
TEST_F(RenderTest, ATextTooTallShrinksDownToItsLimit) {
    const kit::String text =
        "Triple trouble! Pick three players: the first drinks, the second takes off a piece of clothing, and "
        "you "
        "give the third a gentle slap. Sips for the first: 1.";
    fonts::TextStyle style = styled("default", Horizontal::LeftWrapped);
    const fonts::RenderedText* full = renderer->render(text, style, 400.0f, 100.0f);
    ASSERT_NE(full, nullptr);
    EXPECT_GT(full->area.bottom(), 130.0f);
    style.shrinkLimit = 0.5f;
    const fonts::RenderedText* shrunk = renderer->render(text, style, 400.0f, 100.0f);
    ASSERT_NE(shrunk, nullptr);
    EXPECT_LE(shrunk->area.bottom(), 104.0f);
    EXPECT_LE(shrunk->area.right(), 404.0f);
    style.shrinkLimit = 0.95f;
    const fonts::RenderedText* limited = renderer->render(text, style, 400.0f, 100.0f);
    ASSERT_NE(limited, nullptr);
    EXPECT_GT(limited->area.bottom(), 110.0f) << "a limit of 0.95 cannot make it fit";
}
