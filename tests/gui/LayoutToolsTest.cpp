// Styles, implied button pictures and repeats of the data-set format, and objects moved between
// parents keeping their animators.
#include "Fixture.h"
#include "gui/Animator.h"
#include "gui/Container.h"
#include "gui/ImageButton.h"
#include "gui/Label.h"
#include "gui/ToggleButton.h"
#include "kit/File.h"
#include "kit/ResourceDir.h"

namespace guitest {
namespace {

class LayoutToolsTest : public GuiFixture {
protected:
    // Writes a data-set file into the test folder and loads it; a failed load leaves the error.
    std::unique_ptr<gui::Dataset> load(const kit::String& name, const kit::String& body, bool screen = true) {
        EXPECT_TRUE(kit::File::write(kit::ResourceDir::getPath(testFile(name)),
                                     "<?xml version=\"1.0\"?>\n<Dataset>\n" + body + "</Dataset>\n"));
        auto dataset = std::make_unique<gui::Dataset>(testFile(name), name, screen);
        dataset->load();
        return dataset;
    }
    static quadrix::Rectangle rectOf(const gui::Dataset& screen, const kit::String& name) {
        return screen.getObject(name)->getRect();
    }
};

TEST_F(LayoutToolsTest, StylesGiveDefaultsThatOwnAttributesOverride) {
    auto shared =
        load("shared_styles.dts",
             "<Style name=\"label.loud\" font=\"default:0.8\" textColor=\"FF0000FF\" align=\"center\"/>\n"
             "<Style name=\"label.louder\" base=\"label.loud\" textColor=\"00FF00FF\" effect=\"border\"/>\n",
             false);
    ASSERT_TRUE(shared->isLoaded()) << shared->getError();
    auto screen = load("styled.gui",
                       "<Style name=\"label.local\" base=\"label.louder\" valign=\"bottom\"/>\n"
                       "<Container name=\"root\" rect=\"0 0 100 100\">\n"
                       "  <Label name=\"plain\" style=\"label.loud\"/>\n"
                       "  <Label name=\"own\" style=\"label.louder\" textColor=\"0000FFFF\"/>\n"
                       "  <Label name=\"local\" style=\"label.local\"/>\n"
                       "</Container>\n");
    ASSERT_TRUE(screen->isLoaded()) << screen->getError();
    auto label = [&](const char* name) { return screen->getObjectAs<gui::Label>(name, "Label"); };
    EXPECT_EQ(label("plain")->getTextColor(), host::Color(255, 0, 0));
    EXPECT_EQ(label("plain")->getAlignment(), fonts::Horizontal::Center);
    // The derived style overrides its base, the object's own attribute overrides both.
    EXPECT_EQ(label("own")->getTextColor(), host::Color(0, 0, 255));
    EXPECT_EQ(label("own")->getEffect(), fonts::Effect::Border);
    EXPECT_EQ(label("own")->getAlignment(), fonts::Horizontal::Center);
    // A screen's own style may build on a shared one.
    EXPECT_EQ(label("local")->getTextColor(), host::Color(0, 255, 0));
    EXPECT_EQ(label("local")->getVerticalAlignment(), fonts::Vertical::Bottom);
}

// Each mistake is one error naming the file, the line and what is wrong; the data set stays empty.
TEST_F(LayoutToolsTest, StyleAndRepeatMistakesAreErrorsThatSayWhatIsWrong) {
    const struct {
        const char* file;
        const char* body;
        const char* error;
    } cases[] = {
        {"style_unknown.gui", "<Label name=\"a\" style=\"nope\"/>\n", "the style 'nope' is not declared"},
        {"style_misfit.gui",
         "<Style name=\"pictured\" image=\"gui.buttons/ok\"/>\n<Label name=\"a\" style=\"pictured\"/>\n",
         "attribute 'image' of the style 'pictured' does not apply to <Label>"},
        {"style_base.gui", "<Style name=\"b\" base=\"later\"/>\n<Style name=\"later\"/>\n",
         "the base style 'later' is not declared before"},
        {"style_twice.gui", "<Style name=\"s\"/>\n<Style name=\"s\"/>\n", "the style 's' is declared twice"},
        // A name without the repeat's variable: the second copy clashes, reported at the original's line.
        {"repeat_twice.gui",
         "<Container name=\"root\">\n  <Repeat count=\"2\" var=\"i\">\n    <ImageBox name=\"same\"/>\n"
         "  </Repeat>\n</Container>\n",
         "repeat_twice.gui:5: the object 'same' is declared twice"},
        {"repeat_count.gui", "<Container name=\"root\"><Repeat var=\"i\"/></Container>\n",
         "<Repeat> needs a 'count'"},
        {"repeat_var.gui", "<Container name=\"root\"><Repeat count=\"1\" var=\"%s\"/></Container>\n",
         "must be a plain word"},
        {"repeat_offset.gui",
         "<Container name=\"root\"><Repeat count=\"2\" var=\"i\" offset=\"0 5\"><ImageBox name=\"b{i}\"/>"
         "</Repeat></Container>\n",
         "needs a 'rect'"},
        // Nested repeats that would make a million objects are refused, not built.
        {"repeat_huge.gui",
         "<Container name=\"root\"><Repeat count=\"1000\" var=\"i\"><Repeat count=\"1000\" var=\"j\">"
         "<ImageBox name=\"b{i}_{j}\"/></Repeat></Repeat></Container>\n",
         "repeats make more than"},
    };
    for (const auto& mistake : cases) {
        auto dataset = load(mistake.file, mistake.body);
        EXPECT_FALSE(dataset->isLoaded()) << mistake.file;
        EXPECT_NE(dataset->getError().find(mistake.error), kit::String::npos) << dataset->getError();
    }
}

TEST_F(LayoutToolsTest, AButtonPictureBringsItsStatePicturesWhenTheyExist) {
    auto screen = load(
        "implied.gui",
        "<Container name=\"root\">\n"
        "  <ImageButton name=\"ok\" image=\"gui.buttons/ok\"/>\n"
        "  <ImageButton name=\"own\" image=\"gui.buttons/ok\" hoverImage=\"gui.buttons/cancel\"/>\n"
        "  <ImageButton name=\"alone\" image=\"gui.buttons/shadow\"/>\n"
        "  <ToggleButton name=\"toggle\" image=\"gui.buttons/cancel\" toggledImage=\"gui.buttons/ok\"/>\n"
        "</Container>\n");
    ASSERT_TRUE(screen->isLoaded()) << screen->getError();
    auto button = [&](const char* name) {
        return screen->getObjectAs<gui::ImageButton>(name, "ImageButton");
    };
    EXPECT_EQ(button("ok")->getHoverImageName(), "gui.buttons/ok_hover");
    EXPECT_EQ(button("ok")->getPushedImageName(), "gui.buttons/ok_pushed");
    EXPECT_EQ(button("ok")->getDisabledImageName(), "gui.buttons/ok_disabled");
    // Given pictures stay; the others are still implied.
    EXPECT_EQ(button("own")->getHoverImageName(), "gui.buttons/cancel");
    EXPECT_EQ(button("own")->getPushedImageName(), "gui.buttons/ok_pushed");
    // No state pictures exist: nothing is implied, the button draws its one picture.
    EXPECT_EQ(button("alone")->getHoverImageName(), "");
    EXPECT_EQ(button("alone")->getPushedImageName(), "");
    auto* toggle = screen->getObjectAs<gui::ToggleButton>("toggle", "ToggleButton");
    EXPECT_EQ(toggle->getHoverImageName(), "gui.buttons/cancel_hover");
    EXPECT_EQ(toggle->getToggledHoverImageName(), "gui.buttons/ok_hover");
}

TEST_F(LayoutToolsTest, RepeatsCopyRenumberAndMoveTheirChildren) {
    auto screen = load("repeat.gui",
                       "<Container name=\"root\" rect=\"0 0 1000 1000\">\n"
                       "  <Repeat count=\"3\" var=\"row\" offset=\"0 72\">\n"
                       "    <Container name=\"row_{row}\" rect=\"10 20 300 64\">\n"
                       "      <Label name=\"label_row_{row}\" rect=\"0 0 100 64\" text=\"{row+1}\"/>\n"
                       "      <Repeat count=\"2\" var=\"col\" offset=\"50 0\">\n"
                       "        <ImageBox name=\"cell_{row}_{col:02}\" rect=\"100 0 40 40\"/>\n"
                       "      </Repeat>\n"
                       "    </Container>\n"
                       "  </Repeat>\n"
                       "  <Repeat count=\"2\" var=\"i\" offset=\"0 10\">\n"
                       "    <Repeat count=\"2\" var=\"j\" offset=\"100 0\">\n"
                       "      <ImageBox name=\"grid_{i}{j}\" rect=\"5 5 10 10\"/>\n"
                       "    </Repeat>\n"
                       "  </Repeat>\n"
                       "  <Repeat count=\"0\" var=\"none\"><ImageBox name=\"never\"/></Repeat>\n"
                       "  <Label name=\"after\" text=\"{row}\"/>\n"
                       "</Container>\n");
    ASSERT_TRUE(screen->isLoaded()) << screen->getError();
    EXPECT_EQ(rectOf(*screen, "row_0"), quadrix::Rectangle(10, 20, 300, 64));
    EXPECT_EQ(rectOf(*screen, "row_2"), quadrix::Rectangle(10, 164, 300, 64));
    // Children move with their copied parent: their own rects stay as written.
    EXPECT_EQ(rectOf(*screen, "label_row_2"), quadrix::Rectangle(0, 0, 100, 64));
    EXPECT_EQ(screen->getObjectAs<gui::Label>("label_row_2", "Label")->getText(), "3");
    EXPECT_EQ(rectOf(*screen, "cell_1_01"), quadrix::Rectangle(150, 0, 40, 40));
    EXPECT_EQ(screen->getObject("cell_1_01")->getParent(), screen->getObject("row_1"));
    // A repeat directly inside a repeat: the outer offset moves the inner copies too.
    EXPECT_EQ(rectOf(*screen, "grid_11"), quadrix::Rectangle(105, 15, 10, 10));
    EXPECT_EQ(rectOf(*screen, "grid_01"), quadrix::Rectangle(105, 5, 10, 10));
    EXPECT_FALSE(screen->hasObject("never"));
    // Copies keep the file order and take the repeat's place; outside the repeat "{row}" is text.
    const auto& children = screen->getRoot()->getChildren();
    EXPECT_EQ(children.front()->getName(), "row_0");
    EXPECT_EQ(children.back()->getName(), "after");
    EXPECT_EQ(screen->getObjectAs<gui::Label>("after", "Label")->getText(), "{row}");
}

TEST_F(LayoutToolsTest, AnObjectMovedToAnotherParentKeepsItsAnimator) {
    auto screen = load("moved.gui",
                       "<Container name=\"root\" rect=\"0 0 100 100\">\n"
                       "  <Container name=\"left\"><ImageBox name=\"row\" rect=\"0 0 10 10\"/></Container>\n"
                       "  <Container name=\"right\"/>\n"
                       "</Container>\n"
                       "<Animator name=\"spin\" type=\"rotator\" target=\"row\" amplitude=\"90\"/>\n");
    ASSERT_TRUE(screen->isLoaded()) << screen->getError();
    gui::Object* row = screen->getObject("row");
    screen->getObject("right")->addChild(screen->getObject("left")->removeChild(row));
    ASSERT_TRUE(screen->hasAnimator("spin"));
    screen->update(0.5f);
    EXPECT_NE(row->getAngle(), 0.0f) << "the animator still turns the moved row";
    // Deleted while outside every tree, the object takes its animator with it.
    gui::Object* loose = screen->getObject("right")->removeChild(row);
    delete loose;
    EXPECT_FALSE(screen->hasAnimator("spin"));
    screen->update(0.5f);
}

TEST_F(LayoutToolsTest, EveryObjectNamesItsKind) {
    auto screen = loadScreen("all_kinds.gui");
    EXPECT_STREQ(screen->getObject("container")->getKindName(), "Container");
    EXPECT_STREQ(screen->getObject("image")->getKindName(), "ImageBox");
    EXPECT_STREQ(screen->getRoot()->getKindName(), "Container");
}

}  // namespace
}  // namespace guitest
