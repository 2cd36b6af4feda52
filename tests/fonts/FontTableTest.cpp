#include <gtest/gtest.h>

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
