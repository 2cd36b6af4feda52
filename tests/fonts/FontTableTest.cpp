#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "FontsFixture.h"
#include "kit/Log.h"
#include "kit/ResourceDir.h"

namespace {

// Counts the warnings and errors of the layer while it exists.
class LogCounter {
public:
    LogCounter() {
        id = kit::Log::addListener([this](kit::Log::Level level, const kit::String& tag, const kit::String&) {
            if (tag == "fonts" && level == kit::Log::Level::Warn) {
                ++warnings;
            }
            if (tag == "fonts" && level == kit::Log::Level::Error) {
                ++errors;
            }
        });
    }
    ~LogCounter() { kit::Log::removeListener(id); }

    int warnings = 0;
    int errors = 0;

private:
    int id;
};

}  // namespace

using FontTableTest = FontsFixture;

TEST_F(FontTableTest, FirstFontAllowedAsDefaultIsTheDefault) {
    fonts::Font* first = renderer->getFont("default");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(renderer->getDefaultFont(), first);
    EXPECT_EQ(renderer->getFont(""), first);
    EXPECT_EQ(renderer->getFont("zh")->getName(), "zh");
    EXPECT_FLOAT_EQ(renderer->getFont("special")->getHeight(), 100.0f);
    EXPECT_FLOAT_EQ(renderer->getFont("special")->getLineHeight(), 55.0f);
    EXPECT_FLOAT_EQ(renderer->getFont("special")->getDescender(), 13.0f);

    renderer->destroyAllFonts();
    EXPECT_EQ(renderer->getDefaultFont(), nullptr);
    renderer->registerFont(new fonts::FontTtf(fontFile("ptsans.ttf"), "plain", 20, 1, 20, 2, false), false);
    EXPECT_EQ(renderer->getDefaultFont(), nullptr);
    renderer->registerFont(new fonts::FontTtf(fontFile("ptsans.ttf"), "main", 20, 1, 20, 2, false), true);
    EXPECT_EQ(renderer->getDefaultFont()->getName(), "main");
}

TEST_F(FontTableTest, NameWithScaleIsAScaledView) {
    fonts::Font* base = renderer->getFont("default");
    fonts::Font* scaled = renderer->getFont("default:1.1");
    ASSERT_NE(scaled, nullptr);
    EXPECT_NE(scaled, base);
    EXPECT_EQ(scaled, renderer->getFont("default:1.1"));
    EXPECT_EQ(scaled->getName(), "default:1.1");
    EXPECT_FLOAT_EQ(scaled->getScale(), 1.1f);
    EXPECT_FLOAT_EQ(scaled->getHeight(), base->getHeight());
    EXPECT_TRUE(renderer->hasFont("default:1.1"));
    EXPECT_TRUE(renderer->hasFont("special"));
    EXPECT_FALSE(renderer->hasFont("missing"));
    EXPECT_FALSE(renderer->hasFont("missing:1.1"));

    float width = renderer->getTextWidth("Auto roll", "default");
    EXPECT_NEAR(renderer->getTextWidth("Auto roll", "default:1.1"), width * 1.1f, width * 0.04f);
    EXPECT_NEAR(renderer->getTextWidth("Auto roll", "default:0.5"), width * 0.5f, width * 0.04f);
}

TEST_F(FontTableTest, UnknownNamesFallBackToTheDefaultWithOneWarning) {
    LogCounter log;
    EXPECT_EQ(renderer->getFont("Heading"), renderer->getDefaultFont());
    EXPECT_EQ(renderer->getFont("Heading"), renderer->getDefaultFont());
    EXPECT_EQ(log.warnings, 1);
    // A scale that is not a number is part of an unknown name.
    EXPECT_EQ(renderer->getFont("default:big"), renderer->getDefaultFont());
    EXPECT_EQ(renderer->getFont("default:-2"), renderer->getDefaultFont());
    EXPECT_EQ(log.warnings, 3);
    // An unknown font with a scale: the default font at that scale.
    fonts::Font* scaled = renderer->getFont("Heading:2");
    ASSERT_NE(scaled, nullptr);
    EXPECT_FLOAT_EQ(scaled->getScale(), 2.0f);
    EXPECT_FLOAT_EQ(renderer->getLineHeight("Heading:2"), 80.0f);
}

TEST_F(FontTableTest, RegisteringANameAgainReplacesTheFont) {
    renderer->getFont("zh:2");
    auto* replacement = new fonts::FontTtf(fontFile("ptsans.ttf"), "zh", 10, 1, 12, 2, true);
    renderer->registerFont(replacement, true);
    EXPECT_EQ(renderer->getFont("zh"), replacement);
    EXPECT_FLOAT_EQ(renderer->getLineHeight("zh:2"), 24.0f);
    EXPECT_EQ(renderer->getDefaultFont()->getName(), "default");
}

TEST_F(FontTableTest, MissingFontFileMeasuresAsEmpty) {
    LogCounter log;
    auto* missing = new fonts::FontTtf(fontFile("missing.ttf"), "missing", 30, 1, 30, 3, true);
    EXPECT_EQ(log.errors, 1);
    EXPECT_FALSE(missing->isUsable());
    renderer->registerFont(missing, false);
    EXPECT_EQ(renderer->getTextWidth("text", "missing"), 0.0f);
    EXPECT_EQ(renderer->getTextHeight("text", "missing", 100.0f, fonts::Horizontal::LeftWrapped), 0.0f);
    EXPECT_TRUE(renderer->wrap("text", "missing", 100.0f).empty());
    fonts::TextStyle style;
    style.font = "missing";
    EXPECT_EQ(renderer->render("text", style, 100.0f, 40.0f), nullptr);
}

TEST_F(FontTableTest, FileThatIsNoFontGivesAnErrorNotACrash) {
    auto root = std::filesystem::temp_directory_path() / "fonts_tests_root";
    std::filesystem::create_directories(root / "data/gui/fonts");
    std::ofstream(root / "data/gui/fonts/broken.ttf") << "OTTO and then nothing a font needs";
    kit::String oldRoot = kit::ResourceDir::getRoot();
    kit::ResourceDir::setRoot(root.string());
    LogCounter log;
    fonts::FontTtf broken(fontFile("broken.ttf"), "broken", 30, 1, 30, 3, true);
    kit::ResourceDir::setRoot(oldRoot);
    std::filesystem::remove_all(root);
    EXPECT_EQ(log.errors, 1);
    EXPECT_FALSE(broken.isUsable());
    EXPECT_EQ(broken.measure("abc", 30), 0);
    fonts::Mask mask;
    EXPECT_FALSE(broken.rasterize("abc", 30, 0, mask));
}

TEST_F(FontTableTest, GlyphCoverageOfTheTableFonts) {
    auto* ru = dynamic_cast<fonts::FontTtf*>(renderer->getFont("ru"));
    auto* zh = dynamic_cast<fonts::FontTtf*>(renderer->getFont("zh"));
    ASSERT_NE(ru, nullptr);
    ASSERT_NE(zh, nullptr);
    EXPECT_TRUE(ru->hasGlyph(U'Ж'));
    EXPECT_TRUE(zh->hasGlyph(U'乾'));
    EXPECT_TRUE(zh->hasGlyph(U'杯'));
    EXPECT_FALSE(ru->hasGlyph(U'乾'));
}

TEST(FontsLifecycleTest, InitAndDestroyNest) {
    ASSERT_TRUE(fonts::init());
    fonts::Renderer* first = fonts::renderer;
    ASSERT_TRUE(fonts::init());
    EXPECT_EQ(fonts::renderer, first);
    fonts::destroy();
    EXPECT_EQ(fonts::renderer, first);
    fonts::destroy();
    EXPECT_EQ(fonts::renderer, nullptr);
    fonts::destroy();
    EXPECT_EQ(fonts::renderer, nullptr);
}

TEST(FontsLifecycleTest, FontMadeBeforeInitDrawsNothing) {
    fonts::FontTtf early("data/gui/fonts/ptsans.ttf", "early", 20, 1, 20, 2, true);
    EXPECT_FALSE(early.isUsable());
    EXPECT_EQ(early.measure("abc", 20), 0);
}

// A Latin font borrows Cyrillic and Chinese characters from the fallbacks, each run in its own font on
// the Latin font's baseline; its own characters stay its own.
TEST_F(FontTableTest, FallbackFontsLendTheCharactersAFontLacks) {
    fonts::Font* latin = renderer->getFont("default");
    fonts::Font* ru = renderer->getFont("ru");
    fonts::Font* zh = renderer->getFont("zh");
    EXPECT_FALSE(latin->hasGlyph(U'Ж'));

    renderer->setFallbackFonts({"ru", "zh", "unknown"});
    fonts::Font* lending = renderer->getFont("default");
    EXPECT_EQ(lending->getName(), "default");
    EXPECT_FLOAT_EQ(lending->getLineHeight(), latin->getLineHeight());
    EXPECT_TRUE(lending->hasGlyph(U'Ж'));
    EXPECT_TRUE(lending->hasGlyph(U'杯'));
    EXPECT_FALSE(lending->hasGlyph(U'\U0001F37A')) << "nobody has the beer mug";
    const int size = 40;
    EXPECT_EQ(lending->measure("Bob Жора 乾杯", size),
              latin->measure("Bob ", size) + ru->measure("Жора", size) + latin->measure(" ", size) +
                  zh->measure("乾杯", size));
    // Spaces are the main font's, as the layout measures them word by word: a name of two borrowed
    // words is as wide drawn whole as measured in pieces, so the text after it keeps its space.
    EXPECT_EQ(
        lending->measure("Дмитрий Ёжиков", size),
        lending->measure("Дмитрий", size) + lending->measure(" ", size) + lending->measure("Ёжиков", size));

    fonts::Mask own, lent;
    ASSERT_TRUE(latin->rasterize("Bob", size, 0, own));
    ASSERT_TRUE(lending->rasterize("Bob", size, 0, lent));
    EXPECT_EQ(lent.getWidth(), own.getWidth());

    // A borrowed run is the lender's own drawing, moved so that the baselines meet.
    fonts::Mask borrowed, original;
    ASSERT_TRUE(lending->rasterize("Ж", size, 0, borrowed));
    ASSERT_TRUE(ru->rasterize("Ж", size, 0, original));
    int shift = latin->getAscent(size) - ru->getAscent(size);
    int differing = 0;
    for (int y = std::max(0, -shift); y < original.getHeight(); ++y) {
        for (int x = 0; x < original.getWidth(); ++x) {
            differing += borrowed.at(x, y + shift) != original.at(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GE(borrowed.getHeight(), latin->getAscent(size) + latin->getDescent(size));

    // A lender does not lend to itself, and clearing the list gives the plain fonts back.
    EXPECT_FALSE(renderer->getFont("ru")->hasGlyph(U'\U0001F37A'));

    // Emoji come from the one-colour emoji font: joined ones as their parts, flags as their letters, skin
    // tones and presentation selectors left out.
    renderer->setFallbackFonts({"ru", "zh", "emoji"});
    lending = renderer->getFont("default");
    for (char32_t emoji :
         {U'\U0001F37A', U'\U0001F389', U'\U0001F44D', U'\U0001F1E9', U'\U0001F468', U'\u2764'}) {
        EXPECT_TRUE(lending->hasGlyph(emoji)) << static_cast<unsigned>(emoji);
    }
    EXPECT_EQ(lending->measure("\U0001F44D\U0001F3FD", size), lending->measure("\U0001F44D", size));
    EXPECT_EQ(lending->measure("\u2764\uFE0F", size), lending->measure("\u2764", size));
    EXPECT_EQ(lending->measure("\U0001F468\u200D\U0001F469\u200D\U0001F467", size),
              lending->measure("\U0001F468\U0001F469\U0001F467", size));
    fonts::Mask beer;
    ASSERT_TRUE(lending->rasterize("\U0001F37A \U0001F1E9\U0001F1EA", size, 0, beer));
    EXPECT_GT(beer.getWidth(), size);

    renderer->setFallbackFonts({});
    EXPECT_EQ(renderer->getFont("default"), latin);
}
