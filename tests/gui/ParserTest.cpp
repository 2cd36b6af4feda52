#include <cmath>

#include "Fixture.h"
#include "gui/Animator.h"
#include "gui/CompositeImage.h"
#include "gui/Container.h"
#include "gui/EditBox.h"
#include "gui/FunctionCallbackEvent.h"
#include "gui/Gui.h"
#include "gui/Image.h"
#include "gui/ImageBox.h"
#include "gui/InvalidObjectTypeException.h"
#include "gui/Label.h"
#include "gui/ProgressBar.h"
#include "gui/ScrollArea.h"
#include "gui/Texture.h"
#include "gui/ToggleButton.h"
#include "kit/File.h"
#include "kit/ResourceDir.h"
#include "kit/Strings.h"

namespace guitest {
namespace {

class ParserTest : public GuiFixture {
protected:
    // Writes a data-set file into the test folder and loads it; returns the error ("" on success).
    kit::String loadText(const kit::String& name, const kit::String& text, bool screen = true) {
        EXPECT_TRUE(kit::File::write(kit::ResourceDir::getPath(testFile(name)), text));
        gui::Dataset dataset(testFile(name), name, screen);
        bool loaded = dataset.load();
        EXPECT_EQ(loaded, dataset.getError().empty());
        return dataset.getError();
    }
};

TEST_F(ParserTest, ReadsEveryElementAndAttribute) {
    auto screen = loadScreen("all_kinds.gui");
    ASSERT_NE(screen->getRoot(), nullptr);
    EXPECT_EQ(screen->getRoot()->getName(), "root");
    EXPECT_EQ(screen->getRoot()->getBackground(), host::Color(0x10, 0x20, 0x30));

    gui::Object* container = screen->getObject("container");
    EXPECT_EQ(container->getRect(), quadrix::Rectangle(10, 20, 300, 200));
    EXPECT_EQ(container->getPivot(), quadrix::Vector2(150, 100));
    EXPECT_EQ(container->getAnchors(), gui::AnchorLeft | gui::AnchorRight);
    EXPECT_EQ(container->getScale(), quadrix::Vector2(0.5f, 2.0f));
    EXPECT_EQ(container->getAngle(), 45.0f);
    EXPECT_EQ(container->getColor(), host::Color(255, 128, 0, 128));
    EXPECT_FALSE(container->isVisible());
    EXPECT_FALSE(container->isEnabled());
    EXPECT_EQ(container->getZOrder(), 3);
    EXPECT_EQ(container->getFocusIndex(), 7);
    EXPECT_TRUE(container->isInteractive());
    // z order 3 draws the container after its siblings.
    EXPECT_EQ(screen->getRoot()->getChildren().back(), container);

    auto* image = screen->getObjectAs<gui::ImageBox>("image", "ImageBox");
    EXPECT_TRUE(image->isKeepAspect());
    EXPECT_EQ(image->getImageName(), "image_pair");
    EXPECT_EQ(image->getSize(), quadrix::Vector2(128, 64)) << "auto size takes the composite's size";
    auto* half = dynamic_cast<gui::Image*>(screen->getImage("image_half"));
    ASSERT_NE(half, nullptr);
    EXPECT_EQ(half->getSize(), quadrix::Vector2(64, 128)) << "pixel scale 2 halves the size";
    EXPECT_EQ(screen->getImage("image_whole")->getSize(), quadrix::Vector2(256, 256));
    EXPECT_EQ(screen->getTexture("texture_dice")->getWidth(), 256);

    auto* label = screen->getObjectAs<gui::Label>("label", "Label");
    EXPECT_EQ(label->getTextKey(), "gui.ButtonYes") << "textKey after text wins";
    EXPECT_EQ(label->getText(), "Yes");
    EXPECT_EQ(label->getFont(), "ptsans");
    EXPECT_EQ(label->getTextColor(), host::Color(0x11, 0x22, 0x33));
    EXPECT_EQ(label->getAlignment(), fonts::Horizontal::CenterWrapped);
    EXPECT_EQ(label->getVerticalAlignment(), fonts::Vertical::Bottom);
    EXPECT_EQ(label->getEffect(), fonts::Effect::Shadow);
    EXPECT_EQ(label->getEffectColor(), host::Color(0x44, 0x55, 0x66));
    EXPECT_FALSE(label->isMarkup());

    auto* edit = screen->getObjectAs<gui::EditBox>("edit", "EditBox");
    EXPECT_EQ(edit->getEmptyTextKey(), "gui.PlayerNameHint");
    EXPECT_EQ(edit->getMaxLength(), 5);

    auto* toggle = screen->getObjectAs<gui::ToggleButton>("toggle", "ToggleButton");
    EXPECT_TRUE(toggle->isToggled());
    EXPECT_EQ(toggle->getImageName(), "gui.buttons/toggle_off");
    auto* button = screen->getObjectAs<gui::ImageButton>("button", "ImageButton");
    EXPECT_EQ(button->getHoverImageName(), "gui.buttons/ok_hover");
    EXPECT_EQ(button->getPushedImageName(), "gui.buttons/ok_pushed");
    EXPECT_EQ(button->getDisabledImageName(), "gui.buttons/cancel");
    EXPECT_EQ(button->getText(), "OK");

    auto* scroll = screen->getObjectAs<gui::ScrollArea>("scroll", "ScrollArea");
    EXPECT_TRUE(scroll->isDrag());
    EXPECT_EQ(scroll->getContent(), screen->getObject("content"));
    auto* progress = screen->getObjectAs<gui::ProgressBar>("progress", "ProgressBar");
    EXPECT_EQ(progress->getProgress(), 1.0f) << "clamped";
    EXPECT_FALSE(progress->isDraggable());
    EXPECT_EQ(progress->getProgressImageName(), "gui.gui/progress_fill");

    gui::Animator* animator = screen->getAnimator("animator");
    EXPECT_EQ(animator->getType(), gui::Animator::Type::Scaler);
    EXPECT_EQ(animator->getTarget(), image);
    EXPECT_EQ(animator->getFunction(), gui::Animator::Function::Custom);
    EXPECT_EQ(animator->getAxis(), gui::Animator::Axis::Y);
    EXPECT_EQ(animator->getAmplitude(), 2.0f);
    EXPECT_EQ(animator->getOffset(), 1.0f);
    EXPECT_EQ(animator->getSpeed(), 4.0f);
    EXPECT_EQ(animator->getPeriods(), 3.0f);
    EXPECT_EQ(animator->getDelay(), 0.25f);
    EXPECT_FALSE(animator->isEnabled());
    EXPECT_EQ(animator->getTime(), 0.5f);
    EXPECT_EQ(animator->getStopTime(), 2.0f);
    EXPECT_EQ(animator->getValues(), (kit::Array<float>{0.0f, 1.0f, 0.5f}));
}

TEST_F(ParserTest, LookUpsOfMissingNamesRaiseTheLibraryError) {
    auto screen = loadScreen("all_kinds.gui");
    EXPECT_FALSE(screen->hasObject("nothing"));
    EXPECT_TRUE(screen->hasObject("label"));
    EXPECT_THROW(screen->getObject("nothing"), kit::ResourceNotExistsException);
    EXPECT_THROW(screen->getImage("gui.buttons/nothing"), kit::ResourceNotExistsException);
    EXPECT_THROW(screen->getImage("nothing"), kit::ResourceNotExistsException);
    EXPECT_THROW(screen->getTexture("nothing"), kit::ResourceNotExistsException);
    EXPECT_THROW(screen->getAnimator("nothing"), kit::ResourceNotExistsException);
    EXPECT_THROW((screen->getObjectAs<gui::Label>("image", "Label")), gui::InvalidObjectTypeException);
    try {
        screen->getObject("nothing");
    } catch (const kit::ResourceNotExistsException& error) {
        EXPECT_EQ(error.getKind(), "object");
        EXPECT_EQ(error.getContainer(), "all_kinds.gui");
    }
}

TEST_F(ParserTest, BadFilesGiveAnErrorNamingFileAndLine) {
    EXPECT_EQ(loadText("broken.gui", "<Dataset>\n  <Container name=\"root\">\n</Dataset>\n"),
              testFile("broken.gui") + ":3: Start-end tags mismatch");
    EXPECT_EQ(
        loadText("unknown.gui", "<Dataset>\n<Container>\n\n  <Blob name=\"x\"/>\n</Container>\n</Dataset>"),
        testFile("unknown.gui") + ":4: unknown element <Blob>");
    EXPECT_EQ(loadText("attribute.gui", "<Dataset>\n<Label nmae=\"x\"/>\n</Dataset>"),
              testFile("attribute.gui") + ":2: unknown attribute 'nmae' in <Label>");
    EXPECT_EQ(loadText("value.gui", "<Dataset>\n<Label rect=\"1 2 x 4\"/>\n</Dataset>"),
              testFile("value.gui") + ":2: attribute 'rect' of <Label> is '1 2 x 4', expected numbers");
    EXPECT_EQ(loadText("count.gui", "<Dataset><Label rect=\"1 2 3\"/></Dataset>"),
              testFile("count.gui") + ":1: attribute 'rect' of <Label> is '1 2 3', expected 4 numbers");
    EXPECT_EQ(loadText("colour.gui", "<Dataset><Label color=\"red\"/></Dataset>"),
              testFile("colour.gui") +
                  ":1: attribute 'color' of <Label> is 'red', expected a colour RRGGBB or RRGGBBAA");
    EXPECT_EQ(loadText("flag.gui", "<Dataset><Label visible=\"maybe\"/></Dataset>"),
              testFile("flag.gui") + ":1: attribute 'visible' of <Label> is 'maybe', expected true or false");
    EXPECT_EQ(
        loadText("align.gui", "<Dataset><Label align=\"middle\"/></Dataset>"),
        testFile("align.gui") +
            ":1: attribute 'align' of <Label> is 'middle', expected one of left, center, right, leftWrapped, "
            "centerWrapped, rightWrapped, justified");
    EXPECT_EQ(loadText("roots.gui", "<Dataset><Container/>\n<Container/></Dataset>"),
              testFile("roots.gui") + ":2: a second root object <Container>: a screen has exactly one");
    EXPECT_EQ(loadText("top.gui", "<Gui/>"),
              testFile("top.gui") + ":1: the top element must be <Dataset>, not <Gui>");
    EXPECT_EQ(loadText("target.gui",
                       "<Dataset><Container/>\n<Animator name=\"a\" type=\"mover\" target=\"x\"/></Dataset>"),
              testFile("target.gui") + ":2: the animator's target object 'x' does not exist");
    EXPECT_EQ(loadText("resource.dts", "<Dataset>\n<Label/></Dataset>", false),
              testFile("resource.dts") + ":2: unknown element <Label> in a resource set");
    EXPECT_EQ(loadText("empty.gui", ""), testFile("empty.gui") + ":1: No document element found");
    // A second declaration of a name would delete the first while objects still point at it, and a
    // composite image inside itself would draw forever: both found by fuzzing.
    const char* twice =
        "<Dataset>\n<CompositeImage name=\"pair\" size=\"8 8\"/>\n"
        "<ImageBox image=\"pair\"/>\n<CompositeImage name=\"pair\" size=\"8 8\"/>\n</Dataset>";
    EXPECT_EQ(loadText("twice.gui", twice), testFile("twice.gui") + ":4: the image 'pair' is declared twice");
    EXPECT_EQ(loadText("self.gui",
                       "<Dataset><CompositeImage name=\"pair\" size=\"8 8\">\n"
                       "<Part image=\"pair\" rect=\"0 0 8 8\"/></CompositeImage></Dataset>"),
              testFile("self.gui") + ":2: the composite image 'pair' cannot contain itself");
    gui::Dataset missing(testFile("missing.gui"), "missing", true);
    EXPECT_FALSE(missing.load());
    EXPECT_EQ(missing.getError(), testFile("missing.gui") + ": the data-set file does not exist");
    EXPECT_EQ(missing.getRoot(), nullptr);
}

TEST_F(ParserTest, AMissingPictureOnlyWarns) {
    EXPECT_EQ(loadText("picture.gui", "<Dataset><ImageBox name=\"i\" image=\"gui.buttons/none\"/></Dataset>"),
              "");
}

// Stand-ins show in the tools, are left out in the game and marked for the test that hunts them.
TEST_F(ParserTest, StandInsFollowTheSampleMode) {
    const kit::String layout =
        "<Dataset><Container name=\"root\">"
        "<Label name=\"name\" sampleText=\"Alex\"/>"
        "<Label name=\"start\" text=\"x\" sampleTextKey=\"{%s} {21:03}\"/>"
        "<Label name=\"unit\" text=\"%\"/>"
        "</Container></Dataset>";
    ASSERT_TRUE(kit::File::write(kit::ResourceDir::getPath(testFile("samples.gui")), layout));
    auto textOf = [](gui::Dataset& screen, const char* name) {
        return screen.getObjectAs<gui::Label>(name, "Label")->getText();
    };
    struct Case {
        gui::SampleMode mode;
        const char* name;
        const char* start;
    };
    for (const Case& expected :
         {Case{gui::SampleMode::Off, "", "x"}, Case{gui::SampleMode::Shown, "Alex", "21:03"},
          Case{gui::SampleMode::Marked, gui::SampleMark, gui::SampleMark}}) {
        gui::setSampleMode(expected.mode);
        auto screen = loadScreen("samples.gui");
        EXPECT_EQ(textOf(*screen, "name"), expected.name);
        EXPECT_EQ(textOf(*screen, "start"), expected.start);
        EXPECT_EQ(textOf(*screen, "unit"), "%") << "a fixed text is never a stand-in";
    }
    gui::setSampleMode(gui::SampleMode::Off);
}

TEST_F(ParserTest, GlobalSetsFindPicturesByFolder) {
    gui::BaseImage* yes = guiSet->getImage("gui.buttons/ok");
    EXPECT_EQ(yes->getSize(), quadrix::Vector2(128, 128));
    EXPECT_EQ(guiSet->getImage("gui.buttons/ok"), yes) << "made once";
    EXPECT_EQ(gui::getDataset("game")->getImage("game.fields/drink")->getSize(), quadrix::Vector2(256, 256));
    // A screen asks the set named by the prefix.
    auto screen = loadScreen("all_kinds.gui");
    EXPECT_EQ(screen->getImage("gui.buttons/ok"), yes);
    EXPECT_THROW(guiSet->getImage("gui.nofolder/ok"), kit::ResourceNotExistsException);
}

TEST_F(ParserTest, DoubleResolutionVariantsArePreferred) {
    kit::String variant = kit::ResourceDir::getPath("data/gui/images/gui/dice/2.hd.png");
    ASSERT_TRUE(kit::File::copy(kit::ResourceDir::getPath("data/gui/images/gui/dice/2.png"), variant));
    gui::setTextureExtensionPrefixes({".hd"}, {2.0f});
    EXPECT_EQ(guiSet->getImage("gui.dice/2")->getSize(), quadrix::Vector2(128, 128));
    gui::setTextureExtensionPrefixes({}, {});
    EXPECT_EQ(guiSet->getImage("gui.dice/3")->getSize(), quadrix::Vector2(256, 256));
    kit::File::remove(variant);
}

TEST_F(ParserTest, ObjectsMadeInCodeJoinTheTreeAndCanBeDestroyed) {
    auto screen = loadScreen("all_kinds.gui");
    auto* box = new gui::ImageBox("image_made");
    box->setImage("gui.dice/6");
    screen->getRoot()->addChild(box);
    auto* inner = new gui::Container("inner");
    box->addChild(inner);
    EXPECT_EQ(screen->getObject("inner"), inner);
    EXPECT_EQ(inner->getDataset(), screen.get());
    screen->getRoot()->findChildByName("image_made")->setFocusIndex(9);
    EXPECT_TRUE(screen->trySetFocusedObjectByIndex(9, false));
    screen->destroyObjects(box);
    EXPECT_FALSE(screen->hasObject("image_made"));
    EXPECT_FALSE(screen->hasObject("inner"));
    EXPECT_EQ(screen->getFocusedObject(), nullptr);
    EXPECT_EQ(screen->getRoot()->findChildByName("image_made"), nullptr);

    auto* made = new gui::CompositeImage("pair", quadrix::Vector2(10, 10));
    screen->registerImage(made);
    EXPECT_EQ(screen->getImage("pair"), made);
}

}  // namespace
}  // namespace guitest

namespace guitest {
namespace {

TEST_F(ParserTest, QueuedEventsAreDeliveredByProcessEvents) {
    auto screen = loadScreen("all_kinds.gui");
    gui::Object* button = screen->getObject("button");
    gui::Object* toggle = screen->getObject("toggle");
    kit::Array<kit::String> calls;
    button->registerEvent(gui::Event::Click, new gui::FunctionCallbackEvent([&](gui::EventArgs* args) {
                              calls.push_back("click " + kit::toString(args->getKeyCode()));
                              toggle->triggerEvent(gui::Event::Click, 2);
                              // A callback may take itself off.
                              button->unregisterEvents(gui::Event::Click);
                          }));
    toggle->registerEvent(gui::Event::Click, new gui::FunctionCallbackEvent(
                                                 [&](gui::EventArgs*) { calls.push_back("toggle"); }));
    button->triggerEvent(gui::Event::Click, 1);
    button->triggerEvent(gui::Event::Click, 1);
    EXPECT_TRUE(calls.empty()) << "nothing before processEvents";
    gui::processEvents();
    EXPECT_EQ(calls, (kit::Array<kit::String>{"click 1"}))
        << "the second was queued before, but its callback is gone";
    gui::processEvents();
    EXPECT_EQ(calls, (kit::Array<kit::String>{"click 1", "toggle"}))
        << "raised by a callback: the next round";

    toggle->triggerEvent(gui::Event::Click);
    screen->destroyObjects(toggle);
    screen->processEvents();
    EXPECT_EQ(calls.size(), 2u) << "events of destroyed objects are dropped";
}

TEST_F(ParserTest, EntityDeclarationsAreNeverExpanded) {
    // A billion-laughs document and an external entity: the reader expands neither, so no memory
    // blows up and no file is read.
    kit::String laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE d [\n<!ENTITY l0 \"lol\">\n";
    for (int i = 1; i < 10; ++i) {
        kit::String tenTimes;
        for (int copy = 0; copy < 10; ++copy) {
            tenTimes += "&l" + std::to_string(i - 1) + ";";
        }
        laughs += "<!ENTITY l" + std::to_string(i) + " \"" + tenTimes + "\">\n";
    }
    laughs +=
        "<!ENTITY secret SYSTEM \"file:///etc/passwd\">\n]>\n"
        "<Dataset><Label name=\"a\" text=\"&l9;\"/></Dataset>\n";
    EXPECT_TRUE(kit::File::write(kit::ResourceDir::getPath(testFile("laughs.gui")), laughs));
    gui::Dataset dataset(testFile("laughs.gui"), "laughs.gui", true);
    if (dataset.load()) {
        EXPECT_LT(dataset.getObjectAs<gui::Label>("a", "Label")->getText().size(), 100u);
    }
    kit::String secret = kit::replace(laughs, "text=\"&l9;\"", "text=\"&secret;\"");
    EXPECT_TRUE(kit::File::write(kit::ResourceDir::getPath(testFile("secret.gui")), secret));
    gui::Dataset external(testFile("secret.gui"), "secret.gui", true);
    if (external.load()) {
        EXPECT_EQ(external.getObjectAs<gui::Label>("a", "Label")->getText().find("root:"), kit::String::npos);
    }
}

}  // namespace
}  // namespace guitest
