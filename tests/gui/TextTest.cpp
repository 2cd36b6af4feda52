#include "Fixture.h"
#include "fonts/Markup.h"
#include "gui/Gui.h"
#include "gui/Label.h"
#include "kit/Log.h"
#include "kit/Strings.h"

namespace guitest {
namespace {

class TextTest : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        texts = std::make_unique<gui::Dataset>(testFile("texts.dts"), "tst");
        ASSERT_TRUE(texts->load()) << texts->getError();
        label = std::make_unique<gui::Label>("label");
    }

    kit::String show(const kit::String& key, bool markup = false) {
        label->setMarkup(markup);
        label->setTextKey(key);
        return label->getText();
    }

    std::unique_ptr<gui::Dataset> texts;
    std::unique_ptr<gui::Label> label;
};

TEST_F(TextTest, PlainKeysAndLiterals) {
    EXPECT_EQ(show("tst.Hello"), "Hello");
    EXPECT_EQ(texts->getText("tst.Hello"), "Hello");
    EXPECT_EQ(texts->getText("Hello"), "Hello") << "own keys without the prefix";
    EXPECT_EQ(show("gui.ButtonYes"), "Yes") << "the global set's texts";
    EXPECT_EQ(show("{just a literal}"), "just a literal");
    label->setText("{%s} stays");
    EXPECT_EQ(label->getText(), "{%s} stays") << "a literal text is not a key";
}

TEST_F(TextTest, CompositeKeysFormatTheirArguments) {
    EXPECT_EQ(show("{%s %s} tst.Hello {World}"), "Hello World");
    EXPECT_EQ(show("{%s %s} gui.Player {2}"), "Player 2");
    EXPECT_EQ(show("{%f} tst.Drinks {Anna} {2}"), "Anna drinks 2.");
    EXPECT_EQ(show("{%f %s} tst.Pick {3} tst.RollAgain"), "Pick a player who drinks 3. Roll again!");
    EXPECT_EQ(show("{%s: %f} tst.Hello tst.Drinks tst.Hello {1}"), "Hello: Hello drinks 1.")
        << "keys as arguments";
    EXPECT_EQ(show("{%s, %s} tst.Hello {{%f} tst.Pick {4}}"), "Hello, Pick a player who drinks 4.")
        << "a literal that is itself a composite key";
    EXPECT_EQ(show("{100%% %s} tst.Hello"), "100% Hello");
}

TEST_F(TextTest, BrokenCompositeKeysDoNotCrash) {
    EXPECT_EQ(show("{%s %s %s} tst.Hello"), "Hello  ");
    EXPECT_EQ(show("{%s tst.Hello"), "%s tst.Hello");
    EXPECT_EQ(show("{%f}"), "%f");
    EXPECT_EQ(show("{%f} {literal %s} {x}"), "literal x");
    EXPECT_EQ(show("}{"), "}{");
    EXPECT_EQ(show(""), "");
}

TEST_F(TextTest, PlayerTextIsShownAsTyped) {
    const kit::String name = "{%s} [c=FF0000]Bob%f\\ }{";
    kit::String key = "{%f} tst.Drinks {" + kit::escapeText(name) + "} {1}";
    EXPECT_EQ(show(key), name + " drinks 1.");
    // With mark-up the escapes stay for the mark-up parser, which shows the name as typed.
    kit::String marked = show(key, true);
    EXPECT_EQ(fonts::Markup::plainText(marked), name + " drinks 1.");
    kit::Array<fonts::Markup::Span> spans = fonts::Markup::parse(marked);
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_FALSE(spans[0].color.has_value()) << "no colour injected";
    // Mark-up written by the game around an escaped name.
    EXPECT_EQ(fonts::Markup::plainText(
                  show("{%s %s} tst.Hello {[c=00FF00]" + kit::escapeText(name) + "[/c]}", true)),
              "Hello " + name);
}

TEST_F(TextTest, AMissingKeyShowsItselfAndIsLoggedOnce) {
    int warnings = 0;
    int listener =
        kit::Log::addListener([&](kit::Log::Level level, const kit::String& tag, const kit::String& message) {
            if (level == kit::Log::Level::Warn && tag == "gui" && kit::contains(message, "tst.Nothing")) {
                ++warnings;
            }
        });
    EXPECT_EQ(show("tst.Nothing"), "tst.Nothing");
    EXPECT_FALSE(label->trySetTextKey("tst.Nothing"));
    EXPECT_EQ(show("{%s!} tst.Nothing"), "tst.Nothing!");
    kit::Log::removeListener(listener);
    EXPECT_EQ(warnings, 1);
    EXPECT_TRUE(label->trySetTextKey("tst.Hello"));
    EXPECT_EQ(texts->getText("tst.Nothing"), "");
    EXPECT_FALSE(texts->hasText("tst.Nothing"));
}

TEST_F(TextTest, SwitchingTheLanguageChangesEveryLabel) {
    gui::Label other("other");
    other.setTextKey("{%f} tst.Drinks {Ája} {3}");
    EXPECT_EQ(show("tst.Hello"), "Hello");
    EXPECT_EQ(other.getText(), "Ája drinks 3.");
    gui::setLocalization("cs");
    EXPECT_EQ(label->getText(), "Ahoj");
    EXPECT_EQ(other.getText(), "Ája pije 3.");
    EXPECT_EQ(show("tst.OnlyEnglish"), "Only in English") << "falls back to the default language";
    EXPECT_EQ(show("gui.ButtonYes"), "Ano");
    gui::setLocalization("zh-HANT");
    EXPECT_EQ(show("gui.ButtonYes"), texts->getText("gui.ButtonYes"));
    EXPECT_NE(show("gui.ButtonYes"), "Yes");
    gui::setLocalization("en");
    EXPECT_EQ(show("tst.Hello"), "Hello");
}

TEST_F(TextTest, LabelsSeeTextsLoadedAfterThem) {
    gui::Label early("early");
    early.setTextKey("more.Hello");
    EXPECT_EQ(early.getText(), "more.Hello");
    gui::Dataset more(testFile("texts.dts"), "more");
    ASSERT_TRUE(more.load());
    EXPECT_EQ(early.getText(), "Hello");
    more.unload();
    EXPECT_EQ(early.getText(), "more.Hello");
    EXPECT_EQ(texts->getText("{%f} tst.Drinks {Bo} {2}"), "Bo drinks 2.") << "composite keys from code";
}

TEST_F(TextTest, LanguageSettingsAreKept) {
    gui::setSupportedLocalizations({"en", "cs"});
    EXPECT_EQ(gui::getSupportedLocalizations(), (kit::Array<kit::String>{"en", "cs"}));
    gui::setDefaultLocalization("cs");
    EXPECT_EQ(gui::getDefaultLocalization(), "cs");
    gui::setLocalization("de");
    EXPECT_EQ(gui::getLocalization(), "de");
    EXPECT_EQ(show("tst.Hello"), "Ahoj") << "no German texts: the default language";
    gui::setDefaultLocalization("en");
}

}  // namespace
}  // namespace guitest
